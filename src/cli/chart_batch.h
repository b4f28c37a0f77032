// --batch: one chart per line of a CSV file, written as JSON lines in the
// input's order.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace selmarind::cli {

// "the batch" for standard input, else the file's name as an echo.
std::string BatchName(const std::string& path);

// Reads the CSV from `input` and writes one JSON line per CSV line to `out`,
// computed on `jobs` threads (1 to 256) a window at a time; faults of the
// whole batch go to `err`. `name` is "-" for standard input, else the
// file's path, for messages. With `withDasha` each chart carries its
// Vimshottari periods. Returns the exit status.
int RunBatch(std::istream& input, const std::string& name, std::ostream& out, std::ostream& err,
             int jobs, bool withDasha = false);

} // namespace selmarind::cli
