#include "engine/ascendant.h"

#include "engine/time_conventions.h"

#include <cmath>

namespace selmarind {

namespace {

constexpr double kPi = 3.14159265358979;

// Julian date 2415020.0, 1900 January 0.5.
constexpr double kJ1900DayNumber = 2415020;

} // namespace

double ArcTangent2(double y, double x) {
    if (x > 0) {
        return std::atan(y / x);
    }
    if (x == 0) {
        if (y == 0) {
            return 0;
        }
        return y > 0 ? kPi / 2 : -(kPi / 2);
    }
    if (y == 0) {
        return kPi;
    }
    const double angle = kPi - std::atan(std::fabs(y / x));
    return y > 0 ? angle : -angle;
}

double Wrap360Once(double x) {
    if (x < 0) {
        x = x + 360;
    }
    if (x > 360) {
        x = x - 360;
    }
    return x;
}

double ComputeAyanamsa(double t1900) {
    // Mean longitude of the Moon's node and of the Sun, from arcseconds.
    double node = (933060 - 6962911 * t1900 + 7.5 * t1900 * t1900) / 3600;
    while (node >= 360) {
        node = node - 360;
    }
    const double sun = (259205536 * t1900 + 2013816) / 3600;
    const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(sun * kDegToRad);
    const double precession = nutation - (5025.64 + 1.11 * t1900) * t1900;
    // 80861.27 arcseconds is the ayanamsa's constant at the 1900 epoch of
    // T1900; SiderealCorrection (moon.cpp) holds the same quantity at J2000,
    // 85886.27. The two differ by the general precession of one century,
    // 5025 arcseconds, and must be changed together.
    return (precession - 80861.27) / 3600;
}

AscendantResult ComputeAscendant(const BirthRecord& birth) {
    AscendantResult r;
    const double ut = BirthUniversalTime(birth).hoursFromLocalDate;
    const double jdn = JulianDayNumber(birth.date);
    // UT outside 0..24 carries into the day count here, not into the date.
    r.T1900 = (jdn - kJ1900DayNumber + ut / 24 - 0.5) / kDaysPerJulianCentury;
    const double t = r.T1900;
    r.Ayanamsa = ComputeAyanamsa(t);

    // Place longitude positive west here, latitude positive north.
    const double longitude = -birth.place.LongitudeEastDeg();
    const double latitude = birth.place.LatitudeNorthDeg();

    // Local sidereal time; a negative value is left, only its trigonometric
    // functions are used.
    double s = 15 * (6.6460656 + 2400.0513 * t + 0.0000258 * t * t + ut) - longitude;
    while (s >= 360) {
        s = s - 360;
    }
    r.SiderealTimeDeg = s;

    const double ramc = s * kDegToRad;
    const double obliquityDeg = 23.452294 - 0.0130125 * t;
    r.ObliquityDeg = obliquityDeg;
    const double obliquity = obliquityDeg * kDegToRad;

    double a =
        ArcTangent2(std::cos(ramc), -std::sin(ramc) * std::cos(obliquity) -
                                        std::sin(obliquity) * std::tan(latitude * kDegToRad));
    if (a < 0) {
        a = a + kPi;
    }
    if (std::cos(ramc) < 0) {
        a = a + kPi;
    }
    // Inside the polar circles the arctangent can give the setting point;
    // the ascendant is the one east of the meridian (hour angle in (180, 360)).
    if (std::fabs(latitude) > 90 - obliquityDeg) {
        const double rightAscension = ArcTangent2(std::sin(a) * std::cos(obliquity), std::cos(a));
        if (std::sin(ramc - rightAscension) > 0) {
            a = a + kPi;
        }
    }
    a = a * kRadToDeg;
    while (a >= 360) {
        a = a - 360;
    }
    r.TropicalAscendant = a;

    // One wrap can leave a full turn; the ascendant is kept below 360.
    r.AscendantSidereal = NormalizeForText(Wrap360Once(a + r.Ayanamsa));
    r.AscendantDegree = std::floor(r.AscendantSidereal);
    r.AscendantText = FormatLongitude(r.AscendantSidereal);
    return r;
}

} // namespace selmarind
