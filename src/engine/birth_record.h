// The birth record: one person's birth data as the engine reads it, built
// from value types for the date, the clock time, the place and the zone.
#pragma once

#include "engine/civil_time.h"

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

// The universal time of a clock reading, in the two forms the engine reads.
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
// the clock carries the summer hour. The one place where the zone
// correction and the summer hour are applied.
UniversalTime ToUniversalTime(const CivilDate& localDate, const ClockTime& clock,
                              const ZoneCorrection& zone, bool summerHour);

// The universal time of the birth.
UniversalTime BirthUniversalTime(const BirthRecord& birth);

} // namespace selmarind
