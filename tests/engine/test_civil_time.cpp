#include "engine/civil_time.h"

#include <QTest>

using namespace selmarind;

class TestCivilTime : public QObject {
    Q_OBJECT
private slots:
    void serialDayEpochs() {
        // Day 0 is 30 December 1899; 1 January 1900 is day 2.
        QCOMPARE(SerialDay({1899, 12, 30}), 0);
        QCOMPARE(SerialDay({1900, 1, 1}), 2);
        QCOMPARE(SerialDay({2000, 1, 1}), 36526);
        QCOMPARE(SerialDay({1899, 12, 29}), -1);
    }

    void roundTripOverTwoCenturies() {
        for (std::int64_t d = -1000; d < 60000; ++d) {
            const CivilDate c = CivilFromSerialDay(d);
            QVERIFY(IsValidCivilDate(c.year, c.month, c.day));
            QCOMPARE(SerialDay(c), d);
        }
    }

    void weekdayAndDayOfYear() {
        QCOMPARE(Weekday({2000, 1, 1}), 6);  // a Saturday
        QCOMPARE(Weekday({1980, 3, 16}), 0); // a Sunday
        QCOMPARE(Weekday({1901, 1, 1}), 2);  // a Tuesday
        QCOMPARE(DayOfYear({2000, 1, 1}), 1);
        QCOMPARE(DayOfYear({2000, 12, 31}), 366);
        QCOMPARE(DayOfYear({1999, 12, 31}), 365);
    }

    void minutesCarryAcrossMonthAndYear() {
        // 00:30 on 1 March less five and a half hours falls on the last day of February.
        QCOMPARE(AddMinutes({2000, 3, 1, 0, 30, 0}, -330), (CivilDateTime{2000, 2, 29, 19, 0, 0}));
        QCOMPARE(AddMinutes({1999, 3, 1, 0, 30, 0}, -330), (CivilDateTime{1999, 2, 28, 19, 0, 0}));
        QCOMPARE(AddMinutes({2050, 12, 31, 23, 30, 0}, 60), (CivilDateTime{2051, 1, 1, 0, 30, 0}));
    }

    void calendarValidity() {
        QVERIFY(IsValidCivilDate(2000, 2, 29));
        QVERIFY(!IsValidCivilDate(1900, 2, 29));
        QVERIFY(!IsValidCivilDate(1999, 2, 29));
        QVERIFY(!IsValidCivilDate(2000, 4, 31));
        QVERIFY(!IsValidCivilDate(2000, 13, 1));
        QCOMPARE(QString(MonthName(9)), QString("September"));
        QCOMPARE(QString(MonthName(0)), QString());
    }
};

QTEST_APPLESS_MAIN(TestCivilTime)
#include "test_civil_time.moc"
