#include "engine/civil_time.h"
#include "engine/sunrise_sunset.h"

#include <QTest>

#include <cstdlib>

using namespace selmarind;

namespace {

struct Place {
    int latD, latM;
    bool south;
    int lonD, lonM;
    bool east;
    int zoneHours, zoneMinutes; // signed correction, positive west
};

constexpr Place kGreenwich{51, 28, false, 0, 0, true, 0, 0};
constexpr Place kNewDelhi{28, 36, false, 77, 13, true, -5, -30};
constexpr Place kBuenosAires{34, 36, true, 58, 23, false, 3, 0};

// A birth at the place whose clock hour and daylight-saving box decide summer time.
BirthRecord BirthAt(const Place& p, int hour, bool dst) {
    BirthRecord b;
    b.time = {hour, 0, 0};
    b.zone = {p.zoneHours, p.zoneMinutes, 0};
    b.summerHour = dst;
    b.place = {p.latD, p.latM, p.south, p.lonD, p.lonM, p.east};
    return b;
}

SunEvents Run(const Place& p, int year, int month, int day, int hour = 12, bool dst = false) {
    return SunRiseSet(BirthAt(p, hour, dst), CivilDate{year, month, day});
}

int MinutesOfDay(const ClockTime& t) {
    return t.hour * 60 + t.minute;
}

// Signed difference b - a in minutes, folded into -720..719.
int ClockDifference(const ClockTime& a, const ClockTime& b) {
    return ((MinutesOfDay(b) - MinutesOfDay(a)) % 1440 + 1440 + 720) % 1440 - 720;
}

QString Show(const std::optional<ClockTime>& t) {
    return t ? QString("%1:%2").arg(t->hour).arg(t->minute, 2, 10, QChar('0')) : QString("none");
}

} // namespace

Q_DECLARE_METATYPE(Place)

class TestSunriseSunset : public QObject {
    Q_OBJECT
private slots:
    void zoneCorrectionIsReadWithItsSign_data() {
        QTest::addColumn<int>("zoneHours");
        QTest::addColumn<int>("zoneMinutes");
        QTest::addColumn<int>("shiftMinutes");
        QTest::newRow("-5 h -30 min (stored positive west) is 5.5 h east") << -5 << -30 << 330;
        QTest::newRow("5 h 0 min is 5 h west") << 5 << 0 << -300;
        QTest::newRow("3 h 30 min is 3.5 h west") << 3 << 30 << -210;
    }

    void zoneCorrectionIsReadWithItsSign() {
        QFETCH(int, zoneHours);
        QFETCH(int, zoneMinutes);
        QFETCH(int, shiftMinutes);
        Place place = kNewDelhi;
        place.zoneHours = 0;
        place.zoneMinutes = 0;
        const SunEvents atGreenwichTime = Run(place, 1980, 3, 15);
        place.zoneHours = zoneHours;
        place.zoneMinutes = zoneMinutes;
        const SunEvents zoned = Run(place, 1980, 3, 15);
        // Each time is rounded on its own, so a shift may come out one minute short.
        QVERIFY(std::abs(ClockDifference(*atGreenwichTime.sunrise, *zoned.sunrise) -
                         shiftMinutes) <= 1);
        QVERIFY(std::abs(ClockDifference(*atGreenwichTime.sunset, *zoned.sunset) - shiftMinutes) <=
                1);
    }

    void summerTimeBoundaries_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("expected");
        QTest::newRow("15 January") << 2000 << 1 << 15 << 12 << false;
        QTest::newRow("15 July") << 2000 << 7 << 15 << 12 << true;
        QTest::newRow("Saturday 1 April 2000, before the first Sunday")
            << 2000 << 4 << 1 << 12 << false;
        QTest::newRow("first Sunday of April 2000 at 01:00") << 2000 << 4 << 2 << 1 << false;
        QTest::newRow("first Sunday of April 2000 at 02:00") << 2000 << 4 << 2 << 2 << true;
        QTest::newRow("Monday after, at 00:00") << 2000 << 4 << 3 << 0 << true;
        QTest::newRow("first Sunday of April 2001 is 1 April, 01:00")
            << 2001 << 4 << 1 << 1 << false;
        QTest::newRow("first Sunday of April 2001 is 1 April, 02:00")
            << 2001 << 4 << 1 << 2 << true;
        QTest::newRow("8 April") << 2001 << 4 << 8 << 0 << true;
        // A year whose April starts on a weekday: the first Sunday is the 7th.
        QTest::newRow("Monday 1 April 2002, noon") << 2002 << 4 << 1 << 12 << false;
        QTest::newRow("Saturday 6 April 2002, noon") << 2002 << 4 << 6 << 12 << false;
        QTest::newRow("Sunday 7 April 2002, 02:00") << 2002 << 4 << 7 << 2 << true;
        QTest::newRow("24 October") << 2000 << 10 << 24 << 23 << true;
        QTest::newRow("Saturday before the last Sunday of October 2000, 23:00")
            << 2000 << 10 << 28 << 23 << true;
        QTest::newRow("last Sunday of October 2000 at 01:00") << 2000 << 10 << 29 << 1 << true;
        QTest::newRow("last Sunday of October 2000 at 02:00") << 2000 << 10 << 29 << 2 << false;
        QTest::newRow("Monday after the last Sunday of October") << 2000 << 10 << 30 << 0 << false;
        QTest::newRow("last Sunday of October 2001 is 28 October, 01:00")
            << 2001 << 10 << 28 << 1 << true;
        QTest::newRow("Saturday 27 October 2001") << 2001 << 10 << 27 << 12 << true;
        QTest::newRow("1 November") << 2001 << 11 << 1 << 0 << false;
        // The last Sunday on the 25th: the rest of the month is winter time.
        QTest::newRow("Monday 26 October 2015, noon") << 2015 << 10 << 26 << 12 << false;
        QTest::newRow("31 March") << 2001 << 3 << 31 << 23 << false;
    }

    // With the box ticked the hour is added exactly inside summer time, and
    // both times move one hour later.
    void summerTimeBoundaries() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(bool, expected);
        const CivilDate date{year, month, day};
        QCOMPARE(IsSummerTime(date, hour), expected);

        const SunEvents ticked = Run(kGreenwich, year, month, day, hour, true);
        const SunEvents plain = Run(kGreenwich, year, month, day, hour, false);
        QCOMPARE(ticked.summerHourApplied, expected);
        QCOMPARE(plain.summerHourApplied, false);
        const int shift = expected ? 60 : 0;
        QVERIFY(std::abs(ClockDifference(*plain.sunrise, *ticked.sunrise) - shift) <= 1);
        QVERIFY(std::abs(ClockDifference(*plain.sunset, *ticked.sunset) - shift) <= 1);
    }

    // The sunrise alone is the sunrise of the full call, summer hour included.
    void sunriseAloneIsTheSameSunrise() {
        for (CivilDate d{2021, 1, 1}; d.year == 2021; d = CivilFromSerialDay(SerialDay(d) + 3)) {
            for (const Place& p : {kGreenwich, kNewDelhi, kBuenosAires}) {
                const SunEvents both = Run(p, d.year, d.month, d.day, 12, true);
                const SunEvents alone = SunRiseSet(BirthAt(p, 12, true), d, false);
                QCOMPARE(alone.sunrise, both.sunrise);
                QCOMPARE(alone.summerHourApplied, both.summerHourApplied);
                QVERIFY(!alone.sunset);
            }
        }
    }

    void noSummerHourWithoutTheBox() {
        for (CivilDate d{2000, 1, 1}; d.year == 2000; d = CivilFromSerialDay(SerialDay(d) + 1)) {
            for (int hour : {0, 1, 2, 12, 23}) {
                QVERIFY(!Run(kGreenwich, d.year, d.month, d.day, hour, false).summerHourApplied);
            }
        }
    }

    // Times of this model (not of the real Sun) from an independent
    // re-implementation of its steps: at 65 N they move two minutes a day, so a
    // day count off by one shows.
    void dayCountStartsAtZeroOnFirstJanuary_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("sunrise");
        QTest::addColumn<int>("sunset");
        QTest::newRow("1 January 2001") << 2001 << 1 << 1 << 10 * 60 + 27 << 14 * 60 + 17;
        QTest::newRow("2 January 2001") << 2001 << 1 << 2 << 10 * 60 + 25 << 14 * 60 + 19;
        QTest::newRow("31 December 2000, day 366")
            << 2000 << 12 << 31 << 10 * 60 + 27 << 14 * 60 + 16;
        QTest::newRow("30 December 2000") << 2000 << 12 << 30 << 10 * 60 + 28 << 14 * 60 + 14;
    }

    void dayCountStartsAtZeroOnFirstJanuary() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, sunrise);
        QFETCH(int, sunset);
        const Place oulu{65, 0, false, 25, 28, true, -2, 0};
        const SunEvents e = Run(oulu, year, month, day);
        QCOMPARE(MinutesOfDay(*e.sunrise), sunrise);
        QCOMPARE(MinutesOfDay(*e.sunset), sunset);
    }

    // Places and dates found by scanning the model: the raw time lies within
    // the last half minute before a whole hour.
    void roundingCarriesIntoTheHour_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("isSunrise");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        const Place equator87E32{0, 0, false, 87, 32, true, 0, 0};
        const Place equator87E33{0, 0, false, 87, 33, true, 0, 0};
        QTest::newRow("sunset at 19.9994 h shows 20:00")
            << kGreenwich << 5 << 26 << false << 20 << 0;
        QTest::newRow("sunrise at 5.9985 h shows 6:00") << kGreenwich << 10 << 1 << true << 6 << 0;
        QTest::newRow("sunrise at 23.9920 h shows 0:00 of the same date")
            << equator87E32 << 9 << 22 << true << 0 << 0;
        QTest::newRow("four seconds earlier in the day it is still 23:59")
            << equator87E33 << 9 << 22 << true << 23 << 59;
    }

    void roundingCarriesIntoTheHour() {
        QFETCH(Place, place);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, isSunrise);
        QFETCH(int, hour);
        QFETCH(int, minute);
        const SunEvents e = Run(place, 2000, month, day);
        const std::optional<ClockTime> t = isSunrise ? e.sunrise : e.sunset;
        QVERIFY(t.has_value());
        QCOMPARE(t->hour, hour);
        QCOMPARE(t->minute, minute);
    }

    void polarDayAndNightGiveNoTime_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("sunrise");
        QTest::addColumn<QString>("sunset");
        const Place north{89, 59, false, 0, 0, true, 0, 0};
        const Place south{89, 59, true, 0, 0, true, 0, 0};
        QTest::newRow("89 59 N midsummer") << north << 2000 << 6 << 21 << "none"
                                           << "none";
        QTest::newRow("89 59 N midwinter") << north << 2000 << 12 << 21 << "none"
                                           << "none";
        QTest::newRow("89 59 S midsummer") << south << 2000 << 12 << 21 << "none"
                                           << "none";
        QTest::newRow("89 59 S midwinter") << south << 2000 << 6 << 21 << "none"
                                           << "none";
        // Half a day apart the Sun's declination differs enough that only one
        // of the two events happens.
        QTest::newRow("66 00 N, 1 July 2001: sunset only")
            << Place{66, 0, false, 0, 0, true, 0, 0} << 2001 << 7 << 1 << "none"
            << "23:59";
        QTest::newRow("67 00 N, 3 June 2001: sunrise only")
            << Place{67, 0, false, 0, 0, true, 0, 0} << 2001 << 6 << 3 << "0:07"
            << "none";
    }

    void polarDayAndNightGiveNoTime() {
        QFETCH(Place, place);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, sunrise);
        QFETCH(QString, sunset);
        const SunEvents e = Run(place, year, month, day);
        QCOMPARE(Show(e.sunrise), sunrise);
        QCOMPARE(Show(e.sunset), sunset);
    }

    // Reference times from the NOAA solar calculator (refraction and
    // semi-diameter included), rounded to the minute; this low-precision
    // model is expected within a few minutes of them.
    void agreesWithAlmanacTimes_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("sunrise");
        QTest::addColumn<int>("sunset");
        QTest::newRow("Greenwich, March equinox 2000 (GMT)")
            << kGreenwich << 2000 << 3 << 20 << 6 * 60 + 2 << 18 * 60 + 14;
        QTest::newRow("New Delhi 28 36 N 77 13 E, 15 March 1980 (IST)")
            << kNewDelhi << 1980 << 3 << 15 << 6 * 60 + 31 << 18 * 60 + 30;
        QTest::newRow("Buenos Aires 34 36 S 58 23 W, 21 December 2000 (UT-3)")
            << kBuenosAires << 2000 << 12 << 21 << 5 * 60 + 38 << 20 * 60 + 6;
    }

    void agreesWithAlmanacTimes() {
        QFETCH(Place, place);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, sunrise);
        QFETCH(int, sunset);
        const SunEvents e = Run(place, year, month, day);
        QVERIFY(e.sunrise && e.sunset);
        const int riseError = MinutesOfDay(*e.sunrise) - sunrise;
        const int setError = MinutesOfDay(*e.sunset) - sunset;
        QVERIFY2(std::abs(riseError) <= 3 && std::abs(setError) <= 3,
                 qPrintable(QString("sunrise %1, sunset %2; errors %3 and %4 minutes")
                                .arg(Show(e.sunrise), Show(e.sunset))
                                .arg(riseError)
                                .arg(setError)));
    }
};

QTEST_APPLESS_MAIN(TestSunriseSunset)
#include "test_sunrise_sunset.moc"
