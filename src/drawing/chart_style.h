// The styles a chart can be drawn in. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace selmarind {

enum class ChartStyle {
    South, // fixed signs in a 4 x 4 square, Pisces top left, running clockwise
    North, // fixed houses in a diamond, house 1 top centre, running counter-clockwise
    East,  // fixed signs in a 3 x 3 square, Aries top centre, running counter-clockwise
};

inline constexpr std::array<ChartStyle, 3> kChartStyles = {ChartStyle::South, ChartStyle::North,
                                                           ChartStyle::East};

// "south" / "north" / "east": the name the tool, the settings and the
// records use.
std::string_view ChartStyleName(ChartStyle style);
// The style of such a name (exact, lower case); nothing for any other text.
std::optional<ChartStyle> ChartStyleOfName(std::string_view name);
// "South Indian" / "North Indian" / "East Indian": the name a reader sees.
std::string_view ChartStyleTitle(ChartStyle style);

} // namespace selmarind
