#include "ui/widgets/random_draw.h"

#include "ui/widgets/replaceable_service.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

namespace selmarind {

namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator;
    return generator;
}

double GeneratorDraw() {
    // The top 53 bits scaled by 2^-53: every value is exact and below 1,
    // which uniform_real_distribution does not promise on every library.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

ReplaceableService<std::function<double()>>& Source() {
    static ReplaceableService<std::function<double()>> source(GeneratorDraw);
    return source;
}

} // namespace

void SeedRandomDraw() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::uint64_t>(ticks));
}

double NextRandomDraw() {
    return Source().get()();
}

void SetRandomDrawSource(std::function<double()> source) {
    Source().replace(FunctionReplacement(std::move(source)));
}

} // namespace selmarind
