#include "engine/special_lagna.h"

#include "engine/name_tables.h"

#include <cstddef>

namespace selmarind {

namespace {

bool IsSignNumber(int sign) {
    return sign >= 1 && sign <= 12;
}

// Whether a display name, read without its retrograde markers, is `name`.
bool IsNamed(std::string_view displayName, std::string_view name) {
    // Each marker adds its five characters, so only those lengths can match.
    if (displayName.size() < name.size() ||
        (displayName.size() - name.size()) % kRetrogradeMarker.size() != 0) {
        return false;
    }
    if (displayName.size() == name.size()) {
        return displayName == name && displayName.find(kRetrogradeMarker) == std::string_view::npos;
    }
    std::size_t start = 0;
    for (std::size_t at = displayName.find(kRetrogradeMarker); at != std::string_view::npos;
         at = displayName.find(kRetrogradeMarker, start)) {
        const std::string_view piece = displayName.substr(start, at - start);
        if (name.substr(0, piece.size()) != piece) {
            return false;
        }
        name.remove_prefix(piece.size());
        start = at + kRetrogradeMarker.size();
    }
    return displayName.substr(start) == name;
}

int ReduceSign(int sign) {
    while (sign > 12) {
        sign -= 12;
    }
    return sign;
}

void AppendToLabel(std::array<std::string, 12>& labels, int sign, std::string_view text) {
    if (sign >= 1 && sign <= 12) {
        labels[static_cast<std::size_t>(sign - 1)].append(text);
    }
}

} // namespace

ArudhaBodies ReadArudhaBodies(const std::array<std::optional<int>, kBodyCount>& signIndex,
                              const std::array<std::string, kBodyCount>& bodyNames) {
    ArudhaBodies bodies;
    for (std::size_t j = 0; j < signIndex.size(); ++j) {
        const int sign = signIndex[j].value_or(-1);
        bodies.signNumber[j] = sign >= 0 && sign < 12 ? sign + 1 : 0;
        bodies.names[j] = bodyNames[j];
    }
    return bodies;
}

void ComputeArudha(std::string_view lordName, const ArudhaBodies& bodies, ArudhaState& state,
                   std::array<std::string, 12>& markerLabels) {
    ++state.HouseCounter;

    // The last body named for the lord gives its sign.
    for (std::size_t j = 0; j < bodies.signNumber.size(); ++j) {
        if (IsSignNumber(bodies.signNumber[j]) && IsNamed(bodies.names[j], lordName)) {
            state.CurrentLordSign = bodies.signNumber[j];
        }
    }
    if (const int moonSign = bodies.signNumber[Index(Body::Moon)]; IsSignNumber(moonSign)) {
        state.InduKalaFromMoon = NinthLordKala[static_cast<std::size_t>(moonSign - 1)];
    }
    if (const int ascendantSign = bodies.signNumber[Index(Body::Ascendant)];
        IsSignNumber(ascendantSign)) {
        state.HouseSign = ascendantSign;
        state.InduKalaFromLagna = NinthLordKala[static_cast<std::size_t>(ascendantSign - 1)];
    }

    if (state.HouseCounter == 1) {
        state.InduStartSign = state.HouseSign;
        state.HouseLordSign = state.CurrentLordSign;
    } else {
        state.HouseSign = state.HouseSign + state.HouseCounter - 1;
    }

    // As far from the lord as the lord is from the house.
    int distance = 2 * (state.CurrentLordSign - state.HouseSign);
    while (distance < 0) {
        distance += 12;
    }
    while (distance > 12) {
        distance -= 12;
    }
    // An arudha in the house itself moves to the tenth sign from it.
    if (distance == 0 || distance == 12) {
        distance = 9;
    }
    int arudha = ReduceSign(state.HouseSign + distance);
    // An arudha in the seventh sign moves to the tenth from that seventh.
    if (((arudha - state.HouseSign) % 12 + 12) % 12 == 6) {
        arudha = ReduceSign(arudha + 9);
    }

    AppendToLabel(markerLabels, arudha, "\r\n");
    if (state.HouseCounter >= 1 && state.HouseCounter <= 12) {
        state.ArudhaSigns[static_cast<std::size_t>(state.HouseCounter - 1)] = arudha;
    }

    if (state.HouseCounter == 1) {
        AppendToLabel(markerLabels, state.HouseLordSign, "\r\nTL");
        state.TorviLagnaSign = state.HouseLordSign;
    }
}

} // namespace selmarind
