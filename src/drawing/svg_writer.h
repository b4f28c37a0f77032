// A chart as a standalone SVG document. No Qt.
//
// One <g class="cell"> per sign, with data-sign (1..12), data-house (1..12,
// counted from the ascendant's sign) and an aria-label holding the cell's
// sentence; its texts as <text> elements. A <title> names the person and the
// style; a header gives the name, date, time, place and position source; the
// legend of the points follows under the chart when they are shown.
#pragma once

#include "chart/chart_result.h"
#include "drawing/chart_geometry.h"
#include "drawing/chart_style.h"

#include <string>
#include <string_view>

namespace selmarind {

// `text` with &, <, >, " and ' written as XML references, and characters
// XML 1.0 cannot hold (controls other than tab, line feed and carriage
// return; invalid UTF-8) as U+FFFD.
std::string XmlEscaped(std::string_view text);

// The whole document for a finished chart in `style`.
std::string ChartSvg(const ChartResult& result, ChartStyle style, bool withPoints);

// The document for a drawing already made; `result` gives the header texts.
std::string ChartSvgOfDrawing(const ChartResult& result, const ChartDrawing& drawing);

} // namespace selmarind
