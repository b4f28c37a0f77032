// The built-in station tables, defined in station_tables.cpp, which
// tools/station_generator writes.
#pragma once

#include "engine/retrogrades.h"

#include <array>
#include <span>

namespace selmarind {

// One table per planet, indexed as kRetrogradePlanets. Each holds the
// retrograde periods whose retrograde station falls in the years 1900 to 2050
// (UT), in chronological order; times are UT rounded to the minute, seconds 0.
extern const std::array<std::span<const StationPeriod>, kRetrogradePlanets.size()> kStationTables;

} // namespace selmarind
