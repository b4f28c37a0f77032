// The shared names of a chart: bodies, signs and their abbreviations, the
// lord of each sign, the retrograde marker and the degree sign.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace selmarind {

// The ten bodies of a chart in chart order. Arrays over them hold kBodyCount
// entries and are indexed with Index(body).
enum class Body { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, Ascendant };

inline constexpr std::size_t kBodyCount = 10;

constexpr std::size_t Index(Body body) {
    return static_cast<std::size_t>(body);
}

// The planets that can be retrograde, in chart order; arrays of retrograde
// flags are indexed by their place in this list.
inline constexpr std::array<Body, 5> kRetrogradeBodies = {Body::Mercury, Body::Venus, Body::Mars,
                                                          Body::Jupiter, Body::Saturn};

// The place in kRetrogradeBodies of the body at chart index `bodyIndex`;
// nothing for a body that is never retrograde.
constexpr std::optional<std::size_t> RetrogradeSlot(std::size_t bodyIndex) {
    for (std::size_t p = 0; p < kRetrogradeBodies.size(); ++p) {
        if (Index(kRetrogradeBodies[p]) == bodyIndex) {
            return p;
        }
    }
    return std::nullopt;
}

// Display names of the ten bodies, indexed with Index(body).
inline constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
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
