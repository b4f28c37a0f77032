#include "cli/chart_batch.h"

#include "cli/chart_json.h"
#include "cli/chart_tool.h"
#include "cli/csv_reader.h"
#include "cli/echo_text.h"
#include "cli/input_file.h"
#include "cli/json_writer.h"
#include "cli/line_pool.h"
#include "cli/output_check.h"
#include "cli/prepared_birth.h"
#include "cli/tool_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace selmarind::cli {

namespace {

constexpr std::array<std::string_view, 15> kCsvColumns = {
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

std::optional<bool> ReadDstField(const std::string& text) {
    const std::string value = Lower(Trimmed(text));
    if (value.empty() || value == "0" || value == "no" || value == "false") {
        return false;
    }
    if (value == "1" || value == "yes" || value == "true") {
        return true;
    }
    return std::nullopt;
}

// A message of the single-birth checks as a batch line shows it: the
// options it names are the line's columns ("leave out dst").
std::string ColumnMessage(std::string message) {
    for (const std::string_view column : kCsvColumns) {
        const std::string option = "--" + std::string(column);
        for (std::size_t at = message.find(option); at != std::string::npos;
             at = message.find(option, at)) {
            const std::size_t end = at + option.size();
            const bool whole =
                end == message.size() ||
                !(std::isalnum(static_cast<unsigned char>(message[end])) || message[end] == '-');
            if (whole) {
                message.erase(at, 2);
            } else {
                at = end;
            }
        }
    }
    return message;
}

std::string LineError(int line, std::string_view message) {
    JsonWriter w;
    w.BeginObject();
    w.Key("line");
    w.Integer(line);
    w.Key("error");
    w.String(ColumnMessage(std::string(message)));
    w.EndObject();
    return w.Text();
}

// The reason the batch's input could not be read to its end, or nothing.
std::optional<std::string> InputFault(std::istream& input) {
    if (const auto* file = dynamic_cast<const InputFile*>(input.rdbuf());
        file && file->Error() != 0) {
        return std::strerror(file->Error());
    }
    if (input.bad()) {
        return std::string("the input stream failed");
    }
    return std::nullopt;
}

void ComputeLine(BatchLine& item, bool withDasha) {
    item.failed = true;
    if (!item.fault.empty()) {
        item.output = LineError(item.line, item.fault);
        return;
    }
    const auto& v = item.values;
    const std::optional<bool> dst = ReadDstField(v[6]);
    if (!dst) {
        item.output = LineError(item.line, "Please Enter dst as 1 or 0 (yes or no)");
        return;
    }
    const BirthFields fields{v[0], v[1], v[2], v[3], v[4], v[5], *dst, v[7], v[8], v[9]};
    const PlaceRequest where{Trimmed(v[10]), Trimmed(v[11]), Trimmed(v[12])};
    const PreparedBirth birth = PrepareFromFields(fields, where, v[13], v[14]);
    if (birth.status != kExitOk) {
        item.output = LineError(item.line, birth.message);
        return;
    }
    const Computed computed = Compute(birth);
    if (!computed.chart) {
        item.output = LineError(item.line, computed.message);
        return;
    }
    JsonWriter w;
    w.BeginObject();
    w.Key("line");
    w.Integer(item.line);
    WriteChartMembers(w, *computed.chart, birth.place, ChartStyle::South, withDasha);
    w.EndObject();
    item.output = w.Text();
    item.failed = false;
}

} // namespace

// "the batch" for standard input, else the file's name as an echo.
std::string BatchName(const std::string& path) {
    return path == "-" ? std::string("the batch") : EchoText(path);
}

int RunBatch(std::istream& input, const std::string& name, std::ostream& out, std::ostream& err,
             int jobs, bool withDasha) {
    CsvReader reader(input);
    std::optional<CsvRecord> header = reader.Next();
    while (header && header->blank) {
        header = reader.Next();
    }
    if (const auto fault = InputFault(input)) {
        err << UnavailableMessage(BatchName(name), *fault) << "\n";
        return kExitFailure;
    }
    if (!header) {
        err << kToolName << ": the batch has no header row\n";
        return kExitInvalidInput;
    }
    if (header->tooLong || header->unterminatedQuote) {
        err << kToolName << ": the header row (line " << header->line << ") "
            << (header->tooLong ? "is longer than 1 MiB" : "ends inside a quoted field") << "\n";
        return kExitInvalidInput;
    }
    // Column of each record field: index into kCsvColumns.
    std::vector<std::size_t> columns;
    std::array<bool, kCsvColumns.size()> seen{};
    for (const std::string& column : header->fields) {
        const std::string key = Lower(Trimmed(column));
        const auto it = std::find(kCsvColumns.begin(), kCsvColumns.end(), key);
        if (it == kCsvColumns.end()) {
            err << kToolName << ": unknown column \"" << EchoText(column)
                << "\" in the header row; the columns are name, date, time, zone, lat, lon, dst, "
                   "city, state, country, place, tz, utc-offset, positions, sunrise\n";
            return kExitInvalidInput;
        }
        const auto index = static_cast<std::size_t>(it - kCsvColumns.begin());
        if (seen[index]) {
            err << kToolName << ": column \"" << key << "\" appears twice in the header row\n";
            return kExitInvalidInput;
        }
        seen[index] = true;
        columns.push_back(index);
    }

    // Lines are read, computed and written a window at a time, so memory
    // stays bounded whatever the length of the batch and the output keeps
    // the order of the input. A window of 64 lines per thread keeps the
    // threads' idle time at its end small against the window's work.
    const std::size_t window = 64 * static_cast<std::size_t>(jobs);
    std::vector<BatchLine> lines;
    lines.reserve(window);
    LinePool pool(jobs);
    bool anyFailed = false;
    // Writes the window; false when the output could not take it, which
    // ends the batch: nothing more would reach its reader.
    const auto flush = [&] {
        pool.Run(lines.size(),
                 [&lines, withDasha](std::size_t i) { ComputeLine(lines[i], withDasha); });
        for (const BatchLine& item : lines) {
            out << item.output << "\n";
            anyFailed = anyFailed || item.failed;
        }
        lines.clear();
        if (const auto fault = OutputFault(out)) {
            err << CannotWriteMessage(*fault) << "\n";
            return false;
        }
        return true;
    };
    while (const std::optional<CsvRecord> record = reader.Next()) {
        if (record->blank) {
            continue;
        }
        BatchLine& item = lines.emplace_back();
        item.line = record->line;
        if (record->tooLong) {
            item.fault = "The line is longer than 1 MiB (1048576 bytes)";
        } else if (record->unterminatedQuote) {
            item.fault = "The line ends inside a quoted field";
        } else if (record->fields.size() != columns.size()) {
            item.fault = "The line has " + std::to_string(record->fields.size()) +
                         " fields where the header row names " + std::to_string(columns.size());
        } else {
            for (std::size_t f = 0; f < columns.size(); ++f) {
                item.values[columns[f]] = record->fields[f];
            }
        }
        if (lines.size() == window && !flush()) {
            return kExitFailure;
        }
    }
    if (!flush()) {
        return kExitFailure;
    }
    if (const auto fault = InputFault(input)) {
        err << UnavailableMessage(BatchName(name), *fault) << "\n";
        return kExitFailure;
    }
    return anyFailed ? kExitInvalidInput : kExitOk;
}

} // namespace selmarind::cli
