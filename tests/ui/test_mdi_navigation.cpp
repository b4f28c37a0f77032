// The frame window and the way between the two windows: a calculation
// opens a fresh frame with the result, Back returns to the birth-data form
// as the user left it, About returns to the window it came from, and Exit or
// closing either window ends the program.
#include "chart/chart_driver.h"
#include "chart/sign_tables.h"
#include "screenshots/sample_chart.h"
#include "ui/app/mdi.h"
#include "ui/app/navigation.h"
#include "ui/widgets/data_files.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "window_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>

using namespace selmarind;
using namespace selmarind::test;

namespace {

constexpr int kScreenWidth = 1366;

QString Describe(const BirthEntries& e) {
    return QStringList{QString::fromStdString(e.txtName),
                       QString::number(e.cboMonthIndex),
                       QString::fromStdString(e.cboDate),
                       QString::fromStdString(e.cboYear),
                       QString::fromStdString(e.cboHH),
                       QString::fromStdString(e.cboMM),
                       QString::fromStdString(e.cboSS),
                       QString::fromStdString(e.txtMCity),
                       QString::fromStdString(e.txtMState),
                       QString::fromStdString(e.txtMCountry),
                       QString::fromStdString(e.txtLatD),
                       QString::fromStdString(e.txtLatM),
                       e.optLatSouth ? QStringLiteral("S") : QStringLiteral("N"),
                       QString::fromStdString(e.txtLonD),
                       QString::fromStdString(e.txtLonM),
                       e.optLongEast ? QStringLiteral("E") : QStringLiteral("W"),
                       QString::number(e.cmbTimeZoneIndex),
                       e.chkDST ? QStringLiteral("DST") : QStringLiteral("-")}
        .join(QLatin1Char('|'));
}

// A second birth that differs from the sample in every sign it fills.
BirthEntries OtherBirthEntries() {
    BirthEntries e = SampleBirthEntries();
    e.txtName = "JOHN SMITH";
    e.cboMonthIndex = 1;
    e.cboDate = "29";
    e.cboYear = "1996";
    e.cboHH = "23";
    e.cboMM = "5";
    e.txtMCity = "Boston";
    e.txtMState = "Massachusetts";
    e.txtMCountry = "USA";
    e.txtLatD = "42";
    e.txtLatM = "21";
    e.txtLonD = "71";
    e.txtLonM = "3";
    e.optLongEast = false;
    e.cmbTimeZoneIndex = 27; // Eastern Standard Time
    e.chkDST = true;
    return e;
}

QString LabelText(QWidget& form, const QString& name) {
    auto* label = form.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

// Checks that the result form shows every text of `result`.
void CheckShows(FrmDisplay& display, const ChartResult& result) {
    const ResultFormTexts& form = result.form;
    const std::vector<std::pair<const char*, const std::string*>> details = {
        {"lblName", &form.lblName},
        {"lblDOB", &form.lblDOB},
        {"lblTOB", &form.lblTOB},
        {"lblLatitude", &form.lblLatitude},
        {"lblLongitude", &form.lblLongitude},
        {"lblCity", &form.lblCity},
        {"lblState", &form.lblState},
        {"lblCountry", &form.lblCountry},
        {"lblHoraDesc", &form.lblHoraDesc}};
    for (const auto& [name, text] : details) {
        QCOMPARE(LabelText(display, QString::fromLatin1(name)), QString::fromStdString(*text));
    }
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(LabelText(display, QStringLiteral("planet_%1").arg(i)),
                 QString::fromStdString(form.planet[i]));
    }
    for (int s = 0; s < 12; ++s) {
        QCOMPARE(LabelText(display, QString::fromLatin1(kSignCellNames[s])),
                 QString::fromStdString(form.signCells[s]));
        QCOMPARE(LabelText(display, QStringLiteral("lblArudha_%1").arg(s)),
                 QString::fromStdString(form.lblArudha[s]));
    }
    for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
        const QString name = QString::fromUtf8(kAttributeControls[i].objectName.data(),
                                               kAttributeControls[i].objectName.size());
        const QString expected = QString::fromStdString(form.attributes[i]);
        if (kAttributeControls[i].isParagraph) {
            QCOMPARE(display.findChild<QPlainTextEdit*>(name)->toPlainText(), expected);
        } else {
            QCOMPARE(LabelText(display, name), expected);
        }
    }
}

// The birth-data form and the navigation of a running program.
struct Program {
    FrmMain frmMain;
    Navigation navigation{&frmMain};

    Program() {
        QObject::connect(&frmMain, &FrmMain::chartCalculated, &navigation, &Navigation::showResult);
        frmMain.show();
    }

    void calculate(const BirthEntries& entries) {
        EnterBirthData(frmMain, entries);
        QTest::mouseClick(frmMain.findChild<QPushButton*>(QStringLiteral("cmdRashi")),
                          Qt::LeftButton);
        Settle();
    }

    void back() {
        QTest::mouseClick(navigation.frame()->findChild<QPushButton*>(QStringLiteral("cmdBack")),
                          Qt::LeftButton);
        Settle();
    }
};

// Runs the event loop until the program ends (or five seconds pass) after
// `action`; returns the loop's exit code.
int RunUntilEnd(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    return QCoreApplication::exec();
}

} // namespace

class TestMdiNavigation : public QObject {
    Q_OBJECT

private slots:
    // The frame's bars, buttons and menus as the user finds them; "Make
    // Money Online" is there but not offered.
    void frameParts() {
        Mdi frame;
        frame.show();
        Settle();
        QCOMPARE(frame.objectName(), QStringLiteral("MDI"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Selmarind v1.25"));
        QCOMPARE(frame.centralWidget()->size(), TwipsSize(11880, 8190));
        QCOMPARE(frame.findChild<QWidget*>(QStringLiteral("picTop"))->height(), TwipsToPixels(795));
        QCOMPARE(frame.findChild<QWidget*>(QStringLiteral("Picture1"))->height(),
                 TwipsToPixels(585));
        auto* title = frame.findChild<QLabel*>(QStringLiteral("Label2"));
        QCOMPARE(title->text(), QStringLiteral("Selmarind"));
        QCOMPARE(title->pos(), QPoint(TwipsToPixels(360), TwipsToPixels(120)));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pointSizeF(), 21.75);
        QCOMPARE(LabelText(frame, QStringLiteral("Label10")),
                 QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                                "make money online. Get this software fully branded for your "
                                "website. Click here for more details."));
        for (const auto& [name, caption] :
             {std::pair{"cmdBack", "&Back"}, std::pair{"cmdExit", "E&xit"}}) {
            auto* button = frame.findChild<QPushButton*>(QString::fromLatin1(name));
            QCOMPARE(button->text(), QString::fromLatin1(caption));
            QCOMPARE(button->size(), TwipsSize(1335, 400));
            QCOMPARE(button->y(), TwipsToPixels(120));
            QVERIFY(button->font().bold());
        }
        QVERIFY(frame.display()->parentWidget() != nullptr);
        QVERIFY(frame.display()->isVisible());

        const std::vector<std::pair<const char*, const char*>> menus = {
            {"mnuBack", "&Back"},
            {"mnuExit", "E&xit"},
            {"mnuOnline", "&Online Help"},
            {"mnuVisit", "&Visit Us Online"},
            {"mnuUpdate", "Check for Software &Update"},
            {"mnuAbout", "&About Software"},
            {"mnuDonate", "&Donate"},
            {"mm", "Make Money &Online"},
        };
        for (const auto& [name, caption] : menus) {
            auto* action = frame.findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY2(action, name);
            QCOMPARE(action->text(), QString::fromLatin1(caption));
            QCOMPARE(action->isVisible(), QByteArray(name) != "mm");
        }
        QVERIFY(frame.findChild<QAction*>(QStringLiteral("mnuHelpSep1"))->isSeparator());
        QVERIFY(frame.findChild<QAction*>(QStringLiteral("mnuHelpSep2"))->isSeparator());
    }

    // At any width Exit stands 300 twips from the frame's right edge and
    // Back 100 twips left of Exit, while the result form stays centred on
    // the screen's width and can be scrolled to in full.
    void layoutRuleAtSeveralWidths_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("narrow") << 420;
        QTest::newRow("restored") << TwipsToPixels(11880);
        QTest::newRow("wide") << 1200;
        QTest::newRow("screen") << kScreenWidth;
    }
    void layoutRuleAtSeveralWidths() {
        QFETCH(int, width);
        Mdi frame;
        frame.show();
        frame.resize(width, 600);
        Settle();
        auto* exit = frame.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        auto* back = frame.findChild<QPushButton*>(QStringLiteral("cmdBack"));
        const int frameWidth = frame.frameGeometry().width();
        QCOMPARE(exit->x(), frameWidth - exit->width() - TwipsToPixels(300));
        QCOMPARE(back->x(), exit->x() - exit->width() - TwipsToPixels(100));

        FrmDisplay* display = frame.display();
        QCOMPARE(display->x(), (kScreenWidth - display->width()) / 2);
        auto* client = frame.findChild<QScrollArea*>(QStringLiteral("mdiClient"));
        QVERIFY(client->widget()->width() >= display->geometry().right() + 1);
        QVERIFY(client->widget()->height() >= display->geometry().bottom() + 1);
    }

    // Maximized on a screen wider than the form, the frame shows the whole
    // form, centred, without scrolling.
    void maximizedFrameShowsTheWholeForm() {
        Mdi frame;
        frame.showMaximized();
        Settle();
        QCOMPARE(frame.frameGeometry().width(), kScreenWidth);
        auto* client = frame.findChild<QScrollArea*>(QStringLiteral("mdiClient"));
        const QRect form = frame.display()->geometry();
        QCOMPARE(form.left(), (kScreenWidth - form.width()) / 2);
        QVERIFY(form.right() < client->viewport()->width());
        QVERIFY(form.bottom() < client->viewport()->height());
    }

    // On a screen narrower than the form the form starts at the frame's left
    // edge instead of a negative position that no scrolling could reach.
    void formNeverStartsLeftOfTheFrame() {
        QCOMPARE(Mdi::DisplayLeft(1366, 1100), 133);
        QCOMPARE(Mdi::DisplayLeft(1100, 1100), 0);
        QCOMPARE(Mdi::DisplayLeft(800, 1100), 0);
    }

    // Every link of the frame reaches the opener with its address.
    void frameLinks() {
        Recorders recorders;
        Mdi frame;
        frame.show();
        for (const char* name : {"mnuOnline", "mnuVisit", "mnuUpdate", "mnuDonate", "mm"}) {
            frame.findChild<QAction*>(QString::fromLatin1(name))->trigger();
        }
        QTest::mouseClick(frame.findChild<QLabel*>(QStringLiteral("Label10")), Qt::LeftButton);
        const std::vector<QUrl> expected = {
            WebPageAddress(WebPage::Help),           WebPageAddress(WebPage::Home),
            WebPageAddress(WebPage::Download),       WebPageAddress(WebPage::Donation),
            WebPageAddress(WebPage::BrandedEdition), WebPageAddress(WebPage::BrandedEdition)};
        QCOMPARE(recorders.links().opened, expected);
    }

    // Where the help page is installed beside the program, "Online Help"
    // opens that file.
    void onlineHelpOpensTheShippedPage() {
        Recorders recorders;
        QVERIFY(QDir().mkpath(DataFolder()));
        QFile page(DataFilePath(QStringLiteral("selmarind-help.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
        page.close();
        Mdi frame;
        frame.findChild<QAction*>(QStringLiteral("mnuOnline"))->trigger();
        page.remove();
        QCOMPARE(recorders.links().opened.size(), std::size_t{1});
        QCOMPARE(recorders.links().opened[0],
                 QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    }

    // Where no browser answers, "Online Help" shows the installed page in a
    // window of the program's own, one window however often it is asked
    // for; its web links go to the opener. With no page installed, a
    // message gives the online address instead of nothing at all.
    void onlineHelpWithoutABrowser() {
        Recorders recorders;
        recorders.links().browserAnswers = false;
        QVERIFY(QDir().mkpath(DataFolder()));
        QFile page(DataFilePath(QStringLiteral("selmarind-help.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><h1>Selmarind Help</h1><p id=\"top\">The birth form.</p>"
                   "<a href=\"https://www.selmarind.org/forum/\">forum</a></body></html>");
        page.close();
        Mdi frame;
        QAction* online = frame.findChild<QAction*>(QStringLiteral("mnuOnline"));
        online->trigger();
        online->trigger();
        page.remove();
        QCOMPARE(recorders.links().opened.size(), std::size_t{2});
        QList<QTextBrowser*> browsers;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                browsers << window->findChildren<QTextBrowser*>(QStringLiteral("txtHelp"));
            }
        }
        QCOMPARE(browsers.size(), 1);
        QTextBrowser* browser = browsers[0];
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Selmarind Help")));
        QCOMPARE(browser->source(), QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
        emit browser->anchorClicked(QUrl(QStringLiteral("https://www.selmarind.org/forum/")));
        QCOMPARE(recorders.links().opened.back(), QUrl("https://www.selmarind.org/forum/"));
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{0});
        browser->window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        online->trigger();
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});
        QVERIFY(recorders.dialogs().shown[0].text.contains(
            QStringLiteral("https://www.selmarind.org/help/")));
    }

    // A calculation hides the birth-data form and shows the frame, maximized,
    // with the result form on its first tab and every value of the sample
    // chart.
    void calculationShowsTheResult() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        QVERIFY(recorders.dialogs().shown.empty());

        Mdi* frame = program.navigation.frame();
        QVERIFY(frame);
        QVERIFY(frame->isVisible());
        QVERIFY(frame->isMaximized());
        QVERIFY(!program.frmMain.isVisible());
        QCOMPARE(frame->display()->tabs()->currentIndex(), 0);

        const std::optional<ChartResult> expected = CalculateChart(SampleBirthEntries());
        QVERIFY(expected);
        CheckShows(*frame->display(), *expected);
        QVERIFY(LabelText(*frame->display(), QStringLiteral("lblArudha_3")).contains("\r\nTL"));
        QCOMPARE(LabelText(*frame->display(), QStringLiteral("lblScorpio")),
                 QStringLiteral("\r\nSaturn (R) "));
    }

    // The result window starts with the keyboard on its tabs, not on the
    // client area around the whole form.
    void keyboardStartsOnTheTabs() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        Mdi* frame = program.navigation.frame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(frame->display()->tabs()->tabBar()));
    }

    // No menu of any window, the menu bars included, gives one access key
    // to two entries.
    void accessKeysAreUniqueInEveryMenu() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        QVERIFY(program.navigation.frame());
        int menusChecked = 0;
        const auto checkEntries = [&](const QString& where, const QList<QAction*>& entries) {
            QMap<QKeySequence, QString> taken;
            for (QAction* entry : entries) {
                const QKeySequence key = QKeySequence::mnemonic(entry->text());
                if (entry->isSeparator() || key.isEmpty()) {
                    continue;
                }
                QVERIFY2(
                    !taken.contains(key),
                    qPrintable(QStringLiteral("%1: \"%2\" and \"%3\" share %4")
                                   .arg(where, taken.value(key), entry->text(), key.toString())));
                taken.insert(key, entry->text());
            }
            ++menusChecked;
        };
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
                checkEntries(window->objectName() + " menu bar", bar->actions());
                for (QAction* top : bar->actions()) {
                    QList<QMenu*> menus;
                    if (top->menu()) {
                        menus << top->menu();
                    }
                    for (qsizetype i = 0; i < menus.size(); ++i) {
                        checkEntries(window->objectName() + " " + menus[i]->title(),
                                     menus[i]->actions());
                        for (QAction* entry : menus[i]->actions()) {
                            if (entry->menu()) {
                                menus << entry->menu();
                            }
                        }
                    }
                }
            }
        }
        // Both windows' bars, File, Help, Tools and Open Recent.
        QVERIFY2(menusChecked >= 7, qPrintable(QString::number(menusChecked)));
    }

    // Back destroys the frame with its form and shows the birth-data form
    // with every entry; a second calculation gets a fresh form that keeps
    // nothing of the first in its cells and markers; Back again returns to
    // the birth-data form with the entries of the last calculation.
    void backAndForth() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        QPointer<Mdi> firstFrame = program.navigation.frame();
        QPointer<FrmDisplay> firstForm = firstFrame->display();

        program.back();
        QVERIFY(firstFrame.isNull());
        QVERIFY(firstForm.isNull());
        QVERIFY(program.navigation.frame() == nullptr);
        QVERIFY(program.frmMain.isVisible());
        QCOMPARE(Describe(program.frmMain.entries()), Describe(SampleBirthEntries()));

        program.calculate(OtherBirthEntries());
        Mdi* secondFrame = program.navigation.frame();
        QVERIFY(secondFrame);
        QVERIFY(!program.frmMain.isVisible());
        const std::optional<ChartResult> second = CalculateChart(OtherBirthEntries());
        QVERIFY(second);
        CheckShows(*secondFrame->display(), *second);

        program.back();
        QVERIFY(program.frmMain.isVisible());
        QVERIFY(program.navigation.frame() == nullptr);
        QCOMPARE(Describe(program.frmMain.entries()), Describe(OtherBirthEntries()));
        QVERIFY(recorders.dialogs().shown.empty());
    }

    // Navigation alone deletes a frame, and each frame exactly once (the
    // asan preset turns a second delete into a failure): a replaced frame
    // goes once its own events are over, a closed frame stays until the
    // navigation ends, and the frame on view ends with the navigation.
    void frameHasOneOwner() {
        Recorders recorders;
        const std::optional<ChartResult> result = CalculateChart(SampleBirthEntries());
        QVERIFY(result);
        QWidget entry;
        auto navigation = std::make_unique<Navigation>(&entry);

        navigation->showResult(*result);
        QPointer<Mdi> replaced = navigation->frame();
        navigation->showResult(*result);
        QVERIFY2(!replaced.isNull(), "deleted inside the call that replaced it");
        QVERIFY(!replaced->isVisible());
        Settle();
        QVERIFY(replaced.isNull());

        QPointer<Mdi> closed = navigation->frame();
        // Closing a frame ends the program; here the exit is cut off so that
        // only the close itself is seen.
        closed->disconnect(navigation.get());
        closed->close();
        Settle();
        QVERIFY2(!closed.isNull(), "a closed frame deleted itself");
        QCOMPARE(navigation->frame(), closed.data());

        navigation.reset();
        QVERIFY(closed.isNull());
    }

    // "About Software" from either window shows the About box over that
    // window; Esc closes it and the window is still in view.
    void aboutReturnsToItsWindow() {
        Recorders recorders;
        Program program;
        QWidget* frmMain = &program.frmMain;
        bool shown = WithModalDialog(
            [&] { frmMain->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger(); },
            [&](QDialog* about) {
                QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
                QCOMPARE(about->parentWidget(), frmMain);
                QTest::keyClick(about, Qt::Key_Escape);
            });
        QVERIFY(shown);
        QVERIFY(frmMain->isVisible());

        program.calculate(SampleBirthEntries());
        Mdi* frame = program.navigation.frame();
        shown = WithModalDialog(
            [&] { frame->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger(); },
            [&](QDialog* about) {
                QCOMPARE(about->parentWidget(), frame);
                QTest::keyClick(about, Qt::Key_Escape);
            });
        QVERIFY(shown);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(program.navigation.frame(), frame);
        QVERIFY(frame->isVisible());
        QVERIFY(!frmMain->isVisible());
    }

    // Exit in the frame ends the program and leaves no window on screen.
    void exitEndsTheProgram() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        Mdi* frame = program.navigation.frame();
        const int code = RunUntilEnd([frame] {
            QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("cmdExit")),
                              Qt::LeftButton);
        });
        QCOMPARE(code, 0);
        Settle();
        QCOMPARE(VisibleWindowNames(), QStringList());
    }

    // Closing the frame with its close button ends the program; it does not
    // go back to the birth-data form.
    void closingTheFrameEndsTheProgram() {
        Recorders recorders;
        Program program;
        program.calculate(SampleBirthEntries());
        QPointer<Mdi> frame = program.navigation.frame();
        const int code = RunUntilEnd([frame] { frame->close(); });
        QCOMPARE(code, 0);
        Settle();
        QVERIFY(!program.frmMain.isVisible());
        QCOMPARE(VisibleWindowNames(), QStringList());
    }

    // Closing the birth-data form ends the program too.
    void closingTheBirthFormEndsTheProgram() {
        Recorders recorders;
        Program program;
        const int code = RunUntilEnd([&] { program.frmMain.close(); });
        QCOMPARE(code, 0);
        QCOMPARE(VisibleWindowNames(), QStringList());
    }
};

SELMARIND_UI_TEST_MAIN(TestMdiNavigation)
#include "test_mdi_navigation.moc"
