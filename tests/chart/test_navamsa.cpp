// The ninth-part chart: its signs against the rule of movable, fixed and dual
// signs, its Torvi Lagna in hand-worked charts, and the chart values of both
// position sources.
#include "chart/chart_driver.h"
#include "chart/chart_invariants.h"
#include "chart/navamsa.h"
#include "support/sample_entries.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace selmarind;

namespace {

// The quality of each sign, Aries to Pisces, as the rule is taught: the
// nine parts of a movable sign are counted from the sign itself, of a fixed
// sign from its ninth, of a dual sign from its fifth.
enum Quality { Movable, Fixed, Dual };
constexpr Quality kQuality[12] = {Movable, Fixed, Dual, Movable, Fixed, Dual,
                                  Movable, Fixed, Dual, Movable, Fixed, Dual};

int RuleSign(double longitudeDeg) {
    const int sign = static_cast<int>(longitudeDeg / 30);
    const double within = longitudeDeg - 30.0 * sign;
    const int part = static_cast<int>(within / (10.0 / 3.0)); // 3° 20' each, 0..8
    int first = sign;
    if (kQuality[sign] == Fixed) {
        first = sign + 8;
    } else if (kQuality[sign] == Dual) {
        first = sign + 4;
    }
    return (first + part) % 12;
}

} // namespace

class TestNavamsa : public QObject {
    Q_OBJECT

private slots:
    void signsFollowTheRuleOfQualities() {
        std::mt19937_64 draw(20261209);
        std::uniform_real_distribution<double> longitude(0.0, 360.0);
        std::vector<double> values;
        for (int i = 0; i < 1000; ++i) {
            values.push_back(longitude(draw));
        }
        // Sign starts, the last instant of a sign and the circle's end.
        for (int sign = 0; sign < 12; ++sign) {
            values.push_back(30.0 * sign);
            values.push_back(30.0 * sign + 29.999999);
            values.push_back(30.0 * sign + 15.0);
        }
        values.push_back(359.9999999);
        for (const double l : values) {
            const std::optional<int> d9 = NavamsaSignIndex(l);
            QVERIFY2(d9 && *d9 == RuleSign(l), qPrintable(QString("L=%1 got %2 rule %3")
                                                              .arg(l, 0, 'g', 17)
                                                              .arg(d9 ? *d9 : -1)
                                                              .arg(RuleSign(l))));
        }
    }

    void longitudesOutsideTheCircleWrapAndNonFiniteHaveNone() {
        QCOMPARE(NavamsaSignIndex(360.0), NavamsaSignIndex(0.0));
        QCOMPARE(NavamsaSignIndex(-1.0), NavamsaSignIndex(359.0));
        QCOMPARE(NavamsaSignIndex(725.0), NavamsaSignIndex(5.0));
        QVERIFY(!NavamsaSignIndex(std::nan("")));
        QVERIFY(!NavamsaSignIndex(INFINITY));
        std::array<double, kBodyCount> longitudes{};
        longitudes[Index(Body::Saturn)] = std::nan("");
        QVERIFY(!ComputeNavamsa(longitudes));
    }

    // Worked by hand with the rule above; only the ascendant and the lord
    // of its D9 sign matter, the other bodies stand at 0° Aries.
    void torviLagnaOfTheNavamsa_data() {
        QTest::addColumn<double>("ascendant");
        QTest::addColumn<int>("lord");
        QTest::addColumn<double>("lordLongitude");
        QTest::addColumn<int>("ascendantD9"); // sign index 0..11
        QTest::addColumn<int>("torviLagna");  // sign number 1..12
        // 5° Aries: movable, 2nd part -> Taurus, lord Venus; Venus at 11° Cancer:
        // movable, 4th part -> Libra.
        QTest::newRow("Venus") << 5.0 << int(Body::Venus) << 101.0 << 1 << 7;
        // 11° Sagittarius: dual, from Aries, 4th part -> Cancer, lord Moon;
        // Moon at 2° Aries -> Aries.
        QTest::newRow("Moon") << 251.0 << int(Body::Moon) << 2.0 << 3 << 1;
        // 29° Scorpio: fixed, from Cancer, 9th part -> Pisces, lord Jupiter;
        // Jupiter at 21° Taurus: fixed, from Capricorn, 7th part -> Cancer.
        QTest::newRow("Jupiter") << 239.0 << int(Body::Jupiter) << 51.0 << 11 << 4;
        // 1° Leo: fixed, from Aries -> Aries, lord Mars; Mars at 27° Pisces:
        // dual, from Cancer, 9th part -> Pisces.
        QTest::newRow("Mars") << 121.0 << int(Body::Mars) << 357.0 << 0 << 12;
        // 14° Cancer: movable, 5th part -> Scorpio, lord Mars again, at 0° Aries.
        QTest::newRow("lord in Aries") << 104.0 << int(Body::Mars) << 0.0 << 7 << 1;
    }
    void torviLagnaOfTheNavamsa() {
        QFETCH(double, ascendant);
        QFETCH(int, lord);
        QFETCH(double, lordLongitude);
        QFETCH(int, ascendantD9);
        QFETCH(int, torviLagna);
        std::array<double, kBodyCount> longitudes{};
        longitudes[Index(Body::Ascendant)] = ascendant;
        longitudes[static_cast<std::size_t>(lord)] = lordLongitude;
        const std::optional<NavamsaChart> chart = ComputeNavamsa(longitudes);
        QVERIFY(chart);
        QCOMPARE(chart->AscendantSignIndex(), ascendantD9);
        QCOMPARE(chart->torviLagnaSign, torviLagna);
    }

    // Both sources file the D9 signs of the longitudes they report.
    void chartValuesCarryTheNavamsa() {
        for (const PositionSource source : {PositionSource::Classic, PositionSource::Precise}) {
            const ChartOrFailure result = CalculateChart(Delhi1980Entries(), {source});
            QVERIFY(result);
            const ChartValues& chart = result->chart;
            for (std::size_t i = 0; i < kBodyCount; ++i) {
                QCOMPARE(chart.navamsa.signs[i], RuleSign(chart.longitude[i]));
            }
            const std::optional<NavamsaChart> expected = ComputeNavamsa(chart.longitude);
            QVERIFY(expected);
            QCOMPARE(chart.navamsa.torviLagnaSign, expected->torviLagnaSign);
            QCOMPARE(chart.utcOffsetSeconds, 5 * 3600 + 30 * 60);
            QCOMPARE(PeriodsFault(chart), std::string());
        }
    }

    // The invariants the sweeps apply catch a Navamsa or periods gone wrong.
    void invariantsCatchBrokenValues() {
        const ChartOrFailure result = CalculateChart(Delhi1980Entries());
        QVERIFY(result);
        ChartValues wrongTorvi = result->chart;
        wrongTorvi.navamsa.torviLagnaSign = wrongTorvi.navamsa.torviLagnaSign % 12 + 1;
        ChartValues gap = result->chart;
        gap.dasha[3].sub[5].start.serialSeconds += 1;
        ChartValues late = result->chart;
        late.birthUniversal.year -= 10; // the periods now start after the birth
        ChartValues eight = result->chart;
        eight.dasha.pop_back();
        for (const ChartValues* broken : {&wrongTorvi, &gap, &late, &eight}) {
            QVERIFY(!PeriodsFault(*broken).empty());
        }
    }
};

QTEST_APPLESS_MAIN(TestNavamsa)
#include "test_navamsa.moc"
