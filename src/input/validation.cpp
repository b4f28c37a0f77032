#include "input/validation.h"

#include "engine/chart_text.h"
#include "input/entry_number.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <string_view>
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

// Rows 2 and 4: the value of the longest numeric prefix, 0 when there is none.
double LeadingNumericValue(std::string_view trimmed) {
    const std::size_t length = NumberPrefixLength(trimmed);
    return length == 0 ? 0.0 : NumberValue(trimmed.substr(0, length));
}

// Rows 3 and 5: the value when the whole text is a number.
std::optional<double> NumberOf(std::string_view trimmed) {
    const std::size_t length = NumberPrefixLength(trimmed);
    if (length == 0 || length != trimmed.size()) {
        return std::nullopt;
    }
    return NumberValue(trimmed);
}

// A whole number written in decimal digits with an optional sign; nothing
// for any other text or one beyond the range of long long.
std::optional<long long> WholeNumberOf(std::string_view text) {
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

bool DegreesOutOfRange(const std::string& text, double maximum) {
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) {
        return true;
    }
    const double value = LeadingNumericValue(trimmed);
    return value > maximum || value < 0;
}

bool MinutesOutOfRange(const std::string& text) {
    const std::optional<double> value = NumberOf(TrimSpaces(text));
    return !value || *value > 59 || *value < 0;
}

ValidationFault Fault(std::string_view message, MessageIcon icon, EntryField focus) {
    return ValidationFault{std::string(message), icon, focus};
}

} // namespace

std::optional<ValidationFault> ValidateBirthData(const BirthEntries& entries) {
    if (TrimSpaces(entries.txtName).empty()) {
        return Fault(kNameMessage, MessageIcon::Error, EntryField::txtName);
    }
    if (DegreesOutOfRange(entries.txtLonD, 179)) {
        return Fault(kLonDegreeMessage, MessageIcon::Error, EntryField::txtLonD);
    }
    if (MinutesOutOfRange(entries.txtLonM)) {
        return Fault(kLonMinuteMessage, MessageIcon::Error, EntryField::txtLonM);
    }
    if (DegreesOutOfRange(entries.txtLatD, 89)) {
        return Fault(kLatDegreeMessage, MessageIcon::Error, EntryField::txtLatD);
    }
    if (MinutesOutOfRange(entries.txtLatM)) {
        return Fault(kLatMinuteMessage, MessageIcon::Error, EntryField::txtLatM);
    }

    // A month, day or year that cannot be read is no date at all.
    const std::optional<long long> year = WholeNumberOf(entries.cboYear);
    const std::optional<long long> day = WholeNumberOf(entries.cboDate);
    const int month = entries.cboMonthIndex;
    if (!year || !day || *day < 1 || *day > 31 || month < 0 || month > 11) {
        return Fault(kFebruaryMessage, MessageIcon::Information, EntryField::None);
    }
    const long long dayIndex = *day - 1;
    // Every fourth year is taken as a leap year.
    const bool leap = *year % 4 == 0;
    if (month == 1 && ((leap && dayIndex >= 29) || (!leap && dayIndex >= 28))) {
        return Fault(kFebruaryMessage, MessageIcon::Information, EntryField::None);
    }
    if ((month == 3 || month == 5 || month == 8 || month == 10) && dayIndex == 30) {
        return Fault(kThirtyDayMessage, MessageIcon::Information, EntryField::None);
    }
    return std::nullopt;
}

} // namespace selmarind
