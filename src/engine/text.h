// The two text tests every reader of typed text shares: trimming and the
// decimal digit. Kept in the lowest layer because the position texts of the
// engine are trimmed the same way as the entries.
#pragma once

#include <algorithm>
#include <string_view>

namespace selmarind {

// Whether c is one of the decimal digits 0..9 (ASCII); other scripts' digits
// are not.
constexpr bool IsAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Whether every byte of the text is an ASCII digit; true for an empty text.
constexpr bool AllAsciiDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return IsAsciiDigit(static_cast<unsigned char>(c)); });
}

// The text without the leading and trailing characters that are in `blanks`.
constexpr std::string_view TrimCharacters(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The text without its leading and trailing spaces; tabs and other blanks
// stay. Entries and position texts are read this way.
constexpr std::string_view TrimSpaces(std::string_view text) {
    return TrimCharacters(text, " ");
}

} // namespace selmarind
