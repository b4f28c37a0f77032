#include "records/record_file.h"

#include "engine/text.h"
#include "records/file_io.h"
#include "records/record_checks.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_set>
#include <utility>
#include <vector>

namespace selmarind {

namespace {

using Json = nlohmann::json;

// ---- Writing ------------------------------------------------------------

// A JSON string: UTF-8 as it stands, with `"`, `\` and U+0000..U+001F
// escaped. Bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view text) {
    return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A coordinate field's digits as a JSON number without leading zeros. Any
// other text is written as a string, which no reader takes for a number.
std::string CoordinateValue(const std::string& text) {
    if (text.empty() || !AllAsciiDigits(text)) {
        return JsonString(text);
    }
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? "0" : text.substr(first);
}

// A list item of the form as two digits: "7" gives "07".
std::string TwoDigits(const std::string& item) {
    return item.size() == 1 ? "0" + item : item;
}

std::string CoordinateObject(const std::string& degrees, const std::string& minutes,
                             const char* hemisphere) {
    return "{\"degrees\": " + CoordinateValue(degrees) +
           ", \"minutes\": " + CoordinateValue(minutes) + ", \"hemisphere\": \"" + hemisphere +
           "\"}";
}

const char* PositionName(PositionSource source) {
    return source == PositionSource::Precise ? "precise" : "classic";
}

const char* SunriseName(SunriseConvention convention) {
    return convention == SunriseConvention::Centre ? "centre" : "limb";
}

// A name ("raman") or {"user": 23.5}, the degrees in their shortest
// decimal form that reads back to the same number.
std::string AyanamsaValue(const AyanamsaChoice& choice) {
    if (choice.mode != AyanamsaMode::User) {
        return JsonString(AyanamsaKey(choice));
    }
    std::array<char, 64> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                       choice.userDegreesAtJ2000, std::chars_format::fixed);
    return "{\"user\": " + std::string(digits.data(), written.ptr) + "}";
}

// ---- Reading ------------------------------------------------------------

// Faults found while reading; caught in ReadBirthRecord, never let out.
struct ReadFault {
    RecordFault fault;
    std::string message;
};

constexpr std::string_view kNotARecord = "This file is not a Selmarind birth record: ";
constexpr std::string_view kMalformed = "This birth record cannot be read: ";

[[noreturn]] void NotARecord(const std::string& reason) {
    throw ReadFault{RecordFault::NotARecord, std::string(kNotARecord) + reason};
}

[[noreturn]] void Malformed(const std::string& reason) {
    throw ReadFault{RecordFault::Malformed, std::string(kMalformed) + reason};
}

std::string Quote(std::string_view name) {
    // Appended, not prepended to a temporary, which GCC 12 misreads (-Wrestrict).
    std::string quoted = "\"";
    quoted += name;
    quoted += '"';
    return quoted;
}

// "(line 3, column 7)" of a byte offset; columns count characters.
std::string Position(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const std::size_t lineStart = before.rfind('\n') + 1; // npos + 1 == 0
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const auto column =
        1 + std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return "(line " + std::to_string(line) + ", column " + std::to_string(column) + ")";
}

// A member name for a message: short printable ASCII names are shown as
// they stand, any other is left out rather than echoed.
std::string ShownName(const std::string& name) {
    const bool plain = name.size() <= 40 && std::all_of(name.begin(), name.end(), [](char c) {
                           return c >= ' ' && c <= '~';
                       });
    return plain ? " (" + Quote(name) + ")" : "";
}

struct NestedTooDeep {};
struct RepeatedMember {
    std::string name;
};

// Parses JSON text, refusing nesting deeper than kBirthRecordMaxDepth and a
// member name given twice in one object (which parsers resolve differently:
// the first or the last wins).
Json ParseJson(std::string_view text) {
    std::vector<std::unordered_set<std::string>> openObjects;
    const auto watch = [&openObjects](int depth, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            // depth counts the objects and arrays around this one.
            if (depth >= kBirthRecordMaxDepth) {
                throw NestedTooDeep{};
            }
            if (event == Json::parse_event_t::object_start) {
                openObjects.emplace_back();
            }
            break;
        case Json::parse_event_t::key:
            if (!openObjects.back().insert(parsed.get_ref<const std::string&>()).second) {
                throw RepeatedMember{parsed.get<std::string>()};
            }
            break;
        case Json::parse_event_t::object_end:
            openObjects.pop_back();
            break;
        default:
            break;
        }
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), watch);
    } catch (const NestedTooDeep&) {
        NotARecord("its objects and arrays nest more than " + std::to_string(kBirthRecordMaxDepth) +
                   " levels deep.");
    } catch (const RepeatedMember& repeated) {
        NotARecord("a member name appears twice in one object" + ShownName(repeated.name) + ".");
    } catch (const Json::parse_error& error) {
        // error.byte counts from 1; beyond the last byte means the text ended
        // while a value was still open.
        if (error.byte > text.size()) {
            NotARecord("it ends early, as if cut short " + Position(text, text.size()) + ".");
        }
        NotARecord("it is not JSON text " + Position(text, error.byte - 1) + ".");
    } catch (const Json::out_of_range&) {
        NotARecord("it holds a number too large to read.");
    } catch (const Json::exception&) {
        NotARecord("it is not JSON text.");
    }
}

// Watches the numbers of JSON text for one that reads as zero although its
// digits are not all zero (2e-400): its value is lost, as that of a number
// too large for double is.
struct UnderflowWatch {
    bool lost = false;
    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(Json::number_integer_t) { return true; }
    bool number_unsigned(Json::number_unsigned_t) { return true; }
    bool number_float(Json::number_float_t value, const std::string& text) {
        const std::size_t exponent = std::min(text.find_first_of("eE"), text.size());
        lost = value == 0 && text.find_first_of("123456789") < exponent;
        return !lost;
    }
    bool string(std::string&) { return true; }
    bool binary(Json::binary_t&) { return true; }
    bool start_object(std::size_t) { return true; }
    bool key(std::string&) { return true; }
    bool end_object() { return true; }
    bool start_array(std::size_t) { return true; }
    bool end_array() { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }
};

// Refuses JSON text (already parsed) that holds a number read as zero
// although it is not.
void RefuseLostNumbers(std::string_view text) {
    UnderflowWatch watch;
    Json::sax_parse(text.begin(), text.end(), &watch, Json::input_format_t::json, false);
    if (watch.lost) {
        NotARecord("it holds a number too small to read.");
    }
}

const Json& Member(const Json& object, const char* key, const std::string& path) {
    const auto found = object.find(key);
    if (found == object.end()) {
        Malformed(Quote(path) + " is missing.");
    }
    return *found;
}

const Json* OptionalMember(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

const Json& ObjectOf(const Json& value, const std::string& path) {
    if (!value.is_object()) {
        Malformed(Quote(path) + " must be a JSON object.");
    }
    return value;
}

std::string TextOf(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        Malformed(Quote(path) + " must be a text in double quotes.");
    }
    return value.get<std::string>();
}

bool FlagOf(const Json& value, const std::string& path) {
    if (!value.is_boolean()) {
        Malformed(Quote(path) + " must be true or false.");
    }
    return value.get<bool>();
}

const Json& NumberOf(const Json& value, const std::string& path) {
    if (!value.is_number()) {
        Malformed(Quote(path) + " must be a number.");
    }
    return value;
}

// The value of a whole number (12 or 12.0) within [low, high]; nothing for
// a fraction or a value outside.
std::optional<std::int64_t> WholeNumber(const Json& number, std::int64_t low, std::int64_t high) {
    if (number.is_number_unsigned()) {
        const auto value = number.get<std::uint64_t>();
        if (value > static_cast<std::uint64_t>(high)) {
            return std::nullopt;
        }
        const auto signedValue = static_cast<std::int64_t>(value);
        return signedValue >= low ? std::optional(signedValue) : std::nullopt;
    }
    if (number.is_number_integer()) {
        const auto value = number.get<std::int64_t>();
        return value >= low && value <= high ? std::optional(value) : std::nullopt;
    }
    // A double holds every bound exactly or rounds it up to the next power
    // of two; below high + 1 the cast back is exact and defined.
    const double value = number.get<double>();
    if (std::floor(value) != value || value < static_cast<double>(low) ||
        value >= static_cast<double>(high) + 1.0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

// The text a coordinate field would hold had the number been typed into it,
// for CheckBirthRecord to judge: digits for a whole number, a text with a
// sign or point, which the field refuses, for any other.
std::string CoordinateText(const Json& number) {
    // -0.0 is no number a digit field holds.
    if (number.is_number_float() && std::signbit(number.get<double>())) {
        return number.dump();
    }
    if (const auto whole = WholeNumber(number, 0, 999'999'999)) {
        return std::to_string(*whole);
    }
    const double value = number.get<double>();
    if (value > 0 && std::floor(value) == value) {
        return "1000000000"; // a stand-in with more digits than any field holds
    }
    return number.dump();
}

struct Coordinate {
    std::string degrees;
    std::string minutes;
    bool firstHemisphere = true; // N or E
};

Coordinate CoordinateOf(const Json& value, const std::string& path, char first, char second) {
    const Json& object = ObjectOf(value, path);
    Coordinate out;
    out.degrees =
        CoordinateText(NumberOf(Member(object, "degrees", path + ".degrees"), path + ".degrees"));
    out.minutes =
        CoordinateText(NumberOf(Member(object, "minutes", path + ".minutes"), path + ".minutes"));
    const std::string hemispherePath = path + ".hemisphere";
    const std::string hemisphere =
        TextOf(Member(object, "hemisphere", hemispherePath), hemispherePath);
    if (hemisphere.size() != 1 || (hemisphere[0] != first && hemisphere[0] != second)) {
        Malformed(Quote(hemispherePath) + " must be \"" + first + "\" or \"" + second + "\".");
    }
    out.firstHemisphere = hemisphere[0] == first;
    return out;
}

// The digit pairs of "1987-08-14" or "06:30:00"; nothing unless the text is
// exactly digits in that layout.
std::optional<std::vector<int>> NumberGroups(std::string_view text, std::string_view layout) {
    if (text.size() != layout.size()) {
        return std::nullopt;
    }
    std::vector<int> groups;
    bool inGroup = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (layout[i] != 'D') {
            if (text[i] != layout[i]) {
                return std::nullopt;
            }
            inGroup = false;
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        if (!inGroup) {
            groups.push_back(0);
            inGroup = true;
        }
        groups.back() = groups.back() * 10 + (text[i] - '0');
    }
    return groups;
}

std::string CapitalLetters(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

void CheckFormatAndVersion(const Json& root) {
    if (!root.is_object()) {
        NotARecord("it is not a JSON object.");
    }
    const Json* format = OptionalMember(root, "format");
    if (!format || !format->is_string() ||
        format->get_ref<const std::string&>() != kBirthRecordFormat) {
        NotARecord("its \"format\" is not \"" + std::string(kBirthRecordFormat) + "\".");
    }
    const Json& version = Member(root, "version", "version");
    if (!version.is_number()) {
        Malformed("\"version\" must be a whole number from 1 upwards.");
    }
    const double value = version.get<double>();
    if (std::floor(value) != value || value < 1) {
        Malformed("\"version\" must be a whole number from 1 upwards.");
    }
    if (value > kBirthRecordVersion) {
        const auto newer = WholeNumber(version, 0, 999'999'999);
        const std::string which = newer ? "record version " + std::to_string(*newer) + "; " : "";
        throw ReadFault{RecordFault::NewerVersion,
                        "This birth record was saved by a newer version of Selmarind (" + which +
                            "this version reads records up to version " +
                            std::to_string(kBirthRecordVersion) +
                            "). Please update Selmarind to open it."};
    }
}

AyanamsaChoice AyanamsaOf(const Json& value) {
    static const std::string kExpected =
        "\"ayanamsa\" must be one of \"lahiri\", \"true-chitra\", \"raman\", "
        "\"krishnamurti\", \"yukteshwar\", \"fagan-bradley\", \"true-pushya\", or "
        "{\"user\": degrees from 0 to 40}.";
    if (value.is_string()) {
        const AyanamsaOrError named = AyanamsaOfKey(value.get<std::string>());
        // A number in quotes is not a name.
        if (!named.choice || named.choice->mode == AyanamsaMode::User) {
            Malformed(kExpected);
        }
        return *named.choice;
    }
    if (!value.is_object() || value.size() != 1 || !value.contains("user")) {
        Malformed(kExpected);
    }
    // Adding 0 turns -0 into 0, which is shown and written without a sign.
    const AyanamsaChoice user{AyanamsaMode::User,
                              NumberOf(value.at("user"), "ayanamsa.user").get<double>() + 0.0};
    if (!ephemeris::CheckAyanamsa(user).empty()) {
        Malformed(kExpected);
    }
    return user;
}

BirthRecordContents ContentsOf(const Json& root) {
    BirthRecordContents contents;
    BirthEntries& e = contents.entries;

    e.txtName = CapitalLetters(TextOf(Member(root, "name", "name"), "name"));

    const std::string date = TextOf(Member(root, "date", "date"), "date");
    const auto ymd = NumberGroups(date, "DDDD-DD-DD");
    if (!ymd) {
        Malformed("\"date\" must be a date written as YYYY-MM-DD.");
    }
    e.cboYear = std::to_string((*ymd)[0]);
    e.cboMonthIndex = (*ymd)[1] - 1;
    e.cboDate = std::to_string((*ymd)[2]);

    const std::string time = TextOf(Member(root, "time", "time"), "time");
    const auto hms = NumberGroups(time, "DD:DD:DD");
    if (!hms) {
        Malformed("\"time\" must be a time written as HH:MM:SS.");
    }
    e.cboHH = std::to_string((*hms)[0]);
    e.cboMM = std::to_string((*hms)[1]);
    e.cboSS = std::to_string((*hms)[2]);

    const Json& zone = ObjectOf(Member(root, "zone", "zone"), "zone");
    const Json* index = OptionalMember(zone, "index");
    const Json* offset = OptionalMember(zone, "utcOffsetSeconds");
    if ((index != nullptr) == (offset != nullptr)) {
        Malformed("\"zone\" must hold either \"index\" or \"utcOffsetSeconds\" with \"label\".");
    }
    if (index) {
        // -1, which the check refuses, stands for any number beyond an int.
        e.cmbTimeZoneIndex = static_cast<int>(
            WholeNumber(NumberOf(*index, "zone.index"), INT32_MIN, INT32_MAX).value_or(-1));
    } else {
        ExactZoneOffset exact;
        exact.utcOffsetSeconds = static_cast<std::int32_t>(
            WholeNumber(NumberOf(*offset, "zone.utcOffsetSeconds"), INT32_MIN, INT32_MAX)
                .value_or(INT32_MIN));
        exact.label = TextOf(Member(zone, "label", "zone.label"), "zone.label");
        // The entries carry the extra entry too, so that the chart is computed with it.
        e.exactZone = ExactZoneEntry{exact.label, exact.utcOffsetSeconds};
        contents.exactZone = std::move(exact);
        e.cmbTimeZoneIndex = kExactZoneIndex;
    }

    e.chkDST = FlagOf(Member(root, "dst", "dst"), "dst");

    Coordinate lat = CoordinateOf(Member(root, "latitude", "latitude"), "latitude", 'N', 'S');
    e.txtLatD = std::move(lat.degrees);
    e.txtLatM = std::move(lat.minutes);
    e.optLatSouth = !lat.firstHemisphere;
    Coordinate lon = CoordinateOf(Member(root, "longitude", "longitude"), "longitude", 'E', 'W');
    e.txtLonD = std::move(lon.degrees);
    e.txtLonM = std::move(lon.minutes);
    e.optLongEast = lon.firstHemisphere;

    e.txtMCity = TextOf(Member(root, "city", "city"), "city");
    e.txtMState = TextOf(Member(root, "state", "state"), "state");
    e.txtMCountry = TextOf(Member(root, "country", "country"), "country");

    if (const Json* place = OptionalMember(root, "place")) {
        const Json& object = ObjectOf(*place, "place");
        AtlasPlace atlas;
        // 0, which the check refuses, stands for a fraction or a number
        // beyond 64 bits.
        atlas.geonameId =
            WholeNumber(NumberOf(Member(object, "geonameId", "place.geonameId"), "place.geonameId"),
                        INT64_MIN, INT64_MAX)
                .value_or(0);
        atlas.timeZone = TextOf(Member(object, "timeZone", "place.timeZone"), "place.timeZone");
        contents.place = std::move(atlas);
    }
    if (const Json* positions = OptionalMember(root, "positions")) {
        const std::string name = TextOf(*positions, "positions");
        if (name != "classic" && name != "precise") {
            Malformed("\"positions\" must be \"classic\" or \"precise\".");
        }
        contents.positions = name == "precise" ? PositionSource::Precise : PositionSource::Classic;
    }
    if (const Json* sunrise = OptionalMember(root, "sunrise")) {
        const std::string name = TextOf(*sunrise, "sunrise");
        if (name != "limb" && name != "centre") {
            Malformed("\"sunrise\" must be \"limb\" or \"centre\".");
        }
        contents.sunrise = name == "centre" ? SunriseConvention::Centre : SunriseConvention::Limb;
    }
    if (const Json* style = OptionalMember(root, "chartStyle")) {
        std::string name = TextOf(*style, "chartStyle");
        if (std::find(kRecordChartStyles.begin(), kRecordChartStyles.end(), name) ==
            kRecordChartStyles.end()) {
            Malformed("\"chartStyle\" must be \"south\", \"north\" or \"east\".");
        }
        contents.chartStyle = std::move(name);
    }
    if (const Json* ayanamsa = OptionalMember(root, "ayanamsa")) {
        contents.ayanamsa = AyanamsaOf(*ayanamsa);
    }
    return contents;
}

bool IsJsonSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void CheckBytes(std::string_view bytes) {
    if (bytes.size() > kBirthRecordMaxBytes) {
        NotARecord("it is larger than " + std::to_string(kBirthRecordMaxBytes / (1024 * 1024)) +
                   " MiB.");
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        NotARecord("it is UTF-16 text; a birth record is UTF-8 text.");
    }
    const std::size_t valid = Utf8ValidPrefixLength(bytes);
    if (valid < bytes.size()) {
        NotARecord("it is not UTF-8 text " + Position(bytes, valid) + ".");
    }
    std::string_view body = bytes;
    if (body.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    }
    if (std::all_of(body.begin(), body.end(), IsJsonSpace)) {
        NotARecord("it is empty.");
    }
}

} // namespace

std::string WriteBirthRecord(const BirthRecordContents& contents) {
    const BirthEntries& e = contents.entries;
    std::vector<std::string> members;
    const auto add = [&members](const char* key, std::string value) {
        members.push_back("  \"" + std::string(key) + "\": " + std::move(value));
    };
    add("format", JsonString(kBirthRecordFormat));
    add("version", std::to_string(kBirthRecordVersion));
    add("name", JsonString(e.txtName));
    add("date", JsonString(e.cboYear + "-" + TwoDigits(std::to_string(e.cboMonthIndex + 1LL)) +
                           "-" + TwoDigits(e.cboDate)));
    add("time",
        JsonString(TwoDigits(e.cboHH) + ":" + TwoDigits(e.cboMM) + ":" + TwoDigits(e.cboSS)));
    if (const auto& exact = contents.exactZone) {
        add("zone", "{\"utcOffsetSeconds\": " + std::to_string(exact->utcOffsetSeconds) +
                        ", \"label\": " + JsonString(exact->label) + "}");
    } else {
        add("zone", "{\"index\": " + std::to_string(e.cmbTimeZoneIndex) + "}");
    }
    add("dst", e.chkDST ? "true" : "false");
    add("latitude", CoordinateObject(e.txtLatD, e.txtLatM, e.optLatSouth ? "S" : "N"));
    add("longitude", CoordinateObject(e.txtLonD, e.txtLonM, e.optLongEast ? "E" : "W"));
    add("city", JsonString(e.txtMCity));
    add("state", JsonString(e.txtMState));
    add("country", JsonString(e.txtMCountry));
    if (const auto& place = contents.place) {
        add("place", "{\"geonameId\": " + std::to_string(place->geonameId) +
                         ", \"timeZone\": " + JsonString(place->timeZone) + "}");
    }
    if (contents.positions) {
        add("positions", JsonString(PositionName(*contents.positions)));
    }
    if (contents.sunrise) {
        add("sunrise", JsonString(SunriseName(*contents.sunrise)));
    }
    if (contents.chartStyle) {
        add("chartStyle", JsonString(*contents.chartStyle));
    }
    if (contents.ayanamsa) {
        add("ayanamsa", AyanamsaValue(*contents.ayanamsa));
    }

    std::string text = "{\n";
    for (std::size_t i = 0; i < members.size(); ++i) {
        text += members[i];
        text += i + 1 < members.size() ? ",\n" : "\n";
    }
    text += "}\n";
    return text;
}

RecordOrFault ReadBirthRecord(std::string_view bytes) {
    RecordOrFault result;
    try {
        CheckBytes(bytes);
        const Json root = ParseJson(bytes);
        RefuseLostNumbers(bytes);
        CheckFormatAndVersion(root);
        BirthRecordContents contents = ContentsOf(root);
        if (auto refusal = CheckBirthRecord(contents)) {
            result.fault = RecordFault::Refused;
            result.message = std::move(*refusal);
            return result;
        }
        result.contents = std::move(contents);
    } catch (const ReadFault& fault) {
        result.fault = fault.fault;
        result.message = fault.message;
    }
    return result;
}

RecordOrFault ReadBirthRecordFile(const std::filesystem::path& path) {
    FileBytes file = ReadFileAtMost(path, kBirthRecordMaxBytes);
    if (!file.bytes) {
        RecordOrFault result;
        result.fault = RecordFault::Unreadable;
        result.message = std::move(file.message);
        return result;
    }
    if (file.truncated) {
        // One byte beyond the limit is enough for ReadBirthRecord to refuse
        // the size.
        file.bytes->push_back('\n');
    }
    return ReadBirthRecord(*file.bytes);
}

} // namespace selmarind
