// The command-line tool selmarind-chart: one chart from options, or one
// chart per CSV line in a batch.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace selmarind::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;      // a file that cannot be read or written (batch, record,
                                            // atlas, tz database, ephemeris data, the output)
inline constexpr int kExitInvalidInput = 2; // an entry the form would refuse, or a bad option

// Runs the tool on its arguments (without the program name). `in` is read
// for "--batch -"; the report or JSON goes to `out`, messages to `err`.
// `out` is flushed and checked before the tool returns (and after each
// window of a batch): when it could not take its text, the reason is
// printed and the status is kExitFailure. No arguments at all: the usage,
// on `err`, with kExitInvalidInput.
int RunChartTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

} // namespace selmarind::cli
