// The texts of the Vimshottari periods that the report and the windows
// share. No Qt.
#pragma once

#include "chart/vimshottari.h"

#include <cstdint>
#include <string>
#include <vector>

namespace selmarind {

// The part of the first period left at birth in years of 365.25 days,
// months of a twelfth of such a year and whole days, truncated:
// "Venus, 12 years 3 months 4 days".
std::string DashaBalanceText(const DashaBalance& balance);

// The periods as text lines, one per period ("Venus      1975-05-01 to
// 1995-05-01") with its nine sub-periods indented below, dates in the
// birth's UTC offset (seconds, positive east); the sub-period running at
// `birth` is marked "(at birth)".
std::vector<std::string> DashaLines(const std::vector<DashaPeriod>& periods, UtInstant birth,
                                    std::int64_t utcOffsetSeconds);

} // namespace selmarind
