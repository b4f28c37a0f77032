#include "chart/chart_driver.h"
#include "chart/special_points.h"
#include "support/sample_entries.h"

#include <QTest>

#include <cmath>
#include <string>

using namespace selmarind;

namespace {

int MarkerLines(const std::array<std::string, 12>& labels) {
    int lines = 0;
    for (const auto& label : labels) {
        for (std::size_t at = label.find("\r\n"); at != std::string::npos;
             at = label.find("\r\n", at + 2)) {
            ++lines;
        }
    }
    return lines;
}

int ComputedPoints(const std::vector<SpecialPoint>& points) {
    int computed = 0;
    for (const auto& point : points) {
        computed += point.computed ? 1 : 0;
    }
    return computed;
}

// Inputs of a chart with a sunrise: the Sun at sunrise in early Pisces.
SpecialPointInputs WithSunrise() {
    SpecialPointInputs in;
    in.MinutesFromSunrise = 1107;
    in.SecondsFromSunrise = 66420;
    in.SunriseSunLongitude = 330.3148634890321;
    in.SunriseSunText = "00 Pis 18";
    in.AscendantDegree = 236;
    in.AscendantSidereal = 236.19050282386297;
    in.MoonLongitude = 302.8881281065099;
    in.MoonNakshatraStart = 293.26;
    in.MoonChartText = "02 Aqu 53";
    in.InduStartSign = 8;
    in.InduKalaFromLagna = 16;
    in.InduKalaFromMoon = 10;
    return in;
}

} // namespace

class TestSpecialPoints : public QObject {
    Q_OBJECT
private slots:
    void minutesAndSecondsCountBoundariesCrossed() {
        // 19:26:01 to 04:24:00 the next morning: 538 minute boundaries,
        // although the elapsed time is only 537 minutes and 59 seconds.
        const CivilDateTime birth{2000, 3, 20, 19, 26, 1};
        const CivilDateTime sunrise{2000, 3, 21, 4, 24, 0};
        QCOMPARE(MinuteBoundariesBetween(birth, sunrise), 538LL);
        QCOMPARE(SecondBoundariesBetween(birth, sunrise), 32279LL);
        QCOMPARE(MinuteBoundariesBetween(sunrise, birth), -538LL);
        // One second across a minute boundary counts one minute.
        QCOMPARE(MinuteBoundariesBetween({2000, 1, 1, 10, 0, 59}, {2000, 1, 1, 10, 1, 0}), 1LL);
        QCOMPARE(MinuteBoundariesBetween({2000, 1, 1, 10, 0, 0}, {2000, 1, 1, 10, 0, 59}), 0LL);
    }

    // New Delhi, 28° 36' N 77° 13' E, zone 5 h 30 min east. On 15 March 1980
    // the sun rises at 6:32 and sets at 18:29; it rises at 6:33 on the 14th
    // and at 6:30 on the 16th.
    void referenceSunrise_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("referenceDay");
        QTest::addColumn<int>("referenceHour");
        QTest::addColumn<int>("referenceMinute");
        QTest::addColumn<qlonglong>("minutes");
        QTest::addColumn<qlonglong>("seconds");
        const int day = static_cast<int>(BirthPeriod::Day);
        const int before = static_cast<int>(BirthPeriod::BeforeSunrise);
        const int after = static_cast<int>(BirthPeriod::AfterSunset);
        QTest::newRow("midday") << 12 << 0 << 0 << day << 15 << 6 << 32 << 328LL << 19680LL;
        QTest::newRow("exactly at sunrise is a day birth")
            << 6 << 32 << 0 << day << 15 << 6 << 32 << 0LL << 0LL;
        QTest::newRow("exactly at sunset is a day birth")
            << 18 << 29 << 0 << day << 15 << 6 << 32 << 717LL << 43020LL;
        QTest::newRow("a second before sunrise: the previous day's sunrise")
            << 6 << 31 << 59 << before << 14 << 6 << 33 << 1438LL << 86339LL;
        QTest::newRow("02:00, some twenty hours after the previous sunrise")
            << 2 << 0 << 0 << before << 14 << 6 << 33 << 1167LL << 70020LL;
        QTest::newRow("a second after sunset: the next day's sunrise")
            << 18 << 29 << 1 << after << 16 << 6 << 30 << 721LL << 43259LL;
        QTest::newRow("22:00, time still to run until the next sunrise")
            << 22 << 0 << 0 << after << 16 << 6 << 30 << 510LL << 30600LL;
    }
    void referenceSunrise() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(int, period);
        QFETCH(int, referenceDay);
        QFETCH(int, referenceHour);
        QFETCH(int, referenceMinute);
        QFETCH(qlonglong, minutes);
        QFETCH(qlonglong, seconds);
        const SunriseReference ref =
            FindSunriseReference(Delhi1980Record(15, hour, minute, second));
        QCOMPARE(ref.today.sunrise, std::optional<ClockTime>(ClockTime{6, 32}));
        QCOMPARE(ref.today.sunset, std::optional<ClockTime>(ClockTime{18, 29}));
        QVERIFY(ref.period && ref.sunrise);
        QCOMPARE(static_cast<int>(*ref.period), period);
        QCOMPARE(*ref.sunrise,
                 (CivilDateTime{1980, 3, referenceDay, referenceHour, referenceMinute, 0}));
        QCOMPARE(*ref.minutesFromSunrise, minutes);
        QCOMPARE(*ref.secondsFromSunrise, seconds);
    }

    void birthAfterSunsetCountsToTheNextSunrise() {
        // 0° 0' N 25° 0' E on Greenwich time, 20 March 2000: the sun sets at
        // 16:31 and rises at 4:24 the next day.
        BirthRecord b;
        b.date = {2000, 3, 20};
        b.time = {19, 26, 1};
        b.place.longitudeDegrees = 25;
        const SunriseReference ref = FindSunriseReference(b);
        QCOMPARE(ref.period, std::optional<BirthPeriod>(BirthPeriod::AfterSunset));
        QCOMPARE(*ref.sunrise, (CivilDateTime{2000, 3, 21, 4, 24, 0}));
        QCOMPARE(*ref.minutesFromSunrise, 538LL);
        QCOMPARE(*ref.secondsFromSunrise, 32279LL);
    }

    void pointsOfAKnownChart() {
        // 15 March 1980 01:00 at New Delhi, measured from 6:33 on the 14th.
        std::array<std::string, 12> labels;
        const auto points = MarkSpecialPoints(WithSunrise(), labels);
        QCOMPARE(points.size(), std::size_t(9));
        const std::array<int, 9> signs = {9, 5, 8, 8, 1, 10, 11, 4, 3};
        for (std::size_t i = 0; i < points.size(); ++i) {
            QVERIFY2(points[i].computed, points[i].name.c_str());
            QCOMPARE(points[i].signIndex, std::optional<int>(signs[i]));
        }
        QCOMPARE(QString::fromStdString(points[1].chartText), QString("13 Vir 48"));
        QCOMPARE(points[4].longitude, 39.0); // 360 - |197 + 124|, both counting as even
        QCOMPARE(MarkerLines(labels), 9);
        QCOMPARE(QString::fromStdString(labels[8]),
                 QString("\r\n\r\n")); // two points in Sagittarius
    }

    void ninthLordPointWrapsWhenTheSumIsAMultipleOfTwelve() {
        // 6 + 6 leaves no remainder: the point is the sign before the
        // ascendant's, from Aries back to Pisces.
        std::array<std::string, 12> labels;
        SpecialPointInputs in = WithSunrise();
        in.InduStartSign = 1;
        in.InduKalaFromLagna = 6;
        in.InduKalaFromMoon = 6;
        QCOMPARE(MarkSpecialPoints(in, labels)[3].signIndex, std::optional<int>(11));
        in.InduStartSign = 5;
        QCOMPARE(MarkSpecialPoints(in, labels)[3].signIndex, std::optional<int>(3));
    }

    void parityPointOfAnEvenAscendantPastAFullTurn() {
        // Ascendant at 350 (Pisces, index 11: an even sign, so A = 360 - 350 =
        // 10) and the second time point at 20 (Aries, odd: B = 20). Parities
        // differ: |B - A| = 10; the ascendant is even, so the point is
        // 360 - 10 = 350, in Pisces. Read with the parities swapped it would
        // be 350 + 20 = 370, brought back to 10 in Aries.
        std::array<std::string, 12> labels;
        SpecialPointInputs in = WithSunrise();
        in.SunriseSunLongitude = 20;
        in.SunriseSunText = "20 Ari 00";
        in.MinutesFromSunrise = 0;
        in.SecondsFromSunrise = 0;
        in.AscendantDegree = 350;
        const auto points = MarkSpecialPoints(in, labels);
        QCOMPARE(points[1].longitude, 20.0);
        QCOMPARE(points[4].longitude, 350.0);
        QCOMPARE(points[4].signIndex, std::optional<int>(11));
        QCOMPARE(QString::fromStdString(points[4].chartText), QString("20 Pis 00"));
    }

    void pointOnAFullTurnIsAries() {
        // 359.5 + 0.5 x 1 lands on 360 exactly: it is Aries, not a text
        // without a sign, and the parity point reads its whole degrees as 0.
        std::array<std::string, 12> labels;
        SpecialPointInputs in = WithSunrise();
        in.SunriseSunLongitude = 359.5;
        in.SunriseSunText = "29 Pis 30";
        in.MinutesFromSunrise = 1;
        in.SecondsFromSunrise = 60;
        in.AscendantDegree = 10; // Aries: odd sign, A = 10
        const auto points = MarkSpecialPoints(in, labels);
        QCOMPARE(points[1].longitude, 0.0);
        QCOMPARE(QString::fromStdString(points[1].chartText), QString("00 Ari 00"));
        QCOMPARE(points[1].signIndex, std::optional<int>(0));
        QCOMPARE(points[4].longitude, 10.0); // |0 + 10|
        QCOMPARE(points[4].signIndex, std::optional<int>(0));
    }

    void sunMarkerAndVighatiPointUseTheSunAtSunrise() {
        // The vighati point counts from the Sun at sunrise as its text shows
        // it: the same time gives Cancer from 00 Pis 18 and Scorpio from 29 Aqu 50.
        std::array<std::string, 12> labels;
        SpecialPointInputs in = WithSunrise();
        QCOMPARE(MarkSpecialPoints(in, labels)[8].signIndex, std::optional<int>(3));
        in.SunriseSunText = "29 Aqu 50";
        in.SunriseSunLongitude = 300 + 29 + 50.9 / 60; // the 54 seconds the text drops
        const auto points = MarkSpecialPoints(in, labels);
        QCOMPARE(points[8].signIndex, std::optional<int>(7));
        QCOMPARE(points[6].signIndex, std::optional<int>(10));

        // A birth before sunrise on 14 March 1980, just after the Sun entered
        // Pisces: the Sun marker stands in Aquarius, where the Sun was at the
        // previous morning's sunrise.
        const auto chart = CalculateChart(
            FormEntries(1980, 3, 14, 5, 0, 0, "28", "36", false, "77", "13", true, 34));
        QVERIFY(chart);
        QVERIFY(chart->form.planet[0].ends_with(" Pis 15"));
        const SpecialPoint& sun = chart->chart.specialPoints[6];
        QCOMPARE(QString::fromStdString(sun.name), QString("Sun at sunrise"));
        QCOMPARE(sun.signIndex, std::optional<int>(10));
        QCOMPARE(sun.chartText, chart->chart.sunriseSunText);
    }

    void polarBirthsGiveFinishedCharts_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::newRow("89 59 N midsummer (polar day)") << 6 << 21;
        QTest::newRow("89 59 N midwinter (polar night)") << 12 << 21;
    }
    void polarBirthsGiveFinishedCharts() {
        QFETCH(int, month);
        QFETCH(int, day);
        const auto chart = CalculateChart(
            FormEntries(1990, month, day, 12, 0, 0, "89", "59", false, "0", "0", true, 29));
        QVERIFY(chart);
        const ChartValues& c = chart->chart;
        QVERIFY(!c.sunriseToday && !c.sunsetToday && !c.sunrisePrevDay && !c.sunriseNextDay);
        QVERIFY(!c.referenceSunrise && !c.minutesFromSunrise && !c.secondsFromSunrise);
        QVERIFY(!c.sunriseSunLongitude);
        QVERIFY(c.sunriseSunText.empty());
        // Only the ninth-lord point, the Moon and the nakshatra point are marked.
        QCOMPARE(ComputedPoints(c.specialPoints), 3);
        QVERIFY(c.specialPoints[3].computed && c.specialPoints[5].computed &&
                c.specialPoints[7].computed);
        QCOMPARE(MarkerLines(chart->form.lblArudha), 12 + 1 + 3);
        QVERIFY(!chart->form.lblHoraDesc.empty());
    }

    void missingTimeMattersOnlyWhenNeeded() {
        // 70° N 23° E, Central European Time, 18 January 1980: the first
        // sunrise after the polar night (11:26, sunset 12:05); the 17th had none.
        const auto day = CalculateChart(
            FormEntries(1980, 1, 18, 11, 40, 0, "70", "0", false, "23", "0", true, 20));
        QVERIFY(day);
        QVERIFY(!day->chart.sunrisePrevDay);
        QCOMPARE(day->chart.sunriseToday, std::optional<ClockTime>(ClockTime{11, 26}));
        QCOMPARE(day->chart.referencePeriod, std::optional<BirthPeriod>(BirthPeriod::Day));
        QCOMPARE(ComputedPoints(day->chart.specialPoints), 9);

        // Before that sunrise the birth needs the missing one.
        const auto early = CalculateChart(
            FormEntries(1980, 1, 18, 9, 0, 0, "70", "0", false, "23", "0", true, 20));
        QVERIFY(early);
        QVERIFY(!early->chart.referenceSunrise && !early->chart.minutesFromSunrise);
        QVERIFY(early->chart.sunriseToday && early->chart.sunsetToday);
        QCOMPARE(ComputedPoints(early->chart.specialPoints), 3);

        // 16 May 1980: sunset 23:11; the 17th has no sunrise, so a birth
        // after that sunset has no reference either.
        const auto late = CalculateChart(
            FormEntries(1980, 5, 16, 23, 59, 0, "70", "0", false, "23", "0", true, 20));
        QVERIFY(late);
        QVERIFY(!late->chart.sunriseNextDay && late->chart.sunsetToday);
        QVERIFY(!late->chart.referenceSunrise);
        QCOMPARE(ComputedPoints(late->chart.specialPoints), 3);
    }

    void summerHourMovesTheSunriseClockNotTheSun() {
        // London, 51° 30' N 0° 7' W, Greenwich time, 15 July 1990 at 12:00.
        const auto winterClock = CalculateChart(
            FormEntries(1990, 7, 15, 12, 0, 0, "51", "30", false, "0", "7", false, 29, false));
        const auto summerClock = CalculateChart(
            FormEntries(1990, 7, 15, 12, 0, 0, "51", "30", false, "0", "7", false, 29, true));
        QVERIFY(winterClock && summerClock);
        QCOMPARE(winterClock->chart.sunriseToday, std::optional<ClockTime>(ClockTime{3, 59}));
        QCOMPARE(summerClock->chart.sunriseToday, std::optional<ClockTime>(ClockTime{4, 59}));
        QCOMPARE(summerClock->chart.sunsetToday, std::optional<ClockTime>(ClockTime{21, 13}));
        QVERIFY(summerClock->chart.referenceIncludesSummerHour);
        QVERIFY(!winterClock->chart.referenceIncludesSummerHour);
        QCOMPARE(*winterClock->chart.minutesFromSunrise - *summerClock->chart.minutesFromSunrise,
                 60LL);
        // Both sunrises are the same instant, so the Sun there is the same.
        QVERIFY(std::abs(*winterClock->chart.sunriseSunLongitude -
                         *summerClock->chart.sunriseSunLongitude) < 1e-4);
    }

    // With the box ticked the birth's clock is one hour ahead; a sunrise
    // computed without the summer hour (outside the fixed window) is moved
    // onto that clock before the birth is measured from it.
    void sunriseOutsideTheSummerWindowIsMeasuredOnTheBirthsClock() {
        // Sydney, 33° 52' S 151° 12' E, AEST with the box ticked, 15 January
        // 1990 07:30: the sunrise function gives 4:58; on the birth's clock
        // it is 5:58, 92 minutes (5,520 seconds) before the birth.
        const auto sydney = CalculateChart(
            FormEntries(1990, 1, 15, 7, 30, 0, "33", "52", true, "151", "12", true, 8, true));
        QVERIFY(sydney);
        QCOMPARE(sydney->chart.sunriseToday, std::optional<ClockTime>(ClockTime{4, 58}));
        QCOMPARE(*sydney->chart.referenceSunrise, (CivilDateTime{1990, 1, 15, 5, 58, 0}));
        QCOMPARE(*sydney->chart.minutesFromSunrise, 92LL);
        QCOMPARE(*sydney->chart.secondsFromSunrise, 5520LL);

        // New York on Eastern Standard Time, 2 November 1995, 10:00 with the
        // box ticked is 09:00 on standard time: every sunrise value and point
        // is that of the unticked birth an hour earlier, and the Sun at
        // sunrise is the same instant's Sun.
        const auto ticked = CalculateChart(
            FormEntries(1995, 11, 2, 10, 0, 0, "40", "43", false, "74", "0", false, 27, true));
        const auto standard = CalculateChart(
            FormEntries(1995, 11, 2, 9, 0, 0, "40", "43", false, "74", "0", false, 27, false));
        QVERIFY(ticked && standard);
        QCOMPARE(*ticked->chart.minutesFromSunrise, *standard->chart.minutesFromSunrise);
        QCOMPARE(*ticked->chart.secondsFromSunrise, *standard->chart.secondsFromSunrise);
        QCOMPARE(ticked->chart.sunriseSunText, standard->chart.sunriseSunText);
        QCOMPARE(ticked->chart.specialPoints, standard->chart.specialPoints);
        QCOMPARE(*ticked->chart.referenceSunrise, (CivilDateTime{1995, 11, 2, 7, 26, 0}));
        QCOMPARE(*standard->chart.referenceSunrise, (CivilDateTime{1995, 11, 2, 6, 26, 0}));
    }

    void sunriseInsideTheSummerWindowIsNotMovedAgain() {
        // London in July with the box ticked: the sunrise already carries the
        // summer hour, and the reference is that sunrise as it stands.
        const auto summer = CalculateChart(
            FormEntries(1990, 7, 15, 12, 0, 0, "51", "30", false, "0", "7", false, 29, true));
        QVERIFY(summer);
        QCOMPARE(*summer->chart.referenceSunrise, (CivilDateTime{1990, 7, 15, 4, 59, 0}));
        QCOMPARE(*summer->chart.minutesFromSunrise, 7 * 60 + 1LL);
    }
};

QTEST_APPLESS_MAIN(TestSpecialPoints)
#include "test_special_points.moc"
