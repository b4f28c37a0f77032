// Comparison helpers shared by the engine tests.
#pragma once

#include "engine/birth_record.h"

#include <QTest>

#include <cmath>

namespace selmarind::test {

// A birth at a local clock time with the signed zone correction of its time
// zone (positive west: a zone 5 h 30 min east is -5, -30).
inline BirthRecord MakeBirth(int year, int month, int day, int hour, int minute, int zoneHours,
                             int zoneMinutes, bool isDst = false) {
    BirthRecord b;
    b.date = {year, month, day};
    b.time = {hour, minute, 0};
    b.zone = {zoneHours, zoneMinutes, 0};
    b.summerHour = isDst;
    return b;
}

// The same birth at a place given as unsigned degrees and minutes with its hemispheres.
inline BirthRecord AtPlace(BirthRecord b, int lonDeg, int lonMin, bool east, int latDeg, int latMin,
                           bool south) {
    b.place = {latDeg, latMin, south, lonDeg, lonMin, east};
    return b;
}

// Difference of two angles in degrees, taken modulo 360 into [-180, 180).
inline double AngleDifference(double actualDeg, double expectedDeg) {
    const double d = std::fmod(actualDeg - expectedDeg, 360.0);
    if (d >= 180) {
        return d - 360;
    }
    if (d < -180) {
        return d + 360;
    }
    return d;
}

inline QByteArray Mismatch(const char* what, double expected, double actual, double tolerance) {
    return QStringLiteral("%1: expected %2, actual %3, error %4 (tolerance %5)")
        .arg(QString::fromUtf8(what))
        .arg(expected, 0, 'f', 9)
        .arg(actual, 0, 'f', 9)
        .arg(actual - expected, 0, 'g', 3)
        .arg(tolerance, 0, 'g', 3)
        .toUtf8();
}

} // namespace selmarind::test

// Fails unless |actual - expected| <= tolerance; the message names the input.
#define COMPARE_NEAR(what, actual, expected, tolerance)                                            \
    do {                                                                                           \
        const double a_ = (actual);                                                                \
        const double e_ = (expected);                                                              \
        QVERIFY2(std::fabs(a_ - e_) <= (tolerance),                                                \
                 selmarind::test::Mismatch(what, e_, a_, tolerance).constData());                  \
    } while (false)

// The same for angles in degrees, compared modulo 360.
#define COMPARE_ANGLE(what, actual, expected, tolerance)                                           \
    do {                                                                                           \
        const double a_ = (actual);                                                                \
        const double e_ = (expected);                                                              \
        QVERIFY2(std::fabs(selmarind::test::AngleDifference(a_, e_)) <= (tolerance),               \
                 selmarind::test::Mismatch(what, e_, a_, tolerance).constData());                  \
    } while (false)
