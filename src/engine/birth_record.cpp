#include "engine/birth_record.h"

#include <cmath>
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

CivilDateTime UtInstant::Civil() const {
    return CivilFromSerialSeconds(serialSeconds);
}

double UtInstant::JulianDay() const {
    return kSerialEpochJulianDay + static_cast<double>(serialSeconds) / 86400.0;
}

UtInstant UtInstant::NearestToJulianDay(double jdUt) {
    return {std::llround((jdUt - kSerialEpochJulianDay) * 86400.0)};
}

std::int64_t ClockToUniversalSeconds(const ZoneCorrection& zone, bool summerHour) {
    return zone.TotalSeconds() - (summerHour ? 3600 : 0);
}

UtInstant ToUniversal(const CivilDateTime& clock, const ZoneCorrection& zone, bool summerHour) {
    return {SerialSeconds(clock) + ClockToUniversalSeconds(zone, summerHour)};
}

CivilDateTime ToClock(UtInstant instant, const ZoneCorrection& zone, bool summerHour) {
    return CivilFromSerialSeconds(instant.serialSeconds -
                                  ClockToUniversalSeconds(zone, summerHour));
}

UtInstant BirthInstant(const BirthRecord& birth) {
    const CivilDateTime clock{birth.date.year, birth.date.month,  birth.date.day,
                              birth.time.hour, birth.time.minute, birth.time.second};
    return ToUniversal(clock, birth.zone, birth.summerHour);
}

double ClassicCorrectionHours(const ZoneCorrection& zone, bool summerHour) {
    // The classic theories were fitted to this double sum (not to whole
    // seconds over 3600), so its rounding is kept as it is.
    double correctionHours = zone.Hours();
    if (summerHour) {
        correctionHours = correctionHours - 1;
    }
    return correctionHours;
}

UniversalTime ToUniversalTime(const CivilDate& localDate, const ClockTime& clock,
                              const ZoneCorrection& zone, bool summerHour) {
    UniversalTime ut;
    const double localHours = clock.hour + clock.minute / 60.0;
    ut.hoursFromLocalDate = localHours + ClassicCorrectionHours(zone, summerHour);
    // The classic engine takes the clock to the whole minute.
    const CivilDateTime localMinute{localDate.year, localDate.month, localDate.day,
                                    clock.hour,     clock.minute,    0};
    ut.civil = ToUniversal(localMinute, zone, summerHour).Civil();
    return ut;
}

UniversalTime BirthUniversalTime(const BirthRecord& birth) {
    return ToUniversalTime(birth.date, birth.time, birth.zone, birth.summerHour);
}

} // namespace selmarind
