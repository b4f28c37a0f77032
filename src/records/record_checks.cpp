#include "records/record_checks.h"

#include "engine/civil_time.h"
#include "input/entry_number.h"
#include "input/key_filters.h"
#include "input/utf8_text.h"
#include "input/validation.h"

#include <algorithm>
#include <cstdint>

namespace selmarind {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The number of a text that is an item of a list filled with the numbers
// first..last the way the form fills its lists: decimal, no sign, no leading
// zero; nothing for any other text.
std::optional<int> ListItemValue(std::string_view text, int first, int last) {
    const std::optional<int> value = DigitsValue(text, 4);
    if (!value || (text.size() > 1 && text[0] == '0') || *value < first || *value > last) {
        return std::nullopt;
    }
    return value;
}

bool IsListItem(std::string_view text, int first, int last) {
    return ListItemValue(text, first, last).has_value();
}

std::optional<std::string> CheckCoordinate(const std::string& text, std::size_t maxLength,
                                           std::string_view rangeMessage) {
    if (!AllAsciiDigits(text)) {
        return std::string(kOnlyNumbersMessage);
    }
    if (text.size() > maxLength) {
        return std::string(rangeMessage);
    }
    return std::nullopt;
}

std::optional<std::string> CheckFieldText(const std::string& text, std::string_view what) {
    if (!IsValidUtf8(text)) {
        return NotUtf8Message(what);
    }
    if (Utf16Length(text) > kFormFieldMaxLength) {
        return TooLongMessage(what);
    }
    return std::nullopt;
}

// An IANA zone id such as "America/Argentina/Buenos_Aires" or "Etc/GMT+5".
bool IsZoneName(std::string_view name) {
    if (name.empty() || name.size() > 255) {
        return false;
    }
    bool partStart = true;
    for (char c : name) {
        if (c == '/') {
            if (partStart) {
                return false;
            }
            partStart = true;
            continue;
        }
        const bool ok = partStart
                            ? IsAsciiLetter(c)
                            : IsAsciiLetter(c) || IsAsciiDigit(static_cast<unsigned char>(c)) ||
                                  c == '.' || c == '_' || c == '+' || c == '-';
        if (!ok) {
            return false;
        }
        partStart = false;
    }
    return !partStart;
}

std::optional<std::string> CheckEntries(const BirthEntries& e, bool exactZone, YearRange years) {
    const bool nameHeld = std::all_of(e.txtName.begin(), e.txtName.end(),
                                      [](char c) { return (c >= 'A' && c <= 'Z') || c == ' '; });
    if (!nameHeld) {
        return std::string(kRecordNameMessage);
    }
    // Capitals and spaces only: one byte, one character.
    if (e.txtName.size() > kFormFieldMaxLength) {
        return TooLongMessage("name");
    }
    if (auto fault = CheckCoordinate(e.txtLonD, kLongitudeDegreesMaxLength, kLonDegreeMessage)) {
        return fault;
    }
    if (auto fault = CheckCoordinate(e.txtLonM, kLongitudeMinutesMaxLength, kLonMinuteMessage)) {
        return fault;
    }
    if (auto fault = CheckCoordinate(e.txtLatD, kLatitudeDegreesMaxLength, kLatDegreeMessage)) {
        return fault;
    }
    if (auto fault = CheckCoordinate(e.txtLatM, kLatitudeMinutesMaxLength, kLatMinuteMessage)) {
        return fault;
    }
    const std::optional<int> year = ListItemValue(e.cboYear, years.first, years.last);
    if (!year) {
        return years.first == BirthYears(PositionSource::Classic).first
                   ? std::string(kYearListMessage)
                   : "The year is outside the years of the precise positions (" +
                         std::to_string(years.first) + " to " + std::to_string(years.last) + ").";
    }
    const std::optional<int> day = ListItemValue(e.cboDate, 1, 31);
    if (e.cboMonthIndex < 0 || e.cboMonthIndex > 11 || !day) {
        return std::string(kFebruaryMessage);
    }
    if (!IsListItem(e.cboHH, 0, 23) || !IsListItem(e.cboMM, 0, 59) || !IsListItem(e.cboSS, 0, 59)) {
        return std::string(kTimeListMessage);
    }
    if (!exactZone && (e.cmbTimeZoneIndex < 0 || e.cmbTimeZoneIndex >= kTimeZoneCount)) {
        return std::string(kZoneListMessage);
    }
    if (const auto fault = ValidateBirthData(e)) {
        return fault->message;
    }
    // The form counts every fourth year as a leap year; the years beyond its
    // list that the precise source takes include 1800, 1900, 2100 and 2200.
    if (!IsValidCivilDate(*year, e.cboMonthIndex + 1, *day)) {
        return std::string(kFebruaryMessage);
    }
    if (auto fault = CheckFieldText(e.txtMCity, "city")) {
        return fault;
    }
    if (auto fault = CheckFieldText(e.txtMState, "state")) {
        return fault;
    }
    return CheckFieldText(e.txtMCountry, "country");
}

} // namespace

std::string TooLongMessage(std::string_view what) {
    return "The " + std::string(what) + " is longer than the form's field holds (" +
           std::to_string(kFormFieldMaxLength) + " characters).";
}

std::string NotUtf8Message(std::string_view what) {
    return "The " + std::string(what) + " is not UTF-8 text.";
}

std::optional<std::string> CheckBirthRecord(const BirthRecordContents& contents) {
    const YearRange years = BirthYears(contents.positions.value_or(PositionSource::Classic));
    if (auto fault = CheckEntries(contents.entries, contents.exactZone.has_value(), years)) {
        return fault;
    }
    if (const auto& zone = contents.exactZone) {
        if (zone->utcOffsetSeconds < -kMaxUtcOffsetSeconds ||
            zone->utcOffsetSeconds > kMaxUtcOffsetSeconds) {
            return std::string(kExactOffsetMessage);
        }
        if (auto fault = CheckFieldText(zone->label, "label of the exact UTC offset")) {
            return fault;
        }
    }
    if (const auto& place = contents.place) {
        if (place->geonameId < 1 || place->geonameId > INT32_MAX) {
            return std::string(kPlaceIdMessage);
        }
        if (!IsZoneName(place->timeZone)) {
            return std::string(kPlaceZoneMessage);
        }
    }
    if (const auto& style = contents.chartStyle) {
        if (std::find(kRecordChartStyles.begin(), kRecordChartStyles.end(), *style) ==
            kRecordChartStyles.end()) {
            return std::string(kChartStyleMessage);
        }
    }
    return std::nullopt;
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            // A four-byte sequence lies beyond the BMP: a surrogate pair.
            units += byte >= 0xF0 ? 2 : 1;
        }
    }
    return units;
}

} // namespace selmarind
