// The sidereal ascendant of the precise source against the ascendant worked
// out independently from the apparent sidereal time and the true obliquity
// (Meeus chs. 12, 22), in both hemispheres and inside the polar circles.

#include "ephemeris/precise_ascendant.h"
#include "ephemeris/precise_positions.h"

#include "reference_astronomy.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace selmarind::ephemeris;
using namespace selmarind::test;

namespace {

// TT - UT for the reference's obliquity and nutation only; a minute of error
// moves them by under 0.001".
constexpr double kDeltaTSeconds = 60;

struct Check {
    double tropicalDeg = 0; // the precise source's, made tropical
    double expectedDeg = 0; // the reference's
    double errorArcsec = 0;
    QByteArray text;
};

Check Compare(double jdUt, double latitudeDeg, double longitudeDeg) {
    Check c;
    const AngleResult ascendant = SiderealAscendant(jdUt, {latitudeDeg, longitudeDeg});
    const AngleResult ayanamsa = AyanamsaAt(jdUt);
    c.expectedDeg = TropicalAscendant(jdUt, kDeltaTSeconds, latitudeDeg, longitudeDeg);
    c.tropicalDeg = Reduce360(ascendant.degrees + ayanamsa.degrees);
    c.errorArcsec = AngleDifference(c.tropicalDeg, c.expectedDeg) * 3600.0;
    c.text = QString("JD %1 UT at %2, %3: sidereal %4 (error '%5'), tropical %6, expected %7, "
                     "error %8\"")
                 .arg(jdUt, 0, 'f', 5)
                 .arg(latitudeDeg, 0, 'f', 4)
                 .arg(longitudeDeg, 0, 'f', 4)
                 .arg(ascendant.degrees, 0, 'f', 6)
                 .arg(QString::fromStdString(ascendant.error))
                 .arg(c.tropicalDeg, 0, 'f', 6)
                 .arg(c.expectedDeg, 0, 'f', 6)
                 .arg(c.errorArcsec, 0, 'f', 2)
                 .toUtf8();
    if (!ascendant.Ok() || !ayanamsa.Ok() || ascendant.degrees < 0 || ascendant.degrees >= 360) {
        c.errorArcsec = std::numeric_limits<double>::infinity();
    }
    return c;
}

} // namespace

class TestPreciseAscendant : public QObject {
    Q_OBJECT
private slots:
    // The reference's nutation is good to 0.5" and its sidereal time to
    // about 0.1"; at these places the ascendant turns at most about twice as
    // fast as the sidereal time, hence 1.5".
    void againstTheReference_data() {
        QTest::addColumn<double>("jdUt");
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        QTest::addColumn<double>("toleranceArcsec");
        QTest::newRow("Sydney 33°52'S 151°12'E, 1990-07-15 12:00 AEST (02:00 UT)")
            << JulianDay(1990, 7, 15, 2) << -Dms(33, 52, 0) << Dms(151, 12, 0) << 1.5;
        QTest::newRow("New Delhi 28°36'N 77°12'E, 1980-03-14 19:30 UT")
            << JulianDay(1980, 3, 14, 19.5) << Dms(28, 36, 0) << Dms(77, 12, 0) << 1.5;
        QTest::newRow("equator at Greenwich, 2000-01-01 12:00 UT")
            << 2451545.0 << 0.0 << 0.0 << 1.5;
        QTest::newRow("Ushuaia 54°48'S 68°18'W, 2031-11-02 03:15 UT")
            << JulianDay(2031, 11, 2, 3.25) << -Dms(54, 48, 0) << -Dms(68, 18, 0) << 1.5;
        QTest::newRow("Tromsø 69°39'N 18°57'E, 2021-01-10 10:00 UT")
            << JulianDay(2021, 1, 10, 10) << Dms(69, 39, 0) << Dms(18, 57, 0) << 1.5;
        QTest::newRow("80°S 0°, 2050-06-21 00:00 UT")
            << JulianDay(2050, 6, 21) << -80.0 << 0.0 << 1.5;
        QTest::newRow("89°59'N 0°, 2000-01-01 12:00 UT")
            << 2451545.0 << Dms(89, 59, 0) << 0.0 << 1.5;
        QTest::newRow("89°59'S 100°E, 2000-01-01 12:00 UT")
            << 2451545.0 << -Dms(89, 59, 0) << 100.0 << 1.5;
        QTest::newRow("89°59'N 179°59'W, 2120-09-30 22:00 UT")
            << JulianDay(2120, 9, 30, 22) << Dms(89, 59, 0) << -Dms(179, 59, 0) << 1.5;
    }

    void againstTheReference() {
        QFETCH(double, jdUt);
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        QFETCH(double, toleranceArcsec);
        const Check c = Compare(jdUt, latitudeDeg, longitudeDeg);
        QVERIFY2(std::fabs(c.errorArcsec) <= toleranceArcsec, c.text);
    }

    // Through a whole sidereal day, at latitudes from below the polar circle
    // to a minute of arc from the pole in both hemispheres, the ascendant is
    // the rising point: in the eastern half of the sky, where the textbook
    // arctangent alone gives the setting point for part of each day inside
    // the polar circles. It also matches the reference wherever the
    // ascendant is not racing (near the moments the ecliptic lies flat on
    // the horizon it turns by many degrees a minute; there only the side is
    // checked).
    void risingSideThroughTheDay_data() {
        QTest::addColumn<double>("latitudeDeg");
        for (double latitude : {60.0, 66.0, 67.0, 70.0, 75.0, 80.0, 85.0, Dms(89, 59, 0)}) {
            QTest::addRow("%.4f N", latitude) << latitude;
            QTest::addRow("%.4f S", latitude) << -latitude;
        }
    }

    void risingSideThroughTheDay() {
        QFETCH(double, latitudeDeg);
        const double start = JulianDay(2024, 9, 1, 0);
        const double longitudeDeg = 25.0;
        int compared = 0;
        for (int minute = 0; minute < 1440; minute += 7) {
            const double jdUt = start + minute / 1440.0;
            const Check c = Compare(jdUt, latitudeDeg, longitudeDeg);
            QVERIFY2(std::isfinite(c.errorArcsec), c.text);
            const double hourAngle =
                HourAngleOfEclipticPoint(c.tropicalDeg, jdUt, kDeltaTSeconds, longitudeDeg);
            QVERIFY2(hourAngle > 180.0 && hourAngle < 360.0,
                     c.text + " hour angle " + QByteArray::number(hourAngle, 'f', 3));
            // How fast the reference turns with the sidereal time: 1 s of
            // time (15") moves it by `rate` times that.
            const double later =
                TropicalAscendant(jdUt + kSecondOfDay, kDeltaTSeconds, latitudeDeg, longitudeDeg);
            const double rate = std::fabs(AngleDifference(later, c.expectedDeg)) * 3600.0 / 15.0;
            if (rate < 20) {
                ++compared;
                QVERIFY2(std::fabs(c.errorArcsec) <= 1.0 + 1.0 * rate, c.text);
            }
        }
        QVERIFY(compared > 150);
    }

    void refusedPlacesAndInstants_data() {
        QTest::addColumn<double>("jdUt");
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("north pole") << 2451545.0 << 90.0 << 0.0;
        QTest::newRow("south pole") << 2451545.0 << -90.0 << 0.0;
        QTest::newRow("latitude 91") << 2451545.0 << 91.0 << 0.0;
        QTest::newRow("latitude NaN") << 2451545.0 << nan << 0.0;
        QTest::newRow("longitude 180.5") << 2451545.0 << 10.0 << 180.5;
        QTest::newRow("longitude -200") << 2451545.0 << 10.0 << -200.0;
        QTest::newRow("longitude infinite")
            << 2451545.0 << 10.0 << std::numeric_limits<double>::infinity();
        QTest::newRow("instant NaN") << nan << 10.0 << 10.0;
        QTest::newRow("instant in year 3000") << kEndJdUt << 10.0 << 10.0;
    }

    void refusedPlacesAndInstants() {
        QFETCH(double, jdUt);
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        const AngleResult a = SiderealAscendant(jdUt, {latitudeDeg, longitudeDeg});
        QVERIFY2(!a.Ok() && a.degrees == 0, qPrintable(QString::number(a.degrees)));
    }

    // The boundaries themselves are places: the date line both ways.
    void dateLineBothWays() {
        const double jdUt = JulianDay(2010, 5, 5, 5);
        const AngleResult east = SiderealAscendant(jdUt, {-17.0, 180.0});
        const AngleResult west = SiderealAscendant(jdUt, {-17.0, -180.0});
        QVERIFY2(east.Ok() && west.Ok(), (east.error + west.error).c_str());
        QVERIFY2(std::fabs(AngleDifference(east.degrees, west.degrees)) < 1e-9,
                 qPrintable(QString("%1 / %2").arg(east.degrees).arg(west.degrees)));
    }
};

QTEST_APPLESS_MAIN(TestPreciseAscendant)
#include "test_precise_ascendant.moc"
