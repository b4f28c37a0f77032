// What every finished chart must hold, whatever the birth: the checks shared
// by the sweeps over the form's inputs and the fuzzers. Standard library
// only, so that the fuzzers use them without Qt.
#pragma once

#include "chart/chart_result.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace selmarind {

// "dd Sgn mm": two-digit degrees below 30, a sign, two-digit minutes below 60.
inline bool IsChartText(std::string_view text) {
    if (text.size() != 9 || text[2] != ' ' || text[6] != ' ') {
        return false;
    }
    for (std::size_t i : {0u, 1u, 7u, 8u}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    const int degrees = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[7] - '0') * 10 + (text[8] - '0');
    const std::string_view sign = text.substr(3, 3);
    return degrees < 30 && minutes < 60 &&
           std::find(kSignAbbrevs.begin(), kSignAbbrevs.end(), sign) != kSignAbbrevs.end();
}

// The lines of a cell or marker text, which starts every line with "\r\n".
inline std::vector<std::string_view> CellLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t at = text.find("\r\n");
    while (at != std::string_view::npos) {
        const std::size_t start = at + 2;
        at = text.find("\r\n", start);
        lines.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    }
    return lines;
}

inline bool IsFiniteLongitude(double degrees) {
    return std::isfinite(degrees) && degrees >= 0 && degrees < 360;
}

inline bool IsSignNumber(int n) {
    return n >= 1 && n <= 12;
}

// Every number of the values is finite, every longitude lies in [0, 360)
// and every sign or house number in 1..12.
inline std::string NumberFault(const ChartValues& c) {
    const std::pair<const char*, double> values[] = {
        {"AscendantSidereal", c.ascendantSidereal}, {"Ayanamsa", c.ayanamsa},
        {"MoonLongitude", c.moonLongitude},         {"MoonNakshatraStart", c.moonNakshatraStart},
        {"AscendantDegree", c.ascendantDegree},
    };
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return std::string(name) + " is " + std::to_string(value);
        }
    }
    if (!IsFiniteLongitude(c.moonNakshatraStart)) {
        return "the Moon's nakshatra starts at " + std::to_string(c.moonNakshatraStart);
    }
    for (std::size_t i = 0; i < c.longitude.size(); ++i) {
        if (!IsFiniteLongitude(c.longitude[i])) {
            return "longitude " + std::to_string(i) + " is " + std::to_string(c.longitude[i]);
        }
    }
    if (c.sunriseSunLongitude && !IsFiniteLongitude(*c.sunriseSunLongitude)) {
        return "the Sun at sunrise is at " + std::to_string(*c.sunriseSunLongitude);
    }
    for (const SpecialPoint& p : c.specialPoints) {
        if (!std::isfinite(p.longitude) ||
            (p.computed && p.isLongitude && !IsFiniteLongitude(p.longitude))) {
            return p.name + " is at " + std::to_string(p.longitude);
        }
    }
    if (!IsSignNumber(c.ascendantSignNumber) || !IsSignNumber(c.torviLagnaSign)) {
        return "ascendant sign " + std::to_string(c.ascendantSignNumber) + ", Torvi Lagna sign " +
               std::to_string(c.torviLagnaSign);
    }
    for (int house = 1; house <= 12; ++house) {
        if (!IsSignNumber(c.ArudhaSignOfHouse(house))) {
            return "the arudha of house " + std::to_string(house) + " is sign " +
                   std::to_string(c.ArudhaSignOfHouse(house));
        }
    }
    return {};
}

// Each body stands on its own line in the cell of the sign its chart text
// names, under its display name, and the cells hold nothing else.
inline std::string CellFault(const ChartResult& r) {
    std::vector<std::pair<int, std::string_view>> expected;
    for (std::size_t i = 0; i < r.form.planet.size(); ++i) {
        const std::string& name = r.chart.bodyNames[i];
        if (!name.starts_with(kBodyNames[i])) {
            return "body " + std::to_string(i) + " is named '" + name + "'";
        }
        const auto sign = std::find(kSignAbbrevs.begin(), kSignAbbrevs.end(),
                                    std::string_view(r.form.planet[i]).substr(3, 3));
        expected.emplace_back(static_cast<int>(sign - kSignAbbrevs.begin()), name);
    }
    std::vector<std::pair<int, std::string_view>> found;
    for (int s = 0; s < 12; ++s) {
        for (std::string_view line : CellLines(r.form.signCells[static_cast<std::size_t>(s)])) {
            found.emplace_back(s, line);
        }
    }
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    if (found != expected) {
        std::string cells;
        for (const auto& [sign, line] : found) {
            cells += cells.empty() ? "" : ", ";
            cells +=
                std::string(kSignAbbrevs[static_cast<std::size_t>(sign)]) + ":" + std::string(line);
        }
        return "the cells hold " + cells;
    }
    return {};
}

// The Torvi Lagna is marked once, in the label of its own sign.
inline std::string TorviMarkFault(const ChartResult& r) {
    const int sign = r.chart.torviLagnaSign;
    if (!IsSignNumber(sign) || !IsSignNumber(r.chart.torviLagnaHouse)) {
        return "Torvi Lagna sign " + std::to_string(sign) + ", house " +
               std::to_string(r.chart.torviLagnaHouse);
    }
    int marks = 0;
    for (int s = 0; s < 12; ++s) {
        for (std::string_view line : CellLines(r.form.lblArudha[static_cast<std::size_t>(s)])) {
            if (line.find("TL") != std::string_view::npos) {
                ++marks;
                if (s != sign - 1) {
                    return "TL marked in sign " + std::to_string(s + 1) + ", Torvi Lagna sign " +
                           std::to_string(sign);
                }
            }
        }
    }
    if (marks != 1) {
        return std::to_string(marks) + " TL markers";
    }
    return {};
}

// The Navamsa holds a sign 0..11 for every body and its Torvi Lagna is the
// sign of the lord of its ascendant's sign; the periods are nine, chained,
// cover 120 years from a start no later than the birth, and each is filled
// exactly by nine sub-periods, the first of its own lord.
inline std::string PeriodsFault(const ChartValues& c) {
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        if (c.navamsa.signs[i] < 0 || c.navamsa.signs[i] > 11) {
            return "Navamsa sign " + std::to_string(c.navamsa.signs[i]) + " of body " +
                   std::to_string(i);
        }
    }
    const std::string_view lord =
        kSignLords[static_cast<std::size_t>(c.navamsa.AscendantSignIndex())];
    const auto body = std::find(kBodyNames.begin(), kBodyNames.end(), lord);
    if (body == kBodyNames.end() ||
        c.navamsa.torviLagnaSign - 1 !=
            c.navamsa.signs[static_cast<std::size_t>(body - kBodyNames.begin())]) {
        return "Navamsa Torvi Lagna sign " + std::to_string(c.navamsa.torviLagnaSign);
    }
    if (c.dasha.size() != kDashaLords.size()) {
        return std::to_string(c.dasha.size()) + " periods";
    }
    const std::int64_t birth = SerialSeconds(c.birthUniversal);
    if (c.dasha.front().start.serialSeconds > birth || c.dasha.front().end.serialSeconds < birth ||
        c.dasha.back().end.serialSeconds - c.dasha.front().start.serialSeconds !=
            kDashaCycleYears * kSecondsPerDashaYear) {
        return "the periods do not run 120 years from before the birth";
    }
    for (std::size_t p = 0; p < c.dasha.size(); ++p) {
        const DashaPeriod& period = c.dasha[p];
        if ((p > 0 && c.dasha[p - 1].end != period.start) || period.sub.size() != 9 ||
            period.sub.front().lord != period.lord || period.sub.front().start != period.start ||
            period.sub.back().end != period.end) {
            return "period " + std::to_string(p) + " is not chained or filled";
        }
        for (std::size_t s = 1; s < period.sub.size(); ++s) {
            if (period.sub[s - 1].end != period.sub[s].start) {
                return "period " + std::to_string(p) + " has a gap before sub-period " +
                       std::to_string(s);
            }
        }
    }
    return {};
}

// Checks what every finished chart must hold; the first fault, or nothing.
inline std::string ChartResultFault(const ChartResult& r) {
    const ResultFormTexts& f = r.form;
    for (std::size_t i = 0; i < f.planet.size(); ++i) {
        if (!IsChartText(f.planet[i])) {
            return "planet " + std::to_string(i) + " reads '" + f.planet[i] + "'";
        }
        if (r.chart.dmsText[i].empty()) {
            return "body " + std::to_string(i) + " has no degree-minute-second text";
        }
    }
    if (std::string fault = NumberFault(r.chart); !fault.empty()) {
        return fault;
    }
    if (std::string fault = CellFault(r); !fault.empty()) {
        return fault;
    }
    if (std::string fault = TorviMarkFault(r); !fault.empty()) {
        return fault;
    }
    if (std::string fault = PeriodsFault(r.chart); !fault.empty()) {
        return fault;
    }
    if (f.lblHoraDesc.empty()) {
        return "no house sentence";
    }
    for (const std::string& attribute : f.attributes) {
        if (attribute.empty()) {
            return "an empty attribute";
        }
    }
    for (const SpecialPoint& p : r.chart.specialPoints) {
        if (p.computed && (!p.signIndex || *p.signIndex < 0 || *p.signIndex > 11)) {
            return p.name + " marks sign " +
                   (p.signIndex ? std::to_string(*p.signIndex) : std::string("none"));
        }
        if (p.computed && p.isLongitude && !IsChartText(p.chartText)) {
            return p.name + " reads '" + p.chartText + "'";
        }
    }
    if (r.chart.sunriseToday && r.chart.sunsetToday && r.chart.sunrisePrevDay &&
        r.chart.sunriseNextDay && !r.chart.sunriseSunLongitude) {
        return "every sunrise exists but the Sun at sunrise was not computed";
    }
    return {};
}

} // namespace selmarind
