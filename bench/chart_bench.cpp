// Time of one whole chart calculation, from the form's entries to the result.
#include "chart/chart_driver.h"

#include <benchmark/benchmark.h>

namespace {

selmarind::BirthEntries TypicalBirth() {
    selmarind::BirthEntries e;
    e.txtName = "RAVI KUMAR";
    e.cboMonthIndex = 2;
    e.cboDate = "15";
    e.cboYear = "1980";
    e.cboHH = "1";
    e.cboMM = "0";
    e.txtLatD = "28";
    e.txtLatM = "36";
    e.txtLonD = "77";
    e.txtLonM = "13";
    e.cmbTimeZoneIndex = 34;
    e.txtMCity = "New Delhi";
    e.txtMState = "Delhi";
    e.txtMCountry = "India";
    return e;
}

void BM_CalculateChart(benchmark::State& state) {
    const selmarind::BirthEntries entries = TypicalBirth();
    for (auto _ : state) {
        auto result = selmarind::CalculateChart(entries);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculateChart)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
