// One birth as the command-line tool takes it (one text per option or CSV
// field), checked the way the birth-data form checks what is typed and
// picked, and turned into the form's entries.
#pragma once

#include "chart/chart_options.h"
#include "engine/civil_time.h"
#include "input/birth_entries.h"

#include <optional>
#include <string>

namespace selmarind::cli {

struct BirthFields {
    std::string name; // letters and spaces
    std::string date; // YYYY-MM-DD
    std::string time; // HH:MM or HH:MM:SS
    std::string zone; // list index 0..70 or an item text of the time-zone list
    std::string lat;  // degrees, N or S, minutes: 28N36
    std::string lon;  // degrees, E or W, minutes: 77E13
    bool dst = false;
    std::string city;
    std::string state;
    std::string country;
};

// Messages for what the form's fields cannot hold at all; the form's own
// messages come from its key filters and ValidateBirthData.
inline constexpr const char* kLatitudeFormatMessage =
    "Please Enter the Latitude as Degrees, N or S, Minutes (for example 28N36)";
inline constexpr const char* kLongitudeFormatMessage =
    "Please Enter the Longitude as Degrees, E or W, Minutes (for example 77E13)";
inline constexpr const char* kDateFormatMessage = "Please Enter the Date as YYYY-MM-DD";
inline constexpr const char* kYearRangeMessage = "Please Enter a Year Between 1901 And 2050";
// The message for the span of years of a position source: for the classic
// one kYearRangeMessage and, on a second line, that the precise positions
// reach further ("Precise positions (--positions precise, or the Tools menu
// of the program) allow the years 1800 to 2399."); for the precise one
// "Please Enter a Year Between 1800 And 2399" alone.
std::string YearRangeMessage(YearRange years);
inline constexpr const char* kTimeFormatMessage = "Please Enter the Time as HH:MM or HH:MM:SS";
inline constexpr const char* kZoneMessage =
    "Please Enter a Time Zone Index Between 0 And 70 or a Zone Exactly as --list-zones Shows It";

struct EntriesOrFault {
    std::optional<BirthEntries> entries; // set when every check passed
    CivilDateTime clock;                 // the birth's date and clock time, with the entries
    std::string message;                 // the first fault otherwise
};

// Checks the fields and builds the entries. The checks of what is typed
// (characters, field lengths, formats) run first, field by field in the
// order name, longitude, latitude, date, time, zone; then ValidateBirthData
// in the form's own order. The name is upper-cased as the form does.
//
// `years` is the span of birth years of the position source (BirthYears).
// The form's check counts every fourth year as a leap year, which is true
// of 1901..2050; beyond it, 29 February of a century year that the
// Gregorian calendar makes common (1800, 1900, 2100, 2200, 2300) is refused
// here with the form's February message.
//
// `zoneFromPlace`: the zone is settled afterwards from --tz, --place or
// --utc-offset, so `fields.zone` is not read and the entries carry index 29
// until then.
EntriesOrFault EntriesFromFields(const BirthFields& fields,
                                 YearRange years = BirthYears(PositionSource::Classic),
                                 bool zoneFromPlace = false);

// Index 0..70 of a zone given as an index or as an exact item text.
std::optional<int> ZoneIndexOf(const std::string& zone);

} // namespace selmarind::cli
