// Reading a number the user typed or picked on the birth-data form.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace selmarind {

// Whether c is one of the decimal digits 0..9 (ASCII); the one digit test
// of everything that reads what people type.
constexpr bool IsAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The 16-bit signed integer of an entry text: surrounding spaces allowed, an
// optional sign, decimal digits with an optional fraction after a point
// ("12", " 7 ", "-3", "2.5", ".5"). A fraction is rounded to the nearest
// whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Nothing for any other text or a result outside -32768..32767.
std::optional<std::int16_t> EntryToInt16(std::string_view text);

} // namespace selmarind
