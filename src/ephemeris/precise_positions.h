// Sidereal positions of the chart's bodies and the ayanamsa, from the Swiss
// Ephemeris.
//
// The zodiac is sidereal with the Lahiri ayanamsa (the Indian Astronomical
// Ephemeris definition: 23°15'00.658" on 1956 March 21, 0h ET), taken "true",
// that is with the nutation in longitude: a sidereal longitude is the
// apparent tropical longitude (true equinox of date, light-time and
// aberration applied) minus LahiriAyanamsa at the same instant.
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

// Position of `body` at jdUt (UT, Julian day in [kFirstJdUt, kEndJdUt)).
BodyPosition SiderealPosition(Body body, double jdUt);

// Ayanamsa at jdUt: degrees from the true equinox of date back to the
// sidereal zero point, about 23.853 at 2000-01-01 12:00 UT and growing by
// about 50.3" a year, with the nutation in longitude (up to ±17") added to
// the mean value.
AngleResult LahiriAyanamsa(double jdUt);

} // namespace selmarind::ephemeris
