// Every day the form offers, over every zone, daylight-saving state and
// place, gives a finished chart.
//
// How the sample covers the domain: the sweep calculates one chart for each
// day from 1 January 1901 to 31 December 2050 (54 787 days). Every other
// entry runs through a cycle of its own, one step a chart:
//   - the clock time through five slots: 0:00:00, 23:59:59, 12:00:00 and two
//     slots taking any second of the day from a shuffled cycle of all 86 400;
//     five is prime to the 142 below, so each slot meets every zone and state;
//   - zone and daylight saving through all 71 x 2 = 142 pairs;
//   - latitude through all 10 800 values 0° 0' .. 89° 59' N and S, to the minute;
//   - longitude through all 21 600 values 0° 0' .. 179° 59' E and W.
// Each cycle but the time slots is shuffled with a fixed seed, and each of its
// laps starts one step later than the lap before, so that a value meets other
// partners lap after lap. There are more days than zone-state pairs,
// latitudes or longitudes, so every one of them appears: each time slot about
// 11 000 times, each zone and state about 385 times, each latitude 5 times
// and each longitude at least twice, and with them every whole degree in both
// hemispheres with minutes 0 and 59. The two free slots meet every hour,
// minute and second. The corners of the domain (first and last days at
// 0:00:00 and 23:59:59, 0° 0' and 89° 59' N and S, 0° 0' and 179° 59' E and
// W, every zone and state) are calculated besides.
//
// SELMARIND_SWEEP_ROUNDS=n runs n rounds over the days, each round meeting
// other times and places, for a deeper sweep than the test suite runs.
#include "engine/civil_time.h"
#include "input/time_zones.h"
#include "support/chart_checks.h"
#include "support/sample_entries.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace selmarind;

namespace {

// The values 0 .. size-1 in an order fixed by the seed, one a step; each lap
// starts one step later than the lap before.
class Cycle {
public:
    Cycle(int size, std::uint32_t seed) : order_(static_cast<std::size_t>(size)) {
        std::iota(order_.begin(), order_.end(), 0);
        // The generator's raw output is fixed by the C++ standard; the
        // library's shuffle and distributions are not.
        std::mt19937 random(seed);
        for (std::size_t i = order_.size() - 1; i > 0; --i) {
            std::swap(order_[i], order_[random() % (i + 1)]);
        }
    }

    int operator()(std::int64_t step) const {
        const auto size = static_cast<std::int64_t>(order_.size());
        return order_[static_cast<std::size_t>((step + step / size) % size)];
    }

private:
    std::vector<int> order_;
};

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr int kLatitudeValues = 2 * 90 * 60;   // minutes of arc, both hemispheres
constexpr int kLongitudeValues = 2 * 180 * 60; // minutes of arc, both hemispheres
constexpr int kZoneStates = 2 * kTimeZoneCount;

// Seconds after midnight of the clock times every fifth chart takes; the
// other two in five take any second of the day.
constexpr std::array<int, 3> kFixedTimes = {0, kSecondsPerDay - 1, kSecondsPerDay / 2};

// Degrees, minutes and hemisphere of value v of a coordinate cycle: the
// first half of the values lies in one hemisphere, the second in the other.
struct Coordinate {
    std::string degrees;
    std::string minutes;
    bool secondHalf;
};

Coordinate CoordinateOf(int v, int half) {
    const int arc = v % half;
    return {std::to_string(arc / 60), std::to_string(arc % 60), v >= half};
}

std::pair<int, int> DayRange() {
    return {static_cast<int>(SerialDay({1901, 1, 1})), static_cast<int>(SerialDay({2050, 12, 31}))};
}

// Reports a few faults in full; the count tells the rest.
class FaultLog {
public:
    void Add(const QString& fault) {
        if (fault.isEmpty()) {
            return;
        }
        if (++count_ <= 20) {
            qWarning("%s", qPrintable(fault));
        }
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

} // namespace

class TestDomainSweep : public QObject {
    Q_OBJECT

private slots:
    void everyDayGivesAFinishedChart() {
        const Cycle timeOfDay(kSecondsPerDay, 11);
        const Cycle zoneState(kZoneStates, 23);
        const Cycle latitude(kLatitudeValues, 37);
        const Cycle longitude(kLongitudeValues, 41);
        const auto [first, last] = DayRange();
        const int days = last - first + 1;
        const int rounds = std::max(1, qEnvironmentVariableIntValue("SELMARIND_SWEEP_ROUNDS"));

        FaultLog faults;
        for (int round = 0; round < rounds; ++round) {
            for (int i = 0; i < days; ++i) {
                const std::int64_t step = static_cast<std::int64_t>(round) * days + i;
                const CivilDate date = CivilFromSerialDay(first + i);
                const auto slot = static_cast<std::size_t>(step % 5);
                const int second = slot < kFixedTimes.size() ? kFixedTimes[slot] : timeOfDay(step);
                const int zs = zoneState(step);
                const Coordinate lat = CoordinateOf(latitude(step), kLatitudeValues / 2);
                const Coordinate lon = CoordinateOf(longitude(step), kLongitudeValues / 2);
                faults.Add(ChartFault(
                    FormEntries(date.year, date.month, date.day, second / 3600, second / 60 % 60,
                                second % 60, lat.degrees.c_str(), lat.minutes.c_str(),
                                lat.secondHalf, lon.degrees.c_str(), lon.minutes.c_str(),
                                !lon.secondHalf, zs % kTimeZoneCount, zs >= kTimeZoneCount)));
            }
        }
        QVERIFY2(faults.count() == 0, qPrintable(QString("%1 faulty charts").arg(faults.count())));
    }

    void cornersGiveFinishedCharts() {
        const auto [first, last] = DayRange();
        FaultLog faults;
        for (int serial : {first, last}) {
            const CivilDate date = CivilFromSerialDay(serial);
            for (const auto& [h, m, s] : {std::tuple{0, 0, 0}, std::tuple{23, 59, 59}}) {
                for (const char* latD : {"0", "89"}) {
                    for (const char* lonD : {"0", "179"}) {
                        for (int zone = 0; zone < kTimeZoneCount; ++zone) {
                            for (int corner = 0; corner < 8; ++corner) {
                                const bool south = corner & 1;
                                const bool east = corner & 2;
                                const bool dst = corner & 4;
                                const char* latM = latD[0] == '0' ? "0" : "59";
                                const char* lonM = lonD[0] == '0' ? "0" : "59";
                                faults.Add(ChartFault(FormEntries(date.year, date.month, date.day,
                                                                  h, m, s, latD, latM, south, lonD,
                                                                  lonM, east, zone, dst)));
                            }
                        }
                    }
                }
            }
        }
        QVERIFY2(faults.count() == 0, qPrintable(QString("%1 faulty charts").arg(faults.count())));
    }
};

QTEST_APPLESS_MAIN(TestDomainSweep)
#include "test_domain_sweep.moc"
