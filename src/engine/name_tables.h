// The shared names of a chart: bodies, signs and their abbreviations, the
// lord of each sign, the retrograde marker and the degree sign.
#pragma once

#include <array>
#include <string_view>

namespace selmarind {

// Display names of the ten bodies in chart order: 0 Sun, 1 Moon, 2 Mercury,
// 3 Venus, 4 Mars, 5 Jupiter, 6 Saturn, 7 Rahu, 8 Ketu, 9 ascendant.
inline constexpr std::array<std::string_view, 10> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

inline constexpr std::array<std::string_view, 12> kSignAbbrevs = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// Lord of each sign, Aries (0) to Pisces (11).
inline constexpr std::array<std::string_view, 12> kSignLords = {
    "Mars",  "Venus", "Mercury", "Moon",   "Sun",    "Mercury",
    "Venus", "Mars",  "Jupiter", "Saturn", "Saturn", "Jupiter"};

// Appended to the display name of a retrograde planet ("Mars (R) ").
inline constexpr std::string_view kRetrogradeMarker = " (R) ";

// U+00B0 in UTF-8.
inline constexpr std::string_view kDegreeSign = "\xC2\xB0";

// English sign names, Aries (0) to Pisces (11).
inline constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

} // namespace selmarind
