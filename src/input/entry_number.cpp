#include "input/entry_number.h"

#include "engine/chart_text.h"

#include <cstddef>

namespace selmarind {

std::optional<std::int16_t> EntryToInt16(std::string_view text) {
    text = TrimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }

    // Magnitudes beyond 32768 fail whatever follows, so the sum cannot overflow.
    long magnitude = 0;
    for (char c : whole) {
        if (!IsAsciiDigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 40000) {
            return std::nullopt;
        }
    }
    for (char c : fraction) {
        if (!IsAsciiDigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }

    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool restIsZero = fraction.find_first_not_of('0', 1) == std::string_view::npos;
        const bool above = first > '5' || (first == '5' && !restIsZero);
        const bool half = first == '5' && restIsZero;
        if (above || (half && magnitude % 2 == 1)) {
            ++magnitude;
        }
    }

    const long value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

} // namespace selmarind
