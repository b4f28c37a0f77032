#include "input/entry_number.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace selmarind {

namespace {

// Length of the longest prefix that is a decimal number: an optional sign,
// digits with an optional fraction (at least one digit in all), and an
// optional exponent. 0 when the text does not start with a number.
std::size_t NumberPrefixLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && IsAsciiDigit(static_cast<unsigned char>(text[i])); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsAsciiDigit(static_cast<unsigned char>(text[i])); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsAsciiDigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && IsAsciiDigit(static_cast<unsigned char>(text[j]))) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// Decimal exponent of the leading significant digit of an unsigned number
// plus its written exponent; the sign tells a huge number from a tiny one.
long long DecimalMagnitude(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    long long magnitude = 0;
    long long position = 0;
    for (char c : mantissa) {
        if (c == '.') {
            continue;
        }
        if (c != '0') {
            magnitude = point - position - 1;
            break;
        }
        ++position;
    }
    if (e != std::string_view::npos) {
        std::size_t k = e + 1;
        const bool negative = k < number.size() && number[k] == '-';
        if (k < number.size() && (number[k] == '+' || number[k] == '-')) {
            ++k;
        }
        long long exponent = 0;
        for (; k < number.size(); ++k) {
            exponent = std::min<long long>(exponent * 10 + (number[k] - '0'), 1'000'000);
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

// Value of a text that NumberPrefixLength reads in full. A magnitude beyond
// the range of double becomes infinity, one too small for it zero.
double NumberValue(std::string_view number) {
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double LeadingNumberValue(std::string_view trimmed) {
    const std::size_t length = NumberPrefixLength(trimmed);
    return length == 0 ? 0.0 : NumberValue(trimmed.substr(0, length));
}

std::optional<double> WholeTextNumberValue(std::string_view trimmed) {
    const std::size_t length = NumberPrefixLength(trimmed);
    if (length == 0 || length != trimmed.size()) {
        return std::nullopt;
    }
    return NumberValue(trimmed);
}

std::optional<long long> WholeNumberValue(std::string_view text) {
    text = TrimSpaces(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

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

std::optional<int> DigitsValue(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits || !AllAsciiDigits(text)) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace selmarind
