#include "engine/vighati.h"

#include <QTest>

using namespace selmarind;

class TestVighati : public QObject {
    Q_OBJECT
private slots:
    void splitsIntoSignsDegreesMinutesSeconds_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("signs");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<double>("seconds");
        QTest::newRow("zero") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("quarter past twenty") << 20.25 << 1.0 << 7.0 << 30.0 << 0.0;
        QTest::newRow("negative reads as its magnitude") << -20.25 << 1.0 << 7.0 << 30.0 << 0.0;
        QTest::newRow("integral part below fifteen") << 14.5 << 0.0 << 15.0 << 0.0 << 0.0;
        QTest::newRow("a full day after sunrise") << 240.0 << 16.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("seconds of arc") << 0.0001 << 0.0 << 0.0 << 0.0 << 10.0;
        // 2.3 - 2 is 0.29999999999999982 in doubles: the degree falls a hair
        // short of 9 and the parts are cut, not rounded.
        QTest::newRow("fraction a hair below 9 degrees") << 2.3 << 0.0 << 8.0 << 59.0 << 59.0;
        // 432 seconds after sunrise, scaled as the sunrise points do it.
        QTest::newRow("432 s after sunrise")
            << 432.0 / 3600 * 150 / 15 << 0.0 << 5.0 << 59.0 << 59.0;
    }

    void splitsIntoSignsDegreesMinutesSeconds() {
        QFETCH(double, x);
        QFETCH(double, signs);
        QFETCH(double, degrees);
        QFETCH(double, minutes);
        QFETCH(double, seconds);
        const PranapadaParts p = Vighati2Degree(x);
        QCOMPARE(p.PranapadaSigns, signs);
        QCOMPARE(p.PranapadaDegrees, degrees);
        QCOMPARE(p.PranapadaMinutes, minutes);
        QCOMPARE(p.PranapadaSeconds, seconds);
    }
};

QTEST_APPLESS_MAIN(TestVighati)
#include "test_vighati.moc"
