// The birth form's Tools menu: its entries and their order, the exclusive
// position sources and the sunrise rule kept in the settings, and the chart
// computed with what is chosen.
#include "window_test_support.h"

#include "records/record_file.h"
#include "ui/widgets/chart_preferences.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/record_actions.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace selmarind;
using namespace selmarind::test;

Q_DECLARE_METATYPE(selmarind::PositionSource)
Q_DECLARE_METATYPE(selmarind::SunriseConvention)

namespace {

QAction* Entry(FrmMain& form, const char* name) {
    auto* entry = form.findChild<QAction*>(QString::fromLatin1(name));
    if (!entry) {
        qFatal("no menu entry %s", name);
    }
    return entry;
}

// The state of the three choice entries, "classic precise centre(enabled)"
// with a minus for each unticked one, so a failure shows all of them.
QString Ticks(FrmMain& form) {
    const auto tick = [&form](const char* name, const char* shown) {
        QAction* entry = Entry(form, name);
        return QString(entry->isChecked() ? "+" : "-") + shown +
               (entry->isEnabled() ? "" : "(off)");
    };
    return tick("mnuClassicPositions", "classic") + ' ' + tick("mnuPrecisePositions", "precise") +
           ' ' + tick("mnuSunriseCentre", "centre");
}

} // namespace

class TestToolsMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> settingsDir_;

    std::optional<ChartResult> calculate(FrmMain& form) {
        std::optional<ChartResult> chart;
        connect(&form, &FrmMain::chartCalculated, this,
                [&chart](const ChartResult& result) { chart = result; });
        form.findChild<QLineEdit*>("txtName")->setText("RAVI");
        form.findChild<QLineEdit*>("txtLatD")->setText("12");
        form.findChild<QLineEdit*>("txtLatM")->setText("58");
        form.findChild<QLineEdit*>("txtLonD")->setText("77");
        form.findChild<QLineEdit*>("txtLonM")->setText("35");
        form.findChild<QPushButton*>("cmdRashi")->click();
        return chart;
    }

private slots:
    // Each test starts from empty settings of its own.
    void init() {
        settingsDir_ = std::make_unique<QTemporaryDir>();
        UsePrivateSettings(*settingsDir_);
        QSettings().clear();
    }

    // "&Tools" comes after every other menu; its entries in their order,
    // with their access keys, and Ctrl+L for Find Place.
    void entriesAndOrder() {
        FrmMain form;
        const QList<QAction*> top = form.menuBar()->actions();
        QVERIFY(!top.isEmpty());
        QMenu* tools = form.findChild<QMenu*>("mnuTools");
        QVERIFY(tools);
        QCOMPARE(top.last(), tools->menuAction());
        QCOMPARE(tools->title(), QString("&Tools"));
        QStringList texts;
        for (QAction* entry : tools->actions()) {
            texts << (entry->isSeparator() ? QString("-") : entry->text());
        }
        QCOMPARE(texts, (QStringList{"&Classic Positions", "&Precise Positions (Swiss Ephemeris)",
                                     "Sunrise at the &Disc Centre", "-", "&Find Place...", "-",
                                     "&Ayanamsa", "-", "Chart &Style",
                                     "Show Special Points and A&rudhas"}));
        QStringList styles;
        for (QAction* entry : form.findChild<QMenu*>("mnuChartStyle")->actions()) {
            styles << entry->objectName() + ' ' + entry->text();
        }
        QCOMPARE(styles, (QStringList{"mnuStyleSouth &South Indian", "mnuStyleNorth &North Indian",
                                      "mnuStyleEast &East Indian"}));
        QCOMPARE(Entry(form, "mnuFindPlace")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QMenu* ayanamsa = form.findChild<QMenu*>("mnuAyanamsa");
        QVERIFY(ayanamsa);
        QStringList names;
        for (QAction* entry : ayanamsa->actions()) {
            names << (entry->isSeparator() ? QString("-") : entry->objectName());
        }
        QCOMPARE(names, (QStringList{"mnuAyanamsaLahiri", "mnuAyanamsaTrueChitra",
                                     "mnuAyanamsaRaman", "mnuAyanamsaKrishnamurti",
                                     "mnuAyanamsaYukteshwar", "mnuAyanamsaFaganBradley",
                                     "mnuAyanamsaTruePushya", "-", "mnuAyanamsaUser"}));
        // Each menu's access keys are its own.
        for (QMenu* menu : {tools, ayanamsa}) {
            QSet<QChar> keys;
            for (QAction* entry : menu->actions()) {
                const qsizetype amp = entry->text().indexOf('&');
                if (!entry->isSeparator()) {
                    QVERIFY2(amp >= 0, qPrintable(entry->text()));
                    const QChar key = entry->text().at(amp + 1).toLower();
                    QVERIFY2(!keys.contains(key), qPrintable(entry->text()));
                    keys.insert(key);
                }
            }
        }
    }

    // Lahiri unless chosen; the submenu is off, saying why, while classic
    // is chosen, and keeps its choice for the precise positions; a user
    // value is asked for, and a bad one refused with a message.
    void ayanamsaChoice() {
        Recorders recorders;
        {
            FrmMain form;
            QMenu* menu = form.findChild<QMenu*>("mnuAyanamsa");
            QVERIFY(Entry(form, "mnuAyanamsaLahiri")->isChecked());
            QVERIFY(!menu->isEnabled());
            QVERIFY(form.findChild<QMenu*>("mnuTools")->toolTipsVisible());
            QVERIFY(menu->menuAction()->toolTip().contains("built-in ayanamsa"));
            Entry(form, "mnuPrecisePositions")->trigger();
            QVERIFY(menu->isEnabled());
            Entry(form, "mnuAyanamsaRaman")->trigger();
            auto chart = calculate(form);
            QVERIFY(chart);
            QCOMPARE(chart->chart.ayanamsaName, std::string("Raman"));
            Entry(form, "mnuClassicPositions")->trigger();
            QVERIFY(!menu->isEnabled());
            chart = calculate(form);
            QVERIFY(chart);
            QCOMPARE(chart->chart.ayanamsaName, std::string("built-in (classic)"));
        }
        QCOMPARE(LoadChartPreferences().ayanamsa, (AyanamsaChoice{AyanamsaMode::Raman, 0}));
        FrmMain form;
        QVERIFY(Entry(form, "mnuAyanamsaRaman")->isChecked());
        Entry(form, "mnuPrecisePositions")->trigger();
        recorders.dialogs().typed = QStringList{"23,5"};
        Entry(form, "mnuAyanamsaUser")->trigger();
        QCOMPARE(recorders.dialogs().asked.size(), 1);
        QCOMPARE(recorders.dialogs().shown.size(), 1);
        QCOMPARE(recorders.dialogs().shown.front().icon, DialogIcon::Stop);
        QVERIFY(Entry(form, "mnuAyanamsaRaman")->isChecked());
        Entry(form, "mnuAyanamsaUser")->trigger(); // Cancel
        QVERIFY(Entry(form, "mnuAyanamsaRaman")->isChecked());
        recorders.dialogs().typed = QStringList{" 23.5 "};
        Entry(form, "mnuAyanamsaUser")->trigger();
        QVERIFY(Entry(form, "mnuAyanamsaUser")->isChecked());
        const auto chart = calculate(form);
        QVERIFY(chart);
        QCOMPARE(chart->chart.ayanamsaName, std::string("User: 23.5° at J2000"));
        QCOMPARE(LoadChartPreferences().ayanamsa, (AyanamsaChoice{AyanamsaMode::User, 23.5}));
        // Saved with the record, and ticked again when it is opened.
        QTemporaryDir dir;
        const QString path = dir.filePath("user.selmarind");
        QVERIFY(form.recordActions()->saveTo(path));
        Entry(form, "mnuAyanamsaLahiri")->trigger();
        QVERIFY(form.openBirthRecord(path));
        QVERIFY(Entry(form, "mnuAyanamsaUser")->isChecked());
        QCOMPARE(calculate(form)->chart.ayanamsaName, std::string("User: 23.5° at J2000"));
    }

    // The real question: a modal line of text over the form, its answer taken.
    void userValueThroughTheRealDialog() {
        FrmMain form;
        Entry(form, "mnuPrecisePositions")->trigger();
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                shown = dialog->objectName();
                dialog->setTextValue(QStringLiteral("24.25"));
                dialog->accept();
            }
        });
        Entry(form, "mnuAyanamsaUser")->trigger();
        QCOMPARE(shown, QString("inputDialog"));
        QCOMPARE(LoadChartPreferences().ayanamsa, (AyanamsaChoice{AyanamsaMode::User, 24.25}));
        QCOMPARE(Entry(form, "mnuAyanamsaUser")->text(),
                 QString::fromUtf8("&User Value: 24.25° at J2000..."));
    }

    // Nothing stored: classic, limb, the sunrise entry off. Each choice is
    // stored at once and a new form (the next start) shows it again.
    void choicesAreExclusiveAndRemembered() {
        {
            FrmMain form;
            QCOMPARE(Ticks(form), QString("+classic -precise -centre(off)"));
            Entry(form, "mnuPrecisePositions")->trigger();
            QCOMPARE(Ticks(form), QString("-classic +precise -centre"));
            Entry(form, "mnuSunriseCentre")->trigger();
            QCOMPARE(Ticks(form), QString("-classic +precise +centre"));
            // A second click on the ticked source keeps it ticked.
            Entry(form, "mnuPrecisePositions")->trigger();
            QCOMPARE(Ticks(form), QString("-classic +precise +centre"));
        }
        QCOMPARE(LoadChartPreferences(),
                 (ChartOptions{PositionSource::Precise, SunriseConvention::Centre, {}}));
        {
            FrmMain form;
            QCOMPARE(Ticks(form), QString("-classic +precise +centre"));
            Entry(form, "mnuClassicPositions")->trigger();
            QCOMPARE(Ticks(form), QString("+classic -precise +centre(off)"));
        }
        QCOMPARE(LoadChartPreferences().positions, PositionSource::Classic);
        FrmMain form;
        QCOMPARE(Ticks(form), QString("+classic -precise +centre(off)"));
    }

    // The chart is computed with the chosen source and sunrise rule. The
    // precise source reports the Swiss Ephemeris (files or its analytical
    // fallback); the classic one its built-in theory.
    void chartUsesTheChoice_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<PositionSource>("positions");
        QTest::addColumn<SunriseConvention>("sunrise");
        QTest::newRow("default") << QStringList{} << PositionSource::Classic
                                 << SunriseConvention::Limb;
        QTest::newRow("precise") << QStringList{"mnuPrecisePositions"} << PositionSource::Precise
                                 << SunriseConvention::Limb;
        QTest::newRow("precise, centre") << QStringList{"mnuPrecisePositions", "mnuSunriseCentre"}
                                         << PositionSource::Precise << SunriseConvention::Centre;
        QTest::newRow("back to classic")
            << QStringList{"mnuPrecisePositions", "mnuClassicPositions"} << PositionSource::Classic
            << SunriseConvention::Limb;
    }

    void chartUsesTheChoice() {
        QFETCH(QStringList, entries);
        QFETCH(PositionSource, positions);
        QFETCH(SunriseConvention, sunrise);
        Recorders recorders;
        FrmMain form;
        for (const QString& name : entries) {
            Entry(form, name.toLatin1().constData())->trigger();
        }
        const std::optional<ChartResult> chart = calculate(form);
        QVERIFY2(chart.has_value(), recorders.dialogs().shown.empty()
                                        ? "no chart"
                                        : qPrintable(recorders.dialogs().shown.front().text));
        QCOMPARE(chart->chart.positions, positions);
        if (positions == PositionSource::Precise) {
            QCOMPARE(chart->chart.sunrise, sunrise);
            QVERIFY2(chart->chart.ephemeris.starts_with("swiss-"), chart->chart.ephemeris.c_str());
        } else {
            QCOMPARE(chart->chart.ephemeris, std::string("built-in"));
        }
    }

    // Opening a record sets the menu (and the settings) to the options it
    // names; a later choice in the menu wins for the chart and the save.
    void recordThenMenu_data() {
        QTest::addColumn<PositionSource>("stored");   // in the settings before
        QTest::addColumn<PositionSource>("recorded"); // in the record
        QTest::addColumn<QString>("chosen");          // then chosen in the menu; empty: none
        QTest::addColumn<PositionSource>("expected");
        QTest::newRow("classic record, then precise")
            << PositionSource::Precise << PositionSource::Classic << "mnuPrecisePositions"
            << PositionSource::Precise;
        QTest::newRow("precise record, then classic")
            << PositionSource::Classic << PositionSource::Precise << "mnuClassicPositions"
            << PositionSource::Classic;
        QTest::newRow("precise record, no choice")
            << PositionSource::Classic << PositionSource::Precise << QString()
            << PositionSource::Precise;
    }

    void recordThenMenu() {
        QFETCH(PositionSource, stored);
        QFETCH(PositionSource, recorded);
        QFETCH(QString, chosen);
        QFETCH(PositionSource, expected);
        SaveChartPreferences({stored, SunriseConvention::Limb, {}});
        Recorders recorders;
        QTemporaryDir dir;
        BirthRecordContents record;
        record.entries.txtName = "RAVI";
        record.entries.txtLatD = "12";
        record.entries.txtLatM = "58";
        record.entries.txtLonD = "77";
        record.entries.txtLonM = "35";
        record.positions = recorded;
        record.sunrise = SunriseConvention::Centre;
        const QString path = dir.filePath("r.selmarind");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromStdString(WriteBirthRecord(record)));
        }
        FrmMain form;
        QVERIFY(form.openBirthRecord(path));
        const QString recordedTicks = recorded == PositionSource::Precise
                                          ? "-classic +precise +centre"
                                          : "+classic -precise +centre(off)";
        QCOMPARE(Ticks(form), recordedTicks);
        QCOMPARE(LoadChartPreferences(), (ChartOptions{recorded, SunriseConvention::Centre, {}}));
        if (!chosen.isEmpty()) {
            Entry(form, chosen.toLatin1().constData())->trigger();
        }
        const std::optional<ChartResult> chart = calculate(form);
        QVERIFY(chart);
        QCOMPARE(chart->chart.positions, expected);
        QVERIFY(form.recordActions()->saveTo(dir.filePath("saved.selmarind")));
        QFile saved(dir.filePath("saved.selmarind"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const RecordOrFault reread = ReadBirthRecord(saved.readAll().toStdString());
        QVERIFY(reread.contents);
        QCOMPARE(reread.contents->positions, std::optional(expected));
        QCOMPARE(LoadChartPreferences().positions, expected);
    }
};

SELMARIND_UI_TEST_MAIN(TestToolsMenu)
#include "test_tools_menu.moc"
