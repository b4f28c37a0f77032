#include "engine/moon.h"

#include "engine/time_conventions.h"

#include <algorithm>
#include <cmath>

namespace selmarind {

const std::array<double, 27> NakshatraStarts = {
    0,      13.33,  26.66,  39.99,  53.32,  66.65,  79.98,  93.31,  106.64,
    119.97, 133.3,  146.63, 159.96, 173.29, 186.62, 199.95, 213.28, 226.61,
    239.94, 253.27, 266.6,  279.93, 293.26, 306.59, 319.92, 333.25, 346.58};

double SiderealCorrection(double t) {
    const double node = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
    const double sun = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
    // Nutation in longitude, seconds of arc (the Sun term takes sin Ls, not sin 2Ls).
    const double nutation = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(sun * kDegToRad);
    // 85886.27 arcseconds is the ayanamsa's constant at J2000: the same
    // quantity as 80861.27 at 1900 in ComputeAyanamsa (ascendant.cpp), one
    // century of precession later. Change both or neither.
    return (nutation - (5025.64 * t + 1.11 * t * t) - 85886.27) / 3600;
}

MoonResult ComputeMoon(const BirthRecord& birth) {
    MoonResult r;
    const double ut = BirthUniversalTime(birth).hoursFromLocalDate;
    const double jdn = JulianDayNumber(birth.date);
    const double t = JulianCenturies(jdn, ut);
    const double correction = SiderealCorrection(t);

    const double meanLongitude = 218.3164591 + 481267.88134236 * t;
    const double D = (297.8502042 + 445267.1115168 * t) * kDegToRad;
    const double M = (357.5291092 + 35999.0502909 * t) * kDegToRad;
    const double Mp = (134.9634114 + 477198.8676313 * t) * kDegToRad;
    const double F = (93.2720993 + 483202.0175273 * t) * kDegToRad;
    const double E = 1 - 0.002516 * t - 0.0000074 * t * t;

    double sum = 0;
    sum += 6.288774 * std::sin(Mp);
    sum += 1.274027 * std::sin(2 * D - Mp);
    sum += 0.658314 * std::sin(2 * D);
    sum += 0.213618 * std::sin(2 * Mp);
    sum += -0.185116 * std::sin(M) * E;
    sum += -0.114332 * std::sin(2 * F);
    sum += 0.058793 * std::sin(2 * D - 2 * Mp);
    sum += 0.057066 * std::sin(2 * D - M - Mp) * E;
    sum += 0.053322 * std::sin(2 * D + Mp);
    sum += 0.045758 * std::sin(2 * D - M) * E;
    sum += -0.040923 * std::sin(M - Mp) * E;
    sum += -0.034720 * std::sin(D);
    sum += -0.030383 * std::sin(M + Mp) * E;
    sum += 0.015327 * std::sin(2 * D - 2 * F);
    sum += -0.012528 * std::sin(Mp + 2 * F);
    sum += 0.010980 * std::sin(Mp - 2 * F);
    sum += 0.010675 * std::sin(4 * D - Mp);
    sum += 0.010034 * std::sin(3 * Mp);
    sum += 0.008548 * std::sin(4 * D - 2 * Mp);
    sum += -0.007888 * std::sin(2 * D + M - Mp) * E;
    sum += -0.006766 * std::sin(2 * D + M) * E;
    sum += -0.005163 * std::sin(D - Mp);
    sum += 0.004987 * std::sin(D + M) * E;
    sum += 0.004036 * std::sin(2 * D - M + Mp) * E;
    sum += 0.003994 * std::sin(2 * D + 2 * Mp);

    double lambda = meanLongitude + sum;
    while (lambda < 0) {
        lambda = lambda + 360;
    }
    while (lambda > 360) {
        lambda = lambda - 360;
    }
    r.TropicalLongitude = lambda;

    double longitude = lambda + correction;
    if (longitude < 0) {
        longitude = longitude + 360;
    }
    r.MoonLongitude = NormalizeForText(longitude);

    // The nakshatra is found with the exact span of 800 minutes of arc.
    const int n = static_cast<int>(std::floor(60 * r.MoonLongitude / 800));
    r.NakshatraIndex = std::clamp(n, 0, 26);
    r.MoonNakshatraStart = NakshatraStarts[static_cast<std::size_t>(r.NakshatraIndex)];
    r.MoonPositionText = FormatLongitude(r.MoonLongitude);
    return r;
}

} // namespace selmarind
