#include "drawing/chart_style.h"

namespace selmarind {

std::string_view ChartStyleName(ChartStyle style) {
    switch (style) {
    case ChartStyle::North:
        return "north";
    case ChartStyle::East:
        return "east";
    case ChartStyle::South:
        break;
    }
    return "south";
}

std::optional<ChartStyle> ChartStyleOfName(std::string_view name) {
    for (const ChartStyle style : kChartStyles) {
        if (ChartStyleName(style) == name) {
            return style;
        }
    }
    return std::nullopt;
}

std::string_view ChartStyleTitle(ChartStyle style) {
    switch (style) {
    case ChartStyle::North:
        return "North Indian";
    case ChartStyle::East:
        return "East Indian";
    case ChartStyle::South:
        break;
    }
    return "South Indian";
}

} // namespace selmarind
