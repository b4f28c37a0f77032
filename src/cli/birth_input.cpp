#include "cli/birth_input.h"

#include "input/entry_number.h"
#include "input/key_filters.h"
#include "input/time_zones.h"
#include "input/validation.h"
#include "records/record_checks.h"

#include <algorithm>
#include <string_view>

namespace selmarind::cli {

namespace {

struct CoordinateRule {
    const char* hemispheres;     // the two letters, upper case: positive one first
    std::size_t maxDegreeDigits; // what the degree field holds
    std::string_view formatMessage;
    std::string_view degreesMessage;
    std::string_view minutesMessage;
};

struct CoordinateTexts {
    std::string degrees;
    std::string minutes;
    bool firstHemisphere = true; // N or E
};

// Splits "28N36" into the degree text, the hemisphere and the minute text,
// holding each field to what the form's field accepts.
std::optional<CoordinateTexts> ReadCoordinate(const std::string& text, const CoordinateRule& rule,
                                              std::string& message) {
    if (text.empty()) {
        return CoordinateTexts{}; // empty fields, as the form starts
    }
    std::size_t letter = std::string::npos;
    bool first = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char upper =
            text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (upper == rule.hemispheres[0] || upper == rule.hemispheres[1]) {
            letter = i;
            first = upper == rule.hemispheres[0];
            break;
        }
    }
    if (letter == std::string::npos) {
        message = rule.formatMessage;
        return std::nullopt;
    }
    CoordinateTexts out{text.substr(0, letter), text.substr(letter + 1), first};
    if (!AllAsciiDigits(out.degrees) || !AllAsciiDigits(out.minutes)) {
        message = kOnlyNumbersMessage;
        return std::nullopt;
    }
    if (out.degrees.size() > rule.maxDegreeDigits) {
        message = rule.degreesMessage;
        return std::nullopt;
    }
    if (out.minutes.size() > 2) {
        message = rule.minutesMessage;
        return std::nullopt;
    }
    return out;
}

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<DateParts> ReadDate(std::string_view text, YearRange years, std::string& message) {
    const std::size_t first = text.find('-');
    const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos) {
        message = kDateFormatMessage;
        return std::nullopt;
    }
    const auto year = DigitsValue(text.substr(0, first), 4);
    const auto month = DigitsValue(text.substr(first + 1, second - first - 1), 2);
    const auto day = DigitsValue(text.substr(second + 1), 2);
    if (!year || first != 4 || !month || !day) {
        message = kDateFormatMessage;
        return std::nullopt;
    }
    if (*year < years.first || *year > years.last) {
        message = YearRangeMessage(years);
        return std::nullopt;
    }
    const bool gregorianCommonCentury = *year % 100 == 0 && *year % 400 != 0;
    if (*month < 1 || *month > 12 || *day < 1 || *day > 31 ||
        (gregorianCommonCentury && *month == 2 && *day == 29)) {
        message = kFebruaryMessage;
        return std::nullopt;
    }
    return DateParts{*year, *month, *day};
}

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::optional<TimeParts> ReadTime(std::string_view text, std::string& message) {
    std::optional<int> parts[3];
    std::size_t count = 0;
    while (count < 3) {
        const std::size_t colon = text.find(':');
        parts[count++] = DigitsValue(text.substr(0, colon), 2);
        if (colon == std::string_view::npos) {
            text = {};
            break;
        }
        text.remove_prefix(colon + 1);
    }
    const bool shapeOk = count >= 2 && text.empty() && parts[0] && parts[1] &&
                         (count == 2 || parts[2]) && *parts[0] <= 23 && *parts[1] <= 59 &&
                         (count == 2 || *parts[2] <= 59);
    if (!shapeOk) {
        message = kTimeFormatMessage;
        return std::nullopt;
    }
    return TimeParts{*parts[0], *parts[1], count == 3 ? *parts[2] : 0};
}

std::string UpperCaseName(const std::string& name, bool& onlyLetters) {
    std::string out;
    out.reserve(name.size());
    onlyLetters = true;
    for (char c : name) {
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c - 32);
        } else if ((c >= 'A' && c <= 'Z') || c == ' ') {
            out += c;
        } else {
            onlyLetters = false;
        }
    }
    return out;
}

} // namespace

std::string YearRangeMessage(YearRange years) {
    std::string message = "Please Enter a Year Between " + std::to_string(years.first) + " And " +
                          std::to_string(years.last);
    const YearRange precise = BirthYears(PositionSource::Precise);
    if (years.first > precise.first || years.last < precise.last) {
        message += "\nPrecise positions (--positions precise, or the Tools menu of the program) "
                   "allow the years " +
                   std::to_string(precise.first) + " to " + std::to_string(precise.last) + ".";
    }
    return message;
}

std::optional<int> ZoneIndexOf(const std::string& zone) {
    if (const auto index = DigitsValue(zone, 2)) {
        return *index < kTimeZoneCount ? index : std::nullopt;
    }
    const auto& list = TimeZoneList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].itemText == zone) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

EntriesOrFault EntriesFromFields(const BirthFields& fields, YearRange years, bool zoneFromPlace) {
    EntriesOrFault result;
    std::string& message = result.message;

    bool onlyLetters = true;
    const std::string name = UpperCaseName(fields.name, onlyLetters);
    if (!onlyLetters) {
        message = kOnlyLettersMessage;
        return result;
    }
    // Capitals and spaces only: one byte, one character.
    if (name.size() > kFormFieldMaxLength) {
        message = TooLongMessage("name");
        return result;
    }
    static constexpr CoordinateRule kLongitude{"EW", 3, kLongitudeFormatMessage, kLonDegreeMessage,
                                               kLonMinuteMessage};
    static constexpr CoordinateRule kLatitude{"NS", 2, kLatitudeFormatMessage, kLatDegreeMessage,
                                              kLatMinuteMessage};
    const auto lon = ReadCoordinate(fields.lon, kLongitude, message);
    if (!lon) {
        return result;
    }
    const auto lat = ReadCoordinate(fields.lat, kLatitude, message);
    if (!lat) {
        return result;
    }
    const auto date = ReadDate(fields.date, years, message);
    if (!date) {
        return result;
    }
    const auto time = ReadTime(fields.time, message);
    if (!time) {
        return result;
    }
    const auto zone = zoneFromPlace ? std::optional<int>(29) : ZoneIndexOf(fields.zone);
    if (!zone) {
        message = kZoneMessage;
        return result;
    }

    BirthEntries entries;
    entries.txtName = name;
    entries.cboMonthIndex = date->month - 1;
    entries.cboDate = std::to_string(date->day);
    entries.cboYear = std::to_string(date->year);
    entries.cboHH = std::to_string(time->hour);
    entries.cboMM = std::to_string(time->minute);
    entries.cboSS = std::to_string(time->second);
    entries.txtMCity = fields.city;
    entries.txtMState = fields.state;
    entries.txtMCountry = fields.country;
    entries.txtLatD = lat->degrees;
    entries.txtLatM = lat->minutes;
    entries.optLatSouth = !lat->firstHemisphere;
    entries.txtLonD = lon->degrees;
    entries.txtLonM = lon->minutes;
    entries.optLongEast = lon->firstHemisphere;
    entries.cmbTimeZoneIndex = *zone;
    entries.chkDST = fields.dst;

    if (const auto fault = ValidateBirthData(entries)) {
        message = fault->message;
        return result;
    }
    // Then what the place fields hold, as a record's are checked.
    for (const auto& [text, what] :
         {std::pair{&fields.city, "city"}, std::pair{&fields.state, "state"},
          std::pair{&fields.country, "country"}}) {
        if (!IsValidUtf8(*text)) {
            message = NotUtf8Message(what);
            return result;
        }
        if (Utf16Length(*text) > kFormFieldMaxLength) {
            message = TooLongMessage(what);
            return result;
        }
    }
    result.entries = std::move(entries);
    result.clock =
        CivilDateTime{date->year, date->month, date->day, time->hour, time->minute, time->second};
    return result;
}

} // namespace selmarind::cli
