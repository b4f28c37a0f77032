#include "report/navamsa_text.h"

#include "engine/name_tables.h"

#include <cstddef>

namespace selmarind {

std::array<std::string, 12> NavamsaSignCells(const ChartValues& chart) {
    std::array<std::string, 12> cells;
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        const int sign = chart.navamsa.signs[i];
        if (sign >= 0 && sign < 12) {
            cells[static_cast<std::size_t>(sign)] += "\r\n" + chart.bodyNames[i];
        }
    }
    return cells;
}

std::array<std::string, 12> NavamsaMarkerLabels(const ChartValues& chart) {
    std::array<std::string, 12> labels;
    const int sign = chart.navamsa.torviLagnaSign;
    if (sign >= 1 && sign <= 12) {
        labels[static_cast<std::size_t>(sign - 1)] = "\r\nTL";
    }
    return labels;
}

std::string NavamsaTorviLagnaSentence(const ChartValues& chart) {
    const int sign = chart.navamsa.torviLagnaSign;
    const int ascendant = chart.navamsa.AscendantSignIndex();
    if (sign < 1 || sign > 12 || ascendant < 0 || ascendant > 11) {
        return {};
    }
    const std::string signName(kSignNames[static_cast<std::size_t>(sign - 1)]);
    const auto a = static_cast<std::size_t>(ascendant);
    return "The Torvi Lagna of the Navamsa is " + signName + ": " + std::string(kSignLords[a]) +
           ", lord of the Navamsa ascendant's sign " + std::string(kSignNames[a]) +
           ", stands there.";
}

} // namespace selmarind
