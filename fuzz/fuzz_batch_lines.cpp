// Fuzzes the batch of selmarind-chart: "--batch -" with the input as its
// standard input, through the CSV reader, the header row, the per-line
// fields and the chart of every line that passes.
//
// Whatever the bytes, the run ends with status 0 or 2 and keeps the exit
// status contract (fuzz_checks.h): a header fault is one message on standard
// error; otherwise every record gives one line of output, in order, a chart
// or an error, and a line that passes every check gives a chart. And no good
// line is lost: each of the first lines that gives a chart when it follows
// the header alone gives its chart in the whole batch too, whatever the
// lines around it hold.
#include "cli/chart_tool.h"
#include "fuzz_checks.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace selmarind;

namespace {

struct Run {
    int status = 0;
    std::string out;
    std::string err;
};

Run Batch(const std::string& input, std::vector<std::string> args) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = cli::RunChartTool(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Whether the batch output has a chart for the line.
bool HasChart(std::string_view out, long long line) {
    const std::string head = "{\"line\":" + std::to_string(line) + ",";
    for (std::size_t at = out.find(head); at != std::string_view::npos;
         at = out.find(head, at + 1)) {
        if ((at == 0 || out[at - 1] == '\n') &&
            out.substr(at + head.size()).rfind("\"error\":", 0) != 0) {
            return true;
        }
    }
    return false;
}

// The lines of the input, each with its line break; the last may have none.
std::vector<std::string_view> Lines(std::string_view input) {
    std::vector<std::string_view> lines;
    while (!input.empty()) {
        const std::size_t end = std::min(input.find('\n'), input.size() - 1) + 1;
        lines.push_back(input.substr(0, end));
        input.remove_prefix(end);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const Run whole = Batch(input, {"--batch", "-"});
    fuzz::Require(whole.status != cli::kExitFailure, "status 1 for a batch on a stream");
    const auto lines = static_cast<long long>(std::count(input.begin(), input.end(), '\n')) + 1;
    fuzz::RequireToolContract(whole.status, whole.out, whole.err, lines);

    // The header is the first line that is not blank.
    const std::vector<std::string_view> text = Lines(input);
    std::size_t header = 0;
    while (header < text.size() && (text[header] == "\n" || text[header] == "\r\n")) {
        ++header;
    }
    if (header >= text.size()) {
        return 0;
    }
    // Each line alone costs a run; the first few are enough for the fuzzer.
    const std::size_t last = std::min(text.size(), header + 9);
    for (std::size_t i = header + 1; i < last; ++i) {
        std::string alone(text[header]);
        if (!alone.ends_with('\n')) {
            break;
        }
        alone += text[i];
        const Run single = Batch(alone, {"--batch", "-", "--jobs", "1"});
        if (single.status == cli::kExitOk && !single.out.empty()) {
            fuzz::Require(HasChart(whole.out, static_cast<long long>(i) + 1),
                          "a line that gives a chart on its own gives none in the batch");
        }
    }
    return 0;
}
