// The name and coordinate fields of the birth-data window: typed keys pass
// the key filters, navigation and shortcuts keep working, and text that
// arrives by paste, context menu, middle click, drag and drop or an input
// method is let in only as the key filters would let it in.
#include "recording_services.h"
#include "ui/windows/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace selmarind;
using namespace selmarind::testing;

namespace {

const QString kNumbers = "Stop: Only Numbers Are Accepted";
const QString kLetters = "Information: Please Enter only Letters";

} // namespace

class TestEntryFilters : public QObject {
    Q_OBJECT

    RecordingDialogs* dialogs_ = nullptr;
    std::unique_ptr<FrmMain> form_;

    QLineEdit* field(const QString& name) {
        auto* edit = form_->findChild<QLineEdit*>(name);
        if (!edit) {
            qFatal("no field %s", qPrintable(name));
        }
        return edit;
    }

    // Puts `text` into `edit` by one of the routes that bypass typed keys.
    static bool Deliver(QLineEdit* edit, const QString& route, const QString& text) {
        if (route == "Ctrl+V") {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else if (route == "Shift+Insert") {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (route == "context menu") {
            QApplication::clipboard()->setText(text);
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            const QList<QAction*> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
                return a->text().startsWith("&Paste");
            });
            if (paste == actions.end()) {
                return false;
            }
            (*paste)->trigger();
        } else if (route == "middle click") {
            QApplication::clipboard()->setText(text, QClipboard::Selection);
            QTest::mouseClick(edit, Qt::MiddleButton, {}, QPoint(edit->width() - 2, 5));
        } else if (route == "drop") {
            QMimeData mime;
            mime.setText(text);
            const QPointF at(edit->width() - 2, edit->height() / 2);
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(edit, &enter);
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(edit, &drop);
        } else if (route == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(edit, &commit);
        }
        return true;
    }

private slots:
    void initTestCase() { dialogs_ = InstallRecorders().first; }

    void init() {
        dialogs_->shown.clear();
        form_ = std::make_unique<FrmMain>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup() { form_.reset(); }

    // Letters reach the name as capitals; a digit or a hyphen is refused with
    // its message and the name stays as it was; Enter is let through, on to
    // "Get My Torvi Lagna", whose checks then find the empty longitude.
    void nameKeys() {
        QLineEdit* name = field("txtName");
        name->setFocus();
        QTest::keyClicks(name, "ravi Kumar");
        QCOMPARE(name->text(), QString("RAVI KUMAR"));
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(), QStringList());

        QTest::keyClick(name, Qt::Key_7);
        QTest::keyClick(name, Qt::Key_Minus);
        QCOMPARE(name->text(), QString("RAVI KUMAR"));
        QTRY_COMPARE(dialogs_->log(), QStringList({kLetters, kLetters}));

        dialogs_->shown.clear();
        QTest::keyClick(name, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(),
                 QStringList({"Stop: Please Enter Value Between 0 And 179 in the Degree of "
                              "Longitude"}));
        QCOMPARE(name->text(), QString("RAVI KUMAR"));
    }

    // Only digits reach a coordinate field; Enter and letters are refused
    // with "Only Numbers Are Accepted". A digit beyond the field's length is
    // dropped without a message.
    void coordinateKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("full");
        QTest::newRow("txtLatD") << "txtLatD"
                                 << "12";
        QTest::newRow("txtLatM") << "txtLatM"
                                 << "12";
        QTest::newRow("txtLonD") << "txtLonD"
                                 << "123";
        QTest::newRow("txtLonM") << "txtLonM"
                                 << "12";
    }

    void coordinateKeys() {
        QFETCH(QString, name);
        QFETCH(QString, full);
        QLineEdit* edit = field(name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(edit, Qt::Key_X);
        QTest::keyClick(edit, Qt::Key_Period);
        QCOMPARE(edit->text(), QString());
        QTRY_COMPARE(dialogs_->log(), QStringList({kNumbers, kNumbers, kNumbers, kNumbers}));

        dialogs_->shown.clear();
        QTest::keyClicks(edit, "1234");
        QCOMPARE(edit->text(), full);
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(), QStringList());
    }

    // A refused key shows its message once the key event is over, never from
    // inside it, where a modal box would run its own event loop in the middle
    // of the field's key handling; a field closed before then shows nothing.
    void refusalWaitsForTheKeyEvent() {
        QLineEdit* latD = field("txtLatD");
        latD->setFocus();
        QTest::keyClick(latD, Qt::Key_X);
        QCOMPARE(dialogs_->log(), QStringList());
        QTRY_COMPARE(dialogs_->log(), QStringList({kNumbers}));

        dialogs_->shown.clear();
        QTest::keyClick(field("txtName"), Qt::Key_5);
        form_.reset();
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(), QStringList());
    }

    // Keys that insert nothing keep their usual meaning in the filtered
    // fields, without a message: arrows, Home, End, Delete, Backspace,
    // Escape, select all, copy, Tab and Shift+Tab.
    void navigationKeys() {
        QLineEdit* name = field("txtName");
        name->setFocus();
        QTest::keyClicks(name, "ABC");
        QTest::keyClick(name, Qt::Key_Home);
        QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClick(name, Qt::Key_Left);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), QString("C"));

        QLineEdit* lonD = field("txtLonD");
        lonD->setFocus();
        QTest::keyClicks(lonD, "17");
        QTest::keyClick(lonD, Qt::Key_Left);
        QTest::keyClick(lonD, Qt::Key_9);
        QCOMPARE(lonD->text(), QString("197"));
        QTest::keyClick(lonD, Qt::Key_Escape);
        QTest::keyClick(lonD, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(lonD, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("197"));
        QTest::keyClick(lonD, Qt::Key_5);
        QCOMPARE(lonD->text(), QString("5"));
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(), QStringList());

        QTest::keyClick(lonD, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmbTimeZone"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("optLat_0"));
        QCoreApplication::processEvents();
        QCOMPARE(dialogs_->log(), QStringList());
    }

    void otherRoutes_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");

        const struct {
            const char* label;
            const char* name;
            const char* before;
            const char* text;
            const char* after;
            QString message;
        } cases[] = {
            {"digits", "txtLatD", "", "45", "45", {}},
            {"letter among digits", "txtLatD", "", "4a", "", kNumbers},
            {"too long", "txtLatD", "", "123", "", {}},
            {"minutes completed", "txtLatM", "5", "9", "59", {}},
            {"minutes overflow", "txtLatM", "5", "99", "5", {}},
            {"three digits", "txtLonD", "", "123", "123", {}},
            {"four digits", "txtLonD", "", "1234", "", {}},
            {"decimal", "txtLonM", "", "4.5", "", kNumbers},
            {"line break", "txtLonM", "", "45\n", "", kNumbers},
            {"name upper-cased", "txtName", "", "ravi kumar", "RAVI KUMAR", {}},
            {"name appended", "txtName", "RAVI", " k", "RAVI K", {}},
            {"name with digits", "txtName", "RAVI", "R2D2", "RAVI", kLetters},
            {"accented name", "txtName", "", "Jos\u00e9", "", kLetters},
        };
        QStringList routes = {"Ctrl+V", "Shift+Insert", "context menu", "drop", "input method"};
        // Platforms without a selection clipboard (offscreen among them) have
        // no middle-click paste.
        if (QApplication::clipboard()->supportsSelection()) {
            routes << "middle click";
        }
        for (const QString& route : routes) {
            for (const auto& c : cases) {
                QTest::addRow("%s, %s, %s", qPrintable(route), c.name, c.label)
                    << route << c.name << c.before << c.text << c.after << c.message;
            }
        }
    }

    // Whatever the route, the field ends up holding only what its key filter
    // allows; wrong characters are refused whole with the key filter's
    // message, text too long for the field whole and silently.
    void otherRoutes() {
        QFETCH(QString, route);
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QFETCH(QString, message);

        QLineEdit* edit = field(name);
        edit->setText(before);
        edit->setFocus();
        edit->end(false);
        if (!Deliver(edit, route, text)) {
            QSKIP("route not available on this platform");
        }
        QCOMPARE(edit->text(), after);
        if (message.isEmpty()) {
            QCoreApplication::processEvents();
            QCOMPARE(dialogs_->log(), QStringList());
        } else {
            QTRY_COMPARE(dialogs_->log(), QStringList({message}));
        }
    }

    // After a refused paste the field can be edited as before: the refusal
    // left no hidden text behind, and undo still works for typed keys.
    void refusedPasteLeavesFieldUsable() {
        QLineEdit* latD = field("txtLatD");
        latD->setFocus();
        QTest::keyClick(latD, Qt::Key_1);
        QApplication::clipboard()->setText("x");
        QTest::keyClick(latD, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(latD, Qt::Key_2);
        QCOMPARE(latD->text(), QString("12"));
        QTest::keyClick(latD, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(latD->text(), QString("1"));
        QTRY_COMPARE(dialogs_->log(), QStringList({kNumbers}));
    }
};

QTEST_MAIN(TestEntryFilters)
#include "test_entry_filters.moc"
