// The tool's command line read into its options.
#pragma once

#include "cli/birth_input.h"
#include "cli/place_input.h"
#include "drawing/chart_style.h"

#include <optional>
#include <string>
#include <vector>

namespace selmarind::cli {

inline constexpr int kMaxJobs = 256;

struct ToolOptions {
    BirthFields fields;
    PlaceRequest where;
    std::string positions; // empty: classic, or the record's choice
    std::string sunrise;   // empty: limb, or the record's choice
    bool json = false;
    bool dasha = false; // the Vimshottari periods in the report or the JSON
    bool listZones = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> batch;
    std::optional<std::string> jobs;
    std::optional<std::string> findPlace;
    std::optional<std::string> record;
    std::optional<std::string> saveRecord;
    std::optional<std::string> svg;   // the file the chart is drawn into
    std::optional<std::string> style; // as given; checked by ParseArguments
    bool points = false;              // special points and arudhas in the drawing
    bool anyBirthOption = false;
};

// The style --style names; South without it. Call after ParseArguments,
// which refuses any other name.
ChartStyle StyleOfOptions(const ToolOptions& options);

// Reads the arguments; on a usage fault returns false with `message` set.
bool ParseArguments(const std::vector<std::string>& args, ToolOptions& options,
                    std::string& message);

std::optional<int> ReadJobs(const std::optional<std::string>& text);

} // namespace selmarind::cli
