// Independent low-precision astronomy for checking the precise source:
// formulas of J. Meeus, "Astronomical Algorithms", 2nd ed. (1998), written
// here from the book, not from the Swiss Ephemeris. Angles in degrees,
// times as Julian days.
#pragma once

#include <QByteArray>
#include <QString>

#include <cmath>

namespace selmarind::test {

inline constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
inline constexpr double kArcsecond = 1.0 / 3600.0;
inline constexpr double kSecondOfDay = 1.0 / 86400.0;

inline double SinDeg(double x) {
    return std::sin(x * kDegToRad);
}
inline double CosDeg(double x) {
    return std::cos(x * kDegToRad);
}

// x reduced to [0, 360).
inline double Reduce360(double x) {
    x = std::fmod(x, 360.0);
    return x < 0 ? x + 360.0 : x;
}

// a - b taken modulo 360 into [-180, 180).
inline double AngleDifference(double a, double b) {
    return Reduce360(a - b + 180.0) - 180.0;
}

// Degrees, minutes, seconds to degrees (all of one sign).
inline double Dms(double degrees, double minutes, double seconds) {
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

// Julian day of a Gregorian calendar date and UT hour (Meeus 7.1).
inline double JulianDay(int year, int month, int day, double hour = 0) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = 2 - a + a / 4;
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b -
           1524.5 + hour / 24.0;
}

// Julian centuries from J2000.0.
inline double Centuries(double jd) {
    return (jd - 2451545.0) / 36525.0;
}

// Nutation in longitude and obliquity, degrees: the four-term series of
// Meeus ch. 22 (0.5" in longitude, 0.1" in obliquity). jde: TT.
struct Nutation {
    double longitudeDeg;
    double obliquityDeg;
};
inline Nutation LowPrecisionNutation(double jde) {
    const double t = Centuries(jde);
    const double node = 125.04452 - 1934.136261 * t;
    const double sunL = 280.4665 + 36000.7698 * t;
    const double moonL = 218.3165 + 481267.8813 * t;
    return {(-17.20 * SinDeg(node) - 1.32 * SinDeg(2 * sunL) - 0.23 * SinDeg(2 * moonL) +
             0.21 * SinDeg(2 * node)) *
                kArcsecond,
            (9.20 * CosDeg(node) + 0.57 * CosDeg(2 * sunL) + 0.10 * CosDeg(2 * moonL) -
             0.09 * CosDeg(2 * node)) *
                kArcsecond};
}

// Mean obliquity of the ecliptic (Meeus 22.2). jde: TT.
inline double MeanObliquity(double jde) {
    const double t = Centuries(jde);
    return Dms(23, 26, 21.448) + (-46.8150 * t - 0.00059 * t * t + 0.001813 * t * t * t) / 3600.0;
}

// Apparent sidereal time at Greenwich (Meeus 12.4 plus the equation of the
// equinoxes). jdUt: UT; deltaTSeconds: TT - UT.
inline double ApparentSiderealTime(double jdUt, double deltaTSeconds) {
    const double t = Centuries(jdUt);
    const double mean = 280.46061837 + 360.98564736629 * (jdUt - 2451545.0) + 0.000387933 * t * t -
                        t * t * t / 38710000.0;
    const double jde = jdUt + deltaTSeconds * kSecondOfDay;
    const Nutation n = LowPrecisionNutation(jde);
    const double trueObliquity = MeanObliquity(jde) + n.obliquityDeg;
    return Reduce360(mean + n.longitudeDeg * CosDeg(trueObliquity));
}

inline double TrueObliquity(double jde) {
    return MeanObliquity(jde) + LowPrecisionNutation(jde).obliquityDeg;
}

// Right ascension and declination of an ecliptic point (latitude 0).
struct Equatorial {
    double rightAscensionDeg;
    double declinationDeg;
};
inline Equatorial EclipticToEquatorial(double longitudeDeg, double obliquityDeg) {
    return {
        Reduce360(std::atan2(SinDeg(longitudeDeg) * CosDeg(obliquityDeg), CosDeg(longitudeDeg)) /
                  kDegToRad),
        std::asin(SinDeg(obliquityDeg) * SinDeg(longitudeDeg)) / kDegToRad};
}

// Tropical ascendant: of the two ecliptic points on the horizon, the one in
// the eastern half of the sky (hour angle between 180 and 360 degrees), which
// is the one rising. jdUt: UT; latitude north and longitude east positive.
inline double TropicalAscendant(double jdUt, double deltaTSeconds, double latitudeDeg,
                                double longitudeDeg) {
    const double jde = jdUt + deltaTSeconds * kSecondOfDay;
    const double obliquity = TrueObliquity(jde);
    const double localSidereal =
        Reduce360(ApparentSiderealTime(jdUt, deltaTSeconds) + longitudeDeg);
    const double candidate =
        Reduce360(std::atan2(CosDeg(localSidereal),
                             -(SinDeg(localSidereal) * CosDeg(obliquity) +
                               std::tan(latitudeDeg * kDegToRad) * SinDeg(obliquity))) /
                  kDegToRad);
    const double hourAngle =
        localSidereal - EclipticToEquatorial(candidate, obliquity).rightAscensionDeg;
    return SinDeg(hourAngle) < 0 ? candidate : Reduce360(candidate + 180.0);
}

// Hour angle of the ecliptic point `longitudeDeg` at the place, degrees in
// [0, 360): below 180 the point is west of the meridian and setting.
inline double HourAngleOfEclipticPoint(double longitudeDeg, double jdUt, double deltaTSeconds,
                                       double longitudeEastDeg) {
    const double jde = jdUt + deltaTSeconds * kSecondOfDay;
    const double localSidereal = ApparentSiderealTime(jdUt, deltaTSeconds) + longitudeEastDeg;
    return Reduce360(localSidereal -
                     EclipticToEquatorial(longitudeDeg, TrueObliquity(jde)).rightAscensionDeg);
}

// Apparent geocentric equatorial position of the Sun, Meeus ch. 25 low
// precision (0.01 degree). jde: TT.
inline Equatorial LowPrecisionSun(double jde) {
    const double t = Centuries(jde);
    const double meanLongitude = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double meanAnomaly = 357.52911 + 35999.05029 * t - 0.0001537 * t * t;
    const double centre = (1.914602 - 0.004817 * t - 0.000014 * t * t) * SinDeg(meanAnomaly) +
                          (0.019993 - 0.000101 * t) * SinDeg(2 * meanAnomaly) +
                          0.000289 * SinDeg(3 * meanAnomaly);
    const double node = 125.04 - 1934.136 * t;
    const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * SinDeg(node);
    const double obliquity = MeanObliquity(jde) + 0.00256 * CosDeg(node);
    return EclipticToEquatorial(apparentLongitude, obliquity);
}

// Geocentric altitude of the Sun's centre without refraction, degrees.
inline double SunAltitude(double jdUt, double deltaTSeconds, double latitudeDeg,
                          double longitudeDeg) {
    const Equatorial sun = LowPrecisionSun(jdUt + deltaTSeconds * kSecondOfDay);
    const double hourAngle =
        ApparentSiderealTime(jdUt, deltaTSeconds) + longitudeDeg - sun.rightAscensionDeg;
    return std::asin(SinDeg(latitudeDeg) * SinDeg(sun.declinationDeg) +
                     CosDeg(latitudeDeg) * CosDeg(sun.declinationDeg) * CosDeg(hourAngle)) /
           kDegToRad;
}

// "hh:mm:ss UT" of a Julian day, for failure messages.
inline QString UtText(double jdUt) {
    const double seconds = std::fmod(jdUt + 0.5, 1.0) * 86400.0;
    const long whole = std::lround(seconds);
    return QString("%1:%2:%3 UT")
        .arg(whole / 3600 % 24, 2, 10, QChar('0'))
        .arg(whole / 60 % 60, 2, 10, QChar('0'))
        .arg(whole % 60, 2, 10, QChar('0'));
}

} // namespace selmarind::test
