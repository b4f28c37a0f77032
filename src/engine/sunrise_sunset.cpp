#include "engine/sunrise_sunset.h"

#include "engine/civil_time.h"

#include <cmath>

namespace selmarind {

namespace {

// The solar model is the sunrise and sunset algorithm of the US Naval
// Observatory's "Almanac for Computers" (1990), written in radians:
//   0.017202 t - 0.0574039         mean anomaly, 0.9856 deg a day less 3.289 deg
//   0.0334405, 0.000349066         equation of centre, 1.916 and 0.020 deg
//   4.93289                        longitude of perigee, 282.634 deg
//   0.91746, 0.39782               cos and sin of the obliquity (23.44 deg)
//   0.0172028 t + 1.73364          local mean time terms, 0.06571 h a day and 6.622 h
//   kCosZenith                     zenith 90 deg 50': upper limb with standard refraction
// The approximate values of pi below are part of that arithmetic.
constexpr double kQuarterTurn = 1.5708;
constexpr double kHalfTurn = 3.14159;
constexpr double kThreeQuarterTurns = 4.71239;
constexpr double kFullTurn = 6.28319;
constexpr double kDegToRadShort = 0.0174533;
constexpr double kHourToRad = 0.261799;
constexpr double kCosZenith = -0.0145439; // cos 90 degrees 50 minutes
constexpr double kRadToHours = 3.81972;
constexpr double kTangentNudge = 0.00000484814;

// Local clock time of sunrise or sunset; nothing when the Sun stays above or
// below the horizon all day.
std::optional<ClockTime> EventTime(bool isSunrise, int dayCount, double sinLatitude,
                                   double cosLatitude, double longitudeRad, double offsetRad) {
    const double baseAngle = isSunrise ? kQuarterTurn : kThreeQuarterTurns;
    const double t = dayCount + (baseAngle - longitudeRad) / kFullTurn;
    const double meanAnomaly = 0.017202 * t - 0.0574039;
    double trueLongitude = meanAnomaly + 0.0334405 * std::sin(meanAnomaly) +
                           0.000349066 * std::sin(2 * meanAnomaly) + 4.93289;
    while (trueLongitude < 0) {
        trueLongitude += kFullTurn;
    }
    while (trueLongitude >= kFullTurn) {
        trueLongitude -= kFullTurn;
    }
    const double quarters = trueLongitude / kQuarterTurn;
    if (quarters == std::floor(quarters)) {
        trueLongitude += kTangentNudge;
    }

    double rightAscension = std::atan(0.91746 * std::tan(trueLongitude));
    if (trueLongitude > kThreeQuarterTurns) {
        rightAscension += kFullTurn;
    } else if (trueLongitude > kQuarterTurn) {
        rightAscension += kHalfTurn;
    }

    const double sinDeclination = 0.39782 * std::sin(trueLongitude);
    const double declination =
        std::atan(sinDeclination / std::sqrt(1 - sinDeclination * sinDeclination));

    const double cosHourAngle =
        (kCosZenith - std::sin(declination) * sinLatitude) / (cosLatitude * std::cos(declination));
    // Beyond +-1 the Sun does not reach the horizon that day; NaN is refused the same way.
    if (!(std::fabs(cosHourAngle) <= 1)) {
        return std::nullopt;
    }
    // The arc cosine of c in arctangent form, which would divide by zero at c = +-1.
    double hourAngle = 0;
    if (cosHourAngle == -1) {
        hourAngle = 3.1416;
    } else if (cosHourAngle != 1) {
        hourAngle =
            kQuarterTurn - std::atan(cosHourAngle / std::sqrt(1 - cosHourAngle * cosHourAngle));
    }
    if (isSunrise) {
        hourAngle = kFullTurn - hourAngle;
    }

    const double localMeanTime = hourAngle + rightAscension - 0.0172028 * t - 1.73364;
    const double universal = localMeanTime - longitudeRad;
    double local = universal + offsetRad;
    while (local < 0) {
        local += kFullTurn;
    }
    while (local >= kFullTurn) {
        local -= kFullTurn;
    }

    const double hours = local * kRadToHours;
    int hour = static_cast<int>(std::floor(hours));
    int minute = static_cast<int>(std::floor(60 * (hours - std::floor(hours)) + 0.5));
    if (minute == 60) {
        minute = 0;
        ++hour;
    }
    if (hour == 24) {
        hour = 0;
    }
    return ClockTime{hour, minute};
}

} // namespace

bool IsSummerTime(const CivilDate& date, int hour) {
    const int month = date.month;
    const int day = date.day;
    const int weekday = Weekday(date); // 0 = Sunday
    if (month >= 5 && month <= 9) {
        return true;
    }
    if (month == 4) {
        if (day > 7) {
            return true;
        }
        // Within the first week: from the first Sunday at 02:00 on.
        if (weekday == 0) {
            return hour >= 2;
        }
        return day - weekday > 0;
    }
    if (month == 10) {
        if (day < 25) {
            return true;
        }
        // Within the last week: until the last Sunday at 02:00.
        if (weekday == 0) {
            return hour < 2;
        }
        return day - weekday < 25;
    }
    return false;
}

SunEvents SunRiseSet(const BirthRecord& birth, const CivilDate& date, bool withSunset) {
    const int dayCount = DayOfYear(date) - 1;

    SunEvents events;
    // The summer hour counts only inside the fixed summer-time window.
    events.summerHourApplied = birth.summerHour && IsSummerTime(date, birth.time.hour);
    // The zone correction is positive west; the offset here is positive east.
    const double zoneOffsetHours = -ClassicCorrectionHours(birth.zone, events.summerHourApplied);

    const double latitudeRad = birth.place.LatitudeNorthDeg() * kDegToRadShort;
    const double longitudeRad = birth.place.LongitudeEastDeg() * kDegToRadShort;
    const double offsetRad = zoneOffsetHours * kHourToRad;

    // Both events share the place's latitude terms.
    const double sinLatitude = std::sin(latitudeRad);
    const double cosLatitude = std::cos(latitudeRad);
    events.sunrise = EventTime(true, dayCount, sinLatitude, cosLatitude, longitudeRad, offsetRad);
    if (withSunset) {
        events.sunset =
            EventTime(false, dayCount, sinLatitude, cosLatitude, longitudeRad, offsetRad);
    }
    return events;
}

} // namespace selmarind
