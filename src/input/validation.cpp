#include "input/validation.h"

#include "input/entry_number.h"
#include "input/time_zones.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace selmarind {

namespace {

bool DegreesOutOfRange(const std::string& text, double maximum) {
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) {
        return true;
    }
    const double value = LeadingNumberValue(trimmed);
    return value > maximum || value < 0;
}

bool MinutesOutOfRange(const std::string& text) {
    const std::optional<double> value = WholeTextNumberValue(TrimSpaces(text));
    return !value || *value > 59 || *value < 0;
}

ValidationFault Fault(std::string_view message, MessageIcon icon, EntryField focus) {
    return ValidationFault{std::string(message), icon, focus};
}

} // namespace

std::optional<ValidationFault> ValidateBirthData(const BirthEntries& entries) {
    if (TrimSpaces(entries.txtName).empty()) {
        return Fault(kNameMessage, MessageIcon::Error, EntryField::txtName);
    }
    if (DegreesOutOfRange(entries.txtLonD, 179)) {
        return Fault(kLonDegreeMessage, MessageIcon::Error, EntryField::txtLonD);
    }
    if (MinutesOutOfRange(entries.txtLonM)) {
        return Fault(kLonMinuteMessage, MessageIcon::Error, EntryField::txtLonM);
    }
    if (DegreesOutOfRange(entries.txtLatD, 89)) {
        return Fault(kLatDegreeMessage, MessageIcon::Error, EntryField::txtLatD);
    }
    if (MinutesOutOfRange(entries.txtLatM)) {
        return Fault(kLatMinuteMessage, MessageIcon::Error, EntryField::txtLatM);
    }

    // A month, day or year that cannot be read is no date at all.
    const std::optional<long long> year = WholeNumberValue(entries.cboYear);
    const std::optional<long long> day = WholeNumberValue(entries.cboDate);
    const int month = entries.cboMonthIndex;
    if (!year || !day || *day < 1 || *day > 31 || month < 0 || month > 11) {
        return Fault(kFebruaryMessage, MessageIcon::Information, EntryField::None);
    }
    const long long dayIndex = *day - 1;
    // Every fourth year is taken as a leap year.
    const bool leap = *year % 4 == 0;
    if (month == 1 && ((leap && dayIndex >= 29) || (!leap && dayIndex >= 28))) {
        return Fault(kFebruaryMessage, MessageIcon::Information, EntryField::None);
    }
    if ((month == 3 || month == 5 || month == 8 || month == 10) && dayIndex == 30) {
        return Fault(kThirtyDayMessage, MessageIcon::Information, EntryField::None);
    }
    if (entries.chkDST && ListEntryIncludesDaylightSaving(entries.cmbTimeZoneIndex)) {
        const TimeZoneEntry& entry =
            TimeZoneList()[static_cast<std::size_t>(entries.cmbTimeZoneIndex)];
        return Fault(DaylightEntryMessage(ZoneEntryName(entry)), MessageIcon::Information,
                     EntryField::None);
    }
    return std::nullopt;
}

std::string DaylightEntryMessage(std::string_view entryName) {
    return "Please Clear Daylight Saving Time: " + std::string(entryName) +
           " Already Includes Daylight Saving";
}

} // namespace selmarind
