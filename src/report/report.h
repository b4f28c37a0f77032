// The plain-text report of a chart: details, positions, the chart drawn as
// a South Indian square, the Torvi Lagna with its house and sentence, and
// the attributes and predictions of its sign.
#pragma once

#include "chart/chart_result.h"
#include "input/birth_entries.h"

#include <array>
#include <string>

namespace selmarind {

// "H:MM" of a clock time, e.g. "6:05".
std::string ClockText(const ClockTime& time);

// The report; its Navamsa section is always there, its Vimshottari section
// (the nine periods, each with its nine sub-periods) only with `withDasha`.
std::string PlainReport(const ChartResult& result, const BirthEntries& entries,
                        bool withDasha = false);

// The twelve signs drawn as a South Indian chart: fixed signs, Pisces in
// the top-left corner, Aries to Gemini across the top, Cancer and Leo down
// the right side, Virgo to Sagittarius across the bottom from the right,
// Capricorn and Aquarius up the left side. Each cell shows its sign's
// abbreviation, then the lines of its sign cell and the visible markers.
std::string SouthIndianChart(const std::array<std::string, 12>& signCells,
                             const std::array<std::string, 12>& markerLabels);

} // namespace selmarind
