// Every birth the form accepts gives a finished chart: a sweep over the
// whole input space, extremes included, checking the result's invariants.
#include "engine/civil_time.h"
#include "input/time_zones.h"
#include "support/chart_checks.h"
#include "support/sample_entries.h"

#include <QTest>

#include <random>
#include <string>

using namespace selmarind;

namespace {

BirthEntries Entries(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int year = pick(1901, 2050);
    const int month = pick(1, 12);
    const int day = pick(1, DaysInMonth(year, month));
    BirthEntries e = FormEntries(
        year, month, day, pick(0, 23), pick(0, 59), pick(0, 59),
        std::to_string(pick(0, 89)).c_str(), std::to_string(pick(0, 59)).c_str(), pick(0, 1) == 1,
        std::to_string(pick(0, 179)).c_str(), std::to_string(pick(0, 59)).c_str(), pick(0, 1) == 1,
        pick(0, kTimeZoneCount - 1), pick(0, 1) == 1);
    return e;
}

} // namespace

class TestChartSweep : public QObject {
    Q_OBJECT

private slots:
    // Random births over every year, zone, place and time the form offers.
    void randomBirthsGiveFinishedCharts() {
        std::mt19937 random(20261208);
        for (int i = 0; i < 3000; ++i) {
            CheckChart(Entries(random));
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }

    // The corners of the input space: the first and last instants offered,
    // the poles at both solstices and the date line on the extreme zones.
    void extremeBirthsGiveFinishedCharts() {
        const int westmost = 36; // Int'l Date Line West, 12 h behind
        const int eastmost = 46; // New Zealand Std Summer Time, 13 h ahead
        for (bool south : {false, true}) {
            for (bool east : {false, true}) {
                for (bool dst : {false, true}) {
                    for (int zone : {westmost, eastmost, kGreenwichZoneIndex}) {
                        CheckChart(FormEntries(1901, 1, 1, 0, 0, 0, "89", "59", south, "179", "59",
                                               east, zone, dst));
                        CheckChart(FormEntries(2050, 12, 31, 23, 59, 59, "89", "59", south, "179",
                                               "59", east, zone, dst));
                        CheckChart(FormEntries(1990, 6, 21, 12, 0, 0, "89", "59", south, "0", "0",
                                               east, zone, dst));
                        CheckChart(FormEntries(1990, 12, 21, 0, 0, 0, "66", "33", south, "0", "0",
                                               east, zone, dst));
                        CheckChart(FormEntries(2000, 2, 29, 12, 0, 0, "0", "0", south, "0", "0",
                                               east, zone, dst));
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestChartSweep)
#include "test_chart_sweep.moc"
