// The fixed list of 71 time zones and the zone correction of each.
#pragma once

#include "engine/birth_record.h"
#include "input/birth_entries.h"

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

// The entry's name: its item text up to the first comma
// ("Eastern Daylight Time" of "Eastern Daylight Time,EDT,-4.0").
std::string_view ZoneEntryName(const TimeZoneEntry& entry);

// Whether list entry `index` (0..70) is a daylight, summer or war-time
// entry (its name says Daylight, Summer or War Time), whose correction
// already includes the summer hour; false for any other index.
bool ListEntryIncludesDaylightSaving(int index);

// The index of the extra exact entry, after the list.
inline constexpr int kExactZoneIndex = kTimeZoneCount;

// The zone correction the entries select: a list entry, or the extra exact
// entry where it is selected and present (offsets within +-18 h); nothing
// otherwise.
std::optional<ZoneCorrection> SelectedZoneCorrection(const BirthEntries& entries);

} // namespace selmarind
