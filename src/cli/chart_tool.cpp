#include "cli/chart_tool.h"

#include "engine/text.h"

#include "chart/chart_driver.h"
#include "cli/birth_input.h"
#include "cli/chart_json.h"
#include "cli/csv_reader.h"
#include "cli/echo_text.h"
#include "cli/input_file.h"
#include "cli/json_writer.h"
#include "cli/output_check.h"
#include "cli/place_input.h"
#include "input/entry_number.h"
#include "input/time_zones.h"
#include "input/utf8_text.h"
#include "records/file_io.h"
#include "records/record_checks.h"
#include "records/record_file.h"
#include "report/report.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

namespace selmarind::cli {

namespace {

constexpr const char* kToolName = "selmarind-chart";
constexpr const char* kNotComputedMessage = "The chart could not be computed from these entries";
constexpr int kMaxJobs = 256;

struct ToolOptions {
    BirthFields fields;
    PlaceRequest where;
    std::string positions; // empty: classic, or the record's choice
    std::string sunrise;   // empty: limb, or the record's choice
    bool json = false;
    bool listZones = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> batch;
    std::optional<std::string> jobs;
    std::optional<std::string> findPlace;
    std::optional<std::string> record;
    std::optional<std::string> saveRecord;
    bool anyBirthOption = false;
};

// The options that take a value, and where each one goes.
std::string* ValueField(std::string_view option, ToolOptions& options) {
    BirthFields& f = options.fields;
    PlaceRequest& w = options.where;
    const std::array<std::pair<std::string_view, std::string*>, 12> fields = {{
        {"--name", &f.name},
        {"--date", &f.date},
        {"--time", &f.time},
        {"--zone", &f.zone},
        {"--lat", &f.lat},
        {"--lon", &f.lon},
        {"--city", &f.city},
        {"--state", &f.state},
        {"--country", &f.country},
        {"--place", &w.place},
        {"--tz", &w.tz},
        {"--utc-offset", &w.utcOffset},
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
        const auto takeOptional = [&](std::optional<std::string>& target) {
            std::string value;
            const bool ok = takeValue(value);
            target = std::move(value);
            return ok;
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
        } else if (option == "--positions") {
            ok = takeValue(options.positions);
        } else if (option == "--sunrise") {
            ok = takeValue(options.sunrise);
        } else if (option == "--json") {
            ok = flag(options.json);
        } else if (option == "--list-zones") {
            ok = flag(options.listZones);
        } else if (option == "--help" || option == "-h") {
            ok = flag(options.help);
        } else if (option == "--version") {
            ok = flag(options.version);
        } else if (option == "--batch") {
            ok = takeOptional(options.batch);
        } else if (option == "--jobs") {
            ok = takeOptional(options.jobs);
        } else if (option == "--find-place") {
            ok = takeOptional(options.findPlace);
        } else if (option == "--record") {
            ok = takeOptional(options.record);
        } else if (option == "--save-record") {
            ok = takeOptional(options.saveRecord);
        } else {
            message = "unknown option " + EchoText(option);
            return false;
        }
        if (!ok) {
            return false;
        }
    }
    if (options.batch && (options.anyBirthOption || options.record || options.saveRecord)) {
        message = "--batch reads every birth from its file; give no birth options with it "
                  "(nor --record or --save-record)";
        return false;
    }
    if (options.jobs && !options.batch) {
        message = "--jobs applies to --batch only";
        return false;
    }
    if (options.record && options.anyBirthOption) {
        message = "--record holds the whole birth; give no birth options with it (only "
                  "--positions and --sunrise, which override the record's)";
        return false;
    }
    if (options.findPlace && (options.anyBirthOption || options.record || options.saveRecord)) {
        message = "--find-place only lists places; give no birth options with it";
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

// One birth made ready to compute, or the reason it cannot be.
struct PreparedBirth {
    int status = kExitOk;
    std::string message; // set when status is not kExitOk
    BirthEntries entries;
    ChartOptions options;
    std::optional<PlaceSummary> place;
    // What a saved record keeps besides the entries.
    std::optional<AtlasPlace> atlasPlace;
    std::optional<PositionSource> positionsGiven;
    std::optional<SunriseConvention> sunriseGiven;
};

PreparedBirth Refused(int status, std::string message) {
    PreparedBirth out;
    out.status = status;
    out.message = std::move(message);
    return out;
}

// Reads --positions and --sunrise (or their columns); empty leaves them unset.
bool ReadChoices(const std::string& positions, const std::string& sunrise, PreparedBirth& out) {
    if (const std::string name = Lower(Trimmed(positions)); !name.empty()) {
        out.positionsGiven = PositionSourceOfName(name);
        if (!out.positionsGiven) {
            out = Refused(kExitInvalidInput, "Please Enter the Positions as classic or precise");
            return false;
        }
    }
    if (const std::string name = Lower(Trimmed(sunrise)); !name.empty()) {
        out.sunriseGiven = SunriseConventionOfName(name);
        if (!out.sunriseGiven) {
            out = Refused(kExitInvalidInput, "Please Enter the Sunrise as limb or centre");
            return false;
        }
    }
    return true;
}

std::string UnavailableMessage(const std::string& what, const std::string& message) {
    return std::string(kToolName) + ": cannot read " + what + ": " + message;
}

// The fault of a place query (--place, --find-place, the place column) that
// the form's field could not hold, or nothing.
std::optional<std::string> PlaceQueryFault(const std::string& query) {
    if (!IsValidUtf8(query)) {
        return NotUtf8Message("place");
    }
    if (Utf16Length(query) > kFormFieldMaxLength) {
        return TooLongMessage("place");
    }
    return std::nullopt;
}

PreparedBirth PrepareFromFields(BirthFields fields, const PlaceRequest& where,
                                const std::string& positions, const std::string& sunrise) {
    PreparedBirth out;
    if (!ReadChoices(positions, sunrise, out)) {
        return out;
    }
    out.options = {out.positionsGiven.value_or(PositionSource::Classic),
                   out.sunriseGiven.value_or(SunriseConvention::Limb)};
    if (!where.place.empty() &&
        (!fields.lat.empty() || !fields.lon.empty() || !fields.zone.empty() || !where.tz.empty())) {
        return Refused(kExitInvalidInput, "A place from the atlas gives the coordinates and the "
                                          "zone: give no lat, lon, zone or tz with it");
    }
    if (!fields.zone.empty() && (!where.tz.empty() || !where.utcOffset.empty())) {
        return Refused(kExitInvalidInput,
                       "Give the zone either as a list entry (zone) or as tz / utc-offset");
    }
    if (fields.dst && !where.utcOffset.empty()) {
        return Refused(kExitInvalidInput, "A UTC offset is the whole offset in force, daylight "
                                          "saving included: give no dst with it");
    }
    if (auto fault = PlaceQueryFault(where.place)) {
        return Refused(kExitInvalidInput, std::move(*fault));
    }
    // No zone name needs a character that the echo would change.
    if (!where.tz.empty() && EchoText(where.tz) != where.tz) {
        return Refused(kExitInvalidInput,
                       "The time zone \"" + EchoText(where.tz) + "\" is not known.");
    }
    std::optional<PlaceMatch> match;
    if (!where.place.empty()) {
        PlaceLookup lookup = FindBestPlace(where.place);
        if (lookup.status == PlaceStatus::Unavailable) {
            return Refused(kExitFailure, UnavailableMessage("the atlas", lookup.message));
        }
        if (!lookup.match) {
            return Refused(kExitInvalidInput, lookup.message);
        }
        match = std::move(lookup.match);
        fields.lat = LatitudeText(match->latitude);
        fields.lon = LongitudeText(match->longitude);
        fields.city = fields.city.empty() ? match->name : fields.city;
        fields.state = fields.state.empty() ? match->division : fields.state;
        fields.country = fields.country.empty() ? match->country : fields.country;
        out.atlasPlace = AtlasPlace{match->geonameId, match->zoneId};
    }
    EntriesOrFault entries =
        EntriesFromFields(fields, BirthYears(out.options.positions), where.Any());
    if (!entries.entries) {
        return Refused(kExitInvalidInput, entries.message);
    }
    out.entries = std::move(*entries.entries);
    if (where.Any()) {
        ZoneSettlement zone = SettleZone(where, match, fields.dst, entries.clock, out.entries);
        if (zone.status == PlaceStatus::Unavailable) {
            return Refused(kExitFailure,
                           UnavailableMessage("the time-zone database", zone.message));
        }
        if (!zone.summary) {
            return Refused(kExitInvalidInput, zone.message);
        }
        out.place = std::move(zone.summary);
    }
    return out;
}

PreparedBirth PrepareFromRecord(const std::string& path, const std::string& positions,
                                const std::string& sunrise) {
    PreparedBirth out;
    if (!ReadChoices(positions, sunrise, out)) {
        return out;
    }
    if (const InputFileOrFault file = OpenInputFile(path); !file.file) {
        return Refused(kExitFailure, UnavailableMessage(EchoText(path), file.reason));
    }
    RecordOrFault record = ReadBirthRecordFile(path);
    if (!record.contents) {
        return Refused(record.fault == RecordFault::Unreadable ? kExitFailure : kExitInvalidInput,
                       record.fault == RecordFault::Unreadable
                           ? UnavailableMessage(EchoText(path), record.message)
                           : record.message);
    }
    BirthRecordContents& contents = *record.contents;
    // Options given on the command line win over the record's choices.
    out.positionsGiven = out.positionsGiven ? out.positionsGiven : contents.positions;
    out.sunriseGiven = out.sunriseGiven ? out.sunriseGiven : contents.sunrise;
    out.options = {out.positionsGiven.value_or(PositionSource::Classic),
                   out.sunriseGiven.value_or(SunriseConvention::Limb)};
    out.atlasPlace = contents.place;
    out.entries = std::move(contents.entries);
    if (auto fault =
            ExactZoneBoxFault(out.entries, out.atlasPlace ? out.atlasPlace->timeZone : "")) {
        return Refused(kExitInvalidInput, *fault);
    }
    return out;
}

// Computes the chart; a failure is the ephemeris's (its data could not be
// read) or, for entries that passed every check, a fault of the calculation.
struct Computed {
    std::optional<ChartResult> chart;
    std::string message;
};

Computed Compute(const PreparedBirth& birth) {
    Computed out;
    ChartOrFailure chart = CalculateChart(birth.entries, birth.options);
    if (!chart) {
        const ChartFailure& failure = chart.failure();
        out.message = failure.fault ? failure.fault->message
                      : failure.reason.empty()
                          ? std::string(kNotComputedMessage)
                          : UnavailableMessage("the ephemeris data", failure.reason);
        return out;
    }
    out.chart = *std::move(chart);
    return out;
}

std::optional<std::string> SaveRecord(const std::string& path, const PreparedBirth& birth) {
    BirthRecordContents contents;
    contents.entries = birth.entries;
    if (birth.entries.cmbTimeZoneIndex == kExactZoneIndex && birth.entries.exactZone) {
        contents.exactZone =
            ExactZoneOffset{static_cast<std::int32_t>(birth.entries.exactZone->utcOffsetSeconds),
                            birth.entries.exactZone->label};
    }
    contents.place = birth.atlasPlace;
    contents.positions = birth.positionsGiven;
    contents.sunrise = birth.sunriseGiven;
    if (auto fault = CheckBirthRecord(contents)) {
        return "a birth record cannot hold this birth: " + *fault;
    }
    return WriteFileAtomically(path, WriteBirthRecord(contents));
}

constexpr std::array<std::string_view, 15> kCsvColumns = {
    "name",  "date",    "time",  "zone", "lat",        "lon",       "dst",    "city",
    "state", "country", "place", "tz",   "utc-offset", "positions", "sunrise"};

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

// One line of a batch between reading and writing.
struct BatchLine {
    int line = 0;
    std::string fault; // a fault found while reading; the line is not computed
    std::array<std::string, kCsvColumns.size()> values;
    std::string output; // the JSON line, without its line break
    bool failed = false;
};

void ComputeLine(BatchLine& item) {
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
    WriteChartMembers(w, *computed.chart, birth.place);
    w.EndObject();
    item.output = w.Text();
    item.failed = false;
}

// Computes the lines of each window on `jobs` threads, this one among them.
// The helper threads live for the whole batch: the ephemeris configures
// itself once on each new thread, which should not be paid per window. Each
// thread takes the next line not yet taken, so a slow line holds up no
// other.
class LinePool {
public:
    explicit LinePool(int jobs) {
        for (int t = 1; t < jobs; ++t) {
            helpers_.emplace_back([this] { Help(); });
        }
    }
    ~LinePool() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        start_.notify_all();
    }
    LinePool(const LinePool&) = delete;
    LinePool& operator=(const LinePool&) = delete;

    void Run(std::vector<BatchLine>& lines) {
        if (helpers_.empty() || lines.size() < 2) {
            for (BatchLine& item : lines) {
                ComputeLine(item);
            }
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            lines_ = &lines;
            next_ = 0;
            busy_ = helpers_.size();
            ++generation_;
        }
        start_.notify_all();
        Drain(lines);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        lines_ = nullptr;
    }

private:
    void Drain(std::vector<BatchLine>& lines) {
        for (std::size_t i = next_++; i < lines.size(); i = next_++) {
            ComputeLine(lines[i]);
        }
    }

    void Help() {
        std::size_t seen = 0;
        for (;;) {
            std::vector<BatchLine>* lines = nullptr;
            {
                std::unique_lock lock(mutex_);
                start_.wait(lock, [&] { return stop_ || generation_ != seen; });
                if (stop_) {
                    return;
                }
                seen = generation_;
                lines = lines_;
            }
            Drain(*lines);
            {
                const std::lock_guard lock(mutex_);
                if (--busy_ == 0) {
                    done_.notify_one();
                }
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable start_; // a window is ready, or the batch is over
    std::condition_variable done_;  // every helper has finished the window
    std::vector<BatchLine>* lines_ = nullptr;
    std::atomic<std::size_t> next_{0};
    std::size_t busy_ = 0; // helpers still on the window
    std::size_t generation_ = 0;
    bool stop_ = false;
    std::vector<std::jthread> helpers_; // last: joined before the members above go
};

// "the batch" for standard input, else the file's name as an echo.
std::string BatchName(const std::string& path) {
    return path == "-" ? std::string("the batch") : EchoText(path);
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

int RunBatch(std::istream& input, const std::string& name, std::ostream& out, std::ostream& err,
             int jobs) {
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
        pool.Run(lines);
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

std::optional<int> ReadJobs(const std::optional<std::string>& text) {
    if (!text) {
        const unsigned cores = std::thread::hardware_concurrency();
        return static_cast<int>(std::clamp(cores, 1U, static_cast<unsigned>(kMaxJobs)));
    }
    const std::optional<int> jobs = DigitsValue(*text, 3);
    return jobs && *jobs >= 1 && *jobs <= kMaxJobs ? jobs : std::nullopt;
}

int FindPlaces(const std::string& query, std::ostream& out, std::ostream& err) {
    if (const auto fault = PlaceQueryFault(query)) {
        err << *fault << "\n";
        return kExitInvalidInput;
    }
    std::string message;
    const Atlas* atlas = SharedAtlas(message);
    if (!atlas) {
        err << UnavailableMessage("the atlas", message) << "\n";
        return kExitFailure;
    }
    std::size_t total = 0;
    const std::vector<PlaceMatch> places = atlas->Search(query, 20, &total);
    if (places.empty()) {
        err << FindBestPlace(query).message << "\n";
        return kExitInvalidInput;
    }
    for (const PlaceMatch& place : places) {
        out << PlaceDisplayLine(place) << "\n";
    }
    out << "\n";
    if (total > places.size()) {
        out << MatchCountNote(places.size(), total) << "\n";
    }
    out << kAtlasAttribution << "\n";
    return kExitOk;
}

} // namespace

std::string HelpText() {
    return R"(Usage:
  selmarind-chart --name NAME --date YYYY-MM-DD --time HH:MM[:SS]
                  (--zone ZONE [--dst] | --tz ZONE-ID [--dst] | --utc-offset ±HH:MM)
                  --lat 28N36 --lon 77E13 [--city C] [--state S] [--country K]
                  [--positions classic|precise] [--sunrise limb|centre]
                  [--json] [--save-record FILE]
  selmarind-chart --name NAME --date ... --time ... --place "NAME[, DIV][, COUNTRY]"
                  [--dst | --utc-offset ±HH:MM] [other options as above]
  selmarind-chart --record FILE [--positions P] [--sunrise S] [--json]
                  [--save-record FILE]
  selmarind-chart --batch FILE|- [--jobs N]
  selmarind-chart --find-place QUERY
  selmarind-chart --list-zones | --help | --version

Computes the sidereal chart of one birth and its Torvi Lagna, the sign that
holds the lord of the ascendant's sign.

Birth options:
  --name NAME        letters and spaces only; written in capitals
  --date YYYY-MM-DD  birth date, years 1901 to 2050 (1800 to 2399 with
                     --positions precise)
  --time HH:MM[:SS]  local clock time of the birth, 0:00 to 23:59:59
  --zone ZONE        time zone: its index 0 to 70, or its text exactly as
                     --list-zones shows it (quote it: "Indian Time, IST, +5.3")
  --lat 28N36        latitude: degrees (at most 2 digits, 0 to 89), N or S,
                     minutes (at most 2 digits, 0 to 59)
  --lon 77E13        longitude: degrees (at most 3 digits, 0 to 179), E or W,
                     minutes (at most 2 digits, 0 to 59)
  --dst              with --zone: daylight saving time was in force (the
                     form's box: one hour off the zone's time). With --tz or
                     --place: the birth was in daylight-saving time; it picks
                     the daylight-saving offset of an hour the clocks skipped
                     or repeated, and is refused where the zone kept standard
                     time then. Daylight saving is the offset ahead of the
                     zone's smallest one of that year (Irish summer time)
  --city C, --state S, --country K
                     place names, shown as given

Places and zones from the atlas and the tz database:
  --place "NAME[, DIVISION][, COUNTRY]"
                     the best match of the atlas gives the coordinates
                     (rounded to the minute), the zone and the place names
                     (--city, --state, --country still win); in place of
                     --lat, --lon, --zone and --tz. No match: status 2 with
                     the near matches
  --tz ZONE-ID       an IANA zone ("Asia/Kolkata") in place of --zone, with
                     --lat and --lon
  --utc-offset ±HH:MM[:SS]
                     the whole UTC offset in force (east positive, daylight
                     saving included), in place of --zone; with --tz or
                     --place it must be one the zone used then, which settles
                     an hour the clocks skipped or repeated
                     With these the offset in force at the birth's local
                     date and time (1800 to 2399) selects the list entry of
                     that offset and the zone's abbreviation (box unticked),
                     or an extra entry with the exact offset where no entry
                     has both ("Europe/Madrid, +02:00 CEST",
                     "Asia/Kathmandu, +05:45"). A
                     local time that did not exist or happened twice is
                     refused with status 2 naming both offsets, unless --dst
                     or --utc-offset settles it
  --find-place QUERY the places matching QUERY, best first, at most 20

Positions:
  --positions classic|precise
                     classic (default): the built-in theory of the windows'
                     worked examples; precise: the Swiss Ephemeris, Lahiri
                     ayanamsa
  --sunrise limb|centre
                     when the Sun counts as risen for the precise positions:
                     its upper limb with refraction (default) or the centre
                     of its disc without; the classic positions keep their
                     own rule

Records:
  --record FILE      computes from a birth record (*.selmarind); its position
                     source and sunrise apply unless --positions or --sunrise
                     is given, which win. No other birth option goes with it
  --save-record FILE also writes the birth as a record, replacing FILE whole
                     or not at all; the chart is printed only once it is saved

Output:
  (default)          a readable report: details, positions (retrograde
                     planets marked (R)), sunrise and sunset ("none" where
                     the Sun does not rise or set that day), the chart as a
                     South Indian square (TL marks the Torvi Lagna), the
                     Torvi Lagna's sign, house and significance, the sign's
                     attributes and five prediction paragraphs
  --json             one JSON object: "form" holds every text of the result
                     form by control name, "chart" the computed values with
                     "positions", "ephemeris", "sunrise" (the rule used:
                     always limb with classic) and "BirthUniversal";
                     with --place, --tz or --utc-offset also "place": name,
                     division, country (null without --place), latitude,
                     longitude (degrees, north and east positive), timeZone,
                     utcOffsetSeconds, zoneIndex (null for the extra entry),
                     dst (null with --utc-offset alone)

Other:
  --batch FILE       one chart per line of a CSV file ("-" reads standard
                     input). The header row names the columns: name, date,
                     time, zone, lat, lon, dst, city, state, country, place,
                     tz, utc-offset, positions, sunrise (any order; missing
                     columns are empty; dst is 1/0, yes/no or true/false).
                     A field that starts with " may hold commas and "";
                     a quote elsewhere is text. Writes one JSON object per
                     line, in the input's order; a line that fails
                     (a quote left open, longer than 1 MiB, a refused entry)
                     gives {"line": N, "error": "message"} and the other
                     lines are still computed
  --jobs N           threads for --batch, 1 to 256 (default: the number of
                     cores)
  --list-zones       the 71 time zones with their indices
  --help             this text
  --version          the program's name and version

Entries are checked as the birth-data form checks them and in the same
order; the first fault is printed on standard error with the form's message.

Files: the atlas is <data>/atlas/places.tsv.gz, where <data> is
$SELMARIND_DATA_DIR if set, else ../share/selmarind beside the program's
folder. Place data: GeoNames (geonames.org), CC BY 4.0.

Exit status: 0 done; 2 an entry or option was refused (in a batch: at least
one line failed), or no arguments; 1 a file could not be read or written
(the batch, a record, the atlas, the tz database, the ephemeris data, the
output: "cannot write the output: <reason>").
)";
}

std::string VersionText() {
    return std::string(kToolName) + " " + SELMARIND_VERSION + "\n";
}

std::string UsageText() {
    const std::string help = HelpText();
    return help.substr(0, help.find("\n\n") + 1);
}

namespace {

// The work of the tool; its output is checked once it is done.
int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    if (args.empty()) {
        err << UsageText() << "Try '" << kToolName << " --help'.\n";
        return kExitInvalidInput;
    }
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
    if (options.version) {
        out << VersionText();
        return kExitOk;
    }
    if (options.listZones) {
        ListZones(out);
        return kExitOk;
    }
    if (options.findPlace) {
        return FindPlaces(*options.findPlace, out, err);
    }
    if (options.batch) {
        const std::optional<int> jobs = ReadJobs(options.jobs);
        if (!jobs) {
            err << kToolName << ": --jobs takes a number of threads from 1 to " << kMaxJobs
                << "\nTry '" << kToolName << " --help'.\n";
            return kExitInvalidInput;
        }
        if (*options.batch == "-") {
            return RunBatch(in, *options.batch, out, err, *jobs);
        }
        InputFileOrFault file = OpenInputFile(*options.batch);
        if (!file.file) {
            err << UnavailableMessage(BatchName(*options.batch), file.reason) << "\n";
            return kExitFailure;
        }
        std::istream input(file.file.get());
        return RunBatch(input, *options.batch, out, err, *jobs);
    }

    const PreparedBirth birth =
        options.record
            ? PrepareFromRecord(*options.record, options.positions, options.sunrise)
            : PrepareFromFields(options.fields, options.where, options.positions, options.sunrise);
    if (birth.status != kExitOk) {
        err << birth.message << "\n";
        return birth.status;
    }
    const Computed computed = Compute(birth);
    if (!computed.chart) {
        err << computed.message << "\n";
        return kExitFailure;
    }
    if (options.saveRecord) {
        if (const auto fault = SaveRecord(*options.saveRecord, birth)) {
            err << kToolName << ": cannot save " << EchoText(*options.saveRecord) << ": " << *fault
                << "\n";
            return kExitFailure;
        }
    }
    if (options.json) {
        out << ChartJson(*computed.chart, true, birth.place) << "\n";
    } else {
        out << PlainReport(*computed.chart, birth.entries);
    }
    return kExitOk;
}

} // namespace

int RunChartTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    const int status = RunTool(args, in, out, err);
    if (status != kExitFailure || out.good()) {
        // A batch that failed to write has said so already.
        if (const auto fault = OutputFault(out)) {
            err << CannotWriteMessage(*fault) << "\n";
            return kExitFailure;
        }
    }
    return status;
}

} // namespace selmarind::cli
