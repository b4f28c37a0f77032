// Time of one whole chart calculation, from the form's entries to the
// result, of its main steps, and of one retrograde look-up.
#include "chart/chart_driver.h"
#include "chart/navamsa.h"
#include "chart/special_points.h"
#include "chart/vimshottari.h"
#include "engine/ascendant.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "engine/retrogrades.h"
#include "input/time_zones.h"
#include "input/validation.h"
#include "support/sample_entries.h"

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace selmarind;

void BM_CalculateChart(benchmark::State& state) {
    const BirthEntries entries = Delhi1980Entries();
    for (auto _ : state) {
        auto result = CalculateChart(entries);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculateChart)->Unit(benchmark::kMicrosecond);

// The same chart from the precise source (the Swiss Ephemeris data files),
// every text included.
void BM_CalculateChartPrecise(benchmark::State& state) {
    const BirthEntries entries = Delhi1980Entries();
    const ChartOptions precise{PositionSource::Precise, SunriseConvention::Limb, {}};
    for (auto _ : state) {
        auto result = CalculateChart(entries, precise);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculateChartPrecise)->Unit(benchmark::kMicrosecond);

// Births spread over the form's years, the day, the globe and the zone list,
// from a fixed seed; only entries the form would accept are kept.
std::vector<BirthEntries> VariedBirths(std::size_t count) {
    std::mt19937 draw(20261209);
    auto in = [&draw](int low, int high) { return std::uniform_int_distribution(low, high)(draw); };
    std::vector<BirthEntries> births;
    while (births.size() < count) {
        BirthEntries e =
            FormEntries(in(1901, 2050), in(1, 12), in(1, 28), in(0, 23), in(0, 59), in(0, 59), "0",
                        "0", in(0, 1) == 1, "0", "0", in(0, 1) == 1, in(0, kExactZoneIndex - 1));
        e.txtLatD = std::to_string(in(0, 65));
        e.txtLatM = std::to_string(in(0, 59));
        e.txtLonD = std::to_string(in(0, 179));
        e.txtLonM = std::to_string(in(0, 59));
        if (!ValidateBirthData(e)) {
            births.push_back(std::move(e));
        }
    }
    return births;
}

// A different birth on every call, so that the ephemeris' caches of the
// last date and file block do not flatter the figure as one repeated birth
// does. The target for one precise chart is 500 µs.
void BM_CalculateChartPreciseVaried(benchmark::State& state) {
    const std::vector<BirthEntries> births = VariedBirths(509);
    const ChartOptions precise{PositionSource::Precise, SunriseConvention::Limb, {}};
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = CalculateChart(births[i], precise);
        benchmark::DoNotOptimize(result);
        i = (i + 1) % births.size();
    }
}
BENCHMARK(BM_CalculateChartPreciseVaried)->Unit(benchmark::kMicrosecond);

// The same births with a user ayanamsa, whose sidereal mode differs from
// the default's: what a chart costs when the mode is not Lahiri's.
void BM_CalculateChartPreciseVariedUserAyanamsa(benchmark::State& state) {
    const std::vector<BirthEntries> births = VariedBirths(509);
    const ChartOptions precise{
        PositionSource::Precise, SunriseConvention::Limb, {AyanamsaMode::User, 23.5}};
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = CalculateChart(births[i], precise);
        benchmark::DoNotOptimize(result);
        i = (i + 1) % births.size();
    }
}
BENCHMARK(BM_CalculateChartPreciseVariedUserAyanamsa)->Unit(benchmark::kMicrosecond);

// The Navamsa and the nine periods with their sub-periods, from the
// longitudes of one chart: the part of a chart they add.
void BM_NavamsaAndDasha(benchmark::State& state) {
    const ChartOrFailure chart = CalculateChart(Delhi1980Entries());
    const std::array<double, kBodyCount> longitudes = chart->chart.longitude;
    const UtInstant birth{SerialSeconds(chart->chart.birthUniversal)};
    for (auto _ : state) {
        auto navamsa = ComputeNavamsa(longitudes);
        auto periods = VimshottariPeriods(longitudes[Index(Body::Moon)], birth);
        benchmark::DoNotOptimize(navamsa);
        benchmark::DoNotOptimize(periods);
    }
}
BENCHMARK(BM_NavamsaAndDasha)->Unit(benchmark::kMicrosecond);

// The classic chart over the same births.
void BM_CalculateChartVaried(benchmark::State& state) {
    const std::vector<BirthEntries> births = VariedBirths(509);
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = CalculateChart(births[i]);
        benchmark::DoNotOptimize(result);
        i = (i + 1) % births.size();
    }
}
BENCHMARK(BM_CalculateChartVaried)->Unit(benchmark::kMicrosecond);

void BM_ValidateBirthData(benchmark::State& state) {
    const BirthEntries entries = Delhi1980Entries();
    for (auto _ : state) {
        auto fault = ValidateBirthData(entries);
        benchmark::DoNotOptimize(fault);
    }
}
BENCHMARK(BM_ValidateBirthData);

void BM_ComputeAscendant(benchmark::State& state) {
    const BirthRecord birth = Delhi1980Record();
    for (auto _ : state) {
        auto ascendant = ComputeAscendant(birth);
        benchmark::DoNotOptimize(ascendant);
    }
}
BENCHMARK(BM_ComputeAscendant);

void BM_ComputeMoon(benchmark::State& state) {
    const BirthRecord birth = Delhi1980Record();
    for (auto _ : state) {
        auto moon = ComputeMoon(birth);
        benchmark::DoNotOptimize(moon);
    }
}
BENCHMARK(BM_ComputeMoon);

void BM_ComputePlanetPositions(benchmark::State& state) {
    const BirthRecord birth = Delhi1980Record();
    const AscendantResult ascendant = ComputeAscendant(birth);
    const MoonResult moon = ComputeMoon(birth);
    const PlanetInputs inputs{ascendant.Ayanamsa, ascendant.AscendantText, moon.MoonPositionText};
    for (auto _ : state) {
        auto planets = ComputePlanetPositions(birth, inputs);
        benchmark::DoNotOptimize(planets);
    }
}
BENCHMARK(BM_ComputePlanetPositions);

void BM_FindSunriseReference(benchmark::State& state) {
    const BirthRecord birth = Delhi1980Record();
    for (auto _ : state) {
        auto reference = FindSunriseReference(birth);
        benchmark::DoNotOptimize(reference);
    }
}
BENCHMARK(BM_FindSunriseReference);

void BM_MarkRetrogrades(benchmark::State& state) {
    const CivilDate birth{1980, 3, 15};
    for (auto _ : state) {
        auto marks = MarkRetrogrades(birth);
        benchmark::DoNotOptimize(marks);
    }
}
BENCHMARK(BM_MarkRetrogrades);

// One planet and one date; the dates walk through the whole table range so
// that the searches do not all take the same path.
void BM_IsRetrograde(benchmark::State& state) {
    const std::string_view planet = kRetrogradePlanets[static_cast<std::size_t>(state.range(0))];
    std::array<CivilDate, 64> dates{};
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const int n = static_cast<int>(i);
        dates[i] = {1901 + n * 149 / 63, 1 + n % 12, 1 + n * 7 % 28};
    }
    std::size_t i = 0;
    for (auto _ : state) {
        bool retrograde = IsRetrograde(dates[i], planet);
        benchmark::DoNotOptimize(retrograde);
        i = (i + 1) % dates.size();
    }
    state.SetLabel(std::string(planet));
}
BENCHMARK(BM_IsRetrograde)->DenseRange(0, static_cast<int>(kRetrogradePlanets.size()) - 1);

} // namespace

BENCHMARK_MAIN();
