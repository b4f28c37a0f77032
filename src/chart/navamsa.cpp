#include "chart/navamsa.h"

#include <cmath>
#include <cstddef>

namespace selmarind {

std::optional<int> NavamsaSignIndex(double siderealLongitudeDeg) {
    if (!std::isfinite(siderealLongitudeDeg)) {
        return std::nullopt;
    }
    double x = std::fmod(siderealLongitudeDeg, 360.0);
    if (x < 0) {
        x += 360;
    }
    // 108 parts in the circle; a remainder rounding up to a full turn wraps by the modulo.
    const auto part = static_cast<long long>(std::floor(x * 9.0 / 30.0));
    return static_cast<int>(part % 12);
}

std::optional<NavamsaChart>
ComputeNavamsa(const std::array<double, kBodyCount>& siderealLongitudeDeg) {
    NavamsaChart chart;
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        const std::optional<int> sign = NavamsaSignIndex(siderealLongitudeDeg[i]);
        if (!sign) {
            return std::nullopt;
        }
        chart.signs[i] = *sign;
    }
    const std::string_view lord = kSignLords[static_cast<std::size_t>(chart.AscendantSignIndex())];
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        if (kBodyNames[i] == lord) {
            chart.torviLagnaSign = chart.signs[i] + 1;
            return chart;
        }
    }
    return std::nullopt; // every sign lord is one of the bodies
}

} // namespace selmarind
