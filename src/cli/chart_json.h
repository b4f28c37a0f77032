// The JSON form of a chart: "form" with every text of the result form under
// its control name, "chart" with the computed values.
#pragma once

#include "chart/chart_result.h"
#include "cli/json_writer.h"

#include <optional>
#include <string>

namespace selmarind::cli {

// Writes the members "form" and "chart" into the object open in `writer`.
void WriteChartMembers(JsonWriter& writer, const ChartResult& result);

// One JSON object holding "form" and "chart".
std::string ChartJson(const ChartResult& result, bool indented);

} // namespace selmarind::cli
