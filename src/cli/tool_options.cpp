#include "cli/tool_options.h"

#include "cli/echo_text.h"
#include "input/entry_number.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <thread>

namespace selmarind::cli {

namespace {

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

} // namespace

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
        } else if (option == "--ayanamsa") {
            ok = takeValue(options.ayanamsa);
        } else if (option == "--json") {
            ok = flag(options.json);
        } else if (option == "--dasha") {
            ok = flag(options.dasha);
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
        } else if (option == "--svg") {
            ok = takeOptional(options.svg);
        } else if (option == "--style") {
            ok = takeOptional(options.style);
        } else if (option == "--points") {
            ok = flag(options.points);
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
    // A batch takes these from its columns; left unread they would be lost
    // without a word.
    if ((options.batch || options.findPlace) &&
        !(options.positions.empty() && options.sunrise.empty() && options.ayanamsa.empty())) {
        message = options.batch ? "--batch takes the positions, sunrise and ayanamsa from its "
                                  "columns; give no --positions, --sunrise or --ayanamsa with it"
                                : "--find-place only lists places; give no --positions, "
                                  "--sunrise or --ayanamsa with it";
        return false;
    }
    if (options.jobs && !options.batch) {
        message = "--jobs applies to --batch only";
        return false;
    }
    if (options.record && options.anyBirthOption) {
        message = "--record holds the whole birth; give no birth options with it (only "
                  "--positions, --sunrise and --ayanamsa, which override the record's)";
        return false;
    }
    if (options.findPlace && (options.anyBirthOption || options.record || options.saveRecord)) {
        message = "--find-place only lists places; give no birth options with it";
        return false;
    }
    if ((options.style || options.points) && !options.svg) {
        message = "--style and --points apply to the drawing of --svg FILE only";
        return false;
    }
    if (options.style && !ChartStyleOfName(*options.style)) {
        message = "--style takes south, north or east, not " + EchoText(*options.style);
        return false;
    }
    if (options.svg && (options.svg->empty() || *options.svg == "-")) {
        // Standard output holds the report or JSON; "-" would be a file of that name.
        message = "--svg needs a file name; the drawing does not go to standard output";
        return false;
    }
    if (options.svg && (options.batch || options.findPlace)) {
        message = "--svg draws the chart of one birth; it does not go with --batch or "
                  "--find-place";
        return false;
    }
    return true;
}

ChartStyle StyleOfOptions(const ToolOptions& options) {
    const std::optional<ChartStyle> style =
        options.style ? ChartStyleOfName(*options.style) : std::nullopt;
    return style.value_or(ChartStyle::South);
}

std::optional<int> ReadJobs(const std::optional<std::string>& text) {
    if (!text) {
        const unsigned cores = std::thread::hardware_concurrency();
        return static_cast<int>(std::clamp(cores, 1U, static_cast<unsigned>(kMaxJobs)));
    }
    const std::optional<int> jobs = DigitsValue(*text, 3);
    return jobs && *jobs >= 1 && *jobs <= kMaxJobs ? jobs : std::nullopt;
}

} // namespace selmarind::cli
