// The chart's positions and sunrise reference from the precise source (the
// Swiss Ephemeris), in place of the classic engine's. Everything after
// them (cells, houses, Torvi Lagna, special points) is the same for both.
#pragma once

#include "chart/chart_options.h"
#include "chart/chart_result.h"
#include "chart/special_points.h"
#include "engine/birth_record.h"

#include <array>
#include <optional>
#include <string>

namespace selmarind {

// Fills the positions of the ten bodies (texts, longitudes, retrograde marks
// from the sign of each planet's speed, display names), the ascendant, the
// ayanamsa (negative, as the classic source gives it), the Moon's nakshatra
// start and the ephemeris used, and the ten chart texts, all in the zodiac
// of `ayanamsa`. An error text of the ephemeris when it cannot compute, else
// empty.
std::string FillPrecisePositions(const BirthRecord& birth, const AyanamsaChoice& ayanamsa,
                                 ChartValues& chart,
                                 std::array<std::string, kBodyCount>& chartTexts);

// The sunrise reference of a birth from the precise source: sunrise and
// sunset of the local dates around it on the birth's clock, the reference
// chosen by the classic rule on the universal-time instants, the minutes and
// seconds counted on them, and the Sun at that sunrise in the zodiac of
// `ayanamsa`. Fills the sunrise values of `chart` and `in`. An error text,
// else empty.
std::string FillPreciseSunrise(const BirthRecord& birth, SunriseConvention convention,
                               const AyanamsaChoice& ayanamsa, ChartValues& chart,
                               SpecialPointInputs& in);

} // namespace selmarind
