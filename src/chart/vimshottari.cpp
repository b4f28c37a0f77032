#include "chart/vimshottari.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace selmarind {

namespace {

// A sub-period lasts period years × own years / 120 years: a whole number of
// seconds, since a year of 31,557,600 s divides by 120.
constexpr std::int64_t kSecondsPerYearOver120 = kSecondsPerDashaYear / kDashaCycleYears;
static_assert(kSecondsPerYearOver120 * kDashaCycleYears == kSecondsPerDashaYear);

constexpr std::size_t SlotOf(Body lord) {
    for (std::size_t i = 0; i < kDashaLords.size(); ++i) {
        if (kDashaLords[i] == lord) {
            return i;
        }
    }
    return kDashaLords.size();
}

} // namespace

int DashaYearsOf(Body lord) {
    const std::size_t slot = SlotOf(lord);
    return slot < kDashaYears.size() ? kDashaYears[slot] : 0;
}

std::optional<DashaBalance> VimshottariBalance(double moonSiderealLongitudeDeg) {
    if (!std::isfinite(moonSiderealLongitudeDeg)) {
        return std::nullopt;
    }
    double x = std::fmod(moonSiderealLongitudeDeg, 360.0);
    if (x < 0) {
        x += 360;
    }
    // Mansions passed, as a real number in [0, 27]: L × 27 / 360.
    const double mansions = x * 3.0 / 40.0;
    double whole = std::floor(mansions);
    double fraction = mansions - whole;
    if (whole >= 27) { // a remainder that rounded up to the full turn
        whole = 0;
        fraction = 0;
    }
    DashaBalance b;
    b.nakshatra = static_cast<int>(whole);
    const std::size_t slot = static_cast<std::size_t>(b.nakshatra) % kDashaLords.size();
    b.lord = kDashaLords[slot];
    b.fractionPassed = fraction;
    const std::int64_t length = kDashaYears[slot] * kSecondsPerDashaYear;
    b.elapsedSeconds = std::llround(fraction * static_cast<double>(length));
    if (b.elapsedSeconds > length) {
        b.elapsedSeconds = length;
    }
    b.remainingSeconds = length - b.elapsedSeconds;
    return b;
}

std::vector<DashaPeriod> VimshottariPeriods(double moonSiderealLongitudeDeg, UtInstant birth) {
    const std::optional<DashaBalance> balance = VimshottariBalance(moonSiderealLongitudeDeg);
    // A birth so far out that the cycle's seconds would leave the int64 range
    // (beyond some 290 billion years) gets none rather than wrapped ones.
    constexpr std::int64_t kCycleSeconds = kDashaCycleYears * kSecondsPerDashaYear;
    if (!balance ||
        birth.serialSeconds < std::numeric_limits<std::int64_t>::min() + kCycleSeconds ||
        birth.serialSeconds > std::numeric_limits<std::int64_t>::max() - kCycleSeconds) {
        return {};
    }
    // Every boundary is cycleStart + a whole number of seconds.
    const std::int64_t cycleStart = birth.serialSeconds - balance->elapsedSeconds;
    const std::size_t first = SlotOf(balance->lord);
    std::vector<DashaPeriod> periods;
    periods.reserve(kDashaLords.size());
    std::int64_t periodStart = cycleStart;
    for (std::size_t n = 0; n < kDashaLords.size(); ++n) {
        const std::size_t slot = (first + n) % kDashaLords.size();
        const std::int64_t years = kDashaYears[slot];
        DashaPeriod period;
        period.lord = kDashaLords[slot];
        period.start = UtInstant{periodStart};
        period.end = UtInstant{periodStart + years * kSecondsPerDashaYear};
        period.sub.reserve(kDashaLords.size());
        std::int64_t subStart = periodStart;
        for (std::size_t m = 0; m < kDashaLords.size(); ++m) {
            const std::size_t subSlot = (slot + m) % kDashaLords.size();
            const std::int64_t length = years * kDashaYears[subSlot] * kSecondsPerYearOver120;
            period.sub.push_back(DashaPeriod{
                kDashaLords[subSlot], UtInstant{subStart}, UtInstant{subStart + length}, {}});
            subStart += length;
        }
        periodStart = period.end.serialSeconds;
        periods.push_back(std::move(period));
    }
    return periods;
}

std::optional<DashaPosition> RunningDasha(const std::vector<DashaPeriod>& periods, UtInstant at) {
    for (std::size_t p = 0; p < periods.size(); ++p) {
        const DashaPeriod& period = periods[p];
        if (at < period.start || !(at < period.end)) {
            continue;
        }
        for (std::size_t s = 0; s < period.sub.size(); ++s) {
            if (!(at < period.sub[s].start) && at < period.sub[s].end) {
                return DashaPosition{p, s};
            }
        }
        return DashaPosition{p, 0};
    }
    return std::nullopt;
}

CivilDateTime AtUtcOffset(UtInstant instant, std::int64_t utcOffsetSeconds) {
    return CivilFromSerialSeconds(instant.serialSeconds + utcOffsetSeconds);
}

UtInstant UtInstantOfUnixTime(std::int64_t unixSeconds) {
    // 1 January 1970 is serial day 25569.
    return UtInstant{unixSeconds + 25569LL * 86400};
}

UtInstant StartOfDateAtOffset(const CivilDate& date, std::int64_t utcOffsetSeconds) {
    return UtInstant{SerialDay(date) * 86400 - utcOffsetSeconds};
}

std::string DateTextAtOffset(UtInstant instant, std::int64_t utcOffsetSeconds) {
    const CivilDateTime t = AtUtcOffset(instant, utcOffsetSeconds);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

std::string IsoUtText(UtInstant instant) {
    const CivilDateTime t = instant.Civil();
    char text[48];
    const char* yearFormat = t.year >= 0 && t.year <= 9999 ? "%04d" : "%+05d";
    int n = std::snprintf(text, sizeof text, yearFormat, t.year);
    std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "-%02d-%02dT%02d:%02d:%02dZ",
                  t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

} // namespace selmarind
