// Reading comma-separated records, one per line: fields separated by
// commas; a field that starts with a double quote is quoted and may hold
// commas and doubled quotes (""). A quote anywhere else in a field is
// text as it stands (5" Main Street, O"BRIEN).
//
// Each line is its own record, so a fault of one line (a quote left open,
// a line too long) fails that line alone and reading goes on at the next:
// no line that is good on its own is ever swallowed by another. A line
// break inside quotes is therefore not part of a field: no entry holds one.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace selmarind::cli {

// The longest line taken, in bytes without its line break: 1 MiB. What the
// reader holds at once is bounded by it, whatever the input.
inline constexpr std::size_t kCsvMaxLineBytes = std::size_t{1} << 20;

struct CsvRecord {
    int line = 0;                    // line of the input, from 1
    std::vector<std::string> fields; // unquoted
    bool blank = false;              // an empty line
    bool unterminatedQuote = false;  // the line ended inside a quoted field
    bool tooLong = false;            // longer than kCsvMaxLineBytes; no fields read
};

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    // The record of the next line; nothing at the end of the input. CR LF
    // and LF both end a line; a UTF-8 byte-order mark at the start of the
    // input is skipped.
    std::optional<CsvRecord> Next();

private:
    // The next line without its line break; false at the end of the input.
    // A line longer than kCsvMaxLineBytes is skipped to its end and sets
    // `tooLong`.
    bool ReadLine(std::string& text, bool& tooLong);

    std::istream& in_;
    int line_ = 0;
};

} // namespace selmarind::cli
