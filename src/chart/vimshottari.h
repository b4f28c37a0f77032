// The Vimshottari periods (dashas) of a birth: a cycle of 120 years shared by
// nine lords, entered at the point the Moon had reached in its lunar mansion
// (nakshatra) at birth, and each period divided in the same proportions into
// nine sub-periods (antardashas).
//
// All instants are universal time, whole seconds (UtInstant). A year of the
// periods is 365.25 days. Every boundary is the birth, less the part of the
// first period already passed (rounded once to the second), plus a whole
// number of seconds, so periods and sub-periods join without gaps or overlaps.
#pragma once

#include "engine/birth_record.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selmarind {

// The nine lords in their order and the years of each.
inline constexpr std::array<Body, 9> kDashaLords = {Body::Ketu,    Body::Venus,  Body::Sun,
                                                    Body::Moon,    Body::Mars,   Body::Rahu,
                                                    Body::Jupiter, Body::Saturn, Body::Mercury};
inline constexpr std::array<int, 9> kDashaYears = {7, 20, 6, 10, 7, 18, 16, 19, 17};
inline constexpr int kDashaCycleYears = 120;
// 365.25 days of 86,400 s.
inline constexpr std::int64_t kSecondsPerDashaYear = 31'557'600;
// The span of one lunar mansion, 13° 20' (360 / 27), in degrees.
inline constexpr double kNakshatraSpanDeg = 40.0 / 3.0;

// The years of a lord's period; 0 for a body that rules none (the ascendant).
int DashaYearsOf(Body lord);

// One period or sub-period: [start, end), both UT.
struct DashaPeriod {
    Body lord = Body::Ketu;
    UtInstant start;              // UT, the first second of the period
    UtInstant end;                // UT, the start of the next one
    std::vector<DashaPeriod> sub; // nine sub-periods of a period; none in a sub-period
    friend bool operator==(const DashaPeriod&, const DashaPeriod&) = default;
};

// Where the Moon stood at birth and how much of the first period it leaves.
struct DashaBalance {
    int nakshatra = 0;                 // 0 (Ashwini) .. 26 (Revati): floor(L / 13° 20')
    Body lord = Body::Ketu;            // lord of the first period: kDashaLords[nakshatra mod 9]
    double fractionPassed = 0;         // part of the mansion already passed, [0, 1)
    std::int64_t elapsedSeconds = 0;   // of the first period before birth: f × its years, rounded
    std::int64_t remainingSeconds = 0; // of the first period from birth on
};

// The balance of a Moon's sidereal longitude (degrees; brought into [0, 360)
// first); nothing for an infinite or NaN longitude.
std::optional<DashaBalance> VimshottariBalance(double moonSiderealLongitudeDeg);

// The nine periods from the one running at birth (which began before the
// birth, by the balance's elapsed seconds), each with its nine sub-periods,
// the first sub-period of a period ruled by the period's own lord. Empty for
// an infinite or NaN longitude, and for a birth within 120 years of either
// end of the int64 seconds, whose boundaries could not be counted.
std::vector<DashaPeriod> VimshottariPeriods(double moonSiderealLongitudeDeg, UtInstant birth);

// The period and sub-period running at an instant, as indices into the list
// and into the period's `sub`; nothing before the first start or from the
// last end on.
struct DashaPosition {
    std::size_t period = 0;
    std::size_t sub = 0;
    friend bool operator==(const DashaPosition&, const DashaPosition&) = default;
};
std::optional<DashaPosition> RunningDasha(const std::vector<DashaPeriod>& periods, UtInstant at);

// The civil date and time of a UT instant on a clock that runs
// utcOffsetSeconds ahead of UT (positive east, summer hour included).
CivilDateTime AtUtcOffset(UtInstant instant, std::int64_t utcOffsetSeconds);

// The UT instant of a count of seconds since 1970-01-01 00:00 UT (a clock's
// "now"), leap seconds not counted, as POSIX time counts them.
UtInstant UtInstantOfUnixTime(std::int64_t unixSeconds);

// The first second of a civil date on a clock utcOffsetSeconds ahead of UT
// (positive east): the instant a date picked in the birth's offset begins.
UtInstant StartOfDateAtOffset(const CivilDate& date, std::int64_t utcOffsetSeconds);

// "YYYY-MM-DD": the date of a UT instant at a UTC offset (seconds, positive east).
std::string DateTextAtOffset(UtInstant instant, std::int64_t utcOffsetSeconds);

// ISO 8601 UT, "1980-01-05T03:35:00Z"; years outside 0..9999 are written
// with a sign and at least four digits ("-0001", "+10000").
std::string IsoUtText(UtInstant instant);

} // namespace selmarind
