// Sidereal positions of the chart's bodies and the ayanamsa, from the Swiss
// Ephemeris.
//
// The zodiac is sidereal with the chosen ayanamsa (Lahiri unless told
// otherwise), taken "true", that is with the nutation in longitude: a
// sidereal longitude is the apparent tropical longitude (true equinox of
// date, light-time and aberration applied) minus AyanamsaAt at the same
// instant with the same choice.
#pragma once

#include "ephemeris/ephemeris_types.h"

#include <array>
#include <string>
#include <string_view>

namespace selmarind::ephemeris {

// The bodies of a chart. MeanNode is the Moon's mean ascending node (Rahu);
// the descending node (Ketu) is 180 degrees from it with the same speed.
enum class Body {
    Sun,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    MeanNode,
};

inline constexpr std::array<Body, 8> kChartBodies = {
    Body::Sun,  Body::Moon,    Body::Mercury, Body::Venus,
    Body::Mars, Body::Jupiter, Body::Saturn,  Body::MeanNode,
};

// English name: "Sun" .. "Saturn", "Mean node".
std::string_view BodyName(Body body);

struct BodyPosition {
    // Geocentric apparent sidereal ecliptic longitude, degrees in [0, 360).
    double longitudeDeg = 0;
    // Rate of that longitude, degrees per day; negative while retrograde.
    // The mean node's is always negative (about -0.053).
    double speedDegPerDay = 0;
    // The ephemeris that served. The mean node is a formula of the lunar
    // theory that every ephemeris computes alike; it is reported with the
    // source that serves the Moon at the same instant.
    Source source = Source::Files;
    std::string error; // empty when computed; the numbers are then 0

    bool Ok() const { return error.empty(); }
    bool IsRetrograde() const { return speedDegPerDay < 0; }
};

// Position of `body` at jdUt (UT, Julian day in [kFirstJdUt, kEndJdUt))
// in the zodiac of `ayanamsa`; an error for a choice CheckAyanamsa refuses.
BodyPosition SiderealPosition(Body body, double jdUt, const AyanamsaChoice& ayanamsa = {});

// Ayanamsa at jdUt: degrees from the true equinox of date back to the
// sidereal zero point, with the nutation in longitude (up to ±17") added to
// the mean value. Lahiri's is about 23.853 at 2000-01-01 12:00 UT and grows
// by about 50.3" a year. Degrees in -180..180: a user value near 0 gives a
// small negative ayanamsa before J2000. An error for a choice CheckAyanamsa
// refuses.
AngleResult AyanamsaAt(double jdUt, const AyanamsaChoice& ayanamsa = {});

} // namespace selmarind::ephemeris
