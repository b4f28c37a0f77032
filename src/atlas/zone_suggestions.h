// Suggestions for a zone id that the tz database does not know: the known
// ids closest to what was typed ("Asia/Calcuta" -> Asia/Kolkata), from the
// list of zone ids alone, whatever library resolves the zones.
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind {

// One id of the tz database. A link (an old or alternative name, such as
// Asia/Calcutta) names the zone it stands for; a zone names itself.
struct KnownZoneId {
    std::string id;        // "Asia/Calcutta"
    std::string canonical; // "Asia/Kolkata"
    friend bool operator==(const KnownZoneId&, const KnownZoneId&) = default;
};

// The zones ("Z NAME ...") and links ("L TARGET NAME") of a tzdata.zi text,
// in the order of the text. Other lines are skipped.
std::vector<KnownZoneId> ReadZoneIds(std::istream& tzdataZi);

// The ids of the system's tz database, from <folder>/tzdata.zi; empty when
// that file cannot be read.
std::vector<KnownZoneId>
SystemZoneIds(const std::filesystem::path& folder = std::filesystem::path("/usr/share/zoneinfo"));

// Edit distance of two texts, ignoring ASCII case, counting an insertion, a
// deletion, a substitution or a swap of two neighbouring bytes as one edit.
int ZoneIdDistance(std::string_view a, std::string_view b);

// The canonical zones closest to `typed`, nearest first, at most `most`, and
// only those within a few edits (a quarter of the typed length, at least
// two): the whole id is compared, and, for a text without '/', also the last
// part of each id ("Kolkatta" -> Asia/Kolkata). A link counts for its zone.
std::vector<std::string>
ClosestZoneIds(std::string_view typed, const std::vector<KnownZoneId>& known, std::size_t most = 3);

// " Did you mean Asia/Kolkata?" or " Did you mean A, B or C?" to follow the
// message about an unknown zone; empty without a suggestion.
std::string ZoneSuggestionText(const std::vector<std::string>& suggestions);

} // namespace selmarind
