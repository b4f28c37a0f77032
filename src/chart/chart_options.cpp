#include "chart/chart_options.h"

#include "engine/name_tables.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace selmarind {

namespace {

struct AyanamsaNames {
    AyanamsaMode mode;
    std::string_view key;
    std::string_view title;
};

constexpr std::array<AyanamsaNames, 7> kAyanamsaNames = {{
    {AyanamsaMode::Lahiri, "lahiri", "Lahiri"},
    {AyanamsaMode::TrueChitra, "true-chitra", "True Chitrapaksha"},
    {AyanamsaMode::Raman, "raman", "Raman"},
    {AyanamsaMode::Krishnamurti, "krishnamurti", "Krishnamurti"},
    {AyanamsaMode::Yukteshwar, "yukteshwar", "Yukteshwar"},
    {AyanamsaMode::FaganBradley, "fagan-bradley", "Fagan-Bradley"},
    {AyanamsaMode::TruePushya, "true-pushya", "True Pushya"},
}};

const AyanamsaNames* NamesOf(AyanamsaMode mode) {
    for (const AyanamsaNames& names : kAyanamsaNames) {
        if (names.mode == mode) {
            return &names;
        }
    }
    return nullptr;
}

// Fixed notation, never "1e-05", which AyanamsaOfKey would refuse.
std::string DegreesText(double degrees) {
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), degrees,
                                         std::chars_format::fixed);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("?");
}

} // namespace

std::string AyanamsaKey(const AyanamsaChoice& choice) {
    if (const AyanamsaNames* names = NamesOf(choice.mode)) {
        return std::string(names->key);
    }
    return DegreesText(choice.userDegreesAtJ2000);
}

std::string AyanamsaTitle(const AyanamsaChoice& choice) {
    if (const AyanamsaNames* names = NamesOf(choice.mode)) {
        return std::string(names->title);
    }
    std::string title = "User: ";
    title += DegreesText(choice.userDegreesAtJ2000);
    title += kDegreeSign;
    title += " at J2000";
    return title;
}

std::string AyanamsaNoteText(std::string_view title, double ayanamsaDeg) {
    const auto minutes = static_cast<long long>(std::floor(std::fabs(ayanamsaDeg) * 60 + 1e-7));
    // "User: 23.5° at J2000" does not read as a name in front.
    const bool user = title.starts_with("User");
    std::string text;
    if (!user) {
        text += title;
        text += ' ';
    }
    text += "ayanamsa ";
    if (ayanamsaDeg < 0 && minutes > 0) {
        text += "\xE2\x88\x92"; // U+2212 minus sign
    }
    text += std::to_string(minutes / 60);
    text += kDegreeSign;
    text += std::to_string(minutes % 60);
    text += "\xE2\x80\xB2"; // U+2032, arc-minutes
    if (user) {
        text += " (";
        text += title;
        text += ')';
    }
    return text;
}

AyanamsaOrError AyanamsaOfKey(std::string_view text) {
    for (const AyanamsaNames& names : kAyanamsaNames) {
        if (text == names.key) {
            return {AyanamsaChoice{names.mode, 0}, {}};
        }
    }
    // Plain decimal digits only: from_chars would also take "inf", "nan"
    // and exponents, which are no way to write an ayanamsa.
    const bool decimal =
        !text.empty() && text.find_first_not_of("0123456789.-+") == std::string_view::npos;
    double degrees = 0;
    const char* first = text.data() + (decimal && text.front() == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    const auto [end, ec] = decimal ? std::from_chars(first, last, degrees, std::chars_format::fixed)
                                   : std::from_chars_result{first, std::errc::invalid_argument};
    // Digits beyond a double's range are a number, just not one of 0 to 40.
    if (ec == std::errc::result_out_of_range && end == last) {
        return {std::nullopt,
                ephemeris::CheckAyanamsa({AyanamsaMode::User, std::numeric_limits<double>::max()})};
    }
    if (ec != std::errc() || end != last) {
        return {std::nullopt, "The ayanamsa \"" + std::string(text) +
                                  "\" is neither a known name (lahiri, true-chitra, raman, "
                                  "krishnamurti, yukteshwar, fagan-bradley, true-pushya) nor a "
                                  "number of degrees."};
    }
    // "-0" is zero: adding 0 drops the sign, which would show as "-0°".
    const AyanamsaChoice choice{AyanamsaMode::User, degrees + 0.0};
    if (std::string error = ephemeris::CheckAyanamsa(choice); !error.empty()) {
        return {std::nullopt, std::move(error)};
    }
    return {choice, {}};
}

std::string CheckChartOptions(const ChartOptions& options) {
    if (std::string error = ephemeris::CheckAyanamsa(options.ayanamsa); !error.empty()) {
        return error;
    }
    if (options.positions == PositionSource::Classic && options.ayanamsa != AyanamsaChoice{}) {
        return "The classic positions have their own built-in ayanamsa; the ayanamsa \"" +
               AyanamsaTitle(options.ayanamsa) + "\" needs the precise positions.";
    }
    return {};
}

std::string_view PositionSourceName(PositionSource source) {
    return source == PositionSource::Precise ? "precise" : "classic";
}

std::optional<PositionSource> PositionSourceOfName(std::string_view name) {
    if (name == "classic") {
        return PositionSource::Classic;
    }
    if (name == "precise") {
        return PositionSource::Precise;
    }
    return std::nullopt;
}

std::string_view SunriseConventionName(SunriseConvention convention) {
    return convention == SunriseConvention::Centre ? "centre" : "limb";
}

std::optional<SunriseConvention> SunriseConventionOfName(std::string_view name) {
    if (name == "limb") {
        return SunriseConvention::Limb;
    }
    if (name == "centre") {
        return SunriseConvention::Centre;
    }
    return std::nullopt;
}

} // namespace selmarind
