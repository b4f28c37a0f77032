// The ayanamsa of a chart: each choice against the Swiss Ephemeris called
// directly, whatever was computed before and on whichever thread; the
// classic source's refusal; the names and keys the windows, tool and
// records use.
#include "chart/chart_driver.h"
#include "ephemeris/data_folder.h"
#include "support/sample_entries.h"

#include <QTest>

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

using namespace selmarind;

namespace {

struct Mode {
    AyanamsaChoice choice;
    int libraryMode;
};

const std::vector<Mode> kModes = {
    {{AyanamsaMode::Lahiri, 0}, SE_SIDM_LAHIRI},
    {{AyanamsaMode::TrueChitra, 0}, SE_SIDM_TRUE_CITRA},
    {{AyanamsaMode::Raman, 0}, SE_SIDM_RAMAN},
    {{AyanamsaMode::Krishnamurti, 0}, SE_SIDM_KRISHNAMURTI},
    {{AyanamsaMode::Yukteshwar, 0}, SE_SIDM_YUKTESHWAR},
    {{AyanamsaMode::FaganBradley, 0}, SE_SIDM_FAGAN_BRADLEY},
    {{AyanamsaMode::TruePushya, 0}, SE_SIDM_TRUE_PUSHYA},
    {{AyanamsaMode::User, 21.25}, SE_SIDM_USER},
};

ChartOptions Precise(const AyanamsaChoice& choice) {
    return ChartOptions{PositionSource::Precise, SunriseConvention::Limb, choice};
}

// The Sun .. Rahu of a chart by the library itself, in a mode it is given here.
std::array<double, 8> LibraryLongitudes(const Mode& mode, const CivilDateTime& ut) {
    swe_set_ephe_path(std::string(ephemeris::DefaultDataFolder()).c_str());
    swe_set_sid_mode(mode.libraryMode, mode.libraryMode == SE_SIDM_USER ? 2451545.0 : 0,
                     mode.choice.userDegreesAtJ2000);
    const double jd = swe_julday(ut.year, ut.month, ut.day,
                                 ut.hour + ut.minute / 60.0 + ut.second / 3600.0, SE_GREG_CAL);
    const int bodies[] = {SE_SUN,  SE_MOON,    SE_MERCURY, SE_VENUS,
                          SE_MARS, SE_JUPITER, SE_SATURN,  SE_MEAN_NODE};
    std::array<double, 8> longitudes{};
    for (std::size_t i = 0; i < longitudes.size(); ++i) {
        double x[6] = {};
        char message[AS_MAXCH] = "";
        swe_calc_ut(jd, bodies[i], SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_SIDEREAL, x, message);
        longitudes[i] = x[0];
    }
    return longitudes;
}

// Empty when the chart's bodies equal the library's within 1", else the first difference.
QString Mismatch(const ChartResult& chart, const std::array<double, 8>& expected) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const double error =
            std::fabs(std::remainder(chart.chart.longitude[i] - expected[i], 360.0)) * 3600;
        if (!(error < 1)) {
            return QStringLiteral("%1 body %2: %3 vs %4")
                .arg(QString::fromStdString(chart.chart.ayanamsaName))
                .arg(i)
                .arg(chart.chart.longitude[i], 0, 'f', 7)
                .arg(expected[i], 0, 'f', 7);
        }
    }
    return {};
}

} // namespace

class TestChartAyanamsa : public QObject {
    Q_OBJECT
private slots:
    void eachModeEqualsTheLibraryInAnyOrderAndOnAnyThread() {
        const BirthEntries entries = FormEntries(2041, 7, 9, 17, 45, 30, "51", "30", false, "0",
                                                 "7", false, kIndianTimeZoneIndex);
        const auto lahiri = CalculateChart(entries, Precise({}));
        QVERIFY(lahiri);
        const CivilDateTime ut = lahiri->chart.birthUniversal;
        std::vector<std::array<double, 8>> expected;
        for (const Mode& mode : kModes) {
            expected.push_back(LibraryLongitudes(mode, ut));
        }

        std::vector<std::size_t> order(kModes.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::mt19937 random(24);
        for (int round = 0; round < 3; ++round) {
            std::shuffle(order.begin(), order.end(), random);
            for (std::size_t i : order) {
                // The library left in another mode by a direct call on this thread.
                LibraryLongitudes(kModes[(i + 3) % kModes.size()], ut);
                const auto chart = CalculateChart(entries, Precise(kModes[i].choice));
                QVERIFY(chart);
                const QString mismatch = Mismatch(*chart, expected[i]);
                QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            }
        }
        // A second thread starts from the library's own defaults, and ends
        // in a mode that must not reach this one.
        std::vector<QString> fromThread;
        std::thread([&] {
            for (auto i = order.rbegin(); i != order.rend(); ++i) {
                const auto chart = CalculateChart(entries, Precise(kModes[*i].choice));
                fromThread.push_back(chart ? Mismatch(*chart, expected[*i]) : "no chart");
            }
        }).join();
        for (const QString& mismatch : fromThread) {
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
        const auto again = CalculateChart(entries, Precise({}));
        QVERIFY(again);
        QCOMPARE(again->chart.longitude, lahiri->chart.longitude);
        QCOMPARE(again->chart.ayanamsaName, std::string("Lahiri"));
    }

    void classicKeepsItsOwnAyanamsa() {
        const auto classic = CalculateChart(Delhi1980Entries(), ChartOptions{});
        QVERIFY(classic);
        QCOMPARE(classic->chart.ayanamsaName, std::string("built-in (classic)"));
        const auto refused = CalculateChart(
            Delhi1980Entries(), ChartOptions{PositionSource::Classic, SunriseConvention::Limb,
                                             AyanamsaChoice{AyanamsaMode::Raman, 0}});
        QVERIFY(!refused);
        QVERIFY2(refused.failure().reason.find("Raman") != std::string::npos,
                 refused.failure().reason.c_str());
        // A bad user value is refused before anything is computed.
        QVERIFY(!CalculateChart(Delhi1980Entries(),
                                Precise(AyanamsaChoice{AyanamsaMode::User, std::nan("")})));
    }

    void keysReadBackAndBadTextsAreRefused() {
        std::vector<Mode> modes = kModes;
        // Tiny and odd values are written in fixed notation and read back exactly.
        modes.push_back({{AyanamsaMode::User, 1e-5}, SE_SIDM_USER});
        modes.push_back({{AyanamsaMode::User, 0.1 + 0.2}, SE_SIDM_USER});
        for (const Mode& mode : modes) {
            const AyanamsaOrError read = AyanamsaOfKey(AyanamsaKey(mode.choice));
            QVERIFY2(read.choice && *read.choice == mode.choice, AyanamsaKey(mode.choice).c_str());
        }
        QCOMPARE(AyanamsaTitle({AyanamsaMode::TrueChitra, 0}), std::string("True Chitrapaksha"));
        QCOMPARE(AyanamsaTitle({AyanamsaMode::User, 23.5}), std::string("User: 23.5° at J2000"));
        const auto user = AyanamsaOfKey("+0.1");
        QVERIFY(user.choice && user.choice->mode == AyanamsaMode::User);
        QCOMPARE(user.choice->userDegreesAtJ2000, 0.1);
        QCOMPARE(AyanamsaKey(*user.choice), std::string("0.1"));
        for (const char* bad : {"", "Lahiri", "nan", "inf", "2e1", "23,5", "23.5x", "-1", "40.01",
                                "1.2.3", "-", "lahiri "}) {
            const AyanamsaOrError read = AyanamsaOfKey(bad);
            QVERIFY2(!read.choice && !read.error.empty(), bad);
        }
        // Digits too many for a double are out of range, not "no number".
        const AyanamsaOrError huge = AyanamsaOfKey(std::string(400, '9'));
        QVERIFY2(!huge.choice && huge.error.find("from 0 to 40") != std::string::npos,
                 huge.error.c_str());
        // "-0" is zero, shown without a sign.
        const AyanamsaOrError zero = AyanamsaOfKey("-0");
        QVERIFY(zero.choice && !std::signbit(zero.choice->userDegreesAtJ2000));
        QCOMPARE(AyanamsaTitle(*zero.choice), std::string("User: 0° at J2000"));
    }

    void noteTextKeepsTheSignOfTheAyanamsa() {
        QCOMPARE(AyanamsaNoteText("Raman", 22.1399), std::string("Raman ayanamsa 22°8′"));
        QCOMPARE(AyanamsaNoteText("User: 0° at J2000", -0.2772),
                 std::string("ayanamsa −0°16′ (User: 0° at J2000)"));
        // Under an arc-minute below zero shows as zero, without a sign.
        QCOMPARE(AyanamsaNoteText("User: 0° at J2000", -0.01),
                 std::string("ayanamsa 0°0′ (User: 0° at J2000)"));
    }
};

QTEST_APPLESS_MAIN(TestChartAyanamsa)
#include "test_chart_ayanamsa.moc"
