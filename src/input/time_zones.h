// The fixed list of 71 time zones and the zone correction of each.
#pragma once

#include "engine/birth_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace selmarind {

struct TimeZoneEntry {
    std::string_view itemText; // as shown in the list; its offset is never parsed
    std::int16_t hours;        // zone correction, positive west of Greenwich
    std::int16_t minutes;      // same sign as hours
};

inline constexpr int kTimeZoneCount = 71;
inline constexpr int kGreenwichZoneIndex = 29;

const std::array<TimeZoneEntry, kTimeZoneCount>& TimeZoneList();

// Zone correction of list entry `index` (0..70); nothing for any other index.
std::optional<ZoneCorrection> Zone_Calculation(int index);

} // namespace selmarind
