// Retrograde marks from built-in tables of dated retrograde and direct
// stations of Mercury, Venus, Mars, Jupiter and Saturn, 1900 to 2050.
#pragma once

#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace selmarind {

// One retrograde period: the retrograde station and the following direct
// station, universal time to the minute.
struct StationPeriod {
    CivilDateTime StationStart;
    CivilDateTime StationEnd;
};

// The five planets with station tables, in RetrogradeFlags order.
inline constexpr std::array<std::string_view, 5> kRetrogradePlanets = {"Mercury", "Venus", "Mars",
                                                                       "Jupiter", "Saturn"};

// Station table of a planet named as in kRetrogradePlanets; empty for any
// other name.
std::span<const StationPeriod> LoadStationTable(std::string_view planet);

// True when the calendar date `birth` lies strictly after the date of a
// retrograde station of the planet and strictly before the date of the
// following direct station. The time of day never matters.
bool IsRetrograde(const CivilDate& birth, std::string_view planet);

struct RetrogradeMarks {
    std::array<bool, kRetrogradeBodies.size()>
        RetrogradeFlags{}; // Mercury, Venus, Mars, Jupiter, Saturn
    // Display names in chart order, " (R) " appended to retrograde planets.
    std::array<std::string, kBodyCount> BodyNames;
};

// Marks the retrograde planets for a birth on the local date `birth`.
RetrogradeMarks MarkRetrogrades(const CivilDate& birth);

} // namespace selmarind
