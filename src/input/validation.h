// The checks of the birth-data entries, in the order the form runs them.
#pragma once

#include "input/birth_entries.h"

#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

enum class MessageIcon { Error, Information };

// The messages of the checks, as the form shows them (spaces included).
inline constexpr std::string_view kNameMessage = "Please Enter Name";
inline constexpr std::string_view kLonDegreeMessage =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
inline constexpr std::string_view kLonMinuteMessage =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
inline constexpr std::string_view kLatDegreeMessage =
    "Please Enter Value Between 0 And 89 in the Degree of Latitude";
inline constexpr std::string_view kLatMinuteMessage =
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
inline constexpr std::string_view kFebruaryMessage = "Please Enter Correct Date Or Month!";
inline constexpr std::string_view kThirtyDayMessage = "Please Enter Correct Date Or Month !";

// A daylight, summer or war-time entry of the zone list with the
// "Daylight Saving Time" box ticked would count the summer hour twice.
std::string DaylightEntryMessage(std::string_view entryName);

// The entry field that receives the keyboard focus after a fault.
enum class EntryField { None, txtName, txtLonD, txtLonM, txtLatD, txtLatM };

struct ValidationFault {
    std::string message; // shown as it stands in a message box captioned "Selmarind"
    MessageIcon icon = MessageIcon::Error;
    EntryField focus = EntryField::None; // None: the focus stays where it is
};

// The first fault of the entries, or nothing when they may be used. Texts
// are trimmed of spaces only. Degrees count the number they start with (0
// when none); minutes must be a number as a whole. A day, year or month index
// that names no date (unreadable, day outside 1..31, month outside 0..11) is
// refused with the February message. Last, a daylight, summer or war-time
// list entry with the summer-hour box ticked is refused with
// DaylightEntryMessage.
std::optional<ValidationFault> ValidateBirthData(const BirthEntries& entries);

} // namespace selmarind
