// Time of the precise source's calls for one chart: the eight bodies, the
// ayanamsa, the ascendant and four sun events (sunrise and sunset of the
// birth day, sunrise of the days before and after), with the data files.
//
// The library answers a repeated instant from its cache, so every iteration
// takes the next of a fixed set of births spread over 1900 to 2050 and over
// latitudes 60°S to 60°N; the figures are those of a batch of unrelated
// charts, file reads included.
#include "ephemeris/data_folder.h"
#include "ephemeris/precise_ascendant.h"
#include "ephemeris/precise_positions.h"
#include "ephemeris/sun_events.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace selmarind::ephemeris;

struct Birth {
    double jdUt;
    Place place;
};

constexpr std::size_t kBirths = 4096;

// Births from a fixed linear congruential sequence, the same on every run.
const std::array<Birth, kBirths>& Births() {
    static const std::array<Birth, kBirths> births = [] {
        std::array<Birth, kBirths> b{};
        std::uint64_t x = 0x2545F4914F6CDD1DULL;
        auto next = [&x] {
            x = x * 6364136223846793005ULL + 1442695040888963407ULL;
            return static_cast<double>(x >> 11) / 9007199254740992.0; // [0, 1)
        };
        const double first = 2415020.5; // 1900-01-01
        const double span = 150 * 365.25;
        for (Birth& birth : b) {
            birth.jdUt = first + span * next();
            birth.place = {-60 + 120 * next(), -180 + 360 * next()};
        }
        return b;
    }();
    return births;
}

// The chart's day: from the place's mean midnight before the birth.
double LocalMidnight(const Birth& birth) {
    const double shift = birth.place.longitudeDeg / 360.0;
    return std::floor(birth.jdUt + 0.5 + shift) - 0.5 - shift;
}

void BM_PreciseChartCalls(benchmark::State& state) {
    SetDataFolder(std::string(DefaultDataFolder()));
    std::size_t i = 0;
    for (auto _ : state) {
        const Birth& birth = Births()[i++ % kBirths];
        for (Body body : kChartBodies) {
            benchmark::DoNotOptimize(SiderealPosition(body, birth.jdUt));
        }
        benchmark::DoNotOptimize(AyanamsaAt(birth.jdUt));
        benchmark::DoNotOptimize(SiderealAscendant(birth.jdUt, birth.place));
        const double day = LocalMidnight(birth);
        const SunHorizon horizon = SunHorizon::UpperLimbRefracted;
        benchmark::DoNotOptimize(
            SunEventBetween(day, day + 1, birth.place, SunEvent::Rise, horizon));
        benchmark::DoNotOptimize(
            SunEventBetween(day, day + 1, birth.place, SunEvent::Set, horizon));
        benchmark::DoNotOptimize(
            SunEventBetween(day - 1, day, birth.place, SunEvent::Rise, horizon));
        benchmark::DoNotOptimize(
            SunEventBetween(day + 1, day + 2, birth.place, SunEvent::Rise, horizon));
    }
}
BENCHMARK(BM_PreciseChartCalls)->Unit(benchmark::kMicrosecond);

void BM_EightBodies(benchmark::State& state) {
    SetDataFolder(std::string(DefaultDataFolder()));
    std::size_t i = 0;
    for (auto _ : state) {
        const Birth& birth = Births()[i++ % kBirths];
        for (Body body : kChartBodies) {
            benchmark::DoNotOptimize(SiderealPosition(body, birth.jdUt));
        }
    }
}
BENCHMARK(BM_EightBodies)->Unit(benchmark::kMicrosecond);

void BM_AyanamsaAndAscendant(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const Birth& birth = Births()[i++ % kBirths];
        benchmark::DoNotOptimize(AyanamsaAt(birth.jdUt));
        benchmark::DoNotOptimize(SiderealAscendant(birth.jdUt, birth.place));
    }
}
BENCHMARK(BM_AyanamsaAndAscendant)->Unit(benchmark::kMicrosecond);

void BM_OneSunEvent(benchmark::State& state) {
    SetDataFolder(std::string(DefaultDataFolder()));
    std::size_t i = 0;
    for (auto _ : state) {
        const Birth& birth = Births()[i++ % kBirths];
        const double day = LocalMidnight(birth);
        benchmark::DoNotOptimize(SunEventBetween(day, day + 1, birth.place, SunEvent::Rise,
                                                 SunHorizon::UpperLimbRefracted));
    }
}
BENCHMARK(BM_OneSunEvent)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
