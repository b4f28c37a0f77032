// Time of one whole chart calculation, from the form's entries to the result.
#include "chart/chart_driver.h"
#include "support/sample_entries.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalculateChart(benchmark::State& state) {
    const selmarind::BirthEntries entries = selmarind::Delhi1980Entries();
    for (auto _ : state) {
        auto result = selmarind::CalculateChart(entries);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculateChart)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
