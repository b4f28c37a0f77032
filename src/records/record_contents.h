// What a birth-record file (*.selmarind) holds: the entries of the
// birth-data form as the form holds them, and the choices around them that
// the form's entries do not carry.
#pragma once

#include "chart/chart_options.h"
#include "input/birth_entries.h"
#include "input/time_zones.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

// The "format" member every record starts with.
inline constexpr std::string_view kBirthRecordFormat = "selmarind-birth-record";

// The record version this program writes and the newest it reads. It rises
// only when a record of the new version would be misread by a program that
// knows only the old one (a member changes meaning, or a new member may not
// be ignored); new members that may be ignored leave it as it is.
inline constexpr int kBirthRecordVersion = 1;

inline constexpr std::string_view kBirthRecordExtension = ".selmarind";

// Larger files are refused before they are parsed. The largest record the
// writer makes (every text at kFormFieldMaxLength characters that each need
// a six-byte escape) stays under 1 MiB.
inline constexpr std::size_t kBirthRecordMaxBytes = 1024 * 1024;

// Deepest nesting of objects and arrays accepted anywhere in a record,
// unknown members included; a record itself nests two levels.
inline constexpr int kBirthRecordMaxDepth = 32;

// Most characters (UTF-16 code units) a text field of the form holds: the
// default limit of a Qt line edit, which the form keeps. It applies to the
// name, the city, state and country and the label of an exact zone offset.
inline constexpr std::size_t kFormFieldMaxLength = 32767;

// Exact offsets lie within 18 hours of UT either way.
inline constexpr std::int32_t kMaxUtcOffsetSeconds = 18 * 3600;

// A UTC offset no entry of the zone list has, from the atlas's zone
// resolution (Kathmandu +05:45, local mean time such as +05:21:10).
struct ExactZoneOffset {
    // Local time minus UT in seconds, EAST positive (the opposite sign of the
    // list's zone corrections), the whole offset in force at the birth,
    // -kMaxUtcOffsetSeconds..kMaxUtcOffsetSeconds. The daylight-saving box
    // still applies on top of it, as it does to a list entry.
    std::int32_t utcOffsetSeconds = 0;
    std::string label; // the text of the appended list item: "Asia/Kathmandu, +05:45"

    bool operator==(const ExactZoneOffset&) const = default;
};

// The atlas place the coordinates and zone were taken from.
struct AtlasPlace {
    std::int64_t geonameId = 0; // GeoNames id, 1..2147483647
    std::string timeZone;       // IANA zone id: "Asia/Kolkata"

    bool operator==(const AtlasPlace&) const = default;
};

// The names a record's "chartStyle" member may hold.
inline constexpr std::array<std::string_view, 3> kRecordChartStyles = {"south", "north", "east"};

struct BirthRecordContents {
    // The form's entries. With an exact zone offset, cmbTimeZoneIndex is not
    // written, and a record read back carries kExactZoneIndex there.
    BirthEntries entries;
    std::optional<ExactZoneOffset> exactZone;
    std::optional<AtlasPlace> place; // nothing: the place was typed, not picked
    // Nothing: the record leaves the choice to the program's setting.
    std::optional<PositionSource> positions;
    std::optional<SunriseConvention> sunrise;
    // How the chart was drawn when the record was saved: one of
    // kRecordChartStyles. Nothing: the program's setting draws it.
    std::optional<std::string> chartStyle;
};

} // namespace selmarind
