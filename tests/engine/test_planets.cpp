#include "engine/ascendant.h"
#include "engine/chart_text.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "engine/time_conventions.h"

#include "engine_test_support.h"

#include <QTest>

using namespace selmarind;
using selmarind::test::AtPlace;
using selmarind::test::MakeBirth;

namespace {

constexpr double kTwoPi = 6.28318530717958;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QStringList Texts(const std::array<std::string, 10>& texts) {
    QStringList out;
    for (const std::string& t : texts) {
        out << Text(t);
    }
    return out;
}

// The birth-mode chart the way the driver runs it: ascendant, Moon, planets.
PlanetResult BirthChart(const BirthRecord& birth) {
    const AscendantResult a = ComputeAscendant(birth);
    const MoonResult m = ComputeMoon(birth);
    return ComputePlanetPositions(birth, {a.Ayanamsa, a.AscendantText, m.MoonPositionText});
}

} // namespace

class TestPlanets : public QObject {
    Q_OBJECT
private slots:
    void daysFromJ2000() {
        QCOMPARE(DaysFromJ2000({2000, 1, 1, 12, 0, 0}), 0.0);
        QCOMPARE(DaysFromJ2000({1999, 12, 31, 0, 0, 0}), -1.5);
        QCOMPARE(DaysFromJ2000({1980, 3, 14, 19, 30, 0}), -7231.6875);
        QCOMPARE(DaysFromJ2000({2000, 3, 1, 0, 0, 0}), 59.5); // across 29 February 2000
    }

    void reduce2Pi() {
        COMPARE_NEAR("Reduce2Pi(7)", Reduce2Pi(7), 7 - kTwoPi, 1e-15);
        COMPARE_NEAR("Reduce2Pi(-1)", Reduce2Pi(-1), kTwoPi - 1, 1e-15);
        COMPARE_NEAR("Reduce2Pi(-20)", Reduce2Pi(-20), 4 * kTwoPi - 20, 1e-13);
        QCOMPARE(Reduce2Pi(-kTwoPi), 0.0);
        QCOMPARE(Reduce2Pi(3 * kTwoPi), 0.0);
    }

    void trueAnomalySolvesKeplersEquation() {
        for (const double e : {0.0, 0.0167, 0.0934, 0.2056}) {
            for (double m = 0; m < kTwoPi; m += 0.25) {
                const double nu = TrueAnomaly(m, e);
                const QByteArray input = "M " + QByteArray::number(m) + ", e " +
                                         QByteArray::number(e) + ": nu " + QByteArray::number(nu);
                QVERIFY2(nu >= 0 && nu < kTwoPi, input);
                // Back from the true to the eccentric and the mean anomaly.
                const double E = 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(nu / 2));
                COMPARE_ANGLE(input.constData(), (E - e * std::sin(E)) * 57.29577951308232,
                              m * 57.29577951308232, 1e-9);
            }
        }
    }

    // An eccentricity that is no ellipse sent Newton's method wandering
    // (M 3.7108, e 2.6737 ran over two million steps without settling);
    // now it ends at once with no anomaly.
    void trueAnomalyEndsOutsideAnEllipse() {
        for (const double e : {1.0, 2.6736566570868403, -0.1}) {
            QVERIFY(std::isnan(TrueAnomaly(3.7107550419317281, e)));
        }
        QVERIFY(std::isnan(TrueAnomaly(1.0, std::nan(""))));
    }

    void noonUtOnJ2000AtGreenwich() {
        // Noon UT on 1 January 2000 at Greenwich: d = 0.
        const BirthRecord birth =
            AtPlace(MakeBirth(2000, 1, 1, 12, 0, 0, 0), 0, 0, false, 0, 0, false);
        const PlanetResult p = BirthChart(birth);
        QCOMPARE(p.DaysFromEpoch, 0.0);
        QCOMPARE(Texts(p.BodyPositionText),
                 QStringList({"16 Sag 31", "19 Lib 27", "08 Sag 03", "07 Sco 43", "04 Aqu 07",
                              "01 Ari 30", "16 Ari 21", "10 Can 16", "10 Cap 16", "17 Pis 31"}));
        const struct {
            int k;
            const char* body;
            double longitude;
        } rows[] = {{EarthMoon, "Sun", 280.38},  {Mercury, "Mercury", 271.91},
                    {Venus, "Venus", 241.58},    {Mars, "Mars", 327.98},
                    {Jupiter, "Jupiter", 25.36}, {Saturn, "Saturn", 40.21}};
        for (const auto& row : rows) {
            COMPARE_ANGLE(row.body, GeocentricLongitude(row.k, 0, EarthAt(0)), row.longitude,
                          0.005);
        }
    }

    void sunAgreesWithThePublishedSolarTheory() {
        // Sun's true geometric longitude at 2000 January 1, 12:00: 280.3821 degrees
        // from the low-precision solar theory (Meeus, Astronomical Algorithms, ch. 25).
        COMPARE_ANGLE("Sun at J2000.0", GeocentricLongitude(EarthMoon, 0, EarthAt(0)), 280.3821,
                      0.005);
    }

    void earlyMorningEastOfGreenwich1980() {
        // 01:00 on 15 March 1980 in a zone 5 h 30 min east is 19:30 UT on 14 March.
        const BirthRecord birth =
            AtPlace(MakeBirth(1980, 3, 15, 1, 0, -5, -30), 77, 13, true, 28, 36, false);
        const PlanetResult p = BirthChart(birth);
        QCOMPARE(p.UniversalInstant, (CivilDateTime{1980, 3, 14, 19, 30, 0}));
        QCOMPARE(p.DaysFromEpoch, -7231.6875);
        QCOMPARE(Texts(p.BodyPositionText),
                 QStringList({"01 Pis 04", "02 Aqu 53", "15 Aqu 16", "15 Ari 39", "05 Leo 49",
                              "09 Leo 34", "00 Vir 19", "03 Leo 29", "03 Aqu 29", "26 Sco 11"}));
    }

    void zoneCorrectionCarriesAcrossMidnight() {
        // 00:30 on 1 March with a zone 5 h 30 min east falls on the last day of February.
        const PlanetResult leap = BirthChart(MakeBirth(2000, 3, 1, 0, 30, -5, -30));
        QCOMPARE(leap.UniversalInstant, (CivilDateTime{2000, 2, 29, 19, 0, 0}));
        const PlanetResult common = BirthChart(MakeBirth(1999, 3, 1, 0, 30, -5, -30));
        QCOMPARE(common.UniversalInstant, (CivilDateTime{1999, 2, 28, 19, 0, 0}));
        // 23:00 on 31 December in a zone 5 h west reaches the next year.
        const PlanetResult west = BirthChart(MakeBirth(1999, 12, 31, 23, 0, 5, 0));
        QCOMPARE(west.UniversalInstant, (CivilDateTime{2000, 1, 1, 4, 0, 0}));
    }

    void summerTimeMovesThePlanetsWithTheBirth() {
        // 10:00 summer time in a zone 5 h west is the same instant as 09:00 without it.
        const PlanetResult summer = BirthChart(MakeBirth(1995, 7, 4, 10, 0, 5, 0, true));
        const PlanetResult winterClock = BirthChart(MakeBirth(1995, 7, 4, 9, 0, 5, 0));
        const PlanetResult sameClock = BirthChart(MakeBirth(1995, 7, 4, 10, 0, 5, 0));
        QCOMPARE(summer.UniversalInstant, (CivilDateTime{1995, 7, 4, 14, 0, 0}));
        QCOMPARE(Texts(summer.BodyPositionText), Texts(winterClock.BodyPositionText));
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(summer.SiderealLongitude[k], winterClock.SiderealLongitude[k]);
        }
        // Against the same clock time without summer time: one hour's motion.
        COMPARE_NEAR("days between the two instants",
                     sameClock.DaysFromEpoch - summer.DaysFromEpoch, 1.0 / 24, 1e-12);
        const double sunMotion =
            sameClock.SiderealLongitude[EarthMoon] - summer.SiderealLongitude[EarthMoon];
        COMPARE_NEAR("Sun's motion in one hour", sunMotion, 0.0397, 0.002);
        // The node regresses; the ayanamsa of the two births differs by a few
        // millionths of a degree as well.
        COMPARE_NEAR("node's motion in one hour", sameClock.RahuLongitude - summer.RahuLongitude,
                     -0.0529538083 / 24, 1e-5);
    }

    void sunriseInstant() {
        // Sunrise at 05:13:42 local clock time in Madrid on Central European Time
        // (zone correction -1 h), 1 July 2021.
        const BirthRecord birth =
            AtPlace(MakeBirth(2021, 7, 1, 14, 0, -1, 0, true), 3, 42, false, 40, 25, false);
        const PlanetInputs inputs{-24.15, "12° 0' 0\" Vir", "7° 30' 0\" Tau"};
        const CivilDateTime sunrise{2021, 7, 1, 5, 13, 42};

        const SunriseSun withHour = ComputeSunriseSun(birth, inputs.Ayanamsa, sunrise, true);
        QCOMPARE(withHour.UniversalInstant, (CivilDateTime{2021, 7, 1, 3, 13, 0}));
        const SunriseSun withoutHour = ComputeSunriseSun(birth, inputs.Ayanamsa, sunrise, false);
        QCOMPARE(withoutHour.UniversalInstant, (CivilDateTime{2021, 7, 1, 4, 13, 0}));

        // The Sun at sunrise is the Sun of a birth at that universal instant,
        // to the last bit and letter.
        const PlanetResult atThatInstant =
            ComputePlanetPositions(MakeBirth(2021, 7, 1, 3, 13, 0, 0), inputs);
        QCOMPARE(withHour.DaysFromEpoch, atThatInstant.DaysFromEpoch);
        QCOMPARE(withHour.Longitude, atThatInstant.SiderealLongitude[EarthMoon]);
        QCOMPARE(Text(withHour.Text), Text(atThatInstant.BodyPositionText[0]));

        // Seconds of the sunrise play no part.
        const SunriseSun onTheMinute =
            ComputeSunriseSun(birth, inputs.Ayanamsa, CivilDateTime{2021, 7, 1, 5, 13, 0}, false);
        QCOMPARE(onTheMinute.DaysFromEpoch, withoutHour.DaysFromEpoch);
    }

    void ketuOppositeRahuAtHalfATurn() {
        // Noon UT on 1 January 1996, with the ayanamsa chosen to put Rahu at exactly 180.
        const BirthRecord birth = MakeBirth(1996, 1, 1, 12, 0, 0, 0);
        const double tropicalRahu = ComputePlanetPositions(birth, {}).RahuLongitude;
        QVERIFY(tropicalRahu > 180 && tropicalRahu < 360);
        const PlanetInputs inputs{-(tropicalRahu - 180), "", ""};
        const PlanetResult p = ComputePlanetPositions(birth, inputs);
        QCOMPARE(p.RahuLongitude, 180.0);
        QCOMPARE(p.KetuLongitude, 0.0);
        QCOMPARE(Text(p.RahuDmsText), QString("0° 0' 0\" Lib"));
        QCOMPARE(Text(p.KetuDmsText), QString("0° 0' 0\" Ari"));
        QCOMPARE(Text(p.BodyPositionText[7]), QString("00 Lib 00"));
        QCOMPARE(Text(p.BodyPositionText[8]), QString("00 Ari 00"));
    }

    void everyPositionInRangeWithItsSign() {
        // On the first of each month across two decades.
        for (int year = 1990; year < 2010; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const PlanetResult p = BirthChart(MakeBirth(year, month, 1, 6, 0, 0, 0));
                const QByteArray when = QByteArray::number(year) + "-" + QByteArray::number(month);
                for (int k = 0; k < 6; ++k) {
                    const double l = p.SiderealLongitude[k];
                    QVERIFY2(l >= 0 && l < 360, when);
                    QCOMPARE(SignOfChartText(ToChartText(p.PlanetDmsText[k])),
                             std::optional<int>(static_cast<int>(l / 30)));
                }
                COMPARE_ANGLE(when.constData(), p.KetuLongitude, p.RahuLongitude + 180, 1e-9);
                QVERIFY2(p.KetuLongitude >= 0 && p.KetuLongitude < 360, when);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestPlanets)
#include "test_planets.moc"
