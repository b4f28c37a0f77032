// The Moon's sidereal longitude from the 25 largest terms of the lunar
// longitude series (Meeus, Astronomical Algorithms, table 47.A).
#pragma once

#include "engine/birth_record.h"

#include <array>
#include <string>

namespace selmarind {

// Start of each nakshatra in degrees, 13.33 times the index (two decimals).
extern const std::array<double, 27> NakshatraStarts;

struct MoonResult {
    double MoonLongitude = 0;      // sidereal geocentric longitude, degrees in [0, 360)
    std::string MoonPositionText;  // FormatLongitude of MoonLongitude
    double MoonNakshatraStart = 0; // NakshatraStarts entry of the Moon's nakshatra
    int NakshatraIndex = 0;        // 0..26
    double TropicalLongitude = 0;  // degrees, before the sidereal correction
};

// Minus the ayanamsa in degrees for T in Julian centuries from J2000.0
// (sidereal = tropical + result).
double SiderealCorrection(double t);

MoonResult ComputeMoon(const BirthRecord& birth);

} // namespace selmarind
