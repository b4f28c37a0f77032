// The chart calculation: from the entries of the birth-data form to a
// finished result, running the engine steps in their fixed order.
#pragma once

#include "chart/chart_options.h"
#include "chart/chart_result.h"
#include "input/birth_entries.h"
#include "input/validation.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace selmarind {

// Why CalculateChart made no chart: the entries' first fault when they do not
// pass ValidateBirthData; otherwise the reason the positions could not be
// computed (the ephemeris's message), empty when an entry that passed the
// checks still did not convert.
struct ChartFailure {
    std::optional<ValidationFault> fault;
    std::string reason;
};

// A chart, or the reason there is none. Reads like an optional chart.
class ChartOrFailure {
public:
    ChartOrFailure(ChartResult chart) : value_(std::move(chart)) {}
    ChartOrFailure(ChartFailure failure) : value_(std::move(failure)) {}

    bool has_value() const { return std::holds_alternative<ChartResult>(value_); }
    explicit operator bool() const { return has_value(); }

    // The chart; only when there is one.
    const ChartResult& operator*() const& { return std::get<ChartResult>(value_); }
    ChartResult&& operator*() && { return std::get<ChartResult>(std::move(value_)); }
    const ChartResult* operator->() const { return &std::get<ChartResult>(value_); }

    // The reason; only when there is no chart.
    const ChartFailure& failure() const { return std::get<ChartFailure>(value_); }

    // The chart when there is one, for callers that need only that.
    operator std::optional<ChartResult>() const& {
        return has_value() ? std::optional<ChartResult>(**this) : std::nullopt;
    }
    operator std::optional<ChartResult>() && {
        return has_value() ? std::optional<ChartResult>(*std::move(*this)) : std::nullopt;
    }

    // Equal when both hold equal charts or both hold none.
    friend bool operator==(const ChartOrFailure& a, const ChartOrFailure& b) {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }

private:
    std::variant<ChartResult, ChartFailure> value_;
};

// Computes the chart of the entries, or says why it cannot: they fail
// ValidateBirthData, an entry does not convert, or the ephemeris refuses. A
// result is never built from values of an earlier chart.
ChartOrFailure CalculateChart(const BirthEntries& entries, const ChartOptions& options = {});

} // namespace selmarind
