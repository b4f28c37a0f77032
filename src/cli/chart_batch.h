// --batch: one chart per line of a CSV file, written as JSON lines in the
// input's order.
#pragma once

#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace selmarind::cli {

inline constexpr std::array<std::string_view, 15> kCsvColumns = {
    "name",  "date",    "time",  "zone", "lat",        "lon",       "dst",    "city",
    "state", "country", "place", "tz",   "utc-offset", "positions", "sunrise"};

// One line of a batch between reading and writing.
struct BatchLine {
    int line = 0;
    std::string fault; // a fault found while reading; the line is not computed
    std::array<std::string, kCsvColumns.size()> values;
    std::string output; // the JSON line, without its line break
    bool failed = false;
};

void ComputeLine(BatchLine& item);

// "the batch" for standard input, else the file's name as an echo.
std::string BatchName(const std::string& path);

// Reads the CSV from `input` and writes its charts; returns the exit status.
int RunBatch(std::istream& input, const std::string& name, std::ostream& out, std::ostream& err,
             int jobs);

} // namespace selmarind::cli
