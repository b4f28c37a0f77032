// The chart calculation: from the entries of the birth-data form to a
// finished result, running the engine steps in their fixed order.
#pragma once

#include "chart/chart_options.h"
#include "chart/chart_result.h"
#include "input/birth_entries.h"

#include <optional>
#include <string>

namespace selmarind {

// Computes the chart of entries that passed ValidateBirthData. Returns
// nothing when they did not pass or an entry does not convert; a result is
// never built from values of an earlier chart.
std::optional<ChartResult> CalculateChart(const BirthEntries& entries,
                                          const ChartOptions& options = {});

// The reason of the last CalculateChart of this thread that gave no chart
// for entries that passed the checks (an ephemeris error), or empty.
const std::string& LastChartFailure();

} // namespace selmarind
