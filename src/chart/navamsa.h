// The ninth-part (D9, Navamsa) chart: each sign divided into nine parts of
// 3° 20', each part given a sign, and the Torvi Lagna of that chart.
#pragma once

#include "engine/name_tables.h"

#include <array>
#include <optional>

namespace selmarind {

// The D9 sign index (Aries 0 .. Pisces 11) of a sidereal longitude in
// degrees: the integer part of L × 9 / 30, modulo 12. A longitude outside
// [0, 360) is first brought into it; nothing for an infinite or NaN one.
// The same as counting the part from the sign itself in a movable sign,
// from its ninth in a fixed sign and from its fifth in a dual sign.
std::optional<int> NavamsaSignIndex(double siderealLongitudeDeg);

// The D9 chart of the ten bodies.
struct NavamsaChart {
    std::array<int, kBodyCount> signs{}; // body order (Index(Body)), sign index 0..11
    // 1..12 from Aries: the D9 sign occupied by the lord (kSignLords) of the
    // D9 ascendant's sign.
    int torviLagnaSign = 0;

    int AscendantSignIndex() const { return signs[Index(Body::Ascendant)]; }
    friend bool operator==(const NavamsaChart&, const NavamsaChart&) = default;
};

// The D9 chart of the ten sidereal longitudes (degrees, body order, the
// ascendant's at Index(Body::Ascendant)); nothing when any is not finite.
std::optional<NavamsaChart>
ComputeNavamsa(const std::array<double, kBodyCount>& siderealLongitudeDeg);

} // namespace selmarind
