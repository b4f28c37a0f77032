// Types shared by every call of the precise position source: which ephemeris
// served a result, the place of an observer, and an angle with its error.
//
// The precise source wraps the Swiss Ephemeris. Times are universal time
// (UT1, which civil UTC follows to within 0.9 s) as Julian days, `jdUt`;
// the library converts to terrestrial time itself with its own Delta T.
// Nothing here throws or prints: a failure comes back as an error text.
#pragma once

#include <string>
#include <string_view>

namespace selmarind::ephemeris {

// The ephemeris that actually served a computation. The data files (JPL
// DE431 compressed, Debian package swe-basic-data) cover the years 1800 to
// 2399 and are accurate to about a milliarcsecond; outside those years, or
// when a file is missing from the data folder, the library falls back to
// its built-in analytical ephemeris (Moshier), good to about an arcsecond
// for the Sun and planets and a few arcseconds for the Moon. A damaged file
// is never a fallback: it is an error.
enum class Source {
    Files,
    Analytical,
};

// "swiss-files" or "swiss-analytical": the names shown and written for a
// chart computed from this source.
std::string_view SourceName(Source source);

// The analytical fallback when either served, so that a chart made of many
// computations names the weaker source.
inline Source WeakerSource(Source a, Source b) {
    return (a == Source::Analytical || b == Source::Analytical) ? Source::Analytical
                                                                : Source::Files;
}

// An observer at sea level on the geoid.
struct Place {
    double latitudeDeg = 0;  // geographic, north positive; |latitude| < 90
    double longitudeDeg = 0; // east positive, -180..180
};

// An angle computed from formulas alone (precession, nutation, sidereal
// time), the same whichever ephemeris serves the bodies.
struct AngleResult {
    double degrees = 0; // meaning and range given by the function
    std::string error;  // empty when computed; the value is then 0

    bool Ok() const { return error.empty(); }
};

// The sidereal zero point the bodies and the ascendant are measured from.
// Every one is "true": the nutation in longitude is added to the mean value,
// so a sidereal longitude is the apparent tropical one minus the ayanamsa of
// the same instant.
enum class AyanamsaMode {
    Lahiri,       // Indian Astronomical Ephemeris: 23°15'00.658" on 1956 March 21, 0h ET
    TrueChitra,   // the star Spica (Chitra) held at 180° sidereal
    Raman,        // B. V. Raman's value
    Krishnamurti, // the Krishnamurti system's value
    Yukteshwar,   // Sri Yukteshwar's value
    FaganBradley, // the Western sidereal value
    TruePushya,   // the star delta Cancri (Pushya) held at 106° sidereal
    User,         // userDegreesAtJ2000 at J2000.0, moved by the library's precession
};

// Accepted user values, degrees at J2000.0 (every traditional ayanamsa lies
// between about 19 and 28 degrees there; 0 is the tropical zodiac).
inline constexpr double kUserAyanamsaMinDeg = 0;
inline constexpr double kUserAyanamsaMaxDeg = 40;

struct AyanamsaChoice {
    AyanamsaMode mode = AyanamsaMode::Lahiri;
    // Used only by User: the mean ayanamsa in degrees at J2000.0
    // (JD 2451545.0 TT, 2000-01-01 12:00 TT, 64 s after 12:00 UT),
    // kUserAyanamsaMinDeg..kUserAyanamsaMaxDeg.
    double userDegreesAtJ2000 = 0;
    friend bool operator==(const AyanamsaChoice&, const AyanamsaChoice&) = default;
};

// Empty when the choice can be computed, else why not: a mode outside the
// list, or a user value that is not a finite number within the range.
std::string CheckAyanamsa(const AyanamsaChoice& choice);

// First and last instants accepted, UT: -2999-01-01 0h and 3000-01-01 0h
// (Gregorian, astronomical year numbering), the range of the analytical
// ephemeris. Instants outside are refused with an error.
inline constexpr double kFirstJdUt = 625697.5;
inline constexpr double kEndJdUt = 2816787.5; // excluded

} // namespace selmarind::ephemeris
