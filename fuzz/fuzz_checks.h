// Checks shared by the fuzz targets. A failed check prints what failed and
// stops the run with a trap, which libFuzzer reports as a crash and saves the
// input that caused it.
#pragma once

#include "chart/chart_invariants.h"
#include "chart/chart_result.h"
#include "input/utf8_text.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

namespace selmarind::fuzz {

inline void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::fflush(stderr);
        __builtin_trap();
    }
}

// What every chart the calculation hands out holds: the invariants the
// sweeps check too.
inline void RequireFinishedChart(const ChartResult& result) {
    const std::string fault = ChartResultFault(result);
    if (!fault.empty()) {
        std::fprintf(stderr, "unfinished chart: %s\n", fault.c_str());
    }
    Require(fault.empty(), "every chart is finished");
}

inline constexpr std::string_view kNotComputedMessage =
    "The chart could not be computed from these entries";

// Checks the output of a batch: one compact JSON object per line, starting
// with its line number, which rises and stays within the input's lines, then
// either the chart (after its "place" where it has one) or an error. Returns the number of lines
// that failed.
inline int RequireBatchOutput(std::string_view out, long long lastInputLine) {
    Require(out.empty() || out.back() == '\n', "batch output not ending in a line break");
    Require(IsValidUtf8(out), "batch output that is not UTF-8");
    constexpr std::string_view kHead = "{\"line\":";
    int errors = 0;
    long long previous = 0;
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find('\n', start);
        std::string_view line = out.substr(start, end - start);
        start = end + 1;
        Require(line.starts_with(kHead) && line.ends_with('}'), "a batch line that is no object");
        line.remove_prefix(kHead.size());
        long long number = 0;
        const auto read = std::from_chars(line.data(), line.data() + line.size(), number);
        Require(read.ec == std::errc() && number > previous && number <= lastInputLine,
                "batch line numbers out of order or beyond the input");
        previous = number;
        line.remove_prefix(static_cast<std::size_t>(read.ptr - line.data()));
        if (line.starts_with(",\"error\":")) {
            Require(line.find(kNotComputedMessage) == std::string_view::npos,
                    "a batch line that passed the checks gives no chart");
            ++errors;
        } else {
            // A line whose zone came from --place, tz or utc-offset columns
            // has its "place" before the chart.
            Require(line.starts_with(",\"form\":{") ||
                        (line.starts_with(",\"place\":{") &&
                         line.find("},\"form\":{") != std::string_view::npos),
                    "a batch line with neither chart nor error");
        }
    }
    return errors;
}

// The exit status contract of selmarind-chart: 0 done, nothing on standard
// error; 1 a file that cannot be read (batch, record, atlas, tz database,
// ephemeris data) or a record that cannot be saved, nothing on standard
// output, or output that could not be written; 2 an option or entry refused,
// with the message on standard error and nothing on standard output, or a
// batch in which at least one line failed (written to standard output).
inline void RequireToolContract(int status, std::string_view out, std::string_view err,
                                long long lastBatchLine) {
    Require(status == 0 || status == 1 || status == 2, "an exit status other than 0, 1 or 2");
    const bool batch = out.starts_with("{\"line\":");
    const int failedLines = batch ? RequireBatchOutput(out, lastBatchLine) : 0;
    if (!batch && out.starts_with("{")) {
        Require(IsValidUtf8(out), "JSON output that is not UTF-8");
    }
    switch (status) {
    case 0:
        Require(err.empty(), "status 0 with a message");
        Require(failedLines == 0, "status 0 after a batch line failed");
        break;
    case 1:
        Require(!err.starts_with(kNotComputedMessage),
                "entries that passed the checks give no chart");
        Require(err.starts_with("selmarind-chart: cannot read ") ||
                    err.starts_with("selmarind-chart: cannot save ") ||
                    err.starts_with("selmarind-chart: cannot write the output: "),
                "status 1 without a file that cannot be read or written");
        // Output that failed part of the way may have written some of it.
        Require(out.empty() || err.starts_with("selmarind-chart: cannot write the output: "),
                "status 1 with output");
        break;
    default:
        if (err.empty()) {
            Require(failedLines > 0, "status 2 without a message or a failed batch line");
        } else {
            Require(out.empty(), "status 2 with both a message and output");
        }
    }
}

} // namespace selmarind::fuzz
