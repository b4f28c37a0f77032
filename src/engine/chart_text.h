// The chart text of a position, e.g. "17 Pis 31": two-digit degrees within
// the sign, the sign abbreviation at characters 4..6 (1-based), two-digit
// minutes. Every part of the program finds the sign of a position there.
#pragma once

#include "engine/text.h"

#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

// Chart text of a FormatLongitude text. Seconds are dropped, never carried.
// Empty for a text without the degree sign followed by the minutes mark.
std::string ToChartText(std::string_view dmsText);

// Sign index 0..11 whose abbreviation stands at characters 4..6 of a chart
// text; nothing when none does (or the text is shorter).
std::optional<int> SignOfChartText(std::string_view chartText);

} // namespace selmarind
