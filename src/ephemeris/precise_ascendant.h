// The sidereal ascendant, independent of any house system.
#pragma once

#include "ephemeris/ephemeris_types.h"

namespace selmarind::ephemeris {

// Sidereal longitude (in the zodiac of `ayanamsa`, true) of the ascendant at
// jdUt (UT) for `place`, degrees in [0, 360): the point of the ecliptic rising on the
// eastern horizon. The obliquity and the sidereal time are the true ones
// (with nutation). Within the polar circles the ecliptic point on the
// eastern half of the horizon is still the rising one, even where the
// textbook arctangent formula returns the setting point 180 degrees away;
// that holds up to |latitude| just below 90, where the ascendant tends to
// an equinox. Refused (error): a place with |latitude| >= 90, a longitude
// outside -180..180, an instant outside [kFirstJdUt, kEndJdUt), or a choice
// CheckAyanamsa refuses.
AngleResult SiderealAscendant(double jdUt, const Place& place, const AyanamsaChoice& ayanamsa = {});

} // namespace selmarind::ephemeris
