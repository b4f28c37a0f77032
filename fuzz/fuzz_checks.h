// Checks shared by the fuzz targets. A failed check prints what failed and
// stops the run with a trap, which libFuzzer reports as a crash and saves the
// input that caused it.
#pragma once

#include "chart/chart_result.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace selmarind::fuzz {

inline void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::fflush(stderr);
        __builtin_trap();
    }
}

inline bool IsLongitude(double degrees) {
    return std::isfinite(degrees) && degrees >= 0 && degrees < 360;
}

inline bool IsSignNumber(int n) {
    return n >= 1 && n <= 12;
}

inline int Count(std::string_view text, std::string_view part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// What every chart the calculation hands out holds: finite values in their
// ranges and a text wherever the result form shows one.
inline void RequireFinishedChart(const ChartResult& result) {
    const ChartValues& c = result.chart;
    const ResultFormTexts& f = result.form;
    for (std::size_t i = 0; i < 10; ++i) {
        Require(IsLongitude(c.longitude[i]), "a body longitude outside [0, 360)");
        Require(!f.planet[i].empty(), "an empty position text");
        Require(!c.dmsText[i].empty(), "an empty degree-minute-second text");
        Require(!c.BodyNames[i].empty(), "an empty body name");
    }
    Require(IsLongitude(c.AscendantSidereal) && IsLongitude(c.MoonLongitude) &&
                IsLongitude(c.MoonNakshatraStart),
            "ascendant or Moon outside [0, 360)");
    Require(std::isfinite(c.Ayanamsa), "ayanamsa not finite");
    Require(IsSignNumber(c.AscendantSignNumber) && IsSignNumber(c.TorviLagnaSign) &&
                IsSignNumber(c.TorviLagnaHouse),
            "a sign or house number outside 1..12");
    Require(c.TorviLagnaIndex == c.TorviLagnaSign - 1, "Torvi Lagna index and sign disagree");
    for (std::size_t house = 1; house <= 12; ++house) {
        Require(IsSignNumber(c.ArudhaSignOfHouse[house]), "an arudha sign outside 1..12");
    }
    Require(!c.SunriseSunLongitude || IsLongitude(*c.SunriseSunLongitude),
            "the Sun at sunrise outside [0, 360)");
    for (const SpecialPoint& p : c.specialPoints) {
        Require(!p.computed || p.signIndex, "a computed special point without a sign");
        Require(!p.signIndex || (*p.signIndex >= 0 && *p.signIndex < 12),
                "a special point's sign outside 0..11");
        Require(!(p.computed && p.isLongitude) || IsLongitude(p.longitude),
                "a special point's longitude outside [0, 360)");
    }
    int bodies = 0;
    int torviMarks = 0;
    for (std::size_t s = 0; s < 12; ++s) {
        bodies += Count(f.signCells[s], "\r\n");
        torviMarks += Count(f.lblArudha[s], "TL");
    }
    Require(bodies == 10, "not ten bodies in the sign cells");
    Require(torviMarks == 1, "not one Torvi Lagna marker");
    Require(!f.lblHoraDesc.empty(), "no house sentence");
    for (const std::string& attribute : f.attributes) {
        Require(!attribute.empty(), "an empty sign attribute");
    }
}

} // namespace selmarind::fuzz
