#include "cli/echo_text.h"

#include "input/utf8_text.h"

#include <cstdio>

namespace selmarind::cli {

namespace {

std::string Escaped(const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

std::string EchoText(std::string_view text) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == kEchoMaxCharacters) {
            return out + "...";
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            out += Escaped("\\x%02x", byte);
            ++i;
            continue;
        }
        // U+0080..U+009F are C2 80..C2 9F: C1 controls, which some
        // terminals obey as escape sequences.
        if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            out += Escaped("\\u%04x", static_cast<unsigned char>(text[i + 1]));
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

} // namespace selmarind::cli
