// Local clock times of sunrise and sunset for one date at the birth place,
// from a compact low-precision solar model (constants in radians, zenith
// distance 90 degrees 50 minutes), and the fixed summer-time rule.
#pragma once

#include "engine/birth_record.h"
#include "engine/civil_time.h"

#include <optional>

namespace selmarind {

struct SunEvents {
    // Local clock time of each event on the given date; nothing when the Sun
    // does not cross the horizon that day (polar day or night).
    std::optional<ClockTime> sunrise;
    std::optional<ClockTime> sunset;
    // True when the summer-time hour was added to both times.
    bool summerHourApplied = false;
};

// True when the date at the clock hour falls inside the fixed summer-time
// window: from the first Sunday of April at 02:00 to the last Sunday of
// October at 02:00.
bool IsSummerTime(const CivilDate& date, int hour);

// Sunrise and sunset on `date` at the birth's place, as clock times of the
// birth's zone. The summer hour is added when the birth's box is ticked and
// IsSummerTime holds for `date` at the birth's clock hour. Without
// `withSunset` only the sunrise is computed and `sunset` stays empty.
SunEvents SunRiseSet(const BirthRecord& birth, const CivilDate& date, bool withSunset = true);

} // namespace selmarind
