#include "chart/house_significance.h"

namespace selmarind {

int TorviLagnaHouse(int torviLagnaSign, int ascendantSignNumber) {
    if (torviLagnaSign < 1 || torviLagnaSign > 12 || ascendantSignNumber < 1 ||
        ascendantSignNumber > 12) {
        return 0;
    }
    const int offset = torviLagnaSign - ascendantSignNumber;
    return offset < 0 ? offset + 13 : offset + 1;
}

std::string_view HouseSentence(int house) {
    if (house < 1 || house > 12) {
        return {};
    }
    return kHouseSentences[static_cast<std::size_t>(house - 1)];
}

} // namespace selmarind
