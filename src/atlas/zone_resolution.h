// The UTC offset and daylight-saving state in force in an IANA time zone at
// a local date and time, from the system's tz database, and the matching
// entry of the birth-data form's zone list.
//
// Zones are resolved by Howard Hinnant's date/tz library as Debian builds it
// (libdate-tz, USE_OS_TZDB): it reads the compiled zone files of the tzdata
// package in /usr/share/zoneinfo, and nothing else.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind {

// The folder the date library of this build reads zones from.
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
    int utcOffsetSeconds = 0; // local time minus UTC, east of Greenwich positive
    bool daylightSaving = false;
    std::string abbreviation; // as the tz database gives it: "IST", "BDST", "+0545", "LMT"
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

class ZoneResolver {
public:
    // Resolves zones from the system database (kSystemTzdbFolder). The first
    // resolver of a process has the date library list the zone files (about
    // 2 ms); the list is kept for the life of the process.
    ZoneResolver();

    // Resolves zones only if `tzdbFolder` holds a tz database. The date
    // library reads kSystemTzdbFolder whatever is given; another folder that
    // holds a database is refused with its own message. A folder without a
    // database (missing or empty) makes zones unavailable as a system without
    // tzdata would. Searching the atlas does not depend on any of this.
    explicit ZoneResolver(const std::filesystem::path& tzdbFolder);

    // False when zones cannot be resolved; UnavailableMessage says why.
    bool Available() const { return unavailableMessage_.empty(); }
    const std::string& UnavailableMessage() const { return unavailableMessage_; }

    // The offset(s) `zoneId` ("Asia/Kolkata") used at the wall-clock time
    // `local`. A time the clocks skipped or repeated is reported as such with
    // both candidate offsets; nothing is chosen on the caller's behalf.
    // Thread-safe.
    ZoneResolutionOrFault Resolve(std::string_view zoneId, const LocalDateTime& local) const;

private:
    std::string unavailableMessage_;
};

// The index (0..70) of the entry of TimeZoneList() whose zone correction is
// the whole of `utcOffsetSeconds`, so that the form's daylight-saving box
// stays unticked; nothing when no entry has that offset (Kathmandu's +5:45,
// Kabul's +4:30, Kiribati's +14, Madras mean time +5:21:10 before 1906).
//
// When several entries share the offset, the first in list order of:
//   1. the entries whose abbreviation (the second comma-separated part of the
//      text) is `abbreviation` exactly: "EDT" gives Eastern Daylight Time,
//      "BDST" British Double Summer Time;
//   2. standard-time entries: a name with "Standard Time", "Std Time" or
//      "Mean Time" and no "Daylight", "Summer" or "War": GMT before UT, EST
//      before CDT and EWT, New Zealand Std Time before Int'l Date Line East;
//   3. other entries without "Daylight", "Summer" or "War": CET before BST,
//      Baghdad Time before Eastern European Daylight Time;
//   4. the rest.
std::optional<int> ZoneEntryForOffset(int utcOffsetSeconds, std::string_view abbreviation);

// The UTC offset as "+05:45" or "-03:30", seconds added only when they are
// not zero ("+05:21:10"); zero is "+00:00".
std::string FormatUtcOffset(int utcOffsetSeconds);

// The text of the extra zone entry used when ZoneEntryForOffset finds none:
// "Asia/Kathmandu, +05:45", "Asia/Kolkata, +05:21:10".
std::string ExactOffsetLabel(std::string_view zoneId, int utcOffsetSeconds);

} // namespace selmarind
