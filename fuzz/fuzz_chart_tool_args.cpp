// Fuzzes the argument handling of selmarind-chart.
//
// Input: the arguments (without the program name), each ended by a NUL byte
// as in /proc/PID/cmdline; a last argument may go without one.
//
// The tool reads files for --batch and --record and writes them for
// --save-record and --svg. Every file it is given is moved into a scratch folder made
// at start-up, which holds a few batch files (births.csv, refused.csv,
// empty.csv), a birth record (birth.selmarind) and a folder (dir), so no run
// reads or writes anything outside it. The atlas is the build tree's. "--batch -" reads a string
// stream holding a small batch, never the real standard input. Every run must keep the exit status
// contract (fuzz_checks.h).
#include "cli/chart_tool.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace selmarind;

namespace {

constexpr std::string_view kBirths = "name,date,time,zone,lat,lon,dst,city,state,country\n"
                                     "Ravi Kumar,1980-03-15,01:00,34,28N36,77E13,0,New "
                                     "Delhi,Delhi,India\n"
                                     "Anna,1990-07-15,12:00:30,29,51N30,0W7,1,London,,UK\n";
constexpr std::string_view kRecord = R"({
  "format": "selmarind-birth-record",
  "version": 1,
  "name": "RAVI KUMAR",
  "date": "1980-03-15",
  "time": "01:00:00",
  "zone": {"index": 34},
  "dst": false,
  "latitude": {"degrees": 28, "minutes": 36, "hemisphere": "N"},
  "longitude": {"degrees": 77, "minutes": 13, "hemisphere": "E"},
  "city": "New Delhi",
  "state": "Delhi",
  "country": "India",
  "positions": "precise"
}
)";
constexpr std::string_view kRefused = "name,date,time,zone,lat,lon\n"
                                      "Anna,1990-07-15,12:00,29,95N30,0W7\n";

std::filesystem::path& ScratchFolder() {
    static std::filesystem::path folder;
    return folder;
}

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

void WriteFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The file a --batch value names, inside the scratch folder: letters,
// digits, '.', '-' and '_' are kept and every other byte becomes '_', so the
// name holds no '/'; ".." is the one name left that leads out, and is
// changed.
std::string ScratchPath(std::string_view name) {
    std::string kept;
    for (char c : name.substr(0, 64)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        kept += plain ? c : '_';
    }
    if (kept == "..") {
        kept = "_..";
    }
    return (ScratchFolder() / kept).string();
}

// Moves the value of every option that names a file, separate or after
// '=', into the scratch folder; "--batch -" stays, it reads the stream given
// to the tool.
void KeepFilesInScratch(std::vector<std::string>& args) {
    for (const std::string_view option : {"--batch", "--record", "--save-record", "--svg"}) {
        const std::string inlineForm = std::string(option) + "=";
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == option && i + 1 < args.size() &&
                !(option == "--batch" && args[i + 1] == "-")) {
                args[i + 1] = ScratchPath(args[i + 1]);
            } else if (args[i].starts_with(inlineForm) && args[i] != "--batch=-") {
                args[i] =
                    inlineForm + ScratchPath(std::string_view(args[i]).substr(inlineForm.size()));
            }
        }
    }
}

std::vector<std::string> ArgumentsOf(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\0', start);
        args.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "selmarind-fuzz-args-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("selmarind fuzz: cannot make a scratch folder");
        std::abort();
    }
    ScratchFolder() = pattern;
    std::atexit(RemoveScratchFolder);
    WriteFile(ScratchFolder() / "births.csv", kBirths);
    WriteFile(ScratchFolder() / "refused.csv", kRefused);
    WriteFile(ScratchFolder() / "empty.csv", "");
    WriteFile(ScratchFolder() / "birth.selmarind", kRecord);
    std::filesystem::create_directory(ScratchFolder() / "dir");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args = ArgumentsOf(data, size);
    KeepFilesInScratch(args);
    std::istringstream in{std::string(kBirths)};
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunChartTool(args, in, out, err);
    fuzz::RequireToolContract(status, out.str(), err.str(), 3);
    return 0;
}
