// Sidereal longitudes of the Sun, Mercury, Venus, Mars, Jupiter and Saturn
// from Keplerian orbits (JPL approximate elements and rates, mean ecliptic
// and equinox of J2000), the mean lunar node Rahu and its opposite Ketu, and
// the ten chart texts of a chart.
#pragma once

#include "engine/birth_record.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <array>
#include <optional>
#include <string>

namespace selmarind {

// Body index inside the planetary theory. EarthMoon is the Earth-Moon
// barycentre, the observer; seen from it, its own heliocentric place gives the
// Sun, so SiderealLongitude[EarthMoon] is the Sun's longitude.
enum PlanetIndex { Mercury = 0, Venus = 1, EarthMoon = 2, Mars = 3, Jupiter = 4, Saturn = 5 };

// The theory's index of a chart body: the Sun is the EarthMoon entry; the
// Moon, the nodes and the ascendant are not in the theory.
std::optional<PlanetIndex> TheoryIndexOf(Body body);

struct OrbitalElementSet {
    double a = 0;    // semi-major axis, AU
    double e = 0;    // eccentricity
    double i = 0;    // inclination, radians (not reduced)
    double node = 0; // longitude of the ascending node, radians (not reduced)
    double peri = 0; // longitude of perihelion, radians (not reduced)
    double L = 0;    // mean longitude, radians in [0, 2 pi)
};

// Inputs that earlier steps of the chart computed.
struct PlanetInputs {
    double Ayanamsa = 0;          // from ComputeAscendant, degrees (negative)
    std::string AscendantText;    // from ComputeAscendant
    std::string MoonPositionText; // from ComputeMoon
};

struct PlanetResult {
    std::array<std::string, 6> PlanetDmsText; // FormatLongitude texts by PlanetIndex
    std::string RahuDmsText;
    std::string KetuDmsText;
    // Chart texts of the ten bodies, indexed with Index(Body).
    std::array<std::string, kBodyCount> BodyPositionText;
    // Sidereal longitudes, degrees in [0, 360), by PlanetIndex (index 2 is the Sun).
    std::array<double, 6> SiderealLongitude{};
    double RahuLongitude = 0;
    double KetuLongitude = 0;
    CivilDateTime UniversalInstant; // the birth instant the bodies were computed for (UT)
    double DaysFromEpoch = 0;       // d of DaysFromJ2000 for that instant
};

// Days from 2000 January 1, 12:00 UT of the whole minute of a UT instant
// (its seconds are dropped): 367 y - floor(7 (y + floor((m + 9) / 12)) / 4)
// + floor(275 m / 9) + D - 730531.5 + (h + n / 60) / 24.
double DaysFromJ2000(const CivilDateTime& u);

// x reduced to [0, 2 pi) by truncating whole turns toward zero; a negative x
// within rounding of a whole turn comes out as 2 pi itself.
double Reduce2Pi(double x);

// True anomaly in radians, [0, 2 pi), from the mean anomaly M (radians) and
// the eccentricity e by Newton iteration on Kepler's equation (at most 100
// steps). NaN for an eccentricity outside [0, 1), which is no ellipse.
double TrueAnomaly(double M, double e);

// Elements of body k (0..5) at d days from J2000.0.
OrbitalElementSet OrbitalElements(int k, double d);

// Heliocentric position of the Earth-Moon barycentre in the ecliptic
// plane, AU. Every body of one instant is seen from the same point.
struct EarthPosition {
    double x = 0;
    double y = 0;
};

// The Earth-Moon barycentre at d days from J2000.0.
EarthPosition EarthAt(double d);

// Geocentric ecliptic longitude of body k (0..5; 2 gives the Sun) in
// degrees, in [0, 360], at d days from J2000.0, seen from `earth`, which
// must be EarthAt(d).
double GeocentricLongitude(int k, double d, const EarthPosition& earth);

// The Sun alone at a sunrise: what the sunrise points need.
struct SunriseSun {
    CivilDateTime UniversalInstant; // the sunrise instant (UT)
    double DaysFromEpoch = 0;       // d of DaysFromJ2000 for that instant
    double Longitude = 0;           // sidereal, degrees in [0, 360)
    std::string Text;               // chart text
    friend bool operator==(const SunriseSun&, const SunriseSun&) = default;
};

// The bodies at the birth instant (BirthUniversalTime, to the minute).
PlanetResult ComputePlanetPositions(const BirthRecord& birth, const PlanetInputs& inputs);

// The Sun alone at a sunrise given as a local clock reading on the birth's
// zone (seconds ignored). `includesSummerHour`: the sunrise time carries the
// summer hour, which is taken off again so that the instant is the true
// universal time of the sunrise. `ayanamsa` as in PlanetInputs.
SunriseSun ComputeSunriseSun(const BirthRecord& birth, double ayanamsa,
                             const CivilDateTime& sunriseLocal, bool includesSummerHour);

} // namespace selmarind
