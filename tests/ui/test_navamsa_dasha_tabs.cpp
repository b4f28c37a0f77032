// The Navamsa and Dasha tabs of the result form: their place among the
// tabs, the D9 Torvi Lagna named for a computed chart (worked here by the
// movable, fixed and dual rule, not the chart layer's formula), and the
// period tree with its marks for today and for a picked date.
#include "chart/chart_driver.h"
#include "engine/name_tables.h"
#include "support/sample_entries.h"
#include "ui/widgets/chart_look.h"
#include "ui/windows/dasha_tab.h"
#include "ui/windows/frm_display.h"
#include "window_test_support.h"

#include <QDateEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

#include <cmath>

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

    void navamsaTorviLagnaOfAComputedChart() {
        const ChartOrFailure result = CalculateChart(Delhi1980Entries());
        QVERIFY(result);
        const ChartValues& chart = result->chart;
        const int ascendant = NinthPartSign(chart.longitude[Index(Body::Ascendant)]);
        const std::string_view lord = kSignLords[static_cast<std::size_t>(ascendant)];
        int expected = -1;
        for (std::size_t b = 0; b < kBodyCount; ++b) {
            if (kBodyNames[b] == lord) {
                expected = NinthPartSign(chart.longitude[b]);
            }
        }
        QVERIFY(expected >= 0);

        FrmDisplay form;
        form.showResult(*result, Delhi1980Entries());
        auto* sentence = form.findChild<QLabel*>(QStringLiteral("lblNavamsaTorviLagna"));
        QVERIFY(sentence);
        QCOMPARE(sentence->text(), QStringLiteral("The Torvi Lagna of the Navamsa is %1.")
                                       .arg(Text(kSignNames[static_cast<std::size_t>(expected)])));
        QCOMPARE(sentence->accessibleName(), sentence->text());

        // Each cell reads as a sentence naming its bodies, in the signs the
        // rule gives, with the birth's retrograde marks, and the TL marker.
        const auto cellSentence = [&form](int sign) {
            auto* reader = form.findChild<QLabel*>(QStringLiteral("chartNavamsa_%1").arg(sign));
            return reader ? reader->accessibleName() : QStringLiteral("<no cell %1>").arg(sign);
        };
        for (std::size_t b = 0; b < kBodyCount; ++b) {
            const int sign = NinthPartSign(chart.longitude[b]);
            QString name = Text(kBodyNames[b]);
            if (const auto slot = RetrogradeSlot(b); slot && chart.retrogradeFlags[*slot]) {
                name += QStringLiteral(" (R)");
            }
            QVERIFY2(cellSentence(sign).contains(name),
                     qPrintable(cellSentence(sign) + QStringLiteral(" lacks ") + name));
        }
        QVERIFY(cellSentence(expected).endsWith(QStringLiteral("; Torvi Lagna")));
        QVERIFY(cellSentence(ascendant).contains(QStringLiteral(", house 1:")));
        for (int s = 0; s < 12; ++s) {
            QCOMPARE(cellSentence(s).contains(QStringLiteral("Torvi Lagna")), s == expected);
        }

        // A result without a D9 leaves none of this one on view.
        form.showResult(ChartResult{});
        QVERIFY(sentence->text().isEmpty());
        for (int s = 0; s < 12; ++s) {
            QVERIFY2(cellSentence(s).endsWith(QStringLiteral(": no planets")),
                     qPrintable(cellSentence(s)));
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
        SaveChartLook({});
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
