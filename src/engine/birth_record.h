// The birth record: one person's birth data as the engine reads it, built
// from value types for the date, the clock time, the place and the zone.
#pragma once

#include "engine/civil_time.h"

#include <cstdint>
#include <string>

namespace selmarind {

// A place on the Earth as the form holds it: unsigned degrees and minutes,
// with the hemisphere apart.
struct GeoPlace {
    int latitudeDegrees = 0;  // 0..89
    int latitudeMinutes = 0;  // 0..59
    bool south = false;       // false: north
    int longitudeDegrees = 0; // 0..179
    int longitudeMinutes = 0; // 0..59
    bool east = true;         // false: west

    // Latitude in degrees, north positive: degrees + minutes / 60, negated in the south.
    double LatitudeNorthDeg() const;
    // Longitude in degrees, east positive: degrees + minutes / 60, negated in the west.
    double LongitudeEastDeg() const;
    friend bool operator==(const GeoPlace&, const GeoPlace&) = default;
};

// The zone correction of a time zone: what added to local clock time gives
// universal time. Hours, minutes and seconds carry one sign, positive WEST
// of Greenwich: a zone 5 h 30 min east of Greenwich is -5, -30, 0. The list
// zones have whole minutes; an exact offset from the atlas may have seconds.
struct ZoneCorrection {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    // The correction in hours: hours + minutes / 60 + seconds / 3600.
    double Hours() const;
    // The correction in seconds.
    long long TotalSeconds() const;
    // The zone correction of a UTC offset (seconds, positive EAST).
    static ZoneCorrection OfUtcOffset(long long utcOffsetSeconds);
    friend bool operator==(const ZoneCorrection&, const ZoneCorrection&) = default;
};

struct BirthRecord {
    std::string name;
    CivilDate date;          // local civil date
    ClockTime time;          // local clock time; the seconds serve only the sunrise reference
    ZoneCorrection zone;     // of the selected time zone
    bool summerHour = false; // the daylight-saving box: the clock runs one hour ahead
    GeoPlace place;
};

// Julian day of 30 December 1899 0 h, day 0 of the serial day count.
inline constexpr double kSerialEpochJulianDay = 2415018.5;

// A moment in universal time: whole seconds since 30 December 1899 0 h UT,
// the serial count of civil_time.h. The birth and the sunrise events are
// held in this form; the calendar, Julian-day and hour forms derive from it.
struct UtInstant {
    std::int64_t serialSeconds = 0;

    // The universal date and time of the instant.
    CivilDateTime Civil() const;
    // The Julian day (UT) of the instant, with its fraction.
    double JulianDay() const;
    // The instant of a Julian day (UT), to the nearest second.
    static UtInstant NearestToJulianDay(double jdUt);
    friend auto operator<=>(const UtInstant&, const UtInstant&) = default;
};

// What added to a clock reading gives universal time, in seconds: the zone
// correction (positive west), less one hour when the clock carries the
// summer hour.
std::int64_t ClockToUniversalSeconds(const ZoneCorrection& zone, bool summerHour);

// The universal instant of a local clock reading (date and time to the
// second) in a zone, the clock running one hour ahead with the summer hour.
// The one place where the zone correction and the summer hour are applied.
UtInstant ToUniversal(const CivilDateTime& clock, const ZoneCorrection& zone, bool summerHour);

// The local clock reading of a universal instant: the inverse of ToUniversal.
CivilDateTime ToClock(UtInstant instant, const ZoneCorrection& zone, bool summerHour);

// The birth's instant, to the second.
UtInstant BirthInstant(const BirthRecord& birth);

// The zone correction in hours, less one hour with the summer hour, summed
// in doubles: the form the classic ascendant, Moon and sunrise read.
double ClassicCorrectionHours(const ZoneCorrection& zone, bool summerHour);

// The universal time of a clock reading, in the two forms the classic engine
// reads, both to the whole minute of the clock.
struct UniversalTime {
    // Universal time in hours counted from 0 h of the local date, not wrapped
    // into 0..24: clock hours + minutes / 60, plus the zone correction, less
    // one hour for the summer hour.
    double hoursFromLocalDate = 0;
    // The universal date and time to the whole minute (the clock's seconds
    // are dropped), carried across days, months and years.
    CivilDateTime civil;
};

// Universal time of a local clock reading in a zone, one hour earlier when
// the clock carries the summer hour; the clock's seconds are dropped.
UniversalTime ToUniversalTime(const CivilDate& localDate, const ClockTime& clock,
                              const ZoneCorrection& zone, bool summerHour);

// The universal time of the birth, to the minute of its clock.
UniversalTime BirthUniversalTime(const BirthRecord& birth);

} // namespace selmarind
