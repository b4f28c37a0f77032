// Ascendant and ayanamsa of the birth.
#pragma once

#include "engine/birth_record.h"

#include <string>

namespace selmarind {

struct AscendantResult {
    double Ayanamsa = 0;          // signed ayanamsa in degrees (negative after the 4th century)
    double AscendantSidereal = 0; // sidereal ascendant, degrees in [0, 360)
    double AscendantDegree = 0;   // floor(AscendantSidereal), 0..359
    std::string AscendantText;    // FormatLongitude of AscendantSidereal
    // Intermediate values, kept for checking against published examples.
    double T1900 = 0;             // Julian centuries from JD 2415020.0
    double SiderealTimeDeg = 0;   // local sidereal time, degrees
    double ObliquityDeg = 0;      // obliquity of the ecliptic, degrees
    double TropicalAscendant = 0; // degrees
};

// Two-argument arctangent in radians, in (-pi, pi], with pi = 3.14159265358979.
double ArcTangent2(double y, double x);

// x brought once toward [0, 360]: +360 if negative, then -360 if above 360.
// Exactly 360 stays 360, and a value just below 0 can land on 360.
double Wrap360Once(double x);

// Signed ayanamsa in degrees for T1900, Julian centuries of 36525 days from
// JD 2415020.0 (1900 January 0.5); about -22.466 at 0 and -23.854 at 1.
double ComputeAyanamsa(double t1900);

// Sidereal ascendant of the birth (universal time by LocalToUniversal): the
// ecliptic point on the eastern horizon. Inside the polar circles
// (|latitude| > 90 - obliquity of the date) the arctangent's point is turned
// by 180 degrees when its hour angle shows it setting; elsewhere the result
// is the textbook formula's, unchanged.
AscendantResult ComputeAscendant(const BirthRecord& birth);

} // namespace selmarind
