#include "atlas/zone_resolution.h"

#include "engine/text.h"
#include "input/entry_number.h"
#include "input/time_zones.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <mutex>
#include <shared_mutex>
#include <system_error>
#include <unordered_map>

namespace selmarind {

namespace {

namespace fs = std::filesystem;

using Instant = cctz::time_point<cctz::seconds>;

// True when `path` is a regular file that starts with the TZif magic; the
// folder also holds "leapseconds", "tzdata.zi" and tables, which are no zones.
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
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               IsAsciiDigit(static_cast<unsigned char>(c)) || c == '/' || c == '_' || c == '-' ||
               c == '+';
    });
}

bool HoldsTzdb(const fs::path& folder) {
    return IsZoneFile(folder / "Etc" / "UTC") || IsZoneFile(folder / "UTC");
}

std::string MissingMessage(const fs::path& folder) {
    return "Time zones cannot be resolved: no time-zone database was found in " + folder.string() +
           ". Install the tzdata package.";
}

fs::path SystemFolder() {
    return fs::path(std::string(kSystemTzdbFolder));
}

// cctz reads an absolute path as it stands, so TZDIR cannot redirect it, and
// a name it cannot load comes back as UTC with false, which is caught here.
std::optional<cctz::time_zone> LoadFromFile(std::string_view zoneId) {
    const fs::path path = SystemFolder() / std::string(zoneId);
    cctz::time_zone zone;
    if (!IsZoneFile(path) || !cctz::load_time_zone(path.string(), &zone)) {
        return std::nullopt;
    }
    return zone;
}

// The zones read so far. cctz keeps its own map of loaded zones behind a
// mutex; this one also spares the check of the file on every resolution.
std::optional<cctz::time_zone> LoadZone(std::string_view zoneId) {
    if (!IsWellFormedZoneId(zoneId)) {
        return std::nullopt;
    }
    static std::shared_mutex mutex;
    static std::unordered_map<std::string, cctz::time_zone> loaded;
    const std::string key(zoneId);
    {
        const std::shared_lock lock(mutex);
        if (const auto found = loaded.find(key); found != loaded.end()) {
            return found->second;
        }
    }
    const std::optional<cctz::time_zone> zone = LoadFromFile(zoneId);
    if (zone) {
        const std::unique_lock lock(mutex);
        loaded.emplace(key, *zone);
    }
    return zone;
}

// Reads one zone of the database; a message when it cannot be read.
std::string ProbeZones() {
    if (!LoadFromFile("Etc/UTC")) {
        return "Time zones cannot be resolved: the time-zone database in " +
               std::string(kSystemTzdbFolder) +
               " could not be read (no zone Etc/UTC). Install or reinstall the tzdata package.";
    }
    return {};
}

std::int64_t SecondsOf(const cctz::civil_second& civil) {
    return civil - cctz::civil_second(1970, 1, 1, 0, 0, 0);
}

Instant InstantOf(std::int64_t utcSeconds) {
    return Instant(cctz::seconds(utcSeconds));
}

// The smallest offset in force at any instant whose local time falls in the
// calendar year `year`: the zone's time without daylight saving that year.
int SmallestOffsetOfYear(const cctz::time_zone& zone, cctz::year_t year) {
    constexpr std::int64_t kMargin = 2 * 86400; // beyond any offset
    constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max() / 2;
    const std::int64_t localStart = SecondsOf(cctz::civil_second(year, 1, 1, 0, 0, 0));
    const std::int64_t localEnd = SecondsOf(cctz::civil_second(year + 1, 1, 1, 0, 0, 0));
    int smallest = std::numeric_limits<int>::max();
    // Walk the spans of one offset that cover the year's local times.
    std::int64_t from = localStart - kMargin;
    while (true) {
        const int offset = zone.lookup(InstantOf(from)).offset;
        std::int64_t until = kNever;
        cctz::time_zone::civil_transition transition;
        if (zone.next_transition(InstantOf(from), &transition)) {
            until = zone.lookup(transition.to).trans.time_since_epoch().count();
        }
        if (from + offset < localEnd && until + offset > localStart) {
            smallest = std::min(smallest, offset);
        }
        if (until <= from || until >= localEnd + kMargin) {
            return smallest;
        }
        from = until;
    }
}

ZoneOffset OffsetOf(const cctz::time_zone::absolute_lookup& info, int smallestOfYear) {
    return {info.offset, info.offset > smallestOfYear, info.abbr ? info.abbr : ""};
}

ZoneResolutionOrFault Fault(ZoneFault fault, std::string message) {
    ZoneResolutionOrFault out;
    out.fault = fault;
    out.message = std::move(message);
    return out;
}

// The abbreviation of a list entry: the second comma-separated part of its
// text, "IST" of "Indian Time, IST, +5.3".
std::string_view AbbreviationOf(const TimeZoneEntry& entry) {
    const std::string_view text = entry.itemText;
    const std::size_t firstComma = text.find(',');
    if (firstComma == std::string_view::npos) {
        return {};
    }
    const std::size_t secondComma = text.find(',', firstComma + 1);
    return TrimSpaces(text.substr(firstComma + 1, secondComma - firstComma - 1));
}

} // namespace

ZoneResolver::ZoneResolver() : ZoneResolver(SystemFolder()) {}

ZoneResolver::ZoneResolver(const fs::path& tzdbFolder) {
    if (!HoldsTzdb(tzdbFolder)) {
        unavailableMessage_ = MissingMessage(tzdbFolder);
        return;
    }
    std::error_code error;
    if (!fs::equivalent(tzdbFolder, SystemFolder(), error)) {
        unavailableMessage_ = "Time zones cannot be resolved from " + tzdbFolder.string() +
                              ": this program reads them from " + std::string(kSystemTzdbFolder) +
                              " only.";
        return;
    }
    unavailableMessage_ = ProbeZones();
}

ZoneResolutionOrFault ZoneResolver::Resolve(std::string_view zoneId,
                                            const LocalDateTime& local) const {
    if (!Available()) {
        return Fault(ZoneFault::ZonesUnavailable, unavailableMessage_);
    }
    const bool inRange = local.year >= 1 && local.year <= 9999 && local.month >= 1 &&
                         local.month <= 12 && local.day >= 1 && local.day <= 31 &&
                         local.hour >= 0 && local.hour <= 23 && local.minute >= 0 &&
                         local.minute <= 59 && local.second >= 0 && local.second <= 59;
    const cctz::civil_second civil(local.year, local.month, local.day, local.hour, local.minute,
                                   local.second);
    // cctz carries 30 February over into March: a changed day is no real date.
    if (!inRange || civil.month() != local.month || civil.day() != local.day) {
        return Fault(ZoneFault::InvalidLocalTime,
                     "The date or time of birth is not a real date and time of day.");
    }
    const std::optional<cctz::time_zone> zone = LoadZone(zoneId);
    if (!zone) {
        return Fault(ZoneFault::UnknownZone,
                     "The time zone \"" + std::string(zoneId) + "\" is not known.");
    }
    const int smallest = SmallestOffsetOfYear(*zone, local.year);
    const cctz::time_zone::civil_lookup found = zone->lookup(civil);
    LocalTimeResolution resolution;
    switch (found.kind) {
    case cctz::time_zone::civil_lookup::UNIQUE:
        resolution.kind = LocalTimeKind::Unique;
        resolution.candidates.push_back(OffsetOf(zone->lookup(found.pre), smallest));
        break;
    case cctz::time_zone::civil_lookup::SKIPPED:
        // The last second before the change still has the old offset.
        resolution.kind = LocalTimeKind::Nonexistent;
        resolution.candidates.push_back(
            OffsetOf(zone->lookup(found.trans - cctz::seconds(1)), smallest));
        resolution.candidates.push_back(OffsetOf(zone->lookup(found.trans), smallest));
        break;
    case cctz::time_zone::civil_lookup::REPEATED:
        resolution.kind = LocalTimeKind::Ambiguous;
        resolution.candidates.push_back(OffsetOf(zone->lookup(found.pre), smallest));
        resolution.candidates.push_back(OffsetOf(zone->lookup(found.post), smallest));
        break;
    }
    ZoneResolutionOrFault out;
    out.resolution = std::move(resolution);
    return out;
}

ZoneOffsetOrFault ZoneResolver::OffsetAt(std::string_view zoneId, std::int64_t utcSeconds) const {
    ZoneOffsetOrFault out;
    if (!Available()) {
        out.fault = ZoneFault::ZonesUnavailable;
        out.message = unavailableMessage_;
        return out;
    }
    const std::optional<cctz::time_zone> zone = LoadZone(zoneId);
    if (!zone) {
        out.fault = ZoneFault::UnknownZone;
        out.message = "The time zone \"" + std::string(zoneId) + "\" is not known.";
        return out;
    }
    const cctz::time_zone::absolute_lookup info = zone->lookup(InstantOf(utcSeconds));
    out.offset = OffsetOf(info, SmallestOffsetOfYear(*zone, info.cs.year()));
    return out;
}

std::optional<int> ZoneEntryForOffset(int utcOffsetSeconds, std::string_view abbreviation) {
    const auto& list = TimeZoneList();
    for (int i = 0; i < kTimeZoneCount; ++i) {
        const TimeZoneEntry& entry = list[static_cast<std::size_t>(i)];
        // The correction is positive west of Greenwich: the offset negated.
        const int correctionSeconds = entry.hours * 3600 + entry.minutes * 60;
        if (correctionSeconds == -utcOffsetSeconds && !abbreviation.empty() &&
            AbbreviationOf(entry) == abbreviation) {
            return i;
        }
    }
    return std::nullopt;
}

std::string FormatUtcOffset(int utcOffsetSeconds) {
    const long long magnitude = std::llabs(static_cast<long long>(utcOffsetSeconds));
    const long long hours = magnitude / 3600;
    const long long minutes = magnitude / 60 % 60;
    const long long seconds = magnitude % 60;
    std::string out(1, utcOffsetSeconds < 0 ? '-' : '+');
    // Appended in place: prepending "0" to a temporary string makes GCC's
    // optimiser warn of overlapping copies (-Wrestrict) that cannot happen.
    auto appendTwoDigits = [&out](long long value) {
        if (value < 10) {
            out += '0';
        }
        out += std::to_string(value);
    };
    appendTwoDigits(hours);
    out += ':';
    appendTwoDigits(minutes);
    if (seconds != 0) {
        out += ':';
        appendTwoDigits(seconds);
    }
    return out;
}

bool IsLetterAbbreviation(std::string_view abbreviation) {
    return !abbreviation.empty() &&
           std::all_of(abbreviation.begin(), abbreviation.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::string ExactOffsetLabel(std::string_view zoneId, const ZoneOffset& offset) {
    std::string label = std::string(zoneId) + ", " + FormatUtcOffset(offset.utcOffsetSeconds);
    if (IsLetterAbbreviation(offset.abbreviation)) {
        label += " " + offset.abbreviation;
    }
    return label;
}

std::optional<std::string> ExactZoneDaylightFault(const BirthEntries& entries,
                                                  std::string_view zoneId,
                                                  const ZoneResolver& zones) {
    if (entries.cmbTimeZoneIndex != kExactZoneIndex || !entries.chkDST || !entries.exactZone) {
        return std::nullopt;
    }
    const std::string& label = entries.exactZone->label;
    const std::string zone =
        zoneId.empty() ? std::string(TrimSpaces(std::string_view(label).substr(0, label.find(','))))
                       : std::string(zoneId);
    // Read as the chart reads entries that passed the form's checks.
    const auto entry = [](const std::string& text) { return int{EntryToInt16(text).value_or(0)}; };
    const LocalDateTime local{entry(entries.cboYear), entries.cboMonthIndex + 1,
                              entry(entries.cboDate), entry(entries.cboHH),
                              entry(entries.cboMM),   entry(entries.cboSS)};
    const ZoneResolutionOrFault resolved = zones.Resolve(zone, local);
    if (!resolved.resolution) {
        return std::nullopt;
    }
    const long long offset = entries.exactZone->utcOffsetSeconds;
    bool anyDaylight = false;
    for (const ZoneOffset& candidate : resolved.resolution->candidates) {
        if (candidate.daylightSaving && candidate.utcOffsetSeconds == offset + 3600) {
            return std::nullopt;
        }
        anyDaylight = anyDaylight || candidate.daylightSaving;
    }
    return "The zone \"" + label + "\" already is the whole UTC offset of this birth" +
           (anyDaylight ? ", daylight saving included"
                        : "; " + zone + " kept no daylight saving at that time") +
           ". Please untick Daylight Saving Time.";
}

} // namespace selmarind
