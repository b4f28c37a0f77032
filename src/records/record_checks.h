// Whether record contents are a birth the form can hold and would accept:
// the checks a record passes before it is saved and after it is read.
#pragma once

#include "chart/chart_options.h"
#include "input/time_zones.h"
#include "input/utf8_text.h"

#include "records/record_contents.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

// Messages for what the form's lists and fields cannot hold and the form
// therefore has no message of its own for. Everything else is refused with
// the form's own messages: those of its key filters (input/key_filters.h)
// and of ValidateBirthData (input/validation.h).
inline const std::string kYearListMessage =
    "The year is not in the form's list of years (" +
    std::to_string(BirthYears(PositionSource::Classic).first) + " to " +
    std::to_string(BirthYears(PositionSource::Classic).last) + ").";
inline constexpr std::string_view kTimeListMessage =
    "The time of day is not in the form's lists (hours 0 to 23, minutes and seconds 0 to 59).";
inline const std::string kZoneListMessage = "The time zone is not in the form's list of " +
                                            std::to_string(kTimeZoneCount) + " zones (index 0 to " +
                                            std::to_string(kTimeZoneCount - 1) + ").";
inline constexpr std::string_view kExactOffsetMessage =
    "The exact UTC offset must be a whole number of seconds, at most 18 hours east or west.";
// The form's "Please Enter only Letters" answers a key typed into its name
// field; a record's name is not typed there, so its message says which
// value is at fault.
inline constexpr std::string_view kRecordNameMessage =
    "The name in the birth record may hold only the letters A to Z and spaces.";
inline constexpr std::string_view kPlaceIdMessage =
    "The atlas place's GeoNames id must be a whole number from 1 to 2147483647.";
inline constexpr std::string_view kPlaceZoneMessage =
    "The atlas place's time zone is not a zone name such as Asia/Kolkata.";

inline constexpr std::string_view kChartStyleMessage =
    "The chart style must be south, north or east.";

// "The <what> is longer than the form's field holds (32767 characters)."
std::string TooLongMessage(std::string_view what);
// "The <what> is not UTF-8 text."
std::string NotUtf8Message(std::string_view what);

// The first reason the contents cannot be saved or opened, or nothing.
//
// The order is the command-line tool's: first what the form's fields and
// lists hold, field by field (name, longitude, latitude, date, time, zone),
// then ValidateBirthData in the form's order, then the place texts, the
// exact offset, the atlas place and the chart style (kChartStyleMessage). What the fields hold:
//   - the name: A..Z and spaces (kRecordNameMessage; the field turns typed
//     small letters into capitals), at most kFormFieldMaxLength of them;
//   - each coordinate: digits only (kOnlyNumbersMessage), no more than the
//     field holds (the field's range message, as ValidateBirthData words it);
//   - day, year, hour, minute and second: an item of the form's list exactly
//     as the list writes it ("7", never "07"); a day or month outside the
//     lists gets the February message, as ValidateBirthData gives it;
//   - the zone: an index 0..kTimeZoneCount - 1, unless an exact offset stands in its place;
//   - city, state, country and the exact offset's label: UTF-8, at most
//     kFormFieldMaxLength UTF-16 code units.
// A place's zone must be made of letters, digits and . _ + - in parts that
// begin with a letter, joined by '/', so that no zone name can point outside
// a time-zone folder.
std::optional<std::string> CheckBirthRecord(const BirthRecordContents& contents);

// Length in UTF-16 code units of UTF-8 text: what a Qt text field counts.
std::size_t Utf16Length(std::string_view utf8);

} // namespace selmarind
