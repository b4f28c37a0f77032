// The birth-data window: its initial state, layout, keyboard order,
// accessible names, the checks shown through it row by row, the chart it
// hands on, the place look-up, its menus and links, and the advertising label.
#include "recording_services.h"
#include "ui/widgets/place_search.h"
#include "ui/widgets/random_draw.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/advert_label.h"
#include "ui/windows/frm_main.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

using namespace selmarind;
using namespace selmarind::testing;

Q_DECLARE_METATYPE(selmarind::DialogIcon)

namespace {

// A valid set of entries: 12° 58' N, 77° 35' E, 1 January 1901.
void FillValidEntries(FrmMain& form) {
    form.findChild<QLineEdit*>("txtName")->setText("RAVI");
    form.findChild<QLineEdit*>("txtLatD")->setText("12");
    form.findChild<QLineEdit*>("txtLatM")->setText("58");
    form.findChild<QLineEdit*>("txtLonD")->setText("77");
    form.findChild<QLineEdit*>("txtLonM")->setText("35");
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

QStringList Log(const QString& message, DialogIcon icon) {
    return {(icon == DialogIcon::Stop ? "Stop: " : "Information: ") + message};
}

QString FocusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    RecordingDialogs* dialogs_ = nullptr;
    RecordingLinks* links_ = nullptr;
    std::unique_ptr<FrmMain> form_;
    int charts_ = 0;
    ChartResult lastChart_;

    template <typename T> T* child(const char* name) {
        T* widget = form_->findChild<T*>(QString::fromLatin1(name));
        if (!widget) {
            qFatal("no child %s", name);
        }
        return widget;
    }

    void clickRashi() { QTest::mouseClick(child<QPushButton>("cmdRashi"), Qt::LeftButton); }

private slots:
    void initTestCase() { std::tie(dialogs_, links_) = InstallRecorders(); }

    void init() {
        dialogs_->shown.clear();
        links_->opened.clear();
        charts_ = 0;
        form_ = std::make_unique<FrmMain>();
        connect(form_.get(), &FrmMain::chartCalculated, this, [this](const ChartResult& chart) {
            ++charts_;
            lastChart_ = chart;
        });
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup() { form_.reset(); }

    // Right after start-up: January 1, 1901, 0:0:0, Greenwich Mean Time, no
    // daylight saving, North and East, empty fields, focus on chkDST.
    void initialState() {
        QCOMPARE(form_->objectName(), QString("frmMain"));
        QCOMPARE(form_->windowTitle(), QString("Selmarind v1.25"));
        QCOMPARE(FocusName(), QString("chkDST"));

        QCOMPARE(Items(child<QComboBox>("cboMonth")),
                 QStringList({"January", "February", "March", "April", "May", "June", "July",
                              "August", "September", "October", "November", "December"}));
        const struct {
            const char* name;
            int first, last;
        } numbers[] = {{"cboDate", 1, 31},
                       {"cboYear", 1901, 2050},
                       {"cboHH", 0, 23},
                       {"cboMM", 0, 59},
                       {"cboSS", 0, 59}};
        for (const auto& list : numbers) {
            QStringList expected;
            for (int n = list.first; n <= list.last; ++n) {
                expected << QString::number(n);
            }
            QCOMPARE(Items(child<QComboBox>(list.name)), expected);
        }
        const QStringList zones = Items(child<QComboBox>("cmbTimeZone"));
        QCOMPARE(zones.size(), 71);
        QCOMPARE(zones.first(), QString("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(zones.at(34), QString("Indian Time, IST, +5.3"));
        QCOMPARE(zones.last(), QString("Yukon War Time,YWT,-8.0"));

        for (QComboBox* list : form_->findChildren<QComboBox*>()) {
            QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
        }
        QCOMPARE(child<QComboBox>("cmbTimeZone")->currentText(),
                 QString("Greenwich Mean Time,GMT,0.0"));
        QVERIFY(!child<QCheckBox>("chkDST")->isChecked());
        QVERIFY(child<QRadioButton>("optLat_0")->isChecked());
        QVERIFY(!child<QRadioButton>("optLat_1")->isChecked());
        QVERIFY(child<QRadioButton>("optLong_0")->isChecked());
        QVERIFY(!child<QRadioButton>("optLong_1")->isChecked());

        const BirthEntries e = form_->entries();
        QCOMPARE(e.txtName, std::string());
        QCOMPARE(e.cboMonthIndex, 0);
        QCOMPARE(e.cboDate, std::string("1"));
        QCOMPARE(e.cboYear, std::string("1901"));
        QCOMPARE(e.cboHH, std::string("0"));
        QCOMPARE(e.cboMM, std::string("0"));
        QCOMPARE(e.cboSS, std::string("0"));
        QCOMPARE(e.cmbTimeZoneIndex, 29);
        QVERIFY(!e.chkDST && !e.optLatSouth && e.optLongEast);
        QVERIFY(e.txtLatD.empty() && e.txtLatM.empty() && e.txtLonD.empty() && e.txtLonM.empty());
    }

    // entries() reads every control as it stands.
    void entriesReadTheControls() {
        FillValidEntries(*form_);
        child<QLineEdit>("txtMCity")->setText("Bengaluru");
        child<QComboBox>("cboMonth")->setCurrentIndex(11);
        child<QComboBox>("cboDate")->setCurrentText("31");
        child<QComboBox>("cboYear")->setCurrentText("2050");
        child<QComboBox>("cboHH")->setCurrentText("23");
        child<QComboBox>("cboMM")->setCurrentText("59");
        child<QComboBox>("cmbTimeZone")->setCurrentIndex(34);
        child<QCheckBox>("chkDST")->setChecked(true);
        child<QRadioButton>("optLat_1")->setChecked(true);
        child<QRadioButton>("optLong_1")->setChecked(true);

        const BirthEntries e = form_->entries();
        QCOMPARE(e.txtName, std::string("RAVI"));
        QCOMPARE(e.txtMCity, std::string("Bengaluru"));
        QCOMPARE(e.txtLatD + ":" + e.txtLatM + ":" + e.txtLonD + ":" + e.txtLonM,
                 std::string("12:58:77:35"));
        QCOMPARE(e.cboMonthIndex, 11);
        QCOMPARE(e.cboDate + "/" + e.cboYear + " " + e.cboHH + ":" + e.cboMM,
                 std::string("31/2050 23:59"));
        QCOMPARE(e.cmbTimeZoneIndex, 34);
        QVERIFY(e.chkDST && e.optLatSouth && !e.optLongEast);
    }

    // The window: fixed client area of 9810 × 5775 twips under the menu bar,
    // no minimize or maximize button, the areas at their places.
    void windowAndAreas() {
        const Qt::WindowFlags flags = form_->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(form_->centralWidget()->size(), TwipsSize(9810, 5775));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        const QPoint offCentre =
            form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "not centred on the screen");

        const struct {
            const char* name;
            QRect twips;
        } areas[] = {{"Label61", TwipsRect(-15, 120, 9840, 465)},
                     {"Label2", TwipsRect(1508, 720, 6795, 240)},
                     {"picEntry", TwipsRect(0, 1080, 9825, 3975)},
                     {"fraPersonalDetails", TwipsRect(120, 240, 5175, 1815)},
                     {"fraPlaceDetails", TwipsRect(5280, 240, 4455, 1815)},
                     {"fraZone", TwipsRect(120, 2040, 5175, 975)},
                     {"fraLatitude", TwipsRect(5280, 2040, 2295, 975)},
                     {"fraLongitude", TwipsRect(7560, 2040, 2175, 975)},
                     {"cmdRashi", TwipsRect(120, 3240, 9585, 495)},
                     {"picAdvert", TwipsRect(0, 5040, 9825, 735)},
                     {"lblFullBrand", TwipsRect(120, 120, 9585, 495)},
                     {"lblCobrand", TwipsRect(120, 120, 9585, 495)}};
        for (const auto& area : areas) {
            QCOMPARE(child<QWidget>(area.name)->geometry(), area.twips);
        }
        QCOMPARE(child<QPushButton>("cmdBrowser")->text(),
                 QString("Click for Latitude && Longitude"));
        QCOMPARE(child<QPushButton>("cmdRashi")->text(), QString("Get My Torvi Lagna"));
        QCOMPARE(child<QCheckBox>("chkDST")->text(), QString("Daylight Saving Time"));
        QCOMPARE(child<QLabel>("lblFullBrand")->text(),
                 QString("Home Business Opportunity. Start your own Internet business and make "
                         "money online. Get this software fully branded for your website. Click "
                         "here for more details."));
        QCOMPARE(child<QLabel>("lblCobrand")->text(),
                 QString("Co-brand this software for your site.  Increase loyalty and traffic to "
                         "your site. Put your site's name &  link here. See \"Help\" for "
                         "details.    Click Here for more info on co-branding."));
    }

    // Inside every group each control lies within the group, no two overlap
    // and every caption fits its box.
    void tidyLayout() {
        for (QGroupBox* group : form_->findChildren<QGroupBox*>()) {
            QList<QWidget*> controls = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            // The focus ring is drawn over its control on purpose.
            controls.removeIf([](QWidget* w) {
                return w->isWindow() || !w->isVisible() || w->objectName() == "focusRing";
            });
            QVERIFY(!controls.isEmpty());
            const QRect inside = group->contentsRect();
            for (int i = 0; i < controls.size(); ++i) {
                const QWidget* a = controls.at(i);
                const QString what = group->objectName() + "/" + a->objectName();
                QVERIFY2(inside.contains(a->geometry()), qPrintable(what + " outside its group"));
                for (int j = i + 1; j < controls.size(); ++j) {
                    QVERIFY2(!a->geometry().intersects(controls.at(j)->geometry()),
                             qPrintable(what + " overlaps " + controls.at(j)->objectName()));
                }
                if (const auto* label = qobject_cast<const QLabel*>(a)) {
                    QVERIFY2(label->sizeHint().width() <= label->width(),
                             qPrintable(what + " clipped"));
                }
                if (const auto* button = qobject_cast<const QAbstractButton*>(a)) {
                    QVERIFY2(button->sizeHint().width() <= button->width(),
                             qPrintable(what + " clipped"));
                }
            }
        }
        for (const char* name : {"Label61", "Label2", "lblCobrand", "lblFullBrand"}) {
            const auto* label = child<QLabel>(name);
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            QVERIFY2(needed <= label->height(), name);
            if (!label->wordWrap()) {
                QVERIFY2(label->sizeHint().width() <= label->width(), name);
            }
        }
    }

    // Tab visits the controls in the window's own order, across the groups.
    void tabOrder() {
        const QStringList expected = {
            "chkDST",   "txtLonM",     "optLong_0",   "txtLatD",   "txtLatM",    "optLat_0",
            "txtLonD",  "cmbTimeZone", "txtMCountry", "txtMState", "cmdBrowser", "txtMCity",
            "cmdRashi", "cboSS",       "txtName",     "cboMonth",  "cboDate",    "cboYear",
            "cboHH",    "cboMM",       "chkDST"};
        QStringList visited = {FocusName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << FocusName();
        }
        QCOMPARE(visited, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(FocusName(), QString("cboMM"));
    }

    // Each input is announced with its caption, the coordinate fields with
    // their group ("Latitude Deg"), and each caption label is tied to its
    // input, so assistive technology reads the two together.
    void accessibleNames() {
        const struct {
            const char* input;
            const char* name;
        } inputs[] = {{"txtName", "Name"},
                      {"cboMonth", "Birth month"},
                      {"cboDate", "Birth day"},
                      {"cboYear", "Birth year"},
                      {"cboMM", "Birth minute"},
                      {"cboSS", "Birth second"},
                      {"cboHH", "Birth hour"},
                      {"txtMCity", "City"},
                      {"txtMState", "State"},
                      {"txtMCountry", "Country"},
                      {"cmbTimeZone", "Time zone"},
                      {"chkDST", "Daylight Saving Time"},
                      {"txtLatD", "Latitude Deg"},
                      {"txtLatM", "Latitude Min"},
                      {"txtLonD", "Longitude Deg"},
                      {"txtLonM", "Longitude Min"},
                      {"optLat_1", "Latitude South"},
                      {"optLong_0", "Longitude East"},
                      {"cmdBrowser", "Click for Latitude & Longitude"}};
        for (const auto& input : inputs) {
            QWidget* widget = child<QWidget>(input.input);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            // Read through the accessibility interface: a list by its field,
            // with its current item as the value ("Birth day", "0").
            QCOMPARE(accessible->text(QAccessible::Name), QString(input.name));
            if (auto* list = qobject_cast<QComboBox*>(widget)) {
                // ... and, as AT-SPI speaks a list's value, as its text.
                QCOMPARE(accessible->text(QAccessible::Value), list->currentText());
                QAccessibleTextInterface* text = accessible->textInterface();
                QVERIFY2(text, input.input);
                list->setCurrentIndex(list->count() - 1);
                QCOMPARE(text->text(0, text->characterCount()), list->currentText());
                QCOMPARE(text->characterCount(), list->currentText().size());
            }
        }

        QStringList captions;
        for (QLabel* label : form_->findChildren<QLabel*>()) {
            QWidget* buddy = label->buddy();
            if (!buddy) {
                continue;
            }
            captions << label->text() + ">" + buddy->objectName();
            const auto labelledBy =
                QAccessible::queryAccessibleInterface(buddy)->relations(QAccessible::Label);
            QVERIFY2(std::any_of(labelledBy.begin(), labelledBy.end(),
                                 [label](const auto& relation) {
                                     return relation.first->object() == label;
                                 }),
                     qPrintable(label->text()));
        }
        captions.sort();
        QCOMPARE(captions,
                 QStringList({"City>txtMCity", "Country>txtMCountry", "Date of Birth>cboMonth",
                              "Deg>txtLatD", "Deg>txtLonD", "Min>txtLatM", "Min>txtLonM",
                              "Name>txtName", "State>txtMState", "Time of Birth>cboHH"}));
    }

    void validationMessages_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("date"); // day/month/year, or empty for 1/1/1901
        QTest::addColumn<QString>("message");
        QTest::addColumn<DialogIcon>("icon");
        QTest::addColumn<QString>("focus");

        const QString lonD = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
        const QString lonM = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
        const QString latD = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
        const QString latM = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
        const QString feb = "Please Enter Correct Date Or Month!";
        const QString month30 = "Please Enter Correct Date Or Month !";
        const DialogIcon stop = DialogIcon::Stop;
        const DialogIcon info = DialogIcon::Information;

        // Each row changes one field of a valid set of entries.
        QTest::newRow("everything empty: the name first")
            << "all"
            << ""
            << ""
            << "Please Enter Name" << stop << "txtName";
        QTest::newRow("name of spaces") << "txtName"
                                        << "   "
                                        << ""
                                        << "Please Enter Name" << stop << "txtName";
        QTest::newRow("lon deg 179") << "txtLonD"
                                     << "179"
                                     << ""
                                     << "" << stop << "";
        QTest::newRow("lon deg 180") << "txtLonD"
                                     << "180"
                                     << "" << lonD << stop << "txtLonD";
        QTest::newRow("lon deg empty") << "txtLonD"
                                       << ""
                                       << "" << lonD << stop << "txtLonD";
        QTest::newRow("lon deg 0") << "txtLonD"
                                   << "0"
                                   << ""
                                   << "" << stop << "";
        QTest::newRow("lon deg 00") << "txtLonD"
                                    << "00"
                                    << ""
                                    << "" << stop << "";
        QTest::newRow("lon min 59") << "txtLonM"
                                    << "59"
                                    << ""
                                    << "" << stop << "";
        QTest::newRow("lon min 60") << "txtLonM"
                                    << "60"
                                    << "" << lonM << stop << "txtLonM";
        QTest::newRow("lon min empty") << "txtLonM"
                                       << ""
                                       << "" << lonM << stop << "txtLonM";
        QTest::newRow("lat deg 89") << "txtLatD"
                                    << "89"
                                    << ""
                                    << "" << stop << "";
        QTest::newRow("lat deg 90") << "txtLatD"
                                    << "90"
                                    << "" << latD << stop << "txtLatD";
        QTest::newRow("lat min 59") << "txtLatM"
                                    << "59"
                                    << ""
                                    << "" << stop << "";
        QTest::newRow("lat min 60") << "txtLatM"
                                    << "60"
                                    << "" << latM << stop << "txtLatM";
        QTest::newRow("longitude before latitude") << "lat+lon"
                                                   << "99"
                                                   << "" << lonD << stop << "txtLonD";
        QTest::newRow("29 February 2000") << ""
                                          << ""
                                          << "29/2/2000"
                                          << "" << info << "";
        QTest::newRow("29 February 1999") << ""
                                          << ""
                                          << "29/2/1999" << feb << info << "cmdRashi";
        QTest::newRow("30 February 2000") << ""
                                          << ""
                                          << "30/2/2000" << feb << info << "cmdRashi";
        QTest::newRow("31 April 2000") << ""
                                       << ""
                                       << "31/4/2000" << month30 << info << "cmdRashi";
        QTest::newRow("31 November 1950") << ""
                                          << ""
                                          << "31/11/1950" << month30 << info << "cmdRashi";
        QTest::newRow("31 March 2000") << ""
                                       << ""
                                       << "31/3/2000"
                                       << "" << info << "";
    }

    // A click on cmdRashi shows the first fault with its icon and moves the
    // focus as the fault says (a date fault leaves it on the button); valid
    // entries show nothing and hand on one chart.
    void validationMessages() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(DialogIcon, icon);
        QFETCH(QString, focus);

        if (field != "all") {
            FillValidEntries(*form_);
        }
        if (field == "lat+lon") {
            child<QLineEdit>("txtLatD")->setText(text);
            child<QLineEdit>("txtLonD")->setText("999");
        } else if (!field.isEmpty() && field != "all") {
            child<QLineEdit>(qPrintable(field))->setText(text);
        }
        if (!date.isEmpty()) {
            const QStringList dmy = date.split('/');
            child<QComboBox>("cboDate")->setCurrentText(dmy[0]);
            child<QComboBox>("cboMonth")->setCurrentIndex(dmy[1].toInt() - 1);
            child<QComboBox>("cboYear")->setCurrentText(dmy[2]);
        }
        clickRashi();

        if (message.isEmpty()) {
            QCOMPARE(dialogs_->log(), QStringList());
            QCOMPARE(charts_, 1);
        } else {
            QCOMPARE(dialogs_->log(), Log(message, icon));
            QCOMPARE(FocusName(), focus);
            QCOMPARE(charts_, 0);
        }
    }

    // A summer entry with the box ticked would count the hour twice: refused
    // with the entry named, no chart; the box cleared, the chart is made.
    void daylightEntryWithTheBox() {
        FillValidEntries(*form_);
        child<QComboBox>("cmbTimeZone")->setCurrentIndex(16);
        QCOMPARE(child<QComboBox>("cmbTimeZone")->currentText(),
                 QString("British Summer Time,BST,+1.0"));
        child<QCheckBox>("chkDST")->setChecked(true);
        clickRashi();
        QCOMPARE(dialogs_->log(), Log("Please Clear Daylight Saving Time: British Summer Time "
                                      "Already Includes Daylight Saving",
                                      DialogIcon::Information));
        QCOMPARE(charts_, 0);
        dialogs_->shown.clear();
        child<QCheckBox>("chkDST")->setChecked(false);
        clickRashi();
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(charts_, 1);
    }

    // The menu entry runs the same as the button; the chart handed on is the
    // one of the entries the window shows.
    void menuEntryRunsTheChart() {
        QAction* next = child<QAction>("mnuNext");
        next->trigger();
        QCOMPARE(dialogs_->log(), QStringList({"Stop: Please Enter Name"}));
        QCOMPARE(FocusName(), QString("txtName"));

        dialogs_->shown.clear();
        FillValidEntries(*form_);
        child<QLineEdit>("txtMCity")->setText("Bengaluru");
        next->trigger();
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(charts_, 1);
        QCOMPARE(lastChart_.form.lblName, std::string("RAVI"));
        QCOMPARE(lastChart_.form.lblCity, std::string("Bengaluru"));
        QCOMPARE(lastChart_.form.lblLatitude, std::string("12° 58' N"));
        QCOMPARE(lastChart_.form.lblLongitude, std::string("77° 35' E"));
        QCOMPARE(lastChart_.form.lblDOB, std::string("January/1/1901"));
    }

    // Return or Enter where the focused control has no use for it presses
    // "Get My Torvi Lagna", as the button itself does when focused; a
    // focused place look-up button presses itself instead. (The coordinate
    // fields refuse Enter as any non-digit, with their message.)
    void enterRunsTheChart() {
        struct Press {
            const char* focus;
            Qt::Key key;
            int charts;
        };
        FillValidEntries(*form_);
        child<QLineEdit>("txtMCity")->setText("Bengaluru");
        child<QLineEdit>("txtMState")->setText("Karnataka");
        child<QLineEdit>("txtMCountry")->setText("India");
        for (const Press& press :
             {Press{"txtName", Qt::Key_Return, 1}, Press{"cmdRashi", Qt::Key_Return, 2},
              Press{"cboYear", Qt::Key_Enter, 3}, Press{"chkDST", Qt::Key_Return, 4},
              Press{"optLat_0", Qt::Key_Enter, 5}, Press{"cmdBrowser", Qt::Key_Return, 5}}) {
            QWidget* focused = child<QWidget>(press.focus);
            focused->setFocus();
            QCOMPARE(FocusName(), QString(press.focus));
            QTest::keyClick(focused, press.key);
            QVERIFY2(charts_ == press.charts, press.focus);
        }
        QCOMPARE(links_->opened.size(), 1);
        QVERIFY(dialogs_->shown.isEmpty());

        // A fault found on Enter is shown as for a click.
        child<QLineEdit>("txtName")->clear();
        child<QLineEdit>("txtMCountry")->setFocus();
        QTest::keyClick(child<QLineEdit>("txtMCountry"), Qt::Key_Return);
        QCOMPARE(dialogs_->log(), QStringList({"Stop: Please Enter Name"}));
        QCOMPARE(charts_, 5);
    }

    void placeLookUpChecks_data() {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << ""
                                   << ""
                                   << ""
                                   << "Please Enter City"
                                   << "txtMCity";
        QTest::newRow("state empty") << "Pune"
                                     << ""
                                     << "India"
                                     << "Please Enter State"
                                     << "txtMState";
        QTest::newRow("country empty") << "Pune"
                                       << "Maharashtra"
                                       << ""
                                       << "Please Enter Country"
                                       << "txtMCountry";
    }

    // An empty place field stops the look-up with its message, the focus in
    // that field, and no page opened.
    void placeLookUpChecks() {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        child<QLineEdit>("txtMCity")->setText(city);
        child<QLineEdit>("txtMState")->setText(state);
        child<QLineEdit>("txtMCountry")->setText(country);
        QTest::mouseClick(child<QPushButton>("cmdBrowser"), Qt::LeftButton);
        QCOMPARE(dialogs_->log(), QStringList({"Information: " + message}));
        QCOMPARE(FocusName(), focus);
        QVERIFY(links_->opened.isEmpty());
    }

    // A filled place opens the map search for "city state country Latitude
    // Longitude", texts as typed; spaces count as filled.
    void placeLookUpOpensMapSearch() {
        child<QLineEdit>("txtMCity")->setText("New Delhi");
        child<QLineEdit>("txtMState")->setText(" ");
        child<QLineEdit>("txtMCountry")->setText("India");
        QTest::mouseClick(child<QPushButton>("cmdBrowser"), Qt::LeftButton);
        QVERIFY(dialogs_->shown.isEmpty());
        QCOMPARE(links_->opened.size(), 1);
        QCOMPARE(links_->opened.first().toEncoded(),
                 QByteArray("https://www.openstreetmap.org/search?query="
                            "New%20Delhi%20%20%20India%20Latitude%20Longitude"));
    }

    // Characters with a meaning in an address stay inside the query value,
    // and letters beyond ASCII travel as UTF-8.
    void searchAddressEncoding() {
        const QString text = PlaceSearchText("St. John's & Co", "A+B=C", "Côte d'Ivoire #1");
        QCOMPARE(text, QString("St. John's & Co A+B=C Côte d'Ivoire #1 Latitude Longitude"));
        const QUrl address = PlaceSearchAddress(text);
        QCOMPARE(
            address.toEncoded(),
            QByteArray("https://www.openstreetmap.org/search?query=St.%20John%27s%20%26%20Co%20"
                       "A%2BB%3DC%20C%C3%B4te%20d%27Ivoire%20%231%20Latitude%20Longitude"));
        QCOMPARE(address.host(), QString("www.openstreetmap.org"));
        QVERIFY(address.fragment().isNull());
        const QUrlQuery query(address);
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 1);
        QCOMPARE(query.queryItemValue("query", QUrl::FullyDecoded), text);
    }

    // The menus, their access keys, and the page or window each one opens;
    // "Make Money Online" is not offered.
    void menusAndLinks() {
        const struct {
            const char* name;
            const char* caption;
        } menus[] = {{"mnuFile", "&File"}, {"mnuHelp", "&Help"}};
        for (const auto& menu : menus) {
            QCOMPARE(child<QMenu>(menu.name)->title(), QString(menu.caption));
        }
        const struct {
            const char* name;
            const char* caption;
            WebPage page;
        } entries[] = {{"mnuOnline", "&Online Help", WebPage::Help},
                       {"mnuVisit", "&Visit Us Online", WebPage::Home},
                       {"mnuUpdate", "Check for Software &Update", WebPage::Download},
                       {"mnuDonate", "&Donate", WebPage::Donation},
                       {"mkmoney", "Make Money &Online", WebPage::BrandedEdition}};
        for (const auto& entry : entries) {
            QAction* action = child<QAction>(entry.name);
            QCOMPARE(action->text(), QString(entry.caption));
            links_->opened.clear();
            action->trigger();
            QCOMPARE(links_->opened, QList<QUrl>({WebPageAddress(entry.page)}));
        }
        QVERIFY(!child<QAction>("mkmoney")->isVisible());
        QVERIFY(child<QAction>("mnuDonate")->isVisible());
        QCOMPARE(child<QAction>("mnuExit")->text(), QString("E&xit"));
        QCOMPARE(child<QAction>("mnuNext")->text(), QString("Get My Torvi Lagna"));
        QCOMPARE(child<QAction>("mnuAbout")->text(), QString("&About Software"));
        QVERIFY(child<QAction>("mnuHelp1")->isSeparator());
        QVERIFY(child<QAction>("mnuHelp2")->isSeparator());

        const struct {
            const char* name;
            WebPage page;
        } labels[] = {{"Label61", WebPage::Home},
                      {"lblCobrand", WebPage::CoBrand},
                      {"lblFullBrand", WebPage::BrandedEdition}};
        for (const auto& label : labels) {
            form_->bringAdvertToFront(label.page == WebPage::BrandedEdition
                                          ? AdvertChoice::FullBrand
                                          : AdvertChoice::Cobrand);
            QLabel* link = child<QLabel>(label.name);
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(link->text().contains(label.page == WebPage::Home ? HomePageDisplayText()
                                                                      : QString("here")));
            links_->opened.clear();
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(links_->opened, QList<QUrl>({WebPageAddress(label.page)}));
        }
    }

    // "About Software" shows the About box modally over the window.
    void aboutBox() {
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = modal->objectName();
                modal->close();
            }
        });
        child<QAction>("mnuAbout")->trigger();
        QCOMPARE(shown, QString("frmAbout"));
    }

    void advertLabel_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("front"); // with lblFullBrand in front beforehand
        QTest::newRow("r 0 gives 1") << 0.0 << 1 << "lblCobrand";
        QTest::newRow("r 1/12 gives 1.5, rounds to 2") << 1.0 / 12 << 2 << "lblFullBrand";
        QTest::newRow("r 0.25 gives 2.5, rounds to 2") << 0.25 << 2 << "lblFullBrand";
        QTest::newRow("r 0.3 gives 3") << 0.3 << 3 << "lblCobrand";
        QTest::newRow("r 5/12 gives 3.5, rounds to 4") << 5.0 / 12 << 4 << "lblFullBrand";
        QTest::newRow("r 0.6 gives 5") << 0.6 << 5 << "lblCobrand";
        QTest::newRow("r 0.75 gives 5.5, rounds to 6") << 0.75 << 6 << "lblFullBrand";
        QTest::newRow("r 11/12 gives 6.5, rounds to 6") << 11.0 / 12 << 6 << "lblFullBrand";
        QTest::newRow("r 0.95 gives 7: no change") << 0.95 << 7 << "lblFullBrand";
    }

    // The drawn number decides the label shown in the advertising strip.
    void advertLabel() {
        QFETCH(double, r);
        QFETCH(int, n);
        QFETCH(QString, front);
        QCOMPARE(AdvertDrawNumber(r), n);

        QWidget* strip = child<QWidget>("picAdvert");
        const QPoint middle = child<QWidget>("lblCobrand")->geometry().center();
        QCOMPARE(strip->childAt(middle)->objectName(), QString("lblCobrand"));
        form_->bringAdvertToFront(AdvertChoice::FullBrand);
        SetRandomDrawSource([r] { return r; });
        ChooseAdvertLabel(*form_);
        SetRandomDrawSource({});
        QCOMPARE(strip->childAt(middle)->objectName(), front);
        if (n == 7) {
            // Unchanged from the start too: lblCobrand stays in front.
            FrmMain fresh;
            SetRandomDrawSource([r] { return r; });
            ChooseAdvertLabel(fresh);
            SetRandomDrawSource({});
            QCOMPARE(fresh.findChild<QWidget*>("picAdvert")->childAt(middle)->objectName(),
                     QString("lblCobrand"));
        }
    }

    // The real message box: caption "Selmarind", the icon, the text and one
    // OK button, closed here from a timer once it is up (it opens after the
    // key event is over).
    void realMessageBox() {
        SetDialogService(nullptr);
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            poll.stop();
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons();
            QCOMPARE(box->standardButton(box->defaultButton()), QMessageBox::Ok);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        poll.start();
        QTest::keyClick(child<QLineEdit>("txtName"), Qt::Key_5);
        QTRY_VERIFY(!poll.isActive());
        std::tie(dialogs_, links_) = InstallRecorders();

        QCOMPARE(caption, QString("Selmarind"));
        QCOMPARE(text, QString("Please Enter only Letters"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(child<QLineEdit>("txtName")->text(), QString());
    }

    // Exit closes the window, and closing it ends the program: every other
    // window closes too (run last: it asks the application to quit).
    void exitEndsTheProgram() {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        child<QAction>("mnuExit")->trigger();
        QVERIFY(!form_->isVisible());
        QVERIFY(!other.isVisible());
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
