// Sunrise and sunset from the Swiss Ephemeris.
#pragma once

#include "ephemeris/ephemeris_types.h"

#include <optional>
#include <string>

namespace selmarind::ephemeris {

enum class SunEvent {
    Rise,
    Set,
};

// When the Sun counts as on the horizon.
enum class SunHorizon {
    // The upper limb touches the horizon seen through the refraction of the
    // standard conditions of the usual refraction formulae (1013.25 hPa,
    // 10 °C: about 34.6' at the horizon), with the Sun's true semidiameter
    // and topocentric position: the centre is then about 50.6' below the
    // horizon, where almanacs take a fixed 50'.
    UpperLimbRefracted,
    // The centre of the disc on the geometric horizon, without refraction,
    // seen from the Earth's centre, as the Indian almanacs reckon the day.
    // The Sun rises a few minutes later and sets a few minutes earlier.
    CentreWithoutRefraction,
};

struct SunEventResult {
    // Instant of the event, UT Julian day, when one falls in the window;
    // nothing when none does (polar day or night, or the window too short).
    std::optional<double> jdUt;
    Source source = Source::Files; // the ephemeris that served the Sun
    std::string error;             // empty when computed; jdUt is then empty

    bool Ok() const { return error.empty(); }
};

// The first sunrise or sunset at `place` in [jdUtFrom, jdUtTo) (UT). Each
// window is searched on its own: near the poles the next event may lie weeks
// after the window, and is then not returned. An empty window (jdUtTo <=
// jdUtFrom) has no event. Refused (error): an instant outside [kFirstJdUt,
// kEndJdUt), |latitude| >= 90, longitude outside -180..180.
SunEventResult SunEventBetween(double jdUtFrom, double jdUtTo, const Place& place, SunEvent event,
                               SunHorizon horizon);

} // namespace selmarind::ephemeris
