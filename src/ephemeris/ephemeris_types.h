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

// First and last instants accepted, UT: -2999-01-01 0h and 3000-01-01 0h
// (Gregorian, astronomical year numbering), the range of the analytical
// ephemeris. Instants outside are refused with an error.
inline constexpr double kFirstJdUt = 625697.5;
inline constexpr double kEndJdUt = 2816787.5; // excluded

} // namespace selmarind::ephemeris
