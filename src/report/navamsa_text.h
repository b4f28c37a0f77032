// The texts of the Navamsa (D9) chart that the report and the windows share:
// the cells of the drawn chart and the sentence naming its Torvi Lagna.
// No Qt.
#pragma once

#include "chart/chart_result.h"

#include <array>
#include <string>

namespace selmarind {

// The Navamsa's cells by sign index 0..11, written as the birth chart's are:
// "\r\n" and the body's display name (" (R) " on a retrograde planet, as in
// the birth chart) for each body in the sign, in body order.
std::array<std::string, 12> NavamsaSignCells(const ChartValues& chart);

// The Navamsa's marker labels by sign index: "\r\nTL" in the cell of its
// Torvi Lagna, empty elsewhere.
std::array<std::string, 12> NavamsaMarkerLabels(const ChartValues& chart);

// One sentence naming the Navamsa's Torvi Lagna, e.g. "The Torvi Lagna of the
// Navamsa is Leo: Mars, lord of the Navamsa ascendant's sign Aries, stands
// there." Empty for a chart whose Navamsa Torvi Lagna is not 1..12.
std::string NavamsaTorviLagnaSentence(const ChartValues& chart);

} // namespace selmarind
