// Loading the atlas, searching it, and resolving a zone's offset.
//
// BM_FirstUse reports, once per process, what the first accented search
// costs (ICU builds its transliterator) and the first ZoneResolver (cctz
// reads Etc/UTC from /usr/share/zoneinfo); it runs first.
// BM_LoadAtlas also reports the atlas's own count of the memory it holds
// (atlas_MB) and how much the process's resident memory grew while one
// loaded atlas was held (resident_growth_MB, from /proc/self/statm).
#include "atlas/atlas.h"
#include "atlas/zone_resolution.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace selmarind;

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long residentPages = 0;
    statm >> pages >> residentPages;
    return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

const Atlas& SharedAtlas() {
    static const Atlas atlas = [] {
        AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        if (!loaded.atlas) {
            throw std::runtime_error(loaded.message);
        }
        return std::move(*loaded.atlas);
    }();
    return atlas;
}

double MillisecondsOf(const auto& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void BM_FirstUse(benchmark::State& state) {
    const Atlas& atlas = SharedAtlas();
    static const double firstAccentedSearchMs =
        MillisecondsOf([&atlas] { benchmark::DoNotOptimize(atlas.Search("Zürich")); });
    static const double firstResolverMs =
        MillisecondsOf([] { benchmark::DoNotOptimize(ZoneResolver().Available()); });
    for (auto _ : state) {
        benchmark::DoNotOptimize(firstAccentedSearchMs);
    }
    state.counters["first_accented_search_ms"] = firstAccentedSearchMs;
    state.counters["first_zone_resolver_ms"] = firstResolverMs;
}
BENCHMARK(BM_FirstUse)->Iterations(1);

void BM_LoadAtlas(benchmark::State& state) {
    double atlasMegabytes = 0;
    // Kept over the repetitions too: only the first load of the process grows it.
    static double growthMegabytes = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        if (!loaded.atlas) {
            state.SkipWithError(loaded.message.c_str());
            return;
        }
        // Later loads reuse the memory an earlier one freed: the largest growth.
        growthMegabytes = std::max(growthMegabytes, ResidentMegabytes() - before);
        atlasMegabytes = static_cast<double>(loaded.atlas->MemoryBytes()) / 1e6;
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["atlas_MB"] = atlasMegabytes;
    state.counters["resident_growth_MB"] = growthMegabytes;
}
BENCHMARK(BM_LoadAtlas)->Unit(benchmark::kMillisecond);

// Queries from the common case to the broadest: a former name, a narrowed
// name, accents through ICU, an umlaut, an exonym, a name in another script,
// one letter (tens of thousands of matches).
const std::vector<std::string> kQueries = {
    "Bangalore", "Springfield, Illinois", "São Paulo", "Hyderabad, PK", "Köln", "Cologne", "मुंबई",
    "s"};

void BM_Search(benchmark::State& state) {
    const Atlas& atlas = SharedAtlas();
    const std::string& query = kQueries[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(query);
    atlas.Search(query); // the first accented query creates ICU's transliterator
    for (auto _ : state) {
        auto matches = atlas.Search(query);
        benchmark::DoNotOptimize(matches);
    }
}
BENCHMARK(BM_Search)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

void BM_ResolveZone(benchmark::State& state) {
    static const ZoneResolver resolver;
    for (auto _ : state) {
        auto resolved = resolver.Resolve("Asia/Kolkata", {1942, 9, 1, 12, 0, 0});
        benchmark::DoNotOptimize(resolved);
    }
}
BENCHMARK(BM_ResolveZone)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
