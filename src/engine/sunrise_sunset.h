// Local clock times of sunrise and sunset for one date at the birth place,
// from a compact low-precision solar model (constants in radians, zenith
// distance 90 degrees 50 minutes), and the fixed summer-time rule.
#pragma once

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

// True when the date and hour fall inside summer time: from the first Sunday
// of April at 02:00 to the last Sunday of October at 02:00. weekday: 0 =
// Sunday .. 6 = Saturday.
bool IsSummerTime(int day, int weekday, int month, int hour);

// Sunrise and sunset on month/day/year at the place. latitude: degrees and
// minutes, negated when isSouth; longitude: degrees and minutes, east
// positive here (negated when !isEast); zoneHours, zoneMinutes: the signed
// zone correction (positive west); the summer-time hour is added when isDST
// and IsSummerTime of the date and `hour` hold. `minute` is not consulted.
// Without `withSunset` only the sunrise is computed and `sunset` stays empty.
SunEvents SunRiseSet(int month, int day, int year, int hour, int minute, int latitudeDegrees,
                     int latitudeMinutes, bool isSouth, int longitudeDegrees, int longitudeMinutes,
                     bool isEast, int zoneHours, int zoneMinutes, bool isDST,
                     bool withSunset = true);

} // namespace selmarind
