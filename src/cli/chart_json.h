// The JSON form of a chart: "form" with every text of the result form under
// its control name, "chart" with the computed values.
#pragma once

#include "chart/chart_result.h"
#include "cli/json_writer.h"
#include "cli/place_input.h"
#include "drawing/chart_style.h"

#include <optional>
#include <string>

namespace selmarind::cli {

// Writes the members "place" (only when `place` is given), "form" and
// "chart" into the object open in `writer`; "chart" holds "navamsa" always,
// "dasha" (the Vimshottari periods) only with `withDasha`, and ends with
// "style", the name of the style the chart is drawn in.
void WriteChartMembers(JsonWriter& writer, const ChartResult& result,
                       const std::optional<PlaceSummary>& place = std::nullopt,
                       ChartStyle style = ChartStyle::South, bool withDasha = false);

// One JSON object holding "place" (when given), "form" and "chart".
std::string ChartJson(const ChartResult& result, bool indented,
                      const std::optional<PlaceSummary>& place = std::nullopt,
                      ChartStyle style = ChartStyle::South, bool withDasha = false);

} // namespace selmarind::cli
