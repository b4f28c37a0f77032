// The place and zone of a birth from the offline atlas and the tz database:
// --place, --tz and --utc-offset of selmarind-chart (and the batch columns
// of the same names), turned into the coordinates and the zone entry the
// birth-data form would hold.
#pragma once

#include "atlas/atlas.h"
#include "engine/civil_time.h"
#include "input/birth_entries.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind::cli {

// The data folder of the tool: $SELMARIND_DATA_DIR when that is set and not
// empty (tests and relocated data use it), else
// <folder of the executable>/../share/selmarind, where both the build tree
// and an installed tree keep the data.
std::filesystem::path DataFolder();

// <data folder>/atlas/places.tsv.gz.
std::filesystem::path AtlasPath();

// The atlas at AtlasPath(), loaded on first use and kept for the life of
// the process (about 40 MB); a fault is kept too, so a missing atlas is
// looked for once. Nothing, with `message` set, when it cannot be loaded.
// Thread-safe.
const Atlas* SharedAtlas(std::string& message);

// "+05:45", "-03:30", "+05:21:10", "+5:30", "UTC+05:30" (the "UTC" is
// optional, the sign is not): local time minus UT in seconds, east
// positive, at most 18 hours either way. Nothing for any other text.
std::optional<int> ReadUtcOffset(std::string_view text);

// How the zone of a birth is given besides the list entry of --zone.
struct PlaceRequest {
    std::string place;     // "NAME[, DIVISION][, COUNTRY]": coordinates and zone from the atlas
    std::string tz;        // an IANA zone id with hand-given coordinates
    std::string utcOffset; // the whole offset in force, as ReadUtcOffset reads it
    bool Any() const { return !place.empty() || !tz.empty() || !utcOffset.empty(); }
};

// The JSON "place" object: what the zone was settled from and to.
struct PlaceSummary {
    std::optional<PlaceMatch> atlasPlace; // with --place
    double latitudeDeg = 0;               // north positive: the atlas's, else the entries'
    double longitudeDeg = 0;              // east positive
    std::string timeZone;                 // IANA id; empty with --utc-offset alone
    int utcOffsetSeconds = 0;             // local time minus UT, east positive
    std::optional<int> zoneIndex;         // 0..70; nothing for the extra exact entry
    std::optional<bool> dst;              // nothing when no zone says so (--utc-offset alone)
};

enum class PlaceStatus {
    Ok,
    Refused,     // the entries or the request cannot be used (exit status 2)
    Unavailable, // the atlas or the tz database cannot be read (exit status 1)
};

struct PlaceLookup {
    std::optional<PlaceMatch> match;
    PlaceStatus status = PlaceStatus::Ok;
    std::string message;
};

// The best match of --place, which must be a whole name of the place (its
// name, ASCII name, an alternate or a former name). A name the query only
// begins, or one that matches nothing, is refused with the near matches
// (the places whose names it begins, else the same name without its
// narrowing parts, else a shorter start of it), at most five, in the
// message.
PlaceLookup FindBestPlace(std::string_view query);

struct ZoneSettlement {
    std::optional<PlaceSummary> summary; // set when status is Ok
    PlaceStatus status = PlaceStatus::Ok;
    std::string message;
};

// Sets the zone of `entries`, which passed the form's checks with a
// placeholder zone, from the request, for the birth's own local date and
// time:
//   - --utc-offset gives the offset as it stands; with a zone (--tz or the
//     place's) it must be one that zone used then (either candidate of a
//     skipped or repeated hour counts), which settles such an hour;
//   - otherwise the zone's offset at that local time. A time the clocks
//     skipped or repeated is refused naming both candidates, unless
//     `daylightSaving` (--dst) picks the daylight-saving one. With a time
//     that happened once, --dst must agree with the zone: a birth that
//     --dst says was in daylight saving when the zone says it was not is
//     refused, since one of the two is wrong.
// The offset goes to the list entry ZoneEntryForOffset gives, box unticked
// (the entry carries the whole offset); where no entry names it, to the extra
// exact entry (index 71, labelled by ExactOffsetLabel, or "UTC+05:45" with
// no zone).
ZoneSettlement SettleZone(const PlaceRequest& request, const std::optional<PlaceMatch>& place,
                          bool daylightSaving, const CivilDateTime& clock, BirthEntries& entries);

// The refusal of the daylight-saving box on the extra exact entry, for a
// birth read from a record (ExactZoneDaylightFault): `zoneId` is the record's
// atlas zone, or empty for the zone the entry's label names.
std::optional<std::string> ExactZoneBoxFault(const BirthEntries& entries, std::string_view zoneId);

// The coordinate texts of the tool ("12N58", "77E36") of an atlas place,
// rounded to the minute as the form holds them.
std::string LatitudeText(const DegreesMinutes& latitude);
std::string LongitudeText(const DegreesMinutes& longitude);

} // namespace selmarind::cli
