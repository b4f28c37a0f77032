// The About box's version, licence, place-data attribution and the
// third-party notices it shows.
#include "window_test_support.h"

#include "ui/windows/frm_about.h"
#include "ui/windows/notices_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace selmarind;
using namespace selmarind::test;

class TestAboutNotices : public QObject {
    Q_OBJECT

private slots:
    void versionLicenceAndAttribution() {
        FrmAbout box;
        const auto text = [&box](const char* name) {
            auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
            return label ? label->text() : QStringLiteral("(no %1)").arg(name);
        };
        // The version of project() in the top CMakeLists.txt.
        QCOMPARE(text("lblVersion"), QStringLiteral("Version " SELMARIND_TEST_VERSION));
        QCOMPARE(text("lblLicence"), QStringLiteral("Licence: AGPL-3.0-or-later"));
        QCOMPARE(text("lblPlaceAttribution"),
                 QStringLiteral("Place data: GeoNames (geonames.org), CC BY 4.0"));
        // The designed default button stays the default.
        QVERIFY(box.findChild<QPushButton*>("cmdOK")->isDefault());
        QVERIFY(!box.findChild<QPushButton*>("cmdNotices")->isDefault());
    }

    // The button opens the notices read-only; Esc closes them and the box
    // stays open.
    void noticesButtonShowsTheText() {
        FrmAbout box;
        box.show();
        QString shown;
        bool readOnly = false;
        const bool opened =
            WithModalDialog([&box] { box.findChild<QPushButton*>("cmdNotices")->click(); },
                            [&](QDialog* dialog) {
                                auto* text = dialog->findChild<QPlainTextEdit*>("txtNotices");
                                shown = text ? text->toPlainText() : QString();
                                readOnly = text && text->isReadOnly();
                                QTest::keyClick(dialog, Qt::Key_Escape);
                            });
        QVERIFY(opened);
        QVERIFY(readOnly);
        // The test runs outside the data layout, so the file is not found
        // and the box names the path it looked at.
        QVERIFY2(shown.contains("NOTICE") && !shown.isEmpty(), qPrintable(shown));
        QVERIFY(box.isVisible());
    }

    // The shipped notices name each third-party part; a missing file is
    // named, not shown as an empty box.
    void readNotices() {
        const QString text = ReadNotices(QStringLiteral(SELMARIND_TEST_NOTICE));
        for (const char* part : {"Qt", "Swiss Ephemeris", "GeoNames", "tz"}) {
            QVERIFY2(text.contains(part), part);
        }
        const QString missing = ReadNotices(QStringLiteral("/nonexistent/NOTICE"));
        QVERIFY2(missing.contains("/nonexistent/NOTICE"), qPrintable(missing));
    }
};

SELMARIND_UI_TEST_MAIN(TestAboutNotices)
#include "test_about_notices.moc"
