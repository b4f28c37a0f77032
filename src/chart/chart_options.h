// What a chart is computed with: the source of the positions and, for the
// precise source, the ayanamsa and when the Sun counts as risen.
#pragma once

#include "ephemeris/ephemeris_types.h"

#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

using ephemeris::AyanamsaChoice;
using ephemeris::AyanamsaMode;

enum class PositionSource {
    Classic, // the built-in theory: fast, and what every worked example uses
    Precise, // the Swiss Ephemeris, with the chosen ayanamsa
};

enum class SunriseConvention {
    Limb,   // the upper limb on the horizon with standard refraction
    Centre, // the centre of the disc on the horizon, without refraction
};

struct ChartOptions {
    PositionSource positions = PositionSource::Classic;
    // Used by the precise source; the classic one has its own fixed rule.
    SunriseConvention sunrise = SunriseConvention::Limb;
    // Used by the precise source. The classic source has its own built-in
    // ayanamsa; any choice but the default Lahiri is refused with it.
    AyanamsaChoice ayanamsa;
    friend bool operator==(const ChartOptions&, const ChartOptions&) = default;
};

// "classic" / "precise", and back.
std::string_view PositionSourceName(PositionSource source);
std::optional<PositionSource> PositionSourceOfName(std::string_view name);

// "limb" / "centre", and back.
std::string_view SunriseConventionName(SunriseConvention convention);
std::optional<SunriseConvention> SunriseConventionOfName(std::string_view name);

// "lahiri", "true-chitra", "raman", "krishnamurti", "yukteshwar",
// "fagan-bradley", "true-pushya", or the user's degrees as the shortest
// decimal text that reads back to the same number ("23.5").
std::string AyanamsaKey(const AyanamsaChoice& choice);

// "Lahiri", "True Chitrapaksha", "Raman", "Krishnamurti", "Yukteshwar",
// "Fagan-Bradley", "True Pushya", "User: 23.5° at J2000".
std::string AyanamsaTitle(const AyanamsaChoice& choice);

// A precise chart's ayanamsa as shown beside its position source, truncated
// to the arc-minute: "Raman ayanamsa 22°8′", "ayanamsa 23°30′ (User: 23.5°
// at J2000)". `title` is AyanamsaTitle of the choice; `ayanamsaDeg` the
// ayanamsa itself in degrees, which a user value near 0 makes a little
// negative before J2000 ("ayanamsa −0°16′ (User: 0° at J2000)").
std::string AyanamsaNoteText(std::string_view title, double ayanamsaDeg);

// The ayanamsa the classic source computes, as charts name it.
inline constexpr std::string_view kClassicAyanamsaName = "built-in (classic)";

// A key as AyanamsaKey writes it, or a decimal number of degrees at J2000
// from 0 to 40 ("23.5"); `error` says why a text is refused.
struct AyanamsaOrError {
    std::optional<AyanamsaChoice> choice;
    std::string error;
};
AyanamsaOrError AyanamsaOfKey(std::string_view text);

// Empty when the options can be computed together, else why not: a user
// ayanamsa out of range, or an ayanamsa other than Lahiri asked of the
// classic source.
std::string CheckChartOptions(const ChartOptions& options);

// The years a birth may fall in with each source: the form's list, 1901 to
// 2050, for the classic source (its station tables end there); the years of
// the ephemeris data files, 1800 to 2399, for the precise one.
struct YearRange {
    int first;
    int last;
};
constexpr YearRange BirthYears(PositionSource source) {
    return source == PositionSource::Precise ? YearRange{1800, 2399} : YearRange{1901, 2050};
}

} // namespace selmarind
