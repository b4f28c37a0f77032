// The values a chart computes beyond the designed result form, as rows of
// caption and text: the birth instant and its zone, the position source and
// ayanamsa, the sunrises, the nine special points, the arudhas of the twelve
// houses and the positions to the second. The result form's "Chart Details"
// tab and the plain-text report both show these rows, so the two never
// disagree. No Qt.
#pragma once

#include "chart/chart_result.h"
#include "input/birth_entries.h"

#include <string>
#include <vector>

namespace selmarind {

struct DetailRow {
    std::string caption; // e.g. "Ghati Lagna"
    std::string value;   // UTF-8, one line
    friend bool operator==(const DetailRow&, const DetailRow&) = default;
};

enum class DetailSectionKind {
    BirthInstant, // universal time, zone entry, daylight saving, UTC offset
    Source,       // position source, sunrise convention, ayanamsa
    Sunrise,      // sunrises, sunset, reference sunrise, time from it
    SpecialPoints,
    Arudhas,
    Positions, // degrees, minutes, seconds and retrograde marks
};

struct DetailSection {
    DetailSectionKind kind;
    std::string title;
    std::vector<DetailRow> rows;
};

// Value of a special point that needs a sunrise the birth's date lacks.
inline constexpr const char* kNotDefinedText = "not defined (no sunrise that day)";

// The sections in their order on the tab.
std::vector<DetailSection> ChartDetailSections(const ChartResult& result,
                                               const BirthEntries& entries);

// "UTC+05:30", "UTC\u221204:00 with daylight saving": local clock minus
// universal time, from the zone correction (positive west) and the summer
// hour. Empty when the entries select no zone.
std::string UtcOffsetText(const BirthEntries& entries);

// A positive angle as whole degrees, minutes and truncated seconds with the
// marks of the positions to the second, "23° 51' 11\"".
std::string AngleDmsText(double angleDeg);

// The ayanamsa in force as AngleDmsText shows an angle, with a minus sign
// when it is below zero (a user value near 0, before J2000): "23° 51' 11\"",
// "\u22120° 16' 38\"". ChartValues keeps the ayanamsa negated.
std::string AyanamsaDmsText(const ChartValues& chart);

// A whole number with commas between groups of three digits: "10,560",
// "\u22121,234".
std::string GroupedNumber(long long value);

// One span of time as hours and minutes with its length in seconds:
// "2 h 56 min (10,560 s)", "45 min (2,700 s)". `minutes` and `seconds` are
// the same span, truncated to each unit.
std::string SpanText(long long minutes, long long seconds);

// "classic", "Swiss Ephemeris (data files)" or "Swiss Ephemeris (analytical)".
std::string PositionSourceText(const ChartValues& chart);

// The one-line note of the chart tab: "Positions: classic, built-in
// ayanamsa", or "Positions: Swiss Ephemeris (data files), Lahiri ayanamsa
// 23°51′" ("..., ayanamsa 23°13′ (User: 23.5° at J2000)" for a user value)
// with ", sunrise at the disc centre" for that convention.
std::string PositionsNoteText(const ChartValues& chart);

} // namespace selmarind
