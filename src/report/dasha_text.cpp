#include "report/dasha_text.h"

#include "engine/name_tables.h"

#include <cstddef>

namespace selmarind {

namespace {

std::string Counted(std::int64_t n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

std::string LordName(Body lord) {
    return std::string(kBodyNames[Index(lord)]);
}

std::string PeriodLine(const DashaPeriod& period, std::int64_t utcOffsetSeconds) {
    std::string name = LordName(period.lord);
    name.resize(9, ' ');
    return name + " " + DateTextAtOffset(period.start, utcOffsetSeconds) + " to " +
           DateTextAtOffset(period.end, utcOffsetSeconds);
}

} // namespace

std::string DashaBalanceText(const DashaBalance& balance) {
    constexpr std::int64_t kMonth = kSecondsPerDashaYear / 12;
    std::int64_t rest = balance.remainingSeconds;
    const std::int64_t years = rest / kSecondsPerDashaYear;
    rest -= years * kSecondsPerDashaYear;
    const std::int64_t months = rest / kMonth;
    rest -= months * kMonth;
    const std::int64_t days = rest / 86400;
    return LordName(balance.lord) + ", " + Counted(years, "year") + " " + Counted(months, "month") +
           " " + Counted(days, "day");
}

std::vector<std::string> DashaLines(const std::vector<DashaPeriod>& periods, UtInstant birth,
                                    std::int64_t utcOffsetSeconds) {
    const std::optional<DashaPosition> atBirth = RunningDasha(periods, birth);
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < periods.size(); ++p) {
        lines.push_back(PeriodLine(periods[p], utcOffsetSeconds));
        for (std::size_t s = 0; s < periods[p].sub.size(); ++s) {
            std::string line = "    " + PeriodLine(periods[p].sub[s], utcOffsetSeconds);
            if (atBirth && atBirth->period == p && atBirth->sub == s) {
                line += "  (at birth)";
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace selmarind
