#include "chart/chart_options.h"

namespace selmarind {

std::string_view PositionSourceName(PositionSource source) {
    return source == PositionSource::Precise ? "precise" : "classic";
}

std::optional<PositionSource> PositionSourceOfName(std::string_view name) {
    if (name == "classic") {
        return PositionSource::Classic;
    }
    if (name == "precise") {
        return PositionSource::Precise;
    }
    return std::nullopt;
}

std::string_view SunriseConventionName(SunriseConvention convention) {
    return convention == SunriseConvention::Centre ? "centre" : "limb";
}

std::optional<SunriseConvention> SunriseConventionOfName(std::string_view name) {
    if (name == "limb") {
        return SunriseConvention::Limb;
    }
    if (name == "centre") {
        return SunriseConvention::Centre;
    }
    return std::nullopt;
}

} // namespace selmarind
