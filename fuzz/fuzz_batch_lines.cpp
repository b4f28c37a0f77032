// Fuzzes the batch of selmarind-chart: "--batch -" with the input as its
// standard input, through the CSV reader, the header row, the per-line
// fields and the chart of every line that passes.
//
// Whatever the bytes, the run ends with status 0 or 2 and keeps the exit
// status contract (fuzz_checks.h): a header fault is one message on standard
// error; otherwise every record gives one line of output, in order, a chart
// or an error, and a line that passes every check gives a chart.
#include "cli/chart_tool.h"
#include "fuzz_checks.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

using namespace selmarind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunChartTool({"--batch", "-"}, in, out, err);
    fuzz::Require(status != cli::kExitFailure, "status 1 for a batch on a stream");
    const auto lines = static_cast<long long>(std::count(input.begin(), input.end(), '\n')) + 1;
    fuzz::RequireToolContract(status, out.str(), err.str(), lines);
    return 0;
}
