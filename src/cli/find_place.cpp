#include "cli/find_place.h"

#include "cli/birth_input.h"
#include "cli/chart_tool.h"
#include "cli/place_input.h"
#include "cli/tool_text.h"
#include "input/utf8_text.h"
#include "records/record_checks.h"

namespace selmarind::cli {

// The fault of a place query (--place, --find-place, the place column) that
// the form's field could not hold, or nothing.
std::optional<std::string> PlaceQueryFault(const std::string& query) {
    if (!IsValidUtf8(query)) {
        return NotUtf8Message("place");
    }
    if (Utf16Length(query) > kFormFieldMaxLength) {
        return TooLongMessage("place");
    }
    return std::nullopt;
}

int FindPlaces(const std::string& query, std::ostream& out, std::ostream& err) {
    if (const auto fault = PlaceQueryFault(query)) {
        err << *fault << "\n";
        return kExitInvalidInput;
    }
    std::string message;
    const Atlas* atlas = SharedAtlas(message);
    if (!atlas) {
        err << UnavailableMessage("the atlas", message) << "\n";
        return kExitFailure;
    }
    std::size_t total = 0;
    const std::vector<PlaceMatch> places = atlas->Search(query, 20, &total);
    if (places.empty()) {
        err << FindBestPlace(query).message << "\n";
        return kExitInvalidInput;
    }
    for (const PlaceMatch& place : places) {
        out << PlaceDisplayLine(place) << "\n";
    }
    out << "\n";
    if (total > places.size()) {
        out << MatchCountNote(places.size(), total) << "\n";
    }
    out << kAtlasAttribution << "\n";
    return kExitOk;
}

} // namespace selmarind::cli
