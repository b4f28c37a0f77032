#include "cli/chart_tool.h"

#include "cli/chart_batch.h"
#include "cli/chart_json.h"
#include "cli/echo_text.h"
#include "cli/find_place.h"
#include "cli/help_text.h"
#include "cli/input_file.h"
#include "cli/output_check.h"
#include "cli/prepared_birth.h"
#include "cli/tool_options.h"
#include "cli/tool_text.h"
#include "drawing/svg_writer.h"
#include "files/atomic_file.h"
#include "input/time_zones.h"
#include "report/report.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace selmarind::cli {

namespace {

void ListZones(std::ostream& out) {
    const auto& zones = TimeZoneList();
    for (std::size_t i = 0; i < zones.size(); ++i) {
        out << (i < 10 ? " " : "") << i << "  " << zones[i].itemText << "\n";
    }
}

// Whether two paths name one file: the same file where both exist, else
// the same path once made absolute with its links resolved.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error) && !error) {
        return true;
    }
    // Made absolute first: weakly_canonical leaves a relative path of which
    // nothing exists relative, so "r.json" and "./r.json" would differ. A
    // link to a file not written yet is followed by hand, as the writing
    // will follow it.
    const auto resolved = [&error](const std::string& path) {
        std::filesystem::path at = std::filesystem::absolute(path, error);
        // A path that does not exist is no link: its error is not one.
        const auto isLink = [](const std::filesystem::path& p) {
            std::error_code missing;
            return std::filesystem::is_symlink(std::filesystem::symlink_status(p, missing));
        };
        for (int hops = 0; !error && hops < 40 && isLink(at); ++hops) {
            const std::filesystem::path target = std::filesystem::read_symlink(at, error);
            at = target.is_absolute() ? target : at.parent_path() / target;
        }
        return error ? at : std::filesystem::weakly_canonical(at, error);
    };
    const std::filesystem::path first = resolved(a);
    if (error) {
        return false;
    }
    const std::filesystem::path second = resolved(b);
    return !error && first == second;
}

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
            return RunBatch(in, *options.batch, out, err, *jobs, options.dasha);
        }
        InputFileOrFault file = OpenInputFile(*options.batch);
        if (!file.file) {
            err << UnavailableMessage(BatchName(*options.batch), file.reason) << "\n";
            return kExitFailure;
        }
        std::istream input(file.file.get());
        return RunBatch(input, *options.batch, out, err, *jobs, options.dasha);
    }

    // The drawing must not replace the record it is drawn from or saved to.
    for (const auto* record : {&options.record, &options.saveRecord}) {
        if (options.svg && *record && SameFile(*options.svg, **record)) {
            err << kToolName << ": --svg " << EchoText(*options.svg)
                << " names the record file; give the drawing a file of its own\n";
            return kExitInvalidInput;
        }
    }
    // Neither replaces the file standard output goes to: the report would
    // go to the file replaced, and be lost.
    for (const auto& [option, path] :
         {std::pair{"--svg", &options.svg}, std::pair{"--save-record", &options.saveRecord}}) {
        if (*path && IsOutputFile(out, **path)) {
            err << kToolName << ": " << option << " " << EchoText(**path)
                << " is the file the standard output goes to; give it a file of its own\n";
            return kExitInvalidInput;
        }
    }
    const PreparedBirth birth =
        options.record ? PrepareFromRecord(*options.record, options.positions, options.sunrise,
                                           options.ayanamsa)
                       : PrepareFromFields(options.fields, options.where, options.positions,
                                           options.sunrise, options.ayanamsa);
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
    const ChartStyle style = StyleOfOptions(options);
    if (options.svg) {
        if (const auto fault = WriteFileAtomically(
                *options.svg, ChartSvg(*computed.chart, style, options.points))) {
            err << kToolName << ": cannot write the drawing " << EchoText(*options.svg) << ": "
                << *fault << "\n";
            return kExitFailure;
        }
    }
    if (options.json) {
        out << ChartJson(*computed.chart, true, birth.place, style, options.dasha) << "\n";
    } else {
        out << PlainReport(*computed.chart, birth.entries, options.dasha);
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
