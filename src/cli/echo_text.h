// What the tool shows of a text it was given (a query, a path, an option, a
// column name) inside its messages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace selmarind::cli {

// Echoes longer than this many characters are cut and end in "...".
inline constexpr std::size_t kEchoMaxCharacters = 200;

// The text made safe to print on a terminal: control characters (U+0000 to
// U+001F, U+007F and U+0080 to U+009F) are written as \x1b or \u009b, bytes
// that are not UTF-8 as \xff, everything else as it stands; at most
// kEchoMaxCharacters characters of the text are shown, then "...".
std::string EchoText(std::string_view text);

} // namespace selmarind::cli
