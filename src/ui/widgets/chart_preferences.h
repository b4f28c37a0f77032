// The user's choices of how charts are computed (position source, sunrise
// convention, ayanamsa), kept with QSettings and read whenever a chart is
// calculated.
#pragma once

#include "chart/chart_options.h"

namespace selmarind {

// The stored choice; classic positions, the upper-limb sunrise and Lahiri
// when nothing (or nothing readable) is stored. The ayanamsa is the one
// remembered for the precise positions, kept while classic is chosen.
ChartOptions LoadChartPreferences();

void SaveChartPreferences(const ChartOptions& options);

} // namespace selmarind
