// What a chart is computed with: the source of the positions and, for the
// precise source, when the Sun counts as risen.
#pragma once

#include <optional>
#include <string_view>

namespace selmarind {

enum class PositionSource {
    Classic, // the built-in theory: fast, and what every worked example uses
    Precise, // the Swiss Ephemeris, Lahiri ayanamsa
};

enum class SunriseConvention {
    Limb,   // the upper limb on the horizon with standard refraction
    Centre, // the centre of the disc on the horizon, without refraction
};

struct ChartOptions {
    PositionSource positions = PositionSource::Classic;
    // Used by the precise source; the classic one has its own fixed rule.
    SunriseConvention sunrise = SunriseConvention::Limb;
    friend bool operator==(const ChartOptions&, const ChartOptions&) = default;
};

// "classic" / "precise", and back.
std::string_view PositionSourceName(PositionSource source);
std::optional<PositionSource> PositionSourceOfName(std::string_view name);

// "limb" / "centre", and back.
std::string_view SunriseConventionName(SunriseConvention convention);
std::optional<SunriseConvention> SunriseConventionOfName(std::string_view name);

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
