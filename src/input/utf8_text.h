// Checking UTF-8 text: what every text read from a file or written as JSON
// goes through.
#pragma once

#include <cstddef>
#include <string_view>

namespace selmarind {

// Length of the well-formed UTF-8 sequence starting at text[i] (1 for ASCII,
// 2 to 4 otherwise), or 0 when the bytes there are not one: no overlong
// forms, no surrogates, nothing above U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// The byte offset where the text stops being UTF-8; its size when it is
// UTF-8 throughout.
std::size_t Utf8ValidPrefixLength(std::string_view text);

// Whether the text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

} // namespace selmarind
