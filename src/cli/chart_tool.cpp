#include "cli/chart_tool.h"

#include "engine/chart_text.h"

#include "chart/chart_driver.h"
#include "cli/birth_input.h"
#include "cli/chart_json.h"
#include "cli/csv_reader.h"
#include "cli/json_writer.h"
#include "report/report.h"
#include "input/time_zones.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <string_view>

namespace selmarind::cli {

namespace {

constexpr const char* kToolName = "selmarind-chart";
constexpr const char* kNotComputedMessage = "The chart could not be computed from these entries";

struct ToolOptions {
    BirthFields fields;
    bool json = false;
    bool listZones = false;
    bool help = false;
    std::optional<std::string> batch;
    bool anyBirthOption = false;
};

// The options that take a value, and where each one goes.
std::string* ValueField(std::string_view option, ToolOptions& options) {
    BirthFields& f = options.fields;
    const std::array<std::pair<std::string_view, std::string*>, 9> fields = {{
        {"--name", &f.name},
        {"--date", &f.date},
        {"--time", &f.time},
        {"--zone", &f.zone},
        {"--lat", &f.lat},
        {"--lon", &f.lon},
        {"--city", &f.city},
        {"--state", &f.state},
        {"--country", &f.country},
    }};
    for (const auto& [name, field] : fields) {
        if (option == name) {
            return field;
        }
    }
    return nullptr;
}

// Reads the arguments; on a usage fault returns false with `message` set.
bool ParseArguments(const std::vector<std::string>& args, ToolOptions& options,
                    std::string& message) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = option.find('=');
            option.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = option.substr(eq + 1);
            option.resize(eq);
        }
        const auto takeValue = [&](std::string& target) {
            if (inlineValue) {
                target = *inlineValue;
                return true;
            }
            if (i + 1 >= args.size()) {
                message = "option " + option + " needs a value";
                return false;
            }
            target = args[++i];
            return true;
        };
        const auto flag = [&](bool& target) {
            if (inlineValue) {
                message = "option " + option + " takes no value";
                return false;
            }
            target = true;
            return true;
        };

        bool ok = true;
        if (std::string* field = ValueField(option, options)) {
            ok = takeValue(*field);
            options.anyBirthOption = true;
        } else if (option == "--dst") {
            ok = flag(options.fields.dst);
            options.anyBirthOption = true;
        } else if (option == "--json") {
            ok = flag(options.json);
        } else if (option == "--list-zones") {
            ok = flag(options.listZones);
        } else if (option == "--help" || option == "-h") {
            ok = flag(options.help);
        } else if (option == "--batch") {
            std::string file;
            ok = takeValue(file);
            options.batch = file;
        } else {
            message = "unknown option " + option;
            return false;
        }
        if (!ok) {
            return false;
        }
    }
    if (options.batch && options.anyBirthOption) {
        message = "--batch reads every birth from its file; give no birth options with it";
        return false;
    }
    return true;
}

void ListZones(std::ostream& out) {
    const auto& zones = TimeZoneList();
    for (std::size_t i = 0; i < zones.size(); ++i) {
        out << (i < 10 ? " " : "") << i << "  " << zones[i].itemText << "\n";
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

// A batch field without the spaces and tabs around it.
std::string Trimmed(const std::string& text) {
    return std::string(TrimCharacters(text, " \t"));
}

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

constexpr std::array<std::string_view, 10> kCsvColumns = {
    "name", "date", "time", "zone", "lat", "lon", "dst", "city", "state", "country"};

void WriteLineError(std::ostream& out, int line, std::string_view message) {
    JsonWriter w;
    w.BeginObject();
    w.Key("line");
    w.Integer(line);
    w.Key("error");
    w.String(message);
    w.EndObject();
    out << w.Text() << "\n";
}

int RunBatch(std::istream& input, std::ostream& out, std::ostream& err) {
    CsvReader reader(input);
    std::optional<CsvRecord> header = reader.Next();
    while (header && header->blank) {
        header = reader.Next();
    }
    if (!header) {
        err << kToolName << ": the batch has no header row\n";
        return kExitInvalidInput;
    }
    // Column of each record field: index into kCsvColumns.
    std::vector<std::size_t> columns;
    std::array<bool, kCsvColumns.size()> seen{};
    for (const std::string& name : header->fields) {
        const std::string key = Lower(Trimmed(name));
        const auto it = std::find(kCsvColumns.begin(), kCsvColumns.end(), key);
        if (it == kCsvColumns.end()) {
            err << kToolName << ": unknown column \"" << name
                << "\" in the header row; the columns are name, date, time, zone, lat, lon, dst, "
                   "city, state, country\n";
            return kExitInvalidInput;
        }
        const auto column = static_cast<std::size_t>(it - kCsvColumns.begin());
        if (seen[column]) {
            err << kToolName << ": column \"" << key << "\" appears twice in the header row\n";
            return kExitInvalidInput;
        }
        seen[column] = true;
        columns.push_back(column);
    }

    bool anyFailed = false;
    while (const std::optional<CsvRecord> record = reader.Next()) {
        if (record->blank) {
            continue;
        }
        const auto fail = [&](std::string_view message) {
            WriteLineError(out, record->line, message);
            anyFailed = true;
        };
        if (record->unterminatedQuote) {
            fail("The line ends inside a quoted field");
            continue;
        }
        if (record->fields.size() != columns.size()) {
            fail("The line has " + std::to_string(record->fields.size()) +
                 " fields where the header row names " + std::to_string(columns.size()));
            continue;
        }
        std::array<std::string, kCsvColumns.size()> values;
        for (std::size_t f = 0; f < columns.size(); ++f) {
            values[columns[f]] = record->fields[f];
        }
        const std::optional<bool> dst = ReadDstField(values[6]);
        if (!dst) {
            fail("Please Enter dst as 1 or 0 (yes or no)");
            continue;
        }
        const BirthFields fields{values[0], values[1], values[2], values[3], values[4],
                                 values[5], *dst,      values[7], values[8], values[9]};
        const EntriesOrFault entries = EntriesFromFields(fields);
        if (!entries.entries) {
            fail(entries.message);
            continue;
        }
        const std::optional<ChartResult> chart = CalculateChart(*entries.entries);
        if (!chart) {
            fail(kNotComputedMessage);
            continue;
        }
        JsonWriter w;
        w.BeginObject();
        w.Key("line");
        w.Integer(record->line);
        WriteChartMembers(w, *chart);
        w.EndObject();
        out << w.Text() << "\n";
    }
    return anyFailed ? kExitInvalidInput : kExitOk;
}

} // namespace

std::string HelpText() {
    return R"(Usage:
  selmarind-chart --name NAME --date YYYY-MM-DD --time HH:MM[:SS] --zone ZONE
                  --lat 28N36 --lon 77E13 [--dst] [--city C] [--state S]
                  [--country K] [--json]
  selmarind-chart --batch FILE|-
  selmarind-chart --list-zones
  selmarind-chart --help

Computes the sidereal chart of one birth and its Torvi Lagna, the sign that
holds the lord of the ascendant's sign.

Birth options:
  --name NAME        letters and spaces only; written in capitals
  --date YYYY-MM-DD  birth date, years 1901 to 2050
  --time HH:MM[:SS]  local clock time of the birth, 0:00 to 23:59:59
  --zone ZONE        time zone: its index 0 to 70, or its text exactly as
                     --list-zones shows it (quote it: "Indian Time, IST, +5.3")
  --lat 28N36        latitude: degrees (at most 2 digits, 0 to 89), N or S,
                     minutes (at most 2 digits, 0 to 59)
  --lon 77E13        longitude: degrees (at most 3 digits, 0 to 179), E or W,
                     minutes (at most 2 digits, 0 to 59)
  --dst              daylight saving time was in force
  --city C, --state S, --country K
                     place names, shown as given

Output:
  (default)          a readable report: details, positions (retrograde
                     planets marked (R)), sunrise and sunset ("none" where
                     the Sun does not rise or set that day), the chart as a
                     South Indian square (TL marks the Torvi Lagna), the
                     Torvi Lagna's sign, house and significance, the sign's
                     attributes and five prediction paragraphs
  --json             one JSON object: "form" holds every text of the result
                     form by control name, "chart" the computed values

Other:
  --batch FILE       one chart per line of a CSV file ("-" reads standard
                     input). The header row names the columns: name, date,
                     time, zone, lat, lon, dst, city, state, country (any
                     order; missing columns are empty; dst is 1/0, yes/no or
                     true/false). Writes one JSON object per line; a line
                     that fails gives {"line": N, "error": "message"} and the
                     other lines are still computed
  --list-zones       the 71 time zones with their indices
  --help             this text

Entries are checked as the birth-data form checks them and in the same
order; the first fault is printed on standard error with the form's message.

Exit status: 0 done; 2 an entry or option was refused (in a batch: at least
one line failed); 1 the batch file could not be read.
)";
}

int RunChartTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    ToolOptions options;
    std::string usage;
    if (!ParseArguments(args, options, usage)) {
        err << kToolName << ": " << usage << "\nTry '" << kToolName << " --help'.\n";
        return kExitInvalidInput;
    }
    if (options.help) {
        out << HelpText();
        return kExitOk;
    }
    if (options.listZones) {
        ListZones(out);
        return kExitOk;
    }
    if (options.batch) {
        if (*options.batch == "-") {
            return RunBatch(in, out, err);
        }
        std::ifstream file(*options.batch, std::ios::binary);
        if (!file) {
            err << kToolName << ": cannot read " << *options.batch << "\n";
            return kExitFailure;
        }
        return RunBatch(file, out, err);
    }

    const EntriesOrFault entries = EntriesFromFields(options.fields);
    if (!entries.entries) {
        err << entries.message << "\n";
        return kExitInvalidInput;
    }
    const std::optional<ChartResult> chart = CalculateChart(*entries.entries);
    if (!chart) {
        err << kNotComputedMessage << "\n";
        return kExitFailure;
    }
    if (options.json) {
        out << ChartJson(*chart, true) << "\n";
    } else {
        out << PlainReport(*chart, *entries.entries);
    }
    return kExitOk;
}

} // namespace selmarind::cli
