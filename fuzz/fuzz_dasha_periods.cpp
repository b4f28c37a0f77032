// Fuzzes the Vimshottari periods with any Moon longitude and birth instant.
//
// Input (FuzzedDataProvider): a mode byte; a longitude, either any double
// by its bits (NaN, infinities, huge, subnormal) or a mansion boundary
// k × 13° 20' moved by a few units in the last place; a birth instant, any
// int64 or one within the calendar's reach; an instant to look up; a UTC
// offset in seconds.
//
// A longitude that is not finite gives no balance and no periods. Any other
// gives a balance whose parts add up to the first period, and nine periods
// that start the balance's elapsed seconds before the birth, run through the
// lords in their order, join without gaps or overlaps, last their years to
// the second and are each filled by nine sub-periods that join the same way;
// 120 years in all. The running period of any instant lies around it, and
// the dates of every boundary read back as the instant's own date. A birth
// whose cycle would leave the range of the seconds gives no periods rather
// than wrapping.
#include "chart/vimshottari.h"
#include "fuzz_checks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

using namespace selmarind;
using selmarind::fuzz::Require;

namespace {

constexpr std::int64_t kCycleSeconds = kDashaCycleYears * kSecondsPerDashaYear;
// Births within about ±35 million years: their dates still fit an int year.
constexpr std::int64_t kCalendarReach = std::int64_t{1} << 50;

double LongitudeOf(FuzzedDataProvider& in, std::uint8_t mode) {
    if ((mode & 1u) == 0) {
        const auto bits = in.ConsumeIntegral<std::uint64_t>();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // Near a mansion boundary, also below 0 and past a whole turn.
    const int k = in.ConsumeIntegralInRange<int>(-30, 60);
    double value = k * kNakshatraSpanDeg;
    for (int steps = in.ConsumeIntegralInRange<int>(-4, 4); steps != 0;
         steps += steps > 0 ? -1 : 1) {
        value = std::nextafter(value, steps > 0 ? 1e9 : -1e9);
    }
    return value;
}

void RequireDate(const std::string& text, const CivilDateTime& civil) {
    char expected[48];
    std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    Require(text == expected, "a boundary's date text is not its date");
}

void CheckBalance(double longitude, const DashaBalance& b) {
    Require(b.nakshatra >= 0 && b.nakshatra <= 26, "a mansion outside 0..26");
    Require(b.lord == kDashaLords[static_cast<std::size_t>(b.nakshatra) % 9],
            "the first lord is not the mansion's");
    Require(b.fractionPassed >= 0 && b.fractionPassed < 1, "a fraction passed outside [0, 1)");
    const std::int64_t length = DashaYearsOf(b.lord) * kSecondsPerDashaYear;
    Require(b.elapsedSeconds >= 0 && b.remainingSeconds >= 0 &&
                b.elapsedSeconds + b.remainingSeconds == length,
            "elapsed and remaining are not the first period");
    // The mansion and the fraction give back the longitude (mod 360), to the
    // rounding of the reduction.
    double reduced = std::fmod(longitude, 360.0);
    if (reduced < 0) {
        reduced += 360;
    }
    const double back = (b.nakshatra + b.fractionPassed) * kNakshatraSpanDeg;
    const double gap = std::fabs(back - reduced);
    Require(gap < 1e-9 || std::fabs(gap - 360) < 1e-9, "the balance is not where the Moon is");
}

void CheckPeriods(const DashaBalance& b, UtInstant birth, const std::vector<DashaPeriod>& periods) {
    Require(periods.size() == 9, "not nine periods");
    Require(periods.front().start.serialSeconds == birth.serialSeconds - b.elapsedSeconds,
            "the first period does not start the elapsed part before the birth");
    Require(periods.front().start <= birth && birth <= periods.front().end,
            "the birth outside the first period");
    Require(periods.back().end.serialSeconds - periods.front().start.serialSeconds == kCycleSeconds,
            "the periods do not last 120 years");
    std::size_t slot = 0;
    while (kDashaLords[slot] != b.lord) {
        ++slot;
    }
    for (std::size_t p = 0; p < periods.size(); ++p) {
        const DashaPeriod& period = periods[p];
        Require(period.lord == kDashaLords[(slot + p) % 9], "periods out of the lords' order");
        Require(period.end.serialSeconds - period.start.serialSeconds ==
                    DashaYearsOf(period.lord) * kSecondsPerDashaYear,
                "a period not lasting its years");
        Require(p == 0 || periods[p - 1].end == period.start, "periods that do not join");
        Require(period.sub.size() == 9, "not nine sub-periods");
        Require(period.sub.front().start == period.start && period.sub.back().end == period.end,
                "sub-periods that do not fill their period");
        for (std::size_t s = 0; s < period.sub.size(); ++s) {
            const DashaPeriod& sub = period.sub[s];
            Require(sub.lord == kDashaLords[(slot + p + s) % 9], "sub-periods out of order");
            Require(sub.sub.empty(), "a sub-period with sub-periods");
            Require(sub.start < sub.end, "an empty sub-period");
            Require(s == 0 || period.sub[s - 1].end == sub.start, "sub-periods that do not join");
            // period years × own years / 120 years, exactly.
            Require((sub.end.serialSeconds - sub.start.serialSeconds) * kDashaCycleYears ==
                        std::int64_t{DashaYearsOf(period.lord)} * DashaYearsOf(sub.lord) *
                            kSecondsPerDashaYear,
                    "a sub-period of the wrong length");
        }
    }
}

void CheckRunning(const std::vector<DashaPeriod>& periods, UtInstant at) {
    const std::optional<DashaPosition> running = RunningDasha(periods, at);
    const bool within = !periods.empty() && periods.front().start <= at && at < periods.back().end;
    Require(running.has_value() == within, "a running period outside the periods or none inside");
    if (running) {
        Require(running->period < periods.size(), "a running period beyond the list");
        const DashaPeriod& period = periods[running->period];
        Require(running->sub < period.sub.size(), "a running sub-period beyond the list");
        const DashaPeriod& sub = period.sub[running->sub];
        Require(period.start <= at && at < period.end && sub.start <= at && at < sub.end,
                "the running period does not hold the instant");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto mode = in.ConsumeIntegral<std::uint8_t>();
    const double longitude = LongitudeOf(in, mode);
    const UtInstant birth{(mode & 2u) != 0 ? in.ConsumeIntegral<std::int64_t>()
                                           : in.ConsumeIntegralInRange<std::int64_t>(
                                                 -kCalendarReach, kCalendarReach)};
    const auto atOffset =
        in.ConsumeIntegralInRange<std::int64_t>(-2 * kCycleSeconds, 2 * kCycleSeconds);
    const auto utcOffset = in.ConsumeIntegralInRange<std::int64_t>(-14 * 3600, 14 * 3600);

    const std::optional<DashaBalance> balance = VimshottariBalance(longitude);
    const std::vector<DashaPeriod> periods = VimshottariPeriods(longitude, birth);
    if (!std::isfinite(longitude)) {
        Require(!balance && periods.empty(), "periods of a longitude that is not finite");
        return 0;
    }
    Require(balance.has_value(), "no balance of a finite longitude");
    CheckBalance(longitude, *balance);

    // The cycle runs from up to one period before the birth to 120 years after.
    const bool fits =
        birth.serialSeconds >= std::numeric_limits<std::int64_t>::min() + kCycleSeconds &&
        birth.serialSeconds <= std::numeric_limits<std::int64_t>::max() - kCycleSeconds;
    if (!fits) {
        Require(periods.empty(), "periods of a birth whose cycle leaves the range");
        return 0;
    }
    CheckPeriods(*balance, birth, periods);
    CheckRunning(periods, birth);
    Require(balance->remainingSeconds == 0 || RunningDasha(periods, birth)->period == 0,
            "the birth not in the first period");
    std::int64_t at = 0;
    if (!__builtin_add_overflow(birth.serialSeconds, atOffset, &at)) {
        CheckRunning(periods, UtInstant{at});
    }
    CheckRunning(periods, periods.back().end);
    CheckRunning(periods, UtInstant{periods.front().start.serialSeconds - 1});

    if (birth.serialSeconds > -kCalendarReach && birth.serialSeconds < kCalendarReach) {
        for (const DashaPeriod& period : periods) {
            for (const DashaPeriod& sub : period.sub) {
                RequireDate(DateTextAtOffset(sub.start, utcOffset),
                            AtUtcOffset(sub.start, utcOffset));
                const std::string iso = IsoUtText(sub.start);
                Require(iso.size() >= 20 && iso.back() == 'Z', "an ISO instant of the wrong shape");
                const CivilDateTime t = sub.start.Civil();
                Require(StartOfDateAtOffset(AtUtcOffset(sub.start, utcOffset).date(), utcOffset)
                                    .serialSeconds <= sub.start.serialSeconds &&
                            t.hour >= 0 && t.hour < 24,
                        "a date that starts after its own instant");
            }
        }
    }
    return 0;
}
