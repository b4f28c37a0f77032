// Arudha signs of the houses and the Torvi Lagna, the sign occupied by the
// lord of the ascendant's sign.
#pragma once

#include "engine/name_tables.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

// The "indu" (ninth-lord) point is found from two kala values: the value of
// the lord of the ninth sign counted from the ascendant's sign and from the
// Moon's. NinthLordKala holds that value for each starting sign, Aries
// (index 0) to Pisces (11); the point lies (sum mod 12) signs on from the
// ascendant's sign (InduStartSign).
inline constexpr std::array<int, 12> NinthLordKala = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

// Working state of the twelve calls for one chart; sign numbers 1..12.
struct ArudhaState {
    int HouseCounter = 0;              // house being worked on, 1..12 after the call
    int CurrentLordSign = 0;           // sign of the current house's lord
    int HouseSign = 0;                 // ascendant's sign + HouseCounter - 1, not reduced (1..23)
    int HouseLordSign = 0;             // sign of the ascendant's lord, set on house 1
    int InduStartSign = 0;             // the ascendant's sign, set on house 1
    int InduKalaFromLagna = 0;         // NinthLordKala of the ascendant's sign
    int InduKalaFromMoon = 0;          // NinthLordKala of the Moon's sign
    int TorviLagnaSign = 0;            // 1..12; 0 until house 1 finds the ascendant's lord
    std::array<int, 12> ArudhaSigns{}; // arudha sign (1..12) of houses 1..12; 0 until worked

    // Arudha sign of house 1..12; 0 for a house not worked yet or outside 1..12.
    int ArudhaSignOfHouse(int house) const {
        return house >= 1 && house <= 12 ? ArudhaSigns[static_cast<std::size_t>(house - 1)] : 0;
    }
};

// What every house reads of the ten bodies, read once for all twelve.
struct ArudhaBodies {
    std::array<int, kBodyCount> signNumber{}; // 1..12; 0 for none
    // Display names, copied: they outlive the caller's texts.
    std::array<std::string, kBodyCount> names;
};

// The bodies of a chart from the sign index (0..11) of each body in chart
// order; a body with no sign, or an index outside 0..11, gets none.
ArudhaBodies ReadArudhaBodies(const std::array<std::optional<int>, kBodyCount>& signIndex,
                              const std::array<std::string, kBodyCount>& bodyNames);

// One house, in house order from the ascendant's sign. bodies: the ten
// bodies' signs and display names (a retrograde lord is recognised with or
// without its " (R) " marker; a sign outside 1..12 counts as none);
// lordName: the lord of the house's sign.
// Appends "\r\n" to the marker label of the arudha sign and, on house 1,
// "\r\n" "TL" to that of the Torvi Lagna (labels by sign index).
void ComputeArudha(std::string_view lordName, const ArudhaBodies& bodies, ArudhaState& state,
                   std::array<std::string, 12>& markerLabels);

} // namespace selmarind
