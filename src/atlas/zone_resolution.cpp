#include "atlas/zone_resolution.h"

#include "input/time_zones.h"

#include <date/date.h>
#include <date/tz.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <system_error>

namespace selmarind {

namespace {

namespace fs = std::filesystem;

// True when `path` is a regular file that starts with the TZif magic. The
// date library asserts rather than checks this, and it lists every file of
// the folder as a zone, "leapseconds" and "tzdata.zi" included; reading one
// of those as a zone would give nonsense.
bool IsZoneFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::array<char, 4> magic{};
    in.read(magic.data(), magic.size());
    return in.gcount() == 4 && std::string_view(magic.data(), 4) == "TZif";
}

// An IANA zone id: words of letters, digits, "_", "-" and "+" joined by "/".
// No ".", so nothing outside the folder and none of its index files.
bool IsWellFormedZoneId(std::string_view zoneId) {
    if (zoneId.empty() || zoneId.size() > 255 || zoneId.front() == '/' || zoneId.back() == '/' ||
        zoneId.find("//") != std::string_view::npos) {
        return false;
    }
    return std::all_of(zoneId.begin(), zoneId.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '_' || c == '-' || c == '+';
    });
}

bool HoldsTzdb(const fs::path& folder) {
    return IsZoneFile(folder / "Etc" / "UTC") || IsZoneFile(folder / "UTC");
}

std::string MissingMessage(const fs::path& folder) {
    return "Time zones cannot be resolved: no time-zone database was found in " + folder.string() +
           ". Install the tzdata package.";
}

// Asks the date library for its database once; a message when it fails.
std::string ProbeDateLibrary() {
    try {
        const date::tzdb& db = date::get_tzdb();
        if (db.zones.empty()) {
            return MissingMessage(std::string(kSystemTzdbFolder));
        }
        date::locate_zone("Etc/UTC");
    } catch (const std::exception& e) {
        return "Time zones cannot be resolved: the time-zone database in " +
               std::string(kSystemTzdbFolder) + " could not be read (" + e.what() +
               "). Install or reinstall the tzdata package.";
    }
    return {};
}

ZoneOffset OffsetOf(const date::sys_info& info) {
    return {static_cast<int>(info.offset.count()), info.save != std::chrono::minutes{0},
            info.abbrev};
}

ZoneResolutionOrFault Fault(ZoneFault fault, std::string message) {
    ZoneResolutionOrFault out;
    out.fault = fault;
    out.message = std::move(message);
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Lower is preferred; see ZoneEntryForOffset.
int PreferenceOf(const TimeZoneEntry& entry, std::string_view abbreviation) {
    const std::string_view text = entry.itemText;
    const std::size_t firstComma = text.find(',');
    const std::size_t secondComma = text.find(',', firstComma + 1);
    const std::string_view name = Trim(text.substr(0, firstComma));
    const std::string_view entryAbbreviation =
        Trim(text.substr(firstComma + 1, secondComma - firstComma - 1));
    if (!abbreviation.empty() && entryAbbreviation == abbreviation) {
        return 0;
    }
    const bool seasonal =
        Contains(name, "Daylight") || Contains(name, "Summer") || Contains(name, "War");
    if (seasonal) {
        return 3;
    }
    const bool standard = Contains(name, "Standard Time") || Contains(name, "Std Time") ||
                          Contains(name, "Mean Time");
    return standard ? 1 : 2;
}

} // namespace

ZoneResolver::ZoneResolver() : ZoneResolver(fs::path(std::string(kSystemTzdbFolder))) {}

ZoneResolver::ZoneResolver(const fs::path& tzdbFolder) {
    if (!HoldsTzdb(tzdbFolder)) {
        unavailableMessage_ = MissingMessage(tzdbFolder);
        return;
    }
    std::error_code error;
    if (!fs::equivalent(tzdbFolder, fs::path(std::string(kSystemTzdbFolder)), error)) {
        unavailableMessage_ = "Time zones cannot be resolved from " + tzdbFolder.string() +
                              ": this program reads them from " + std::string(kSystemTzdbFolder) +
                              " only.";
        return;
    }
    unavailableMessage_ = ProbeDateLibrary();
}

ZoneResolutionOrFault ZoneResolver::Resolve(std::string_view zoneId,
                                            const LocalDateTime& local) const {
    if (!Available()) {
        return Fault(ZoneFault::ZonesUnavailable, unavailableMessage_);
    }
    const date::year_month_day day{date::year{local.year},
                                   date::month{static_cast<unsigned>(local.month)},
                                   date::day{static_cast<unsigned>(local.day)}};
    if (local.year < 1 || local.year > 9999 || local.month < 1 || local.month > 12 ||
        local.day < 1 || local.day > 31 || !day.ok() || local.hour < 0 || local.hour > 23 ||
        local.minute < 0 || local.minute > 59 || local.second < 0 || local.second > 59) {
        return Fault(ZoneFault::InvalidLocalTime,
                     "The date or time of birth is not a real date and time of day.");
    }
    const std::string unknown = "The time zone \"" + std::string(zoneId) + "\" is not known.";
    if (!IsWellFormedZoneId(zoneId) ||
        !IsZoneFile(fs::path(std::string(kSystemTzdbFolder)) / std::string(zoneId))) {
        return Fault(ZoneFault::UnknownZone, unknown);
    }
    date::local_info info;
    try {
        const date::time_zone* zone = date::locate_zone(zoneId);
        const date::local_seconds when = date::local_days{day} + std::chrono::hours{local.hour} +
                                         std::chrono::minutes{local.minute} +
                                         std::chrono::seconds{local.second};
        info = zone->get_info(when);
    } catch (const std::exception&) {
        return Fault(ZoneFault::UnknownZone, unknown);
    }

    LocalTimeResolution resolution;
    resolution.candidates.push_back(OffsetOf(info.first));
    switch (info.result) {
    case date::local_info::unique:
        resolution.kind = LocalTimeKind::Unique;
        break;
    case date::local_info::nonexistent:
        resolution.kind = LocalTimeKind::Nonexistent;
        resolution.candidates.push_back(OffsetOf(info.second));
        break;
    case date::local_info::ambiguous:
        resolution.kind = LocalTimeKind::Ambiguous;
        resolution.candidates.push_back(OffsetOf(info.second));
        break;
    }
    ZoneResolutionOrFault out;
    out.resolution = std::move(resolution);
    return out;
}

std::optional<int> ZoneEntryForOffset(int utcOffsetSeconds, std::string_view abbreviation) {
    std::optional<int> best;
    int bestPreference = 0;
    const auto& list = TimeZoneList();
    for (int i = 0; i < kTimeZoneCount; ++i) {
        const TimeZoneEntry& entry = list[static_cast<std::size_t>(i)];
        // The correction is positive west of Greenwich: the offset negated.
        const int correctionSeconds = entry.hours * 3600 + entry.minutes * 60;
        if (correctionSeconds != -utcOffsetSeconds) {
            continue;
        }
        const int preference = PreferenceOf(entry, abbreviation);
        if (!best || preference < bestPreference) {
            best = i;
            bestPreference = preference;
        }
    }
    return best;
}

std::string FormatUtcOffset(int utcOffsetSeconds) {
    const long long magnitude = std::llabs(static_cast<long long>(utcOffsetSeconds));
    const long long hours = magnitude / 3600;
    const long long minutes = magnitude / 60 % 60;
    const long long seconds = magnitude % 60;
    auto twoDigits = [](long long value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    std::string out = utcOffsetSeconds < 0 ? "-" : "+";
    out += twoDigits(hours) + ":" + twoDigits(minutes);
    if (seconds != 0) {
        out += ":" + twoDigits(seconds);
    }
    return out;
}

std::string ExactOffsetLabel(std::string_view zoneId, int utcOffsetSeconds) {
    return std::string(zoneId) + ", " + FormatUtcOffset(utcOffsetSeconds);
}

} // namespace selmarind
