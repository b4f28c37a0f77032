// The user's choices of how charts are computed (position source, sunrise
// convention), kept with QSettings and read whenever a chart is calculated.
#pragma once

#include "chart/chart_options.h"

namespace selmarind {

// The stored choice; classic positions and the upper-limb sunrise when
// nothing (or nothing readable) is stored.
ChartOptions LoadChartPreferences();

void SaveChartPreferences(const ChartOptions& options);

} // namespace selmarind
