#include "engine/time_conventions.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace selmarind {

namespace {

// Appends the plain decimal text of a whole number held in a double, as
// "%.0f" writes it. Whole numbers of everyday size take the integer path;
// anything else (negative zero, huge values) goes through printf.
void AppendWholeNumber(std::string& text, double whole) {
    if (whole >= 0 && whole < 100 && !std::signbit(whole) && whole == std::floor(whole)) {
        const int n = static_cast<int>(whole);
        if (n >= 10) {
            text += static_cast<char>('0' + n / 10);
        }
        text += static_cast<char>('0' + n % 10);
        return;
    }
    if (whole >= 0 && whole < 1e15 && whole == std::floor(whole)) {
        char digits[24];
        const auto written =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(whole));
        text.append(digits, written.ptr);
        return;
    }
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    text += buffer;
}

} // namespace

std::string_view SignAbbreviation(int k) {
    if (k < 0 || k > 11) {
        return {};
    }
    return kSignAbbreviationString.substr(static_cast<std::size_t>(3 * k), 3);
}

int SignIndexOfAbbreviation(std::string_view abbreviation) {
    if (abbreviation.size() != 3) {
        return -1;
    }
    for (std::size_t at = 0; at < kSignAbbreviationString.size(); at += 3) {
        if (kSignAbbreviationString[at] == abbreviation[0] &&
            kSignAbbreviationString[at + 1] == abbreviation[1] &&
            kSignAbbreviationString[at + 2] == abbreviation[2]) {
            return static_cast<int>(at / 3);
        }
    }
    return -1;
}

double LocalToUniversal(const BirthRecord& birth) {
    const double localHours = birth.BirthHour + birth.BirthMinute / 60.0;
    double zoneCorrectionHours = birth.ZoneOffsetHours + birth.ZoneOffsetMinutes / 60.0;
    if (birth.IsDST) {
        zoneCorrectionHours = zoneCorrectionHours - 1;
    }
    return localHours + zoneCorrectionHours;
}

double JulianDayNumber(int month, int day, int year) {
    const double mm = 12.0 * (year + 4800) + month - 3;
    const double a = std::floor((365 * mm + 2 * (mm - 12 * std::floor(mm / 12)) + 7) / 12);
    double j = std::floor(mm / 48) + day + a - 32083;
    // Dates after 15 October 1582 are read as Gregorian.
    if (j > 2299171) {
        j = j + std::floor(mm / 4800) - std::floor(mm / 1200) + 38;
    }
    return j;
}

double JulianCenturies(double jdn, double utHours) {
    return (jdn - kJ2000DayNumber + utHours / 24 - 0.5) / kDaysPerJulianCentury;
}

std::string FormatLongitude(double angleDeg) {
    if (!std::isfinite(angleDeg)) {
        return {};
    }
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

    std::string text;
    text.reserve(24);
    AppendWholeNumber(text, d);
    text += "\xC2\xB0 ";
    AppendWholeNumber(text, m);
    text += "' ";
    AppendWholeNumber(text, s);
    text += "\" ";
    if (k < 12) {
        text += SignAbbreviation(static_cast<int>(k));
    }
    return text;
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
