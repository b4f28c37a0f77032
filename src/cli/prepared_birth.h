// One birth from the tool's options, a record or a batch line, checked and
// made ready to compute; its chart; and its record.
#pragma once

#include "chart/chart_driver.h"
#include "cli/birth_input.h"
#include "cli/chart_tool.h"
#include "cli/place_input.h"
#include "records/record_file.h"

#include <optional>
#include <string>

namespace selmarind::cli {

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
    std::optional<AyanamsaChoice> ayanamsaGiven;
    std::optional<std::string> chartStyle; // the record's "chartStyle", kept as read
};

// `ayanamsa` is a key of AyanamsaOfKey or empty; an ayanamsa the classic
// source cannot give is refused (kExitInvalidInput).
PreparedBirth PrepareFromFields(BirthFields fields, const PlaceRequest& where,
                                const std::string& positions, const std::string& sunrise,
                                const std::string& ayanamsa = {});

PreparedBirth PrepareFromRecord(const std::string& path, const std::string& positions,
                                const std::string& sunrise, const std::string& ayanamsa = {});

// Computes the chart; a failure is the ephemeris's (its data could not be
// read) or, for entries that passed every check, a fault of the calculation.
struct Computed {
    std::optional<ChartResult> chart;
    std::string message;
};

Computed Compute(const PreparedBirth& birth);

std::optional<std::string> SaveRecord(const std::string& path, const PreparedBirth& birth);

} // namespace selmarind::cli
