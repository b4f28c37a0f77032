#include "engine/birth_record.h"

#include <cstdlib>

namespace selmarind {

double GeoPlace::LatitudeNorthDeg() const {
    const double latitude = latitudeDegrees + latitudeMinutes / 60.0;
    return south ? -latitude : latitude;
}

double GeoPlace::LongitudeEastDeg() const {
    const double longitude = longitudeDegrees + longitudeMinutes / 60.0;
    return east ? longitude : -longitude;
}

double ZoneCorrection::Hours() const {
    return hours + minutes / 60.0 + seconds / 3600.0;
}

long long ZoneCorrection::TotalSeconds() const {
    return hours * 3600LL + minutes * 60LL + seconds;
}

ZoneCorrection ZoneCorrection::OfUtcOffset(long long utcOffsetSeconds) {
    const long long correction = -utcOffsetSeconds;
    const long long magnitude = std::llabs(correction);
    const int sign = correction < 0 ? -1 : 1;
    return {sign * static_cast<int>(magnitude / 3600), sign * static_cast<int>(magnitude / 60 % 60),
            sign * static_cast<int>(magnitude % 60)};
}

UniversalTime ToUniversalTime(const CivilDate& localDate, const ClockTime& clock,
                              const ZoneCorrection& zone, bool summerHour) {
    UniversalTime ut;
    const double localHours = clock.hour + clock.minute / 60.0;
    double correctionHours = zone.Hours();
    if (summerHour) {
        correctionHours = correctionHours - 1;
    }
    ut.hoursFromLocalDate = localHours + correctionHours;

    const CivilDateTime localMinute{localDate.year, localDate.month, localDate.day,
                                    clock.hour,     clock.minute,    0};
    std::int64_t correctionSeconds = zone.TotalSeconds();
    if (summerHour) {
        correctionSeconds -= 3600;
    }
    ut.civil = CivilFromSerialSeconds(SerialSeconds(localMinute) + correctionSeconds);
    return ut;
}

UniversalTime BirthUniversalTime(const BirthRecord& birth) {
    return ToUniversalTime(birth.date, birth.time, birth.zone, birth.summerHour);
}

} // namespace selmarind
