// The Navamsa and Dasha tabs of the result form: their place among the
// tabs, the D9 chart and its Torvi Lagna for computed charts (worked here by
// the movable, fixed and dual rule, not the chart layer's formula), and the
// period tree with its marks for today and for a picked date.
#include "chart/chart_driver.h"
#include "engine/name_tables.h"
#include "input/time_zones.h"
#include "support/sample_entries.h"
#include "ui/widgets/chart_look.h"
#include "ui/windows/dasha_tab.h"
#include "ui/windows/frm_display.h"
#include "window_test_support.h"

#include <QDateEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace selmarind;
using namespace selmarind::test;

namespace {

// The D9 sign by the rule of the texts: a movable sign counts its nine
// parts from itself, a fixed sign from its ninth, a dual sign from its fifth.
int NinthPartSign(double longitude) {
    const int sign = static_cast<int>(std::floor(longitude / 30.0));
    const int part = static_cast<int>(std::floor(std::fmod(longitude, 30.0) / (10.0 / 3.0)));
    static constexpr int kFirstPartFrom[3] = {0, 8, 4}; // movable, fixed, dual
    return (sign + kFirstPartFrom[sign % 3] + part) % 12;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The date of a UT instant on a clock `offset` seconds ahead of UT.
QDate DateAt(UtInstant instant, std::int64_t offset) {
    return QDate(1899, 12, 30).addDays((instant.serialSeconds + offset) / 86400);
}

QStringList MarkedItems(QTreeWidget* tree, const QString& mark) {
    QStringList marked;
    for (int p = 0; p < tree->topLevelItemCount(); ++p) {
        QTreeWidgetItem* period = tree->topLevelItem(p);
        const auto visit = [&](QTreeWidgetItem* item, const QString& where) {
            if (item->text(0).contains(mark)) {
                marked << where;
                if (!item->font(0).bold()) {
                    marked << where + QStringLiteral(" not bold");
                }
            }
        };
        visit(period, QString::number(p));
        for (int s = 0; s < period->childCount(); ++s) {
            visit(period->child(s), QStringLiteral("%1.%2").arg(p).arg(s));
        }
    }
    return marked;
}

// Rows of the tree whose dates differ from the instants' dates at the
// birth's offset as Qt's calendar counts them.
QStringList TreeDateFaults(QTreeWidget* tree, const ChartValues& chart) {
    const auto date = [&chart](UtInstant instant) {
        return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
            .addSecs(instant.serialSeconds + chart.utcOffsetSeconds)
            .date()
            .toString(Qt::ISODate);
    };
    QStringList faults;
    const auto check = [&](QTreeWidgetItem* item, const DashaPeriod& period) {
        if (item->text(1) != date(period.start) || item->text(2) != date(period.end)) {
            faults << item->text(0) + QStringLiteral(": ") + item->text(1) + QStringLiteral(" - ") +
                          item->text(2);
        }
    };
    for (int p = 0; p < tree->topLevelItemCount(); ++p) {
        const DashaPeriod& period = chart.dasha[static_cast<std::size_t>(p)];
        check(tree->topLevelItem(p), period);
        for (int s = 0; s < tree->topLevelItem(p)->childCount(); ++s) {
            check(tree->topLevelItem(p)->child(s), period.sub[static_cast<std::size_t>(s)]);
        }
    }
    return faults;
}

} // namespace

class TestNavamsaDashaTabs : public QObject {
    Q_OBJECT

private slots:
    void tabsFollowTheDesignedOnes() {
        FrmDisplay form;
        QTabWidget* tabs = form.tabs();
        QCOMPARE(tabs->count(), 5);
        const QStringList captions = {"Torvi Lagna - Chart", "Torvi Lagna Details", "Chart Details",
                                      "Navamsa", "Dasha"};
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
        }
        QCOMPARE(tabs->widget(3)->objectName(), QStringLiteral("tabNavamsa"));
        QCOMPARE(tabs->widget(4)->objectName(), QStringLiteral("tabDasha"));
    }

    // For a known birth and for births drawn from a fixed seed (the form's
    // years to 2050, latitudes to 89°, every zone), one window showing each in turn:
    // the sentence names the D9 Torvi Lagna, and every cell reads exactly
    // the bodies the rule puts in its sign, with the birth's (R) marks.
    void navamsaOfComputedCharts() {
        std::vector<BirthEntries> births = {Delhi1980Entries()};
        std::mt19937 draw(9);
        const auto pick = [&draw](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(draw);
        };
        while (births.size() < 40) {
            const std::string latD = std::to_string(pick(0, 89));
            const std::string latM = std::to_string(pick(0, 59));
            const std::string lonD = std::to_string(pick(0, 179));
            const std::string lonM = std::to_string(pick(0, 59));
            births.push_back(FormEntries(
                pick(1901, 2050), pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 59), pick(0, 59),
                latD.c_str(), latM.c_str(), pick(0, 1) == 1, lonD.c_str(), lonM.c_str(),
                pick(0, 1) == 1, pick(0, kTimeZoneCount - 1), pick(0, 3) == 0));
        }
        FrmDisplay form;
        auto* sentence = form.findChild<QLabel*>(QStringLiteral("lblNavamsaTorviLagna"));
        QVERIFY(sentence);
        // The bodies a cell's sentence names, "no planets" as none.
        const auto cellBodies = [&form](int sign) {
            auto* reader = form.findChild<QLabel*>(QStringLiteral("chartNavamsa_%1").arg(sign));
            QString text = reader ? reader->accessibleName() : QString();
            text.remove(QStringLiteral("; Torvi Lagna"));
            text = text.section(QStringLiteral(": "), 1);
            return text == QStringLiteral("no planets") ? QStringList()
                                                        : text.split(QStringLiteral(", "));
        };
        int shown = 0;
        for (const BirthEntries& birth : births) {
            const ChartOrFailure result = CalculateChart(birth);
            if (!result) {
                continue;
            }
            ++shown;
            const ChartValues& chart = result->chart;
            std::array<QStringList, 12> expectedBodies;
            for (std::size_t b = 0; b < kBodyCount; ++b) {
                QString name = Text(kBodyNames[b]);
                if (const auto slot = RetrogradeSlot(b); slot && chart.retrogradeFlags[*slot]) {
                    name += QStringLiteral(" (R)");
                }
                expectedBodies[NinthPartSign(chart.longitude[b])] << name;
            }
            const int ascendant = NinthPartSign(chart.longitude[Index(Body::Ascendant)]);
            const std::string_view lord = kSignLords[static_cast<std::size_t>(ascendant)];
            int torviLagna = -1;
            for (std::size_t b = 0; b < kBodyCount; ++b) {
                if (kBodyNames[b] == lord) {
                    torviLagna = NinthPartSign(chart.longitude[b]);
                }
            }
            QVERIFY(torviLagna >= 0);

            form.showResult(*result, birth);
            const QString where =
                Text(result->form.lblDOB) + QLatin1Char(' ') + Text(result->form.lblTOB);
            QCOMPARE(sentence->text(),
                     QStringLiteral("The Torvi Lagna of the Navamsa is %1.")
                         .arg(Text(kSignNames[static_cast<std::size_t>(torviLagna)])));
            QCOMPARE(sentence->accessibleName(), sentence->text());
            for (int s = 0; s < 12; ++s) {
                auto* reader = form.findChild<QLabel*>(QStringLiteral("chartNavamsa_%1").arg(s));
                const QString read = reader->accessibleName();
                QVERIFY2(cellBodies(s) == expectedBodies[s],
                         qPrintable(where + QStringLiteral(": ") + read));
                QVERIFY2(read.endsWith(QStringLiteral("; Torvi Lagna")) == (s == torviLagna),
                         qPrintable(where + QStringLiteral(": ") + read));
                QVERIFY2(read.contains(QStringLiteral(", house 1:")) == (s == ascendant),
                         qPrintable(where + QStringLiteral(": ") + read));
            }
        }
        QVERIFY(shown >= 30);

        // A result without a D9 leaves none of the last one on view.
        form.showResult(ChartResult{});
        QVERIFY(sentence->text().isEmpty());
        for (int s = 0; s < 12; ++s) {
            QVERIFY(cellBodies(s).isEmpty());
        }
    }

    // The Navamsa follows the chart style the user picks, at once.
    void navamsaFollowsTheChartStyle() {
        QTemporaryDir settings;
        UsePrivateSettings(settings);
        const ChartOrFailure result = CalculateChart(Delhi1980Entries());
        QVERIFY(result);
        FrmDisplay form;
        form.showResult(*result, Delhi1980Entries());
        auto* view = form.findChild<QWidget*>(QStringLiteral("chartNavamsa"));
        QVERIFY(view);
        QVERIFY(view->accessibleDescription().contains(QStringLiteral("South Indian")));
        SaveChartLook({ChartStyle::North, false});
        QVERIFY(view->accessibleDescription().contains(QStringLiteral("North Indian")));
        SaveChartLook({ChartStyle::East, true});
        QVERIFY(view->accessibleDescription().contains(QStringLiteral("East Indian")));
        // The birth chart's points are not the Navamsa's.
        for (int s = 0; s < 12; ++s) {
            auto* reader = form.findChild<QLabel*>(QStringLiteral("chartNavamsa_%1").arg(s));
            QVERIFY(!reader->accessibleName().contains(QStringLiteral("points")));
        }
        // The look the form is given, not only the stored one, draws the
        // Navamsa too (the exports take the form's look).
        SaveChartLook({});
        form.setChartLook({ChartStyle::East, false});
        QVERIFY(view->accessibleDescription().contains(QStringLiteral("East Indian")));
    }

    // The picker's first and last dates each fall in a period: their noon,
    // which the marks use, lies within the first and the last period, for
    // births at random hours (fixed seed) whose periods begin at any time of
    // their day.
    void dashaPickerEdgesFallInAPeriod() {
        FrmDisplay form;
        auto* picker = form.findChild<QDateEdit*>(QStringLiteral("datDashaAt"));
        auto* chosen = form.findChild<QLabel*>(QStringLiteral("lblDashaAt"));
        QTreeWidget* tree = form.findChild<QTreeWidget*>(QStringLiteral("treDasha"));
        std::mt19937 draw(2417);
        for (int i = 0; i < 8; ++i) {
            const BirthEntries entries =
                FormEntries(1940 + static_cast<int>(draw() % 100),
                            1 + static_cast<int>(draw() % 12), 1 + static_cast<int>(draw() % 28),
                            1 + static_cast<int>(draw() % 12), static_cast<int>(draw() % 60), 0,
                            "28", "36", false, "77", "13", true, kIndianTimeZoneIndex);
            const ChartOrFailure result = CalculateChart(entries);
            QVERIFY(result);
            form.showResult(*result, entries);
            picker->setDate(picker->minimumDate());
            QVERIFY2(MarkedItems(tree, QStringLiteral("(at chosen date)")).startsWith("0"),
                     qPrintable(chosen->text()));
            picker->setDate(picker->maximumDate());
            QVERIFY2(MarkedItems(tree, QStringLiteral("(at chosen date)")).startsWith("8"),
                     qPrintable(chosen->text()));
        }
    }

    // Nine periods of nine sub-periods; "today" (a replaced clock) and the
    // picked date each mark exactly one period and one of its sub-periods,
    // in bold, and follow a new date at once.
    void dashaTreeMarksTodayAndThePickedDate() {
        const ChartOrFailure result = CalculateChart(Delhi1980Entries());
        QVERIFY(result);
        const ChartValues& chart = result->chart;
        QCOMPARE(chart.dasha.size(), std::size_t{9});

        FrmDisplay form;
        auto* tab = form.findChild<DashaTab*>();
        QVERIFY(tab);
        // "Today" halfway through the sixth period's eighth sub-period.
        const DashaPeriod& todaySub = chart.dasha[5].sub[7];
        const std::int64_t todaySeconds =
            (todaySub.start.serialSeconds + todaySub.end.serialSeconds) / 2;
        tab->setClock([todaySeconds] {
            return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).addSecs(todaySeconds);
        });
        form.showResult(*result, Delhi1980Entries());

        QTreeWidget* tree = form.findChild<QTreeWidget*>(QStringLiteral("treDasha"));
        QVERIFY(tree);
        QCOMPARE(tree->topLevelItemCount(), 9);
        for (int p = 0; p < 9; ++p) {
            QCOMPARE(tree->topLevelItem(p)->childCount(), 9);
            QVERIFY(tree->topLevelItem(p)->text(0).startsWith(
                Text(kBodyNames[Index(chart.dasha[p].lord)])));
        }
        QCOMPARE(MarkedItems(tree, QStringLiteral("(running today)")), QStringList({"5", "5.7"}));
        QCOMPARE(TreeDateFaults(tree, chart), QStringList());

        auto* picker = form.findChild<QDateEdit*>(QStringLiteral("datDashaAt"));
        QVERIFY(picker);
        QCOMPARE(picker->date(), DateAt(UtInstant{todaySeconds}, chart.utcOffsetSeconds));
        QCOMPARE(MarkedItems(tree, QStringLiteral("(at chosen date)")), QStringList({"5", "5.7"}));

        // A date in the middle of the third period's fourth sub-period.
        const DashaPeriod& chosenSub = chart.dasha[2].sub[3];
        picker->setDate(
            DateAt(UtInstant{(chosenSub.start.serialSeconds + chosenSub.end.serialSeconds) / 2},
                   chart.utcOffsetSeconds));
        QCOMPARE(MarkedItems(tree, QStringLiteral("(at chosen date)")), QStringList({"2", "2.3"}));
        QCOMPARE(MarkedItems(tree, QStringLiteral("(running today)")), QStringList({"5", "5.7"}));
        QVERIFY(tree->topLevelItem(2)->isExpanded());
        QVERIFY(!tree->topLevelItem(0)->isExpanded());
        // A period the user opened stays open when the marks move; a new
        // "today" moves its mark.
        tree->topLevelItem(0)->setExpanded(true);
        const DashaPeriod& laterSub = chart.dasha[6].sub[0];
        tab->setClock([&laterSub] {
            return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
                .addSecs(laterSub.start.serialSeconds + 3600);
        });
        QCOMPARE(MarkedItems(tree, QStringLiteral("(running today)")), QStringList({"6", "6.0"}));
        QCOMPARE(MarkedItems(tree, QStringLiteral("(at chosen date)")), QStringList({"2", "2.3"}));
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QVERIFY(tree->topLevelItem(6)->isExpanded());
        auto* chosen = form.findChild<QLabel*>(QStringLiteral("lblDashaAt"));
        QCOMPARE(chosen->text(), QStringLiteral("At the chosen date: %1 period, %2 sub-period.")
                                     .arg(Text(kBodyNames[Index(chart.dasha[2].lord)]),
                                          Text(kBodyNames[Index(chosenSub.lord)])));
        auto* note = form.findChild<QLabel*>(QStringLiteral("lblDashaNote"));
        QVERIFY(note->text().contains(QStringLiteral("UTC+05:30")));

        // Alt+A reaches the date from the open Dasha tab; Tab goes on, past
        // the date's day, month and year, to the tree.
        form.tabs()->setCurrentIndex(4);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), picker);
        for (int i = 0; i < 3 && QApplication::focusWidget() == picker; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), tree);

        // West of Greenwich, after 2037 (periods past 2150), with the summer hour: UTC-03:00.
        const BirthEntries west =
            FormEntries(2049, 7, 28, 23, 50, 0, "47", "33", false, "52", "43", false, 3, true);
        const ChartOrFailure western = CalculateChart(west);
        QVERIFY2(western, western ? "" : western.failure().reason.c_str());
        form.showResult(*western, west);
        QCOMPARE(western->chart.utcOffsetSeconds, -3 * 3600);
        QCOMPARE(tree->topLevelItemCount(), 9);
        QCOMPARE(TreeDateFaults(tree, western->chart), QStringList());
        QVERIFY(note->text().contains(QStringLiteral("UTC\u221203:00")));

        // A result without periods leaves nothing of this one on view.
        form.showResult(ChartResult{});
        QCOMPARE(tree->topLevelItemCount(), 0);
        QVERIFY(chosen->text().isEmpty());
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("lblDashaToday"))->text(),
                 QStringLiteral("This chart has no periods."));
        QVERIFY(!picker->isEnabled());
    }
};

SELMARIND_UI_TEST_MAIN(TestNavamsaDashaTabs)
#include "test_navamsa_dasha_tabs.moc"
