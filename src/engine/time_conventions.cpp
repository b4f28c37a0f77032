#include "engine/time_conventions.h"

#include <cmath>
#include <cstdio>

namespace selmarind {

namespace {

// Whether `whole` is a whole number of one or two digits (not negative
// zero), which the texts write without printf.
bool IsSmallWhole(double whole) {
    return whole >= 0 && whole < 100 && !std::signbit(whole) &&
           whole == static_cast<double>(static_cast<int>(whole));
}

// Writes a whole number of one or two digits; returns the end.
char* WriteSmallWhole(char* out, double whole) {
    const int n = static_cast<int>(whole);
    if (n >= 10) {
        *out++ = static_cast<char>('0' + n / 10);
    }
    *out++ = static_cast<char>('0' + n % 10);
    return out;
}

// Appends the plain decimal text of a whole number held in a double, as
// "%.0f" writes it: also negative zero and values far outside any angle.
void AppendWholeNumber(std::string& text, double whole) {
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

    const std::string_view sign = k < 12 ? SignAbbreviation(static_cast<int>(k)) : "";
    // Every longitude in range has one- or two-digit fields: written directly.
    if (IsSmallWhole(d) && IsSmallWhole(m) && IsSmallWhole(s)) {
        char buffer[24];
        char* out = WriteSmallWhole(buffer, d);
        for (char c : std::string_view("\xC2\xB0 ")) {
            *out++ = c;
        }
        out = WriteSmallWhole(out, m);
        *out++ = '\'';
        *out++ = ' ';
        out = WriteSmallWhole(out, s);
        *out++ = '"';
        *out++ = ' ';
        for (char c : sign) {
            *out++ = c;
        }
        return std::string(buffer, out);
    }
    std::string text;
    AppendWholeNumber(text, d);
    text += "\xC2\xB0 ";
    AppendWholeNumber(text, m);
    text += "' ";
    AppendWholeNumber(text, s);
    text += "\" ";
    text += sign;
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
