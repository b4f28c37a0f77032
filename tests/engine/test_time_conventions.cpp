#include "engine/chart_text.h"
#include "engine/time_conventions.h"

#include "engine_test_support.h"

#include <QTest>

#include <cmath>
#include <random>
#include <vector>

using namespace selmarind;
using selmarind::test::MakeBirth;

Q_DECLARE_METATYPE(selmarind::BirthRecord)

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class TestTimeConventions : public QObject {
    Q_OBJECT
private slots:
    void signAbbreviations() {
        QCOMPARE(SignAbbreviation(0), std::string_view("Ari"));
        QCOMPARE(SignAbbreviation(7), std::string_view("Sco"));
        QCOMPARE(SignAbbreviation(11), std::string_view("Pis"));
        QVERIFY(SignAbbreviation(12).empty());
        QVERIFY(SignAbbreviation(-1).empty());
        for (int k = 0; k < 12; ++k) {
            QCOMPARE(SignIndexOfAbbreviation(SignAbbreviation(k)), k);
        }
        QCOMPARE(SignIndexOfAbbreviation("ari"), -1);
        QCOMPARE(SignIndexOfAbbreviation("riT"), -1);
        QCOMPARE(SignIndexOfAbbreviation(""), -1);
    }

    void universalTime_data() {
        QTest::addColumn<BirthRecord>("birth");
        QTest::addColumn<double>("expectedUt");
        QTest::newRow("01:00 in a zone 5 h 30 min east falls on the previous day")
            << MakeBirth(1980, 3, 15, 1, 0, -5, -30, false) << -4.5;
        QTest::newRow("the same with summer time is one hour earlier")
            << MakeBirth(1980, 3, 15, 1, 0, -5, -30, true) << -5.5;
        QTest::newRow("21:45 in a zone 9 h west reaches the next day")
            << MakeBirth(1990, 6, 1, 21, 45, 9, 0, false) << 30.75;
        QTest::newRow("the same with summer time is one hour earlier in the west too")
            << MakeBirth(1990, 6, 1, 21, 45, 9, 0, true) << 29.75;
        QTest::newRow("noon at Greenwich without summer time")
            << MakeBirth(2000, 1, 1, 12, 0, 0, 0, false) << 12.0;
        QTest::newRow("14:30 on a zone one hour east (British Summer Time)")
            << MakeBirth(1995, 7, 20, 14, 30, -1, 0, false) << 13.5;
        QTest::newRow("09:15 in a zone 3 h 30 min west (Newfoundland)")
            << MakeBirth(1995, 1, 20, 9, 15, 3, 30, false) << 12.75;
    }

    void universalTime() {
        QFETCH(BirthRecord, birth);
        QFETCH(double, expectedUt);
        COMPARE_NEAR(QTest::currentDataTag(), BirthUniversalTime(birth).hoursFromLocalDate,
                     expectedUt, 1e-12);
    }

    // The instant of a clock reading and back, against Python's datetime
    // with a fixed offset (utcoffset = -(zone correction) + summer hour);
    // the Julian days from the same script as days since 1899-12-30 plus
    // 2415018.5.
    void instantAgreesWithFixedOffsetDatetime() {
        struct Row {
            CivilDateTime clock;
            ZoneCorrection zone;
            bool summerHour;
            CivilDateTime universal;
            double julianDay;
        };
        const Row rows[] = {
            {{1800, 1, 1, 0, 0, 0},
             {-5, -30, 0},
             false,
             {1799, 12, 31, 18, 30, 0},
             2378496.2708333335},
            {{2399, 12, 31, 23, 59, 59},
             {12, 0, 0},
             false,
             {2400, 1, 1, 11, 59, 59},
             2597641.999988426},
            {{2038, 1, 19, 3, 14, 8},
             {-5, -45, 0},
             true,
             {2038, 1, 18, 20, 29, 8},
             2465442.3535648147},
            {{1900, 3, 1, 0, 30, 0}, {0, 0, 0}, true, {1900, 2, 28, 23, 30, 0}, 2415079.4791666665},
            {{2050, 12, 31, 23, 0, 0}, {-14, 0, 0}, false, {2050, 12, 31, 9, 0, 0}, 2470171.875},
            {{1901, 1, 1, 0, 0, 0}, {11, 0, 0}, true, {1901, 1, 1, 10, 0, 0}, 2415385.9166666665},
            {{2024, 2, 29, 23, 59, 59},
             {0, -17, -36},
             false,
             {2024, 2, 29, 23, 42, 23},
             2460370.4877662035},
            {{1943, 4, 1, 19, 28, 11},
             {-11, 0, 0},
             false,
             {1943, 4, 1, 8, 28, 11},
             2430815.8529050928},
            {{2153, 2, 8, 8, 3, 20}, {-8, 0, 0}, false, {2153, 2, 8, 0, 3, 20}, 2507465.502314815},
            {{2240, 12, 2, 18, 56, 1},
             {4, 0, 0},
             true,
             {2240, 12, 2, 21, 56, 1},
             2539539.413900463},
            {{1984, 2, 19, 16, 46, 49},
             {-11, 0, 0},
             true,
             {1984, 2, 19, 4, 46, 49},
             2445749.6991782407},
        };
        for (const Row& row : rows) {
            const UtInstant ut = ToUniversal(row.clock, row.zone, row.summerHour);
            QCOMPARE(ut.Civil(), row.universal);
            QCOMPARE(ToClock(ut, row.zone, row.summerHour), row.clock);
            QVERIFY(std::fabs(ut.JulianDay() - row.julianDay) < 1e-9);
            QCOMPARE(UtInstant::NearestToJulianDay(row.julianDay), ut);
            // A Julian day 0.4 s either side still names the same second.
            QCOMPARE(UtInstant::NearestToJulianDay(row.julianDay + 0.4 / 86400), ut);
            QCOMPARE(UtInstant::NearestToJulianDay(row.julianDay - 0.4 / 86400), ut);
        }
        // The classic engine's minute form drops the clock's seconds; the
        // birth instant keeps them.
        const BirthRecord birth = MakeBirth(2038, 1, 19, 3, 14, -5, -45, true);
        BirthRecord withSeconds = birth;
        withSeconds.time.second = 8;
        QCOMPARE(BirthUniversalTime(withSeconds).civil, (CivilDateTime{2038, 1, 18, 20, 29, 0}));
        QCOMPARE(BirthInstant(withSeconds).Civil(), (CivilDateTime{2038, 1, 18, 20, 29, 8}));
    }

    void universalTimeIgnoresTheHemisphereOfThePlace() {
        // A western place on a zone east of Greenwich takes the zone's own sign.
        BirthRecord west = MakeBirth(1995, 7, 20, 14, 30, -1, 0, false);
        west.place.east = false;
        west.place.longitudeMinutes = 7;
        BirthRecord east = west;
        east.place.east = true;
        QCOMPARE(BirthUniversalTime(west).hoursFromLocalDate, 13.5);
        QCOMPARE(BirthUniversalTime(east).hoursFromLocalDate, 13.5);
    }

    void julianDayNumbers() {
        // Standard Julian Day Numbers of civil dates.
        QCOMPARE(JulianDayNumber({2000, 1, 1}), 2451545.0);
        QCOMPARE(JulianDayNumber({1582, 10, 16}), 2299162.0); // from here on read as Gregorian
        QCOMPARE(JulianDayNumber({1582, 10, 4}), 2299160.0);  // last Julian day, read as Julian
        QCOMPARE(JulianDayNumber({1899, 12, 31}), 2415020.0);
        QCOMPARE(JulianDayNumber({1900, 3, 1}), 2415080.0); // 1900 is no leap year
        QCOMPARE(JulianDayNumber({2000, 3, 1}), 2451605.0); // 2000 is one
        QCOMPARE(JulianDayNumber({1947, 8, 15}), 2432413.0);
    }

    void julianCenturies() {
        // Noon UT on 1 January 2000 is the epoch itself.
        QCOMPARE(JulianCenturies(JulianDayNumber({2000, 1, 1}), 12), 0.0);
        // A negative UT carries back into the previous day through T.
        // 01:00 on 15 March 1980 in a zone 5 h 30 min east is 19:30 UT on 14 March,
        // Julian date 2444313.3125.
        COMPARE_NEAR("01:00 on 15 March 1980 in a zone 5 h 30 min east, days from J2000",
                     JulianCenturies(JulianDayNumber({1980, 3, 15}), -4.5) * 36525,
                     2444313.3125 - 2451545, 1e-9);
    }

    void formatLongitude_data() {
        QTest::addColumn<double>("angle");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero is the start of Aries") << 0.0 << QString("0° 0' 0\" Ari");
        QTest::newRow("a negative angle loses its sign") << -10.5 << QString("10° 30' 0\" Ari");
        QTest::newRow("seconds are truncated, 56.4 gives 56")
            << 359.999 << QString("29° 59' 56\" Pis");
        QTest::newRow("exactly 30 is the start of Taurus") << 30.0 << QString("0° 0' 0\" Tau");
        QTest::newRow("123.456 is 3 27 21 of Leo") << 123.456 << QString("3° 27' 21\" Leo");
        QTest::newRow("a full turn has no sign") << 360.0 << QString("0° 0' 0\" ");
        QTest::newRow("beyond a full turn has no sign either") << 395.5 << QString("5° 30' 0\" ");
        QTest::newRow("just below a sign boundary stays in the sign")
            << 59.99999 << QString("29° 59' 59\" Tau");
        QTest::newRow("not a number gives no text") << std::nan("") << QString();
        // Far outside any longitude the rounding of 30 * k leaves a negative
        // remainder, which still reads as printf writes it.
        QTest::newRow("a huge angle reads its rounded remainder")
            << 1.3779061262186426e17 << QString("-16° 0' 0\" ");
    }

    void formatLongitude() {
        QFETCH(double, angle);
        QFETCH(QString, expected);
        QCOMPARE(Text(FormatLongitude(angle)), expected);
    }

    void normalizeForText() {
        QCOMPARE(NormalizeForText(360.0), 0.0);
        QCOMPARE(NormalizeForText(-30.0), 330.0);
        QCOMPARE(NormalizeForText(725.5), 5.5);
        QCOMPARE(NormalizeForText(123.456), 123.456); // values in range are untouched
        const double tinyNegative = NormalizeForText(-1e-15);
        QVERIFY2(tinyNegative >= 0 && tinyNegative < 360,
                 qPrintable(QString::number(tinyNegative)));
        // A full turn reads as 0 Aries once brought into range.
        QCOMPARE(Text(FormatLongitude(NormalizeForText(360.0))), QString("0° 0' 0\" Ari"));
    }

    void chartText_data() {
        QTest::addColumn<QString>("dmsText");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << Text(FormatLongitude(0)) << QString("00 Ari 00");
        QTest::newRow("123.456") << Text(FormatLongitude(123.456)) << QString("03 Leo 27");
        QTest::newRow("359.999") << Text(FormatLongitude(359.999)) << QString("29 Pis 59");
        QTest::newRow("seconds never carry into the minutes")
            << QString("17° 31' 59\" Pis") << QString("17 Pis 31");
        QTest::newRow("two-digit fields are kept")
            << QString("29° 45' 3\" Cap") << QString("29 Cap 45");
        QTest::newRow("surrounding spaces are ignored")
            << QString("  5° 7' 0\" Vir") << QString("05 Vir 07");
        QTest::newRow("a full turn keeps the seconds mark in place of the sign")
            << Text(FormatLongitude(360)) << QString("00 0\" 00");
        QTest::newRow("a text without a degree sign has no chart text")
            << QString("17 Pis 31") << QString();
        QTest::newRow("an empty text has no chart text") << QString() << QString();
    }

    void chartText() {
        QFETCH(QString, dmsText);
        QFETCH(QString, expected);
        QCOMPARE(Text(ToChartText(dmsText.toStdString())), expected);
    }

    // The direct chart text of a longitude is the chart text of its
    // degree-minute-second text, over every minute of the circle and the
    // values outside it.
    void chartTextOfLongitudeMatchesTheTextRoute() {
        std::vector<double> angles = {0.0,
                                      -0.0,
                                      29.999999999999996,
                                      30.0,
                                      359.99999999999994,
                                      360.0,
                                      395.5,
                                      -10.5,
                                      1e20,
                                      1.3779061262186426e17,
                                      -1e300,
                                      1e-300,
                                      std::nan(""),
                                      INFINITY};
        for (int minute = 0; minute < 360 * 60; ++minute) {
            angles.push_back(minute / 60.0);
            angles.push_back(minute / 60.0 + 59.9 / 3600);
            angles.push_back(std::nextafter(minute / 60.0, -1.0));
        }
        for (const double angle : angles) {
            const std::string viaText = ToChartText(FormatLongitude(angle));
            QVERIFY2(ChartTextOfLongitude(angle) == viaText,
                     qPrintable(QString("%1: '%2' against '%3'")
                                    .arg(angle, 0, 'g', 17)
                                    .arg(Text(ChartTextOfLongitude(angle)), Text(viaText))));
        }
    }

    void chartTextSign() {
        QCOMPARE(SignOfChartText("17 Pis 31"), std::optional<int>(11));
        QCOMPARE(SignOfChartText("00 Ari 00"), std::optional<int>(0));
        QCOMPARE(SignOfChartText("00 0\" 00"), std::optional<int>());
        QCOMPARE(SignOfChartText("17 Pi"), std::optional<int>());
        QCOMPARE(SignOfChartText("17 pis 31"), std::optional<int>());
    }

    // The chart files a body by the sign position of its longitude; it must
    // be the one its chart text shows, on both sides of every sign and
    // minute boundary and for the values no text can place.
    void signPositionIsTheOneTheTextShows() {
        std::vector<double> angles = {0.0,   -0.0, 359.99999999999994, 360.0,    720.5, -30.5,
                                      1e300, NAN,  INFINITY,           -INFINITY};
        std::mt19937_64 random(2026);
        std::uniform_real_distribution<double> anywhere(0, 360);
        for (int k = 0; k <= 12; ++k) {
            const double edge = 30.0 * k;
            for (double delta : {0.0, 1e-12, 1e-9, 0.3 / 3600, 0.7 / 3600, 1.0 / 60}) {
                angles.push_back(edge - delta);
                angles.push_back(edge + delta);
            }
            angles.push_back(std::nextafter(edge, 0.0));
            angles.push_back(std::nextafter(edge, 400.0));
        }
        for (int i = 0; i < 2000; ++i) {
            const double x = anywhere(random);
            // A minute boundary and just below it.
            const double minute = std::floor(x * 60) / 60;
            angles.insert(angles.end(), {x, minute, std::nextafter(minute, 0.0)});
        }
        for (const double angle : angles) {
            const std::string text = ChartTextOfLongitude(angle);
            const std::optional<SignPosition> at = SignPositionOfLongitude(angle);
            const QByteArray input = QByteArray::number(angle, 'g', 17) + " " + text.c_str();
            QVERIFY2(at.has_value() == SignOfChartText(text).has_value(), input);
            if (!at) {
                continue;
            }
            QVERIFY2(at->sign == *SignOfChartText(text), input);
            QVERIFY2(text.substr(0, 2) ==
                         (at->degrees < 10 ? "0" : "") + std::to_string(at->degrees),
                     input);
            QVERIFY2(text.substr(7) == (at->minutes < 10 ? "0" : "") + std::to_string(at->minutes),
                     input);
        }
    }
};

QTEST_APPLESS_MAIN(TestTimeConventions)
#include "test_time_conventions.moc"
