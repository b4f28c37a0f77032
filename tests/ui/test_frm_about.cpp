// The About box: its texts, its size and buttons, the keys that close it,
// and its two links.
#include "ui/widgets/web_links.h"
#include "ui/windows/frm_about.h"
#include "window_test_support.h"

#include <QLabel>
#include <QPushButton>

using namespace selmarind;
using namespace selmarind::test;

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    // The texts stand exactly as written, in a fixed box without minimize
    // or maximize buttons, whose OK button is the default.
    void textsAndFrame() {
        FrmAbout box;
        QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Selmarind v1.25"));
        QCOMPARE(box.size(), QSize(429, 253)); // 6435 × 3795 twips at 96 dpi
        QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
        auto text = [&](const char* name) {
            auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
            return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
        };
        QCOMPARE(text("Label2"), QStringLiteral("Selmarind v1.25"));
        QCOMPARE(text("Label1"),
                 QStringLiteral("Selmarind is a special Lagna (Ascendant) calculated on the basis "
                                "of Vedic Astrology. This Lagna shows where the native is applying "
                                "his / her intelligence. This shows your fantasies and desires. "
                                "This shows what you like or dislike."));
        QCOMPARE(text("lblHomePage"), QStringLiteral("Click here to visit www.selmarind.org"));
        QCOMPARE(text("Label3"),
                 QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                                "make money online. Get this software fully branded for your "
                                "website. "));
        QCOMPARE(text("lblCobrand"), QStringLiteral("Click here for more details."));
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().width() > 0);
        QVERIFY(box.findChild<QWidget*>(QStringLiteral("Line1")));
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
    }

    // The texts fit their places at the default font: no label is cut off.
    void textsFitTheirPlaces() {
        FrmAbout box;
        box.show();
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue;
            }
            const QRect needed = label->fontMetrics().boundingRect(
                label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
            QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(),
                     qPrintable(label->objectName()));
        }
    }

    // Esc, Enter and a click on OK each close the box.
    void escEnterAndOkClose() {
        for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return), 0}) {
            bool closed = WithModalDialog(
                [] { ShowAboutBox(nullptr); },
                [key](QDialog* dialog) {
                    QCOMPARE(dialog->objectName(), QStringLiteral("frmAbout"));
                    if (key != 0) {
                        QTest::keyClick(dialog, Qt::Key(key));
                    } else {
                        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")),
                                          Qt::LeftButton);
                    }
                });
            QVERIFY2(closed, qPrintable(QString::number(key)));
            QVERIFY(QApplication::activeModalWidget() == nullptr);
        }
    }

    // "Click here to visit" opens the home page; "Click here for more
    // details." the branded-edition page. Both links also answer the keyboard.
    void linksOpenTheirPages() {
        Recorders recorders;
        FrmAbout box;
        box.show();
        QTest::mouseClick(box.findChild<QLabel*>(QStringLiteral("lblHomePage")), Qt::LeftButton);
        QTest::mouseClick(box.findChild<QLabel*>(QStringLiteral("lblCobrand")), Qt::LeftButton);
        QTest::keyClick(box.findChild<QLabel*>(QStringLiteral("lblCobrand")), Qt::Key_Space);
        const std::vector<QUrl> expected = {WebPageAddress(WebPage::Home),
                                            WebPageAddress(WebPage::BrandedEdition),
                                            WebPageAddress(WebPage::BrandedEdition)};
        QCOMPARE(recorders.links().opened, expected);
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("lblHomePage"))->cursor().shape() ==
                Qt::PointingHandCursor);
    }
};

SELMARIND_UI_TEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
