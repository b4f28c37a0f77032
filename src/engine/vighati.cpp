#include "engine/vighati.h"

#include <cmath>

namespace selmarind {

PranapadaParts Vighati2Degree(double x) {
    const double v = std::fabs(x);
    const double w = std::floor(v);
    const double f = (v - w) * 30;
    const double g = (f - std::floor(f)) * 60;
    const double s = (g - std::floor(g)) * 60;
    PranapadaParts parts;
    // The whole part counts in fifteens; the fraction is a share of one 30-degree sign.
    parts.PranapadaSigns = std::floor(w / 15);
    parts.PranapadaDegrees = std::floor(f);
    parts.PranapadaMinutes = std::floor(g);
    parts.PranapadaSeconds = std::floor(s);
    return parts;
}

} // namespace selmarind
