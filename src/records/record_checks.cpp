#include "records/record_checks.h"

#include "engine/civil_time.h"
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// Whether the text is an item of a list filled with the numbers first..last
// the way the form fills its lists: decimal, no sign, no leading zero.
bool IsListItem(std::string_view text, int first, int last) {
    if (text.empty() || text.size() > 4 || !AllDigits(text) ||
        (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value >= first && value <= last;
}

std::optional<std::string> CheckCoordinate(const std::string& text, std::size_t maxLength,
                                           std::string_view rangeMessage) {
    if (!AllDigits(text)) {
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
        const bool ok = partStart ? IsAsciiLetter(c)
                                  : IsAsciiLetter(c) || IsDigit(c) || c == '.' || c == '_' ||
                                        c == '+' || c == '-';
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
    if (!IsListItem(e.cboYear, years.first, years.last)) {
        return years.first == BirthYears(PositionSource::Classic).first
                   ? std::string(kYearListMessage)
                   : "The year is outside the years of the precise positions (" +
                         std::to_string(years.first) + " to " + std::to_string(years.last) + ").";
    }
    if (e.cboMonthIndex < 0 || e.cboMonthIndex > 11 || !IsListItem(e.cboDate, 1, 31)) {
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
    if (!IsValidCivilDate(std::stoi(e.cboYear), e.cboMonthIndex + 1, std::stoi(e.cboDate))) {
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
