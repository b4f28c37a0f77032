#include "engine/time_conventions.h"

#include "engine/chart_text.h"
#include "engine/name_tables.h"

#include <charconv>
#include <cmath>

namespace selmarind {

namespace {

// Appends the plain decimal text of a whole number held in a double, as
// printf's "%.0f" writes it (values far outside any angle included).
void AppendWholeNumber(std::string& text, double whole) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    text.append(buffer, result.ptr);
}

} // namespace

std::string_view SignAbbreviation(int k) {
    if (k < 0 || k > 11) {
        return {};
    }
    return kSignAbbrevs[static_cast<std::size_t>(k)];
}

int SignIndexOfAbbreviation(std::string_view abbreviation) {
    for (std::size_t k = 0; k < kSignAbbrevs.size(); ++k) {
        if (kSignAbbrevs[k] == abbreviation) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

double JulianDayNumber(const CivilDate& date) {
    const double mm = 12.0 * (date.year + 4800) + date.month - 3;
    const double a = std::floor((365 * mm + 2 * (mm - 12 * std::floor(mm / 12)) + 7) / 12);
    double j = std::floor(mm / 48) + date.day + a - 32083;
    // Dates after 15 October 1582 are read as Gregorian.
    if (j > 2299171) {
        j = j + std::floor(mm / 4800) - std::floor(mm / 1200) + 38;
    }
    return j;
}

double JulianCenturies(double jdn, double utHours) {
    return (jdn - kJ2000DayNumber + utHours / 24 - 0.5) / kDaysPerJulianCentury;
}

namespace {

// The fields of a longitude's text: whole degrees within the sign, whole
// minutes, truncated seconds and the sign (k < 12 has an abbreviation).
struct LongitudeFields {
    double d, m, s, k;
};

LongitudeFields FieldsOf(double angleDeg) {
    const double x = std::fabs(angleDeg);
    double d = std::floor(x);
    const double f = x - d;
    const double mf = 60 * f;
    const double m = std::floor(mf);
    const double sf = mf - m;
    const double s = std::floor(60 * sf);
    // The sign comes from the whole degrees before they are taken within the sign.
    const double k = std::floor(d / 30);
    d = d - 30 * k;
    return {d, m, s, k};
}

std::string_view SignOfFields(const LongitudeFields& f) {
    return f.k < 12 ? SignAbbreviation(static_cast<int>(f.k)) : "";
}

} // namespace

std::string FormatLongitude(double angleDeg) {
    if (!std::isfinite(angleDeg)) {
        return {};
    }
    const LongitudeFields f = FieldsOf(angleDeg);
    std::string text;
    text.reserve(24);
    AppendWholeNumber(text, f.d);
    text += kDegreeSign;
    text += ' ';
    AppendWholeNumber(text, f.m);
    text += "' ";
    AppendWholeNumber(text, f.s);
    text += "\" ";
    text += SignOfFields(f);
    return text;
}

std::optional<SignPosition> SignPositionOfLongitude(double angleDeg) {
    if (!std::isfinite(angleDeg)) {
        return std::nullopt;
    }
    const LongitudeFields f = FieldsOf(angleDeg);
    if (f.k >= 12) {
        return std::nullopt;
    }
    return SignPosition{static_cast<int>(f.k), static_cast<int>(f.d), static_cast<int>(f.m)};
}

std::string ChartTextOfLongitude(double angleDeg) {
    return ToChartText(FormatLongitude(angleDeg));
}

double NormalizeForText(double longitudeDeg) {
    if (!std::isfinite(longitudeDeg)) {
        return longitudeDeg;
    }
    double x = std::fmod(longitudeDeg, 360.0);
    if (x < 0) {
        x += 360;
    }
    // A tiny negative remainder can round up to a full turn.
    if (x >= 360) {
        x -= 360;
    }
    return x;
}

} // namespace selmarind
