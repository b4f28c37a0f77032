#include "atlas/atlas.h"

#include "atlas/atlas_format.h"
#include "atlas/search_text.h"
#include "files/regular_file.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace selmarind {

namespace atlas_detail {

struct Country {
    std::string_view code; // two letters
    std::string_view name;
    std::string search;     // search text of the name
    std::string codeSearch; // lower-case code
};

struct Division {
    std::uint32_t country = 0;
    std::string_view name;
    std::string search;
};

struct Place {
    std::uint32_t geonameId = 0;
    std::int32_t latUnits = 0; // 0.00001 degree, north positive
    std::int32_t lonUnits = 0; // 0.00001 degree, east positive
    std::uint32_t population = 0;
    std::uint32_t nameOffset = 0; // into Tables::text
    std::uint32_t division = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t zone = 0;
};

struct FormerName {
    std::string_view name;
    std::uint32_t place = 0;
};

inline constexpr std::int32_t kOwnName = -1;
inline constexpr std::int32_t kAlternateName = -2;

// A name the search compares (a line of the names section): its search text
// starts at `offset` in Tables::text and ends at a NUL byte, written over
// the tab that followed it.
struct SearchKey {
    std::uint32_t offset = 0;
    std::uint32_t place = 0;
    std::int32_t former = kOwnName; // index into Tables::former, kOwnName or kAlternateName
};

// The start of a later word of the search key of an own or former name:
// the search text from `offset` to the key's end is what a query is
// compared with. (Keys start their first word themselves; the later words
// of alternate names, "Lungsod ng ...", are not searched.)
struct WordStart {
    std::uint32_t offset = 0;
    std::uint32_t key = 0;
};

struct Tables {
    std::string text; // the unpacked file; names are views into it
    std::vector<std::string_view> zones;
    std::vector<Country> countries;
    std::vector<Division> divisions;
    std::vector<Place> places;
    std::vector<FormerName> former;
    std::vector<SearchKey> keys;  // sorted by their text, as the file lists them
    std::vector<WordStart> words; // sorted by the text from their offset
};

} // namespace atlas_detail

struct Atlas::Data : atlas_detail::Tables {};

namespace {

using namespace atlas_detail;
namespace format = atlas_format;

// Larger unpacked sizes are refused as damage rather than allocated. The
// first allocation follows the gzip trailer's length but stays under
// kMaxFirstGuessBytes, so a damaged trailer cannot demand a large one.
constexpr std::size_t kMaxUnpackedBytes = 256u << 20;
constexpr std::size_t kMaxFirstGuessBytes = 32u << 20;

class CorruptAtlas : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Unpacks one gzip member that must fill the whole of `packed`; zlib checks
// the CRC-32 and the length of the trailer.
std::string Gunzip(std::string_view packed) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) {
        throw CorruptAtlas("zlib could not start");
    }
    std::string out;
    if (packed.size() >= 4) {
        // The trailer's length (modulo 2^32) as a first guess of the size.
        const auto* tail =
            reinterpret_cast<const unsigned char*>(packed.data() + packed.size() - 4);
        const std::size_t hint =
            tail[0] | (tail[1] << 8) | (tail[2] << 16) | (static_cast<std::size_t>(tail[3]) << 24);
        out.resize(std::clamp<std::size_t>(hint, 1024, kMaxFirstGuessBytes));
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (stream.total_out == out.size()) {
            if (out.size() >= kMaxUnpackedBytes) {
                inflateEnd(&stream);
                throw CorruptAtlas("unpacks to more than " +
                                   std::to_string(kMaxUnpackedBytes >> 20) + " MB");
            }
            out.resize(std::min(std::max<std::size_t>(out.size() * 2, 1024), kMaxUnpackedBytes));
        }
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + stream.total_out);
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        status = inflate(&stream, Z_NO_FLUSH);
    }
    const std::size_t produced = stream.total_out;
    const bool consumedAll = stream.avail_in == 0;
    inflateEnd(&stream);
    if (status == Z_BUF_ERROR) {
        throw CorruptAtlas("the compressed data ends early");
    }
    if (status != Z_STREAM_END) {
        throw CorruptAtlas("the compressed data is damaged");
    }
    if (!consumedAll) {
        throw CorruptAtlas("there are bytes after the compressed data");
    }
    out.resize(produced);
    return out;
}

// Reads the unpacked text line by line, naming the line of any fault.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::string_view next() {
        if (position_ >= text_.size()) {
            fail("the file ends early");
        }
        const std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) {
            fail("the last line has no line end");
        }
        ++lineNumber_;
        const std::string_view line = text_.substr(position_, end - position_);
        position_ = end + 1;
        return line;
    }

    bool atEnd() const { return position_ >= text_.size(); }
    std::size_t offsetOf(std::string_view part) const {
        return static_cast<std::size_t>(part.data() - text_.data());
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw CorruptAtlas("line " + std::to_string(lineNumber_) + ": " + what);
    }

    // Splits the line into exactly `count` tab-separated fields.
    template <std::size_t count> std::array<std::string_view, count> fields(std::string_view line) {
        std::array<std::string_view, count> out;
        std::size_t start = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t tab = line.find('\t', start);
            const bool last = i + 1 == count;
            if (last != (tab == std::string_view::npos)) {
                fail("expected " + std::to_string(count) + " tab-separated fields");
            }
            out[i] = line.substr(start, tab - start);
            start = tab + 1;
        }
        return out;
    }

    template <typename Integer>
    Integer integer(std::string_view field, Integer lowest, Integer highest) const {
        Integer value{};
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
            value < lowest || value > highest) {
            fail("\"" + std::string(field) + "\" is not a number from " + std::to_string(lowest) +
                 " to " + std::to_string(highest));
        }
        return value;
    }

    // "zones<TAB>394" -> 394
    std::size_t sectionHeader(std::string_view name) {
        const auto f = fields<2>(next());
        if (f[0] != name) {
            fail("expected the \"" + std::string(name) + "\" section");
        }
        return integer<std::size_t>(f[1], 0, 10'000'000);
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
};

// The search text of an ASCII-name column, or of the name when it is empty.
std::string SearchTextOf(const LineReader& reader, std::string_view name, std::string_view ascii) {
    const std::string_view source = ascii.empty() ? name : ascii;
    if (!IsAscii(source)) {
        reader.fail("the ASCII name \"" + std::string(source) + "\" is not ASCII");
    }
    return NormalizeSearchText(source);
}

void CheckName(const LineReader& reader, std::string_view name) {
    if (name.empty()) {
        reader.fail("empty name");
    }
}

// Big-endian first eight bytes, so that comparing two of them as integers
// orders like comparing the texts; a text's NUL end pads it with zeros.
std::uint64_t Prefix8(const char* text) {
    std::uint64_t prefix = 0;
    int i = 0;
    for (; i < 8 && text[i] != '\0'; ++i) {
        prefix = (prefix << 8) | static_cast<unsigned char>(text[i]);
    }
    return prefix << (8 * (8 - i));
}

void BuildWordIndex(Tables& t) {
    struct Item {
        std::uint64_t prefix;
        WordStart word;
    };
    std::vector<Item> items;
    for (std::uint32_t k = 0; k < t.keys.size(); ++k) {
        if (t.keys[k].former == kAlternateName) {
            continue;
        }
        for (std::uint32_t offset = t.keys[k].offset; t.text[offset] != '\0'; ++offset) {
            if (t.text[offset] == ' ') {
                items.push_back({Prefix8(t.text.data() + offset + 1), {offset + 1, k}});
            }
        }
    }
    // Least-significant-byte radix sort on the eight-byte prefixes (each pass
    // stable), then a comparison sort only within runs of equal prefixes of
    // texts longer than eight bytes: about three times quicker than sorting
    // all the words by comparison.
    std::vector<Item> buffer(items.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> start{};
        for (const Item& item : items) {
            ++start[((item.prefix >> shift) & 0xFF) + 1];
        }
        if (std::any_of(start.begin(), start.end(),
                        [&items](std::size_t count) { return count == items.size(); })) {
            continue; // every item has the same byte here
        }
        for (std::size_t b = 1; b < start.size(); ++b) {
            start[b] += start[b - 1];
        }
        for (const Item& item : items) {
            buffer[start[(item.prefix >> shift) & 0xFF]++] = item;
        }
        items.swap(buffer);
    }
    const char* base = t.text.data();
    for (auto run = items.begin(); run != items.end();) {
        auto end = std::find_if(run, items.end(),
                                [run](const Item& item) { return item.prefix != run->prefix; });
        // Texts that ended within the prefix are equal; longer ones go on.
        if (end - run > 1 && (run->prefix & 0xFF) != 0) {
            std::sort(run, end, [base](const Item& a, const Item& b) {
                return std::strcmp(base + a.word.offset + 8, base + b.word.offset + 8) < 0;
            });
        }
        run = end;
    }
    t.words.reserve(items.size());
    for (const Item& item : items) {
        t.words.push_back(item.word);
    }
}

void Parse(Tables& t) {
    LineReader reader(t.text);
    std::string_view line = reader.next();
    while (!line.empty() && line.front() == '#') {
        line = reader.next();
    }
    if (line != format::kFormatTag) {
        reader.fail("not an atlas file of the layout \"" + std::string(format::kFormatTag) + "\"");
    }

    const std::size_t zoneCount = reader.sectionHeader(format::kZones);
    if (zoneCount > std::numeric_limits<std::uint16_t>::max()) {
        reader.fail("too many zones");
    }
    for (std::size_t i = 0; i < zoneCount; ++i) {
        const std::string_view zone = reader.next();
        if (zone.empty() || zone.find('\t') != std::string_view::npos) {
            reader.fail("expected a zone id");
        }
        t.zones.push_back(zone);
    }

    const std::size_t countryCount = reader.sectionHeader(format::kCountries);
    for (std::size_t i = 0; i < countryCount; ++i) {
        const auto f = reader.fields<3>(reader.next());
        if (f[0].size() != 2 || !IsAscii(f[0])) {
            reader.fail("expected a two-letter country code");
        }
        CheckName(reader, f[1]);
        t.countries.push_back(
            {f[0], f[1], SearchTextOf(reader, f[1], f[2]), NormalizeSearchText(f[0])});
    }

    const std::size_t divisionCount = reader.sectionHeader(format::kDivisions);
    for (std::size_t i = 0; i < divisionCount; ++i) {
        const auto f = reader.fields<3>(reader.next());
        if (countryCount == 0) {
            reader.fail("a division without countries");
        }
        const auto country =
            reader.integer<std::uint32_t>(f[0], 0, static_cast<std::uint32_t>(countryCount - 1));
        t.divisions.push_back({country, f[1], SearchTextOf(reader, f[1], f[2])});
    }

    const std::size_t placeCount = reader.sectionHeader(format::kPlaces);
    if (placeCount > 0 && (zoneCount == 0 || divisionCount == 0)) {
        reader.fail("places without zones or divisions");
    }
    t.places.reserve(placeCount);
    std::uint32_t previousId = 0;
    constexpr std::int32_t kLatLimit = 90 * format::kCoordinateUnitsPerDegree;
    constexpr std::int32_t kLonLimit = 180 * format::kCoordinateUnitsPerDegree;
    for (std::size_t i = 0; i < placeCount; ++i) {
        const auto f = reader.fields<8>(reader.next());
        const std::uint32_t firstStep = i == 0 ? 0 : 1;
        const auto step =
            reader.integer<std::uint32_t>(f[0], std::max<std::uint32_t>(firstStep, 1),
                                          std::numeric_limits<std::uint32_t>::max() - previousId);
        Place place;
        place.geonameId = previousId + step;
        previousId = place.geonameId;
        CheckName(reader, f[1]);
        if (f[1].size() > std::numeric_limits<std::uint16_t>::max()) {
            reader.fail("name too long");
        }
        place.nameOffset = static_cast<std::uint32_t>(reader.offsetOf(f[1]));
        place.nameLength = static_cast<std::uint16_t>(f[1].size());
        place.division =
            reader.integer<std::uint32_t>(f[3], 0, static_cast<std::uint32_t>(divisionCount - 1));
        place.latUnits = reader.integer<std::int32_t>(f[4], -kLatLimit, kLatLimit);
        place.lonUnits = reader.integer<std::int32_t>(f[5], -kLonLimit, kLonLimit);
        place.population =
            reader.integer<std::uint32_t>(f[6], 0, std::numeric_limits<std::uint32_t>::max());
        place.zone =
            reader.integer<std::uint16_t>(f[7], 0, static_cast<std::uint16_t>(zoneCount - 1));
        const std::string_view ascii = f[2].empty() ? f[1] : f[2];
        if (!IsAscii(ascii)) {
            reader.fail("the ASCII name \"" + std::string(ascii) + "\" is not ASCII");
        }
        t.places.push_back(place);
    }

    const std::size_t formerCount = reader.sectionHeader(format::kFormer);
    for (std::size_t i = 0; i < formerCount; ++i) {
        const auto f = reader.fields<3>(reader.next());
        CheckName(reader, f[0]);
        const auto id = reader.integer<std::uint32_t>(f[2], 1, previousId);
        const auto found = std::lower_bound(
            t.places.begin(), t.places.end(), id,
            [](const Place& place, std::uint32_t wanted) { return place.geonameId < wanted; });
        if (found == t.places.end() || found->geonameId != id) {
            reader.fail("no place has GeoNames id " + std::to_string(id));
        }
        if (!IsAscii(f[1])) {
            reader.fail("the ASCII name \"" + std::string(f[1]) + "\" is not ASCII");
        }
        t.former.push_back({f[0], static_cast<std::uint32_t>(found - t.places.begin())});
    }

    const std::size_t nameCount = reader.sectionHeader(format::kNames);
    if (nameCount > 0 && placeCount == 0) {
        reader.fail("names without places");
    }
    t.keys.reserve(nameCount);
    std::string_view previous;
    for (std::size_t i = 0; i < nameCount; ++i) {
        const auto f = reader.fields<3>(reader.next());
        const std::string_view search = f[0];
        // (Inner runs of spaces are not looked for: they cost a fifth of the
        // load, and would only keep a name from matching.)
        if (search.empty() || search.front() == ' ' || search.back() == ' ') {
            reader.fail("\"" + std::string(search) + "\" is not a search text");
        }
        SearchKey key;
        key.offset = static_cast<std::uint32_t>(reader.offsetOf(search));
        key.place =
            reader.integer<std::uint32_t>(f[1], 0, static_cast<std::uint32_t>(placeCount - 1));
        if (f[2].empty()) {
            key.former = kOwnName;
        } else if (f[2] == format::kAlternateKind) {
            key.former = kAlternateName;
        } else {
            key.former =
                reader.integer<std::int32_t>(f[2], 0, static_cast<std::int32_t>(formerCount) - 1);
            if (t.former[static_cast<std::size_t>(key.former)].place != key.place) {
                reader.fail("a former name given to another place");
            }
        }
        // Searching relies on this order: by text, then place, no repeats.
        const int order = previous.compare(search);
        if (i > 0 && (order > 0 || (order == 0 && t.keys.back().place >= key.place))) {
            reader.fail("the names are not in order");
        }
        previous = search;
        t.keys.push_back(key);
        // The search text ends at a NUL byte in place of its tab, so that the
        // index compares it as a C string.
        t.text[key.offset + search.size()] = '\0';
    }

    if (reader.next() != format::kEnd) {
        reader.fail("expected the end of the atlas");
    }
    if (!reader.atEnd()) {
        reader.fail("there are lines after the end of the atlas");
    }
    BuildWordIndex(t);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// True when `part` starts a word of the search text `text`.
bool StartsAWord(std::string_view text, std::string_view part) {
    for (std::size_t at = 0; at < text.size();) {
        if (StartsWith(text.substr(at), part)) {
            return true;
        }
        const std::size_t space = text.find(' ', at);
        if (space == std::string_view::npos) {
            return false;
        }
        at = space + 1;
    }
    return false;
}

// True when each part starts a word of the division or its country, or
// starts the country's code.
template <typename Iterator>
bool NarrowedTo(const Division& division, const Country& country, Iterator first, Iterator last) {
    return std::all_of(first, last, [&](const std::string& part) {
        return StartsAWord(division.search, part) || StartsAWord(country.search, part) ||
               StartsWith(country.codeSearch, part);
    });
}

DegreesMinutes FromUnits(std::int32_t units) {
    // Whole minutes, rounded half away from zero, in integers.
    constexpr std::int64_t kUnitsPerDegree = format::kCoordinateUnitsPerDegree;
    const std::int64_t magnitude = std::abs(static_cast<std::int64_t>(units));
    const std::int64_t totalMinutes = (magnitude * 60 + kUnitsPerDegree / 2) / kUnitsPerDegree;
    DegreesMinutes out;
    out.degrees = static_cast<int>(totalMinutes / 60);
    out.minutes = static_cast<int>(totalMinutes % 60);
    out.negative = units < 0 && totalMinutes != 0;
    return out;
}

std::string FormatDegreesMinutes(const DegreesMinutes& angle, char positive, char negative) {
    std::string out = std::to_string(angle.degrees) + "\u00B0";
    if (angle.minutes < 10) {
        out += '0';
    }
    out += std::to_string(angle.minutes) + "\u2032 ";
    out += angle.negative ? negative : positive;
    return out;
}

} // namespace

DegreesMinutes RoundToMinute(double angleDeg) {
    const double totalMinutes = std::round(std::abs(angleDeg) * 60.0);
    DegreesMinutes out;
    out.degrees = static_cast<int>(totalMinutes / 60.0);
    out.minutes = static_cast<int>(totalMinutes - out.degrees * 60.0);
    out.negative = angleDeg < 0 && totalMinutes != 0;
    return out;
}

std::string PlaceDisplayLine(const PlaceMatch& place) {
    std::string out = place.name;
    if (!place.division.empty()) {
        out += ", " + place.division;
    }
    out += ", " + place.country + " \u00B7 ";
    out += FormatDegreesMinutes(place.latitude, 'N', 'S') + " ";
    out += FormatDegreesMinutes(place.longitude, 'E', 'W') + " \u00B7 ";
    out += place.zoneId;
    return out;
}

std::string MatchCountNote(std::size_t shown, std::size_t total) {
    return std::to_string(shown) + " of " + std::to_string(total) +
           " matches: type more of the name, or add the division or country";
}

Atlas::Atlas(std::unique_ptr<const Data> data) : data_(std::move(data)) {}
Atlas::Atlas(Atlas&&) noexcept = default;
Atlas& Atlas::operator=(Atlas&&) noexcept = default;
Atlas::~Atlas() = default;

std::vector<std::string> Atlas::ZoneIds() const {
    return {data_->zones.begin(), data_->zones.end()};
}

std::size_t Atlas::PlaceCount() const {
    return data_->places.size();
}

std::size_t Atlas::FormerNameCount() const {
    return data_->former.size();
}

std::size_t Atlas::SearchNameCount() const {
    return data_->keys.size();
}

std::size_t Atlas::MemoryBytes() const {
    const Data& t = *data_;
    std::size_t bytes = sizeof(Data) + t.text.capacity();
    bytes += t.zones.capacity() * sizeof(std::string_view);
    bytes += t.countries.capacity() * sizeof(Country);
    for (const Country& country : t.countries) {
        bytes += country.search.capacity() + country.codeSearch.capacity();
    }
    bytes += t.divisions.capacity() * sizeof(Division);
    for (const Division& division : t.divisions) {
        bytes += division.search.capacity();
    }
    bytes += t.places.capacity() * sizeof(Place);
    bytes += t.former.capacity() * sizeof(FormerName);
    bytes += t.keys.capacity() * sizeof(SearchKey);
    bytes += t.words.capacity() * sizeof(WordStart);
    return bytes;
}

std::vector<PlaceMatch> Atlas::Search(std::string_view query, std::size_t maxResults,
                                      std::size_t* totalMatches) const {
    const Data& t = *data_;
    std::vector<PlaceMatch> results;
    if (totalMatches) {
        *totalMatches = 0;
    }
    // Nobody types a place of more than a few hundred characters.
    if (maxResults == 0 || query.size() > 1000) {
        return results;
    }

    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = query.find(',', start);
        parts.push_back(FoldForSearch(query.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (parts.front().empty()) {
        return results;
    }
    parts.erase(parts.begin());
    const std::string_view typedName = query.substr(0, query.find(','));
    parts.erase(std::remove(parts.begin(), parts.end(), std::string()), parts.end());

    // Whether each division passes every narrowing part: -1 not yet known.
    std::vector<std::int8_t> divisionPasses(parts.empty() ? 0 : t.divisions.size(), -1);
    auto passes = [&](std::uint32_t divisionIndex) {
        std::int8_t& known = divisionPasses[divisionIndex];
        if (known < 0) {
            const Division& division = t.divisions[divisionIndex];
            const Country& country = t.countries[division.country];
            known = NarrowedTo(division, country, parts.begin(), parts.end());
        }
        return known == 1;
    };

    struct Candidate {
        std::uint32_t place;
        std::int32_t former;
        bool exact;
    };
    std::vector<Candidate> candidates;
    // Index into candidates + 1 of each place's candidate; 0 for none yet.
    // One table per thread, kept between searches and cleared slot by slot
    // on the way out: clearing all of it would cost more than a narrow
    // search itself.
    thread_local std::vector<std::uint32_t> candidateOf;
    if (candidateOf.size() < t.places.size()) {
        candidateOf.assign(t.places.size(), 0);
    }
    struct ClearSlots {
        std::vector<Candidate>& candidates;
        ~ClearSlots() {
            for (const Candidate& c : candidates) {
                candidateOf[c.place] = 0;
            }
        }
    } clearSlots{candidates};
    // The same place: its own name, then a former name, then an alternate.
    auto kindRank = [](std::int32_t former) {
        return former == kOwnName ? 0 : former == kAlternateName ? 2 : 1;
    };
    auto better = [&t, &kindRank](const Candidate& a, const Candidate& b) {
        if (a.exact != b.exact) {
            return a.exact;
        }
        const Place& pa = t.places[a.place];
        const Place& pb = t.places[b.place];
        if (pa.population != pb.population) {
            return pa.population > pb.population;
        }
        if (pa.geonameId != pb.geonameId) {
            return pa.geonameId < pb.geonameId;
        }
        if (kindRank(a.former) != kindRank(b.former)) {
            return kindRank(a.former) < kindRank(b.former);
        }
        return a.former < b.former;
    };
    // `narrowed`: the place has passed the narrowing parts already.
    auto consider = [&](const SearchKey& key, bool exact, bool narrowed = false) {
        if (!narrowed && !parts.empty() && !passes(t.places[key.place].division)) {
            return;
        }
        const Candidate candidate{key.place, key.former, exact};
        std::uint32_t& slot = candidateOf[key.place];
        if (slot == 0) {
            candidates.push_back(candidate);
            slot = static_cast<std::uint32_t>(candidates.size());
        } else if (better(candidate, candidates[slot - 1])) {
            candidates[slot - 1] = candidate;
        }
    };

    const char* text = t.text.data();
    auto collect = [&](const std::string& name) {
        const char* wanted = name.c_str();
        // Whole names that NAME is, or starts.
        auto key = std::lower_bound(t.keys.begin(), t.keys.end(), wanted,
                                    [text](const SearchKey& k, const char* w) {
                                        return std::strcmp(text + k.offset, w) < 0;
                                    });
        for (; key != t.keys.end(); ++key) {
            const char* keyText = text + key->offset;
            if (std::strncmp(keyText, wanted, name.size()) != 0) {
                break;
            }
            consider(*key, keyText[name.size()] == '\0');
        }
        // Later words of own and former names that NAME starts.
        auto word = std::lower_bound(t.words.begin(), t.words.end(), wanted,
                                     [text](const WordStart& w, const char* query) {
                                         return std::strcmp(text + w.offset, query) < 0;
                                     });
        for (; word != t.words.end(); ++word) {
            if (std::strncmp(text + word->offset, wanted, name.size()) != 0) {
                break;
            }
            consider(t.keys[word->key], false);
        }
    };
    // An umlaut in the query is taken as the German ae, oe, ue, which every
    // name with umlauts is also kept under: "Köln" is Koeln and Koln, and
    // "Köl" only begins it, though Kola is also called "Kol". Only when that
    // finds nothing at all does the umlaut count as its bare vowel
    // ("Lüliang" for a place only written "Luliang").
    const std::string spelledOut = FoldForSearch(SpellOutUmlauts(typedName));
    collect(spelledOut);
    const std::string plain = FoldForSearch(typedName);
    if (candidates.empty() && plain != spelledOut) {
        collect(plain);
    }
    // A few names hold commas themselves ("Mianzhu, Deyang, Sichuan"): the
    // first two or more parts as one whole name, the rest narrowing it.
    for (std::size_t end = query.find(','); end != std::string_view::npos;) {
        end = query.find(',', end + 1);
        const std::string whole = FoldForSearch(SpellOutUmlauts(query.substr(0, end)));
        std::vector<std::string> rest;
        for (std::size_t start = end; start != std::string_view::npos;) {
            const std::size_t comma = query.find(',', start + 1);
            rest.push_back(FoldForSearch(query.substr(start + 1, comma - start - 1)));
            start = comma;
        }
        rest.erase(std::remove(rest.begin(), rest.end(), std::string()), rest.end());
        auto key = std::lower_bound(t.keys.begin(), t.keys.end(), whole.c_str(),
                                    [text](const SearchKey& k, const char* w) {
                                        return std::strcmp(text + k.offset, w) < 0;
                                    });
        for (; key != t.keys.end() && whole == text + key->offset; ++key) {
            const Division& division = t.divisions[t.places[key->place].division];
            if (NarrowedTo(division, t.countries[division.country], rest.begin(), rest.end())) {
                consider(*key, true, true);
            }
        }
    }

    if (totalMatches) {
        *totalMatches = candidates.size();
    }
    const std::size_t kept = std::min(maxResults, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(kept),
                      candidates.end(), better);
    results.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        const Candidate& c = candidates[i];
        const Place& place = t.places[c.place];
        const Division& division = t.divisions[place.division];
        const Country& country = t.countries[division.country];
        PlaceMatch match;
        match.geonameId = place.geonameId;
        match.name = t.text.substr(place.nameOffset, place.nameLength);
        match.division = division.name;
        match.country = country.name;
        match.countryCode = country.code;
        match.latitudeDeg = static_cast<double>(place.latUnits) / format::kCoordinateUnitsPerDegree;
        match.longitudeDeg =
            static_cast<double>(place.lonUnits) / format::kCoordinateUnitsPerDegree;
        match.latitude = FromUnits(place.latUnits);
        match.longitude = FromUnits(place.lonUnits);
        match.population = place.population;
        match.zoneId = t.zones[place.zone];
        if (c.former >= 0) {
            match.formerName = t.former[static_cast<std::size_t>(c.former)].name;
        }
        match.exactMatch = c.exact;
        results.push_back(std::move(match));
    }
    return results;
}

AtlasOrFault LoadAtlas(const std::filesystem::path& path) {
    AtlasOrFault out;
    // Only a regular file is opened: a FIFO or a device named as the atlas
    // would wait for ever or read without end.
    OpenedFile opened = OpenRegularFile(path);
    if (!opened.file.valid()) {
        if (opened.error == ENOENT) {
            out.fault = AtlasFault::Missing;
            out.message = "The atlas file " + path.string() + " was not found.";
        } else if (opened.error == EISDIR) {
            out.fault = AtlasFault::Unreadable;
            out.message = "The atlas file " + path.string() + " is a folder.";
        } else {
            out.fault = AtlasFault::Unreadable;
            out.message =
                "The atlas file " + path.string() + " could not be read: " + opened.reason + ".";
        }
        return out;
    }
    struct stat info {};
    if (::fstat(opened.file.get(), &info) != 0) {
        out.fault = AtlasFault::Unreadable;
        out.message = "The atlas file " + path.string() + " could not be read.";
        return out;
    }
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > kMaxUnpackedBytes) {
        out.fault = AtlasFault::Corrupt;
        out.message = "The atlas file " + path.string() + " is damaged: it is far too large.";
        return out;
    }
    std::string packed(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < packed.size()) {
        const ssize_t got = ::read(opened.file.get(), packed.data() + done, packed.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    if (done != size) {
        out.fault = AtlasFault::Unreadable;
        out.message = "The atlas file " + path.string() + " could not be read.";
        return out;
    }
    try {
        auto data = std::make_unique<Atlas::Data>();
        data->text = Gunzip(packed);
        Parse(*data);
        out.atlas.emplace(Atlas(std::move(data)));
    } catch (const CorruptAtlas& e) {
        out.fault = AtlasFault::Corrupt;
        out.message = "The atlas file " + path.string() + " is damaged: " + e.what() + ".";
    } catch (const std::bad_alloc&) {
        out.fault = AtlasFault::Corrupt;
        out.message = "The atlas file " + path.string() + " needs more memory than is free.";
    }
    return out;
}

} // namespace selmarind
