#include "ui/widgets/random_draw.h"

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

std::function<double()>& ReplacedSource() {
    static std::function<double()> source;
    return source;
}

} // namespace

void SeedRandomDraw() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::uint64_t>(ticks));
}

double NextRandomDraw() {
    if (const auto& source = ReplacedSource()) {
        return source();
    }
    // The top 53 bits scaled by 2^-53: every value is exact and below 1,
    // which uniform_real_distribution does not promise on every library.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void SetRandomDrawSource(std::function<double()> source) {
    ReplacedSource() = std::move(source);
}

} // namespace selmarind
