// Charts from the precise position source: the positions against the Swiss
// Ephemeris called directly, the chart built from them as the classic one
// is, the sunrise reference, polar births, and the source's state across
// calls and threads.
#include "chart/chart_driver.h"
#include "chart/chart_invariants.h"
#include "engine/time_conventions.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/sun_events.h"
#include "support/sample_entries.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <string>
#include <thread>

using namespace selmarind;
namespace eph = selmarind::ephemeris;

namespace {

constexpr ChartOptions kPrecise{PositionSource::Precise, SunriseConvention::Limb, {}};
constexpr ChartOptions kPreciseCentre{PositionSource::Precise, SunriseConvention::Centre, {}};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

double ArcSeconds(double a, double b) {
    double d = std::fmod(a - b + 540.0, 360.0) - 180.0;
    return std::fabs(d) * 3600;
}

} // namespace

class TestPreciseChart : public QObject {
    Q_OBJECT
private slots:
    void positionsAgreeWithTheEphemerisCalledDirectly() {
        // New Delhi, 15 March 1980 01:00 IST = 14 March 19:30 UT. Reference:
        // swe_calc_ut (SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED,
        // SE_SIDM_LAHIRI) at JD 2444313.3125, the ascendant from
        // swe_houses_ex (SEFLG_SIDEREAL, 28.6 N, 77.2167 E).
        const auto r = CalculateChart(Delhi1980Entries(), kPrecise);
        QVERIFY(r);
        const double expected[10] = {330.796555, 302.896481, 315.004113, 15.366575,  125.535194,
                                     129.312144, 150.013628, 124.409165, 304.409165, 236.190104};
        for (int i = 0; i < 10; ++i) {
            QVERIFY2(
                ArcSeconds(r->chart.longitude[static_cast<std::size_t>(i)], expected[i]) < 1,
                qPrintable(QStringLiteral("body %1: %2")
                               .arg(i)
                               .arg(r->chart.longitude[static_cast<std::size_t>(i)], 0, 'f', 6)));
        }
        QCOMPARE(Q(r->form.planet[0]), QString("00 Pis 47"));
        QCOMPARE(Q(r->form.planet[2]), QString("15 Aqu 00"));
        QCOMPARE(Q(r->form.planet[9]), QString("26 Sco 11"));
        // Mercury, Mars, Jupiter and Saturn move backward (negative speed); Venus does not.
        QCOMPARE(r->chart.retrogradeFlags, (std::array<bool, 5>{true, false, true, true, true}));
        QCOMPARE(Q(r->chart.bodyNames[2]), QString("Mercury (R) "));
        // The ayanamsa is kept negative, as the classic source gives it.
        QVERIFY(std::fabs(r->chart.ayanamsa + 23.578102) < 1e-5);
        QCOMPARE(Q(r->chart.ephemeris), QString("swiss-files"));
        QCOMPARE(r->chart.positions, PositionSource::Precise);
        QCOMPARE(ChartResultFault(*r), std::string());
    }

    void sunriseReferenceOnUniversalTime() {
        // The Sun rose at 01:00:59.7 UT on 15 March 1980 (swe_rise_trans,
        // upper limb, 1013.25 hPa, 10 C), 06:31 IST; the birth at 01:00 IST
        // is before it and counts from the previous day's sunrise.
        const auto r = CalculateChart(Delhi1980Entries(), kPrecise);
        QVERIFY(r);
        QCOMPARE(r->chart.sunriseToday, std::optional<ClockTime>(ClockTime{6, 31, 0}));
        QCOMPARE(r->chart.referencePeriod, std::optional<BirthPeriod>(BirthPeriod::BeforeSunrise));
        QVERIFY(r->chart.referenceSunrise);
        QCOMPARE(r->chart.referenceSunrise->day, 14);
        QCOMPARE(r->chart.referenceSunrise->hour, 6);
        // Minutes and seconds are counted between the two UT instants.
        QVERIFY(r->chart.minutesFromSunrise && r->chart.secondsFromSunrise);
        QVERIFY(std::llabs(*r->chart.secondsFromSunrise - *r->chart.minutesFromSunrise * 60) < 60);
        // The disc-centre convention rises later: fewer minutes from an earlier birth.
        const auto centre = CalculateChart(Delhi1980Entries(), kPreciseCentre);
        QVERIFY(centre);
        QVERIFY(*centre->chart.secondsFromSunrise < *r->chart.secondsFromSunrise);
        QCOMPARE(centre->chart.sunrise, SunriseConvention::Centre);
    }

    // The clock times shown are rounded to the nearest minute, not cut: a
    // month of New Delhi sunrises and sunsets (IST, +05:30) against the
    // ephemeris called directly.
    void sunriseAndSunsetRoundedToTheMinute() {
        const eph::Place delhi{28.6, 77.0 + 13.0 / 60};
        int secondHalf = 0;
        for (int day = 1; day <= 31; ++day) {
            const auto r = CalculateChart(FormEntries(1980, 3, day, 12, 0, 0, "28", "36", false,
                                                      "77", "13", true, kIndianTimeZoneIndex),
                                          kPrecise);
            QVERIFY(r);
            // Local midnight of the date, in UT.
            const double midnight = JulianDayNumber({1980, 3, day}) - 0.5 - 5.5 / 24;
            for (const auto& [event, shown] :
                 {std::pair{eph::SunEvent::Rise, r->chart.sunriseToday},
                  std::pair{eph::SunEvent::Set, r->chart.sunsetToday}}) {
                const eph::SunEventResult e = eph::SunEventBetween(
                    midnight, midnight + 1, delhi, event, eph::SunHorizon::UpperLimbRefracted);
                QVERIFY(e.Ok() && e.jdUt && shown);
                const double seconds = (*e.jdUt - midnight) * 86400;
                const double intoMinute = std::fmod(seconds, 60);
                if (std::fabs(intoMinute - 30) < 1) {
                    continue; // too close to call through the whole seconds
                }
                secondHalf += intoMinute > 30 ? 1 : 0;
                const auto minutes = static_cast<int>(std::floor(seconds / 60 + 0.5));
                QCOMPARE(shown->hour * 60 + shown->minute, minutes);
            }
        }
        QVERIFY(secondHalf > 5);
    }

    void polarBirthWithoutSunriseStillGivesAChart() {
        // Tromsø, 69° 39' N 18° 57' E, Central European Time (-1 h), 15
        // December 1980 at noon: the Sun does not rise, so the time points
        // are not computed, and the chart is finished all the same.
        const auto r = CalculateChart(
            FormEntries(1980, 12, 15, 12, 0, 0, "69", "39", false, "18", "57", true, 20), kPrecise);
        QVERIFY(r);
        QVERIFY(!r->chart.sunriseToday);
        QVERIFY(!r->chart.referenceSunrise && !r->chart.minutesFromSunrise);
        int computed = 0;
        for (const SpecialPoint& p : r->chart.specialPoints) {
            computed += p.computed ? 1 : 0;
        }
        QCOMPARE(computed, 3); // the ninth-lord point, the Moon and the nakshatra point
        QCOMPARE(ChartResultFault(*r), std::string());
    }

    void yearsOfTheDataFilesAreAccepted() {
        for (const char* year : {"1800", "1850", "2100", "2399"}) {
            BirthEntries e = Delhi1980Entries();
            e.cboYear = year;
            const auto precise = CalculateChart(e, kPrecise);
            QVERIFY2(precise, year);
            QCOMPARE(ChartResultFault(*precise), std::string());
            QVERIFY2(!CalculateChart(e), year); // the classic source keeps its years
        }
    }

    void sourcesAlternatingAndOnAnotherThreadAgree() {
        const BirthEntries e = Delhi1980Entries();
        const auto classic = CalculateChart(e);
        const auto precise = CalculateChart(e, kPrecise);
        QVERIFY(classic && precise);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(*CalculateChart(e, kPrecise) == *precise, true);
            QCOMPARE(*CalculateChart(e) == *classic, true);
        }
        std::optional<ChartResult> fromThread;
        std::thread([&] { fromThread = CalculateChart(e, kPrecise); }).join();
        QVERIFY(fromThread);
        QCOMPARE(*fromThread == *precise, true);
        // The classic chart is the designed one whatever ran before it.
        QCOMPARE(Q(classic->form.planet[0]), QString("01 Pis 04"));
    }

    void missingDataFilesFallBackAndSaySo() {
        const std::string folder = ephemeris::DataFolder();
        QCOMPARE(ephemeris::SetDataFolder("/nonexistent/ephemeris"), std::string());
        const auto analytical = CalculateChart(Delhi1980Entries(), kPrecise);
        QCOMPARE(ephemeris::SetDataFolder(folder), std::string());
        QVERIFY(analytical);
        QCOMPARE(Q(analytical->chart.ephemeris), QString("swiss-analytical"));
        // Within an arcsecond or so of the files, the same signs.
        const auto files = CalculateChart(Delhi1980Entries(), kPrecise);
        QCOMPARE(Q(files->chart.ephemeris), QString("swiss-files"));
        QVERIFY(ArcSeconds(analytical->chart.longitude[0], files->chart.longitude[0]) < 2);
        QCOMPARE(analytical->form.signCells, files->form.signCells);
    }

    void damagedDataFileGivesTheEphemerisReason() {
        // A file of the right name that is not an ephemeris: the library
        // refuses it rather than falling back, and the chart says why.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        const std::string folder = ephemeris::DataFolder();
        QCOMPARE(ephemeris::SetDataFolder(dir.path().toStdString()), std::string());
        const auto damaged = CalculateChart(Delhi1980Entries(), kPrecise);
        QCOMPARE(ephemeris::SetDataFolder(folder), std::string());
        QVERIFY(!damaged);
        QVERIFY(!damaged.failure().fault);
        QVERIFY2(Q(damaged.failure().reason).contains("damaged"), damaged.failure().reason.c_str());
        // The next chart on this thread is whole again.
        QVERIFY(CalculateChart(Delhi1980Entries(), kPrecise));
    }
};

QTEST_APPLESS_MAIN(TestPreciseChart)
#include "test_precise_chart.moc"
