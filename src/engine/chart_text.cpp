#include "engine/chart_text.h"

#include "engine/name_tables.h"
#include "engine/time_conventions.h"

namespace selmarind {

namespace {

// The last `count` characters of a UTF-8 text (fewer when it is shorter).
std::string_view LastCharacters(std::string_view s, int count) {
    std::size_t start = s.size();
    while (count > 0 && start > 0) {
        --start;
        // Step back over continuation bytes to the lead byte of the character.
        while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) {
            --start;
        }
        --count;
    }
    return s.substr(start);
}

// Copies a short text; returns the end.
char* WriteText(char* out, std::string_view text) {
    for (char c : text) {
        *out++ = c;
    }
    return out;
}

// A field of at most one character gains a leading zero.
char* WriteTwoDigits(char* out, std::string_view field) {
    if (field.size() <= 1) {
        *out++ = '0';
    }
    return WriteText(out, field);
}

} // namespace

std::string ToChartText(std::string_view dmsText) {
    const std::string_view u = TrimSpaces(dmsText);
    const auto p = u.find(kDegreeSign);
    const auto q = u.find('\'');
    // Only FormatLongitude texts have a chart text.
    if (p == std::string_view::npos || q == std::string_view::npos || q < p + kDegreeSign.size()) {
        return {};
    }
    const std::string_view degrees = TrimSpaces(u.substr(0, p));
    const std::size_t minutesStart = p + kDegreeSign.size();
    const std::string_view minutes = TrimSpaces(u.substr(minutesStart, q - minutesStart));
    // The sign is read from the untrimmed text, so a text without one yields
    // the seconds mark instead.
    const std::string_view sign = TrimSpaces(LastCharacters(dmsText, 3));

    std::string result(degrees.size() + sign.size() + minutes.size() + 4, '\0');
    char* out = WriteTwoDigits(result.data(), degrees);
    *out++ = ' ';
    out = WriteText(out, sign);
    *out++ = ' ';
    out = WriteTwoDigits(out, minutes);
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

std::optional<int> SignOfChartText(std::string_view chartText) {
    if (chartText.size() < 6) {
        return std::nullopt;
    }
    const int k = SignIndexOfAbbreviation(chartText.substr(3, 3));
    if (k < 0) {
        return std::nullopt;
    }
    return k;
}

} // namespace selmarind
