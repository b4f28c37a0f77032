// The birth record: one person's birth data as the engine reads it.
#pragma once

#include <cstdint>
#include <string>

namespace selmarind {

// Filled by the chart driver from the birth-data form; read by every engine
// step. Degree and minute fields are the unsigned numbers the user typed; the
// hemisphere travels only in IsEast and IsSouth.
struct BirthRecord {
    std::string BirthName;
    std::int16_t BirthMonth = 1;   // 1..12
    std::int16_t BirthDay = 1;     // 1..31
    std::int16_t BirthYear = 1901; // Gregorian year
    std::int16_t BirthHour = 0;    // local clock hour, 0..23
    std::int16_t BirthMinute = 0;  // local clock minute, 0..59
    std::int16_t BirthSecond = 0;  // local clock second, 0..59 (only the sunrise reference uses it)

    // Zone correction of the selected time zone: hours and minutes with one
    // sign, which added to local clock time give universal time (positive
    // west of Greenwich: a zone 5 h 30 min east is -5 and -30).
    std::int16_t ZoneOffsetHours = 0;
    std::int16_t ZoneOffsetMinutes = 0;
    std::int16_t ZoneHoursAbs = 0;   // |ZoneOffsetHours|
    std::int16_t ZoneMinutesAbs = 0; // |ZoneOffsetMinutes|

    std::int16_t LongitudeDegrees = 0; // 0..179
    std::int16_t LongitudeMinutes = 0; // 0..59
    std::int16_t LatitudeDegrees = 0;  // 0..89
    std::int16_t LatitudeMinutes = 0;  // 0..59
    bool IsEast = true;                // East option selected (false: West)
    bool IsSouth = false;              // South option selected (false: North)
    bool IsDST = false;                // daylight-saving box ticked
};

} // namespace selmarind
