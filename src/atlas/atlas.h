// The offline atlas: about 200,000 places of the GeoNames "cities500"
// gazetteer (every place of 500 or more people), searched by any of their
// names and narrowed by division and country, each with its coordinates and
// IANA time zone.
//
// Place data: GeoNames (geonames.org), CC BY 4.0. Programs that show places
// from the atlas must show that attribution (kAtlasAttribution).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind {

inline constexpr std::string_view kAtlasAttribution =
    "Place data: GeoNames (geonames.org), CC BY 4.0";

// The file name of the atlas, installed beside the program's other data
// (data/atlas/ in the source tree).
inline constexpr std::string_view kAtlasFileName = "places.tsv.gz";

// An angle rounded to the nearest whole minute of arc, ties away from zero,
// as the birth-data form takes it: degrees and minutes both non-negative and
// the sign as a hemisphere. A value that rounds to 0°00' counts as north or
// east.
struct DegreesMinutes {
    int degrees = 0;       // 0..90 for a latitude, 0..180 for a longitude
    int minutes = 0;       // 0..59
    bool negative = false; // south of the equator, or west of Greenwich
    friend bool operator==(const DegreesMinutes&, const DegreesMinutes&) = default;
};

// One place found by Atlas::Search.
struct PlaceMatch {
    std::int64_t geonameId = 0;
    std::string name;         // as GeoNames writes it (UTF-8), e.g. "Hyderābād"
    std::string division;     // first-level division ("Karnataka"); empty when unknown
    std::string country;      // as tzdata's iso3166.tab writes it ("India", "Britain (UK)")
    std::string countryCode;  // ISO 3166-1 alpha-2 ("IN"); GeoNames' "XK" for Kosovo
    double latitudeDeg = 0;   // -90..90, north positive
    double longitudeDeg = 0;  // -180..180, east positive
    DegreesMinutes latitude;  // latitudeDeg rounded to the minute
    DegreesMinutes longitude; // longitudeDeg rounded to the minute
    std::int64_t population = 0;
    std::string zoneId;      // IANA zone, e.g. "Asia/Kolkata"
    std::string formerName;  // the curated former name the query matched ("Madras"), or empty
    bool exactMatch = false; // the query was a whole name of the place, of any kind
};

// "Bengaluru, Karnataka, India · 12°58′ N 77°36′ E · Asia/Kolkata": name,
// division (left out when empty), country; the coordinates rounded to the
// minute; the zone. UTF-8, the three parts apart by a middle dot.
std::string PlaceDisplayLine(const PlaceMatch& place);

// "20 of 57 matches: type more of the name, or add the division or
// country": what a list of `shown` places out of `total` says when the
// search was cut short (shown < total).
std::string MatchCountNote(std::size_t shown, std::size_t total);

// Rounds `angleDeg` to the nearest minute of arc (see DegreesMinutes).
DegreesMinutes RoundToMinute(double angleDeg);

struct AtlasOrFault;
AtlasOrFault LoadAtlas(const std::filesystem::path& path);

// A loaded atlas; LoadAtlas makes one. It only reads once loaded, so one
// atlas may serve many threads. A moved-from atlas may only be assigned to
// or destroyed.
class Atlas {
public:
    Atlas(Atlas&&) noexcept;
    Atlas& operator=(Atlas&&) noexcept;
    ~Atlas();

    // The places one of whose names matches `query`, best first, at most
    // `maxResults`. A place's names are its GeoNames name, its ASCII name,
    // the curated former names and GeoNames' alternate names: exonyms
    // ("Cologne", "Munich"), names in other scripts ("मुंबई", "北京") and
    // older names.
    //
    // The query is "NAME[, PART[, PART...]]". Case, accents and punctuation
    // are ignored ("sao paulo" finds São Paulo, "st johns" finds St. John's).
    // German umlauts match both ways: "Köln", "Koeln" and "Koln" all find
    // Köln. An umlaut typed in NAME stands for ae, oe, ue first, so "Köl"
    // only begins Köln; only when nothing matches so does it stand for a, o,
    // u. NAME matches a place when it is the start of one of its names, or
    // of a later word of its own or former name, continuing to the end of
    // NAME ("paulo", "sao pa" and "sao paulo" all match São Paulo). Each PART
    // narrows the places to those whose division or country has a word that
    // starts with it, or whose ISO country code starts with it:
    // "Springfield, Illinois", "Hyderabad, PK", "Hyderabad, Pakistan". A
    // name that holds commas itself ("Mianzhu, Deyang, Sichuan") is also
    // matched whole, narrowed by the parts after it.
    //
    // Ranking: first the places one of whose names is the whole of NAME (of
    // any kind), then the places NAME only starts a name or word of; within
    // each group by population, largest first, then by GeoNames id. So
    // "Madras" gives Chennai before Madras, Oregon, and "Cologne" Köln before
    // Cologne, Italy. A place appears once. An empty NAME gives nothing.
    // Thread-safe.
    //
    // `totalMatches`, when given, receives how many places match in all,
    // which is more than the result holds when maxResults cut it short.
    std::vector<PlaceMatch> Search(std::string_view query, std::size_t maxResults = 20,
                                   std::size_t* totalMatches = nullptr) const;

    // The IANA zones of the places, sorted, each once.
    std::vector<std::string> ZoneIds() const;

    // Number of places, of curated former names, and of the names searched
    // (each search text of each place once).
    std::size_t PlaceCount() const;
    std::size_t FormerNameCount() const;
    std::size_t SearchNameCount() const;

    // Bytes of memory the loaded atlas holds (its tables and their strings).
    std::size_t MemoryBytes() const;

private:
    struct Data;
    explicit Atlas(std::unique_ptr<const Data> data);
    std::unique_ptr<const Data> data_;

    friend AtlasOrFault LoadAtlas(const std::filesystem::path& path);
};

enum class AtlasFault {
    None,
    Missing,    // no file at the path
    Unreadable, // the file exists but cannot be read
    Corrupt,    // not gzip, damaged, truncated, or not in the atlas layout
};

struct AtlasOrFault {
    std::optional<Atlas> atlas; // set exactly when fault is None
    AtlasFault fault = AtlasFault::None;
    std::string message; // for the user: what is wrong, with the path; empty on success
};

// Reads the atlas file. Either the whole atlas is loaded or nothing is: a
// missing, unreadable or damaged file gives its fault and message, never a
// partly filled atlas.
AtlasOrFault LoadAtlas(const std::filesystem::path& path);

} // namespace selmarind
