// Reading the numbers people type: the one parser behind the checks of the
// birth-data form, the conversion of its entries and the command-line tool.
#pragma once

#include "engine/text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace selmarind {

// The 16-bit signed integer of an entry text: surrounding spaces allowed, an
// optional sign, decimal digits with an optional fraction after a point
// ("12", " 7 ", "-3", "2.5", ".5"). A fraction is rounded to the nearest
// whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Nothing for any other text or a result outside -32768..32767.
std::optional<std::int16_t> EntryToInt16(std::string_view text);

// The value of the longest prefix of a (trimmed) text that is a decimal
// number, with an optional sign, fraction and exponent ("12abc" gives 12,
// "-3.5e1x" gives -35); 0 when it starts with no number. A magnitude beyond
// double becomes infinity, one too small for it zero. The degree checks of
// the form read their fields this way.
double LeadingNumberValue(std::string_view trimmed);

// The value when the whole (trimmed) text is such a number; nothing otherwise.
// The minute checks of the form read their fields this way.
std::optional<double> WholeTextNumberValue(std::string_view trimmed);

// A whole number in decimal digits with an optional sign, spaces around it
// allowed; nothing for any other text or one beyond long long. The date
// check reads the day and year this way.
std::optional<long long> WholeNumberValue(std::string_view text);

// The value of 1..maxDigits decimal digits and nothing else (no sign, no
// spaces, ASCII digits only); nothing for any other text. The command-line
// tool reads its date, time, zone index, UTC offset and --jobs this way, the
// record checks their list items.
std::optional<int> DigitsValue(std::string_view text, std::size_t maxDigits);

} // namespace selmarind
