// The birth form's Tools menu: its entries and their order, the exclusive
// position sources and the sunrise rule kept in the settings, and the chart
// computed with what is chosen.
#include "window_test_support.h"

#include "records/record_file.h"
#include "ui/widgets/chart_preferences.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/record_actions.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

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
                                     "Chart &Style", "Show Special Points and &Arudhas"}));
        QStringList styles;
        for (QAction* entry : form.findChild<QMenu*>("mnuChartStyle")->actions()) {
            styles << entry->objectName() + ' ' + entry->text();
        }
        QCOMPARE(styles, (QStringList{"mnuStyleSouth &South Indian", "mnuStyleNorth &North Indian",
                                      "mnuStyleEast &East Indian"}));
        QCOMPARE(Entry(form, "mnuFindPlace")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
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
                 (ChartOptions{PositionSource::Precise, SunriseConvention::Centre}));
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
        SaveChartPreferences({stored, SunriseConvention::Limb});
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
        QCOMPARE(LoadChartPreferences(), (ChartOptions{recorded, SunriseConvention::Centre}));
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
