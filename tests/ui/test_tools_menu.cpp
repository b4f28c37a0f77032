// The birth form's Tools menu: its entries and their order, the exclusive
// position sources and the sunrise rule kept in the settings, and the chart
// computed with what is chosen.
#include "window_test_support.h"

#include "ui/widgets/chart_preferences.h"
#include "ui/windows/frm_main.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

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
                                     "Sunrise at the &Disc Centre", "-", "&Find Place..."}));
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
        QCOMPARE(chart->chart.Positions, positions);
        if (positions == PositionSource::Precise) {
            QCOMPARE(chart->chart.Sunrise, sunrise);
            QVERIFY2(chart->chart.Ephemeris.starts_with("swiss-"), chart->chart.Ephemeris.c_str());
        } else {
            QCOMPARE(chart->chart.Ephemeris, std::string("built-in"));
        }
    }
};

SELMARIND_UI_TEST_MAIN(TestToolsMenu)
#include "test_tools_menu.moc"
