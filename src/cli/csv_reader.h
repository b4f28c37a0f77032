// Reading comma-separated records: fields separated by commas, a field in
// double quotes may hold commas, line breaks and doubled quotes ("").
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace selmarind::cli {

struct CsvRecord {
    int line = 0;                    // line of the input where the record starts, from 1
    std::vector<std::string> fields; // unquoted
    bool blank = false;              // an empty line
    bool unterminatedQuote = false;  // the input ended inside a quoted field
};

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record; nothing at the end of the input. CR LF and LF both end
    // a line (a line break inside quotes reads as LF); a UTF-8 byte-order
    // mark before the first record is skipped.
    std::optional<CsvRecord> Next();

private:
    bool ReadLine(std::string& text);

    std::istream& in_;
    int line_ = 0;
};

} // namespace selmarind::cli
