// The UTC offset and daylight-saving state in force in an IANA time zone at
// a local date and time, from the system's tz database, and the matching
// entry of the birth-data form's zone list.
//
// Zones are read by cctz from the compiled zone files of the tzdata package
// in /usr/share/zoneinfo, and nothing else (TZDIR is not consulted). cctz
// applies the rule at the end of each file to the years after its explicit
// transitions, so offsets hold to 2399 and beyond.
//
// Daylight saving, as the user means it, is decided from the offsets alone:
// an offset is daylight saving when it is ahead of the smallest offset the
// zone used in the same local calendar year. A year with one offset has
// none. So Dublin's summer +01:00 is daylight saving and its winter +00:00
// is not, although the tz database flags the winter as the saving one; a
// zone that kept +06:30 all year (Kolkata 1943) kept no daylight saving.
#pragma once

#include "input/birth_entries.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind {

// The folder zones are read from.
inline constexpr std::string_view kSystemTzdbFolder = "/usr/share/zoneinfo";

// A wall-clock date and time in some zone (proleptic Gregorian calendar).
struct LocalDateTime {
    int year = 2000; // 1..9999
    int month = 1;   // 1..12
    int day = 1;     // 1..31, a real day of the month
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

// One offset a zone used.
struct ZoneOffset {
    int utcOffsetSeconds = 0;    // local time minus UTC, east of Greenwich positive
    bool daylightSaving = false; // ahead of the year's smallest offset (see above)
    std::string abbreviation;    // as the tz database gives it: "IST", "BDST", "+0545", "LMT"
    friend bool operator==(const ZoneOffset&, const ZoneOffset&) = default;
};

enum class LocalTimeKind {
    Unique,      // the local time happened once: candidates holds its one offset
    Nonexistent, // clocks went forward over it: candidates holds the offset before
                 // the change, then the offset after it
    Ambiguous,   // clocks went back over it, so it happened twice: candidates holds
                 // the offset of the first occurrence, then that of the second
};

struct LocalTimeResolution {
    LocalTimeKind kind = LocalTimeKind::Unique;
    std::vector<ZoneOffset> candidates; // one for Unique, two otherwise
};

enum class ZoneFault {
    None,
    ZonesUnavailable, // the tz database is missing: install tzdata
    UnknownZone,      // the database has no zone of that id
    InvalidLocalTime, // a field of the date or time is out of range
};

struct ZoneResolutionOrFault {
    std::optional<LocalTimeResolution> resolution; // set exactly when fault is None
    ZoneFault fault = ZoneFault::None;
    std::string message; // for the user; empty on success
};

struct ZoneOffsetOrFault {
    std::optional<ZoneOffset> offset; // set exactly when fault is None
    ZoneFault fault = ZoneFault::None;
    std::string message;
};

class ZoneResolver {
public:
    // Resolves zones from the system database (kSystemTzdbFolder).
    ZoneResolver();

    // Resolves zones only if `tzdbFolder` holds a tz database. Zones are read
    // from kSystemTzdbFolder whatever is given; another folder that holds a
    // database is refused with its own message. A folder without a database
    // (missing or empty) makes zones unavailable as a system without tzdata
    // would. Searching the atlas does not depend on any of this.
    explicit ZoneResolver(const std::filesystem::path& tzdbFolder);

    // False when zones cannot be resolved; UnavailableMessage says why.
    bool Available() const { return unavailableMessage_.empty(); }
    const std::string& UnavailableMessage() const { return unavailableMessage_; }

    // The offset(s) `zoneId` ("Asia/Kolkata") used at the wall-clock time
    // `local`. A time the clocks skipped or repeated is reported as such with
    // both candidate offsets; nothing is chosen on the caller's behalf.
    // Thread-safe; a zone is read from its file once per process.
    ZoneResolutionOrFault Resolve(std::string_view zoneId, const LocalDateTime& local) const;

    // The offset `zoneId` used at the instant `utcSeconds` (seconds since
    // 1970-01-01 00:00:00 UTC, without leap seconds; negative before).
    // Thread-safe.
    ZoneOffsetOrFault OffsetAt(std::string_view zoneId, std::int64_t utcSeconds) const;

private:
    std::string unavailableMessage_;
};

// The index (0..70) of the first entry of TimeZoneList() that names this
// offset: its zone correction is the whole of `utcOffsetSeconds` (so the
// form's daylight-saving box stays unticked) and its abbreviation (the second
// comma-separated part of its text) is `abbreviation` exactly: -05:00 "EST"
// is Eastern Standard Time, +01:00 "BST" British Summer Time, +05:30 "IST"
// Indian Time. Nothing otherwise, even where an entry has the offset under
// another name (+02:00 "CEST", +06:30 "+0630", +01:00 "IST" of Dublin): the
// caller then uses the extra exact entry, so no label names another region.
std::optional<int> ZoneEntryForOffset(int utcOffsetSeconds, std::string_view abbreviation);

// The UTC offset as "+05:45" or "-03:30", seconds added only when they are
// not zero ("+05:21:10"); zero is "+00:00".
std::string FormatUtcOffset(int utcOffsetSeconds);

// True when the tz database writes `abbreviation` as letters ("CEST",
// "LMT"), false for a number ("+0545", "-03") or nothing.
bool IsLetterAbbreviation(std::string_view abbreviation);

// The text of the extra zone entry used when ZoneEntryForOffset finds none:
// the zone, the offset and the abbreviation where it is letters:
// "Europe/Madrid, +02:00 CEST", "Asia/Kathmandu, +05:45",
// "Asia/Kolkata, +05:21:10 MMT".
std::string ExactOffsetLabel(std::string_view zoneId, const ZoneOffset& offset);

// The extra exact entry already holds the whole offset in force, so the
// daylight-saving box on it would add an hour that no clock showed, unless
// the entry holds the zone's standard offset and the zone was an hour ahead
// on daylight saving then. For entries that select the exact entry with the
// box ticked, the message refusing them: when `zoneId` (the atlas place's
// zone; empty: the zone its label names, "Asia/Kathmandu, +05:45") had no
// offset of entry + 1 hour in daylight saving at the birth's local date and
// time. Nothing when the box is fine, the entries select a list entry, or
// the zone cannot be resolved (unknown, zones unavailable), which leaves the
// entries as they were.
std::optional<std::string> ExactZoneDaylightFault(const BirthEntries& entries,
                                                  std::string_view zoneId,
                                                  const ZoneResolver& zones);

} // namespace selmarind
