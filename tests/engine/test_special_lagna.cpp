#include "engine/name_tables.h"
#include "engine/special_lagna.h"

#include <QTest>

#include <vector>

using namespace selmarind;

namespace {

// A chart as the arudha step sees it: sign numbers 1..12 in body order
// (9 = ascendant), kept as sign indices 0..11.
struct Chart {
    std::array<std::optional<int>, 10> signs;
    std::array<std::string, 10> names;
};

Chart MakeChart(const std::array<int, 10>& signs) {
    Chart chart;
    for (std::size_t j = 0; j < 10; ++j) {
        chart.signs[j] = signs[j] - 1;
        chart.names[j] = std::string(kBodyNames[j]);
    }
    return chart;
}

struct Run {
    ArudhaState state;
    std::array<std::string, 12> labels;
};

// The calls of one chart in house order from the ascendant's sign.
Run RunHouses(const Chart& chart, int houses) {
    Run run;
    const int ascendantIndex = chart.signs[9].value_or(0);
    const ArudhaBodies bodies = ReadArudhaBodies(chart.signs, chart.names);
    for (int h = 0; h < houses; ++h) {
        const auto signIndex = static_cast<std::size_t>((ascendantIndex + h) % 12);
        ComputeArudha(kSignLords[signIndex], bodies, run.state, run.labels);
    }
    return run;
}

// Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu in fixed
// signs; Mars and the ascendant are set per case.
Chart ChartWith(int ascendantSign, int marsSign) {
    return MakeChart({5, 9, 6, 7, marsSign, 12, 10, 3, 9, ascendantSign});
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class TestSpecialLagna : public QObject {
    Q_OBJECT
private slots:
    void firstHouseFindsArudhaAndTorviLagna_data() {
        QTest::addColumn<int>("ascendant");
        QTest::addColumn<int>("mars");
        QTest::addColumn<bool>("retrograde");
        QTest::addColumn<int>("arudha");
        QTest::addColumn<int>("torviLagna");
        QTest::newRow("Aries, Mars in Leo: 8 signs on, Sagittarius") << 1 << 5 << false << 9 << 5;
        QTest::newRow("lord in the house's own sign: the tenth sign") << 1 << 1 << false << 10 << 1;
        QTest::newRow("lord in the seventh sign: the tenth sign") << 1 << 7 << false << 10 << 7;
        QTest::newRow("Aries, Mars in Cancer: Libra is seventh, so Cancer")
            << 1 << 4 << false << 4 << 4;
        QTest::newRow("Scorpio, Mars in Leo: Taurus is seventh, so Aquarius")
            << 8 << 5 << false << 11 << 5;
        QTest::newRow("retrograde lord is still the lord") << 1 << 5 << true << 9 << 5;
    }

    void firstHouseFindsArudhaAndTorviLagna() {
        QFETCH(int, ascendant);
        QFETCH(int, mars);
        QFETCH(bool, retrograde);
        QFETCH(int, arudha);
        QFETCH(int, torviLagna);
        Chart chart = ChartWith(ascendant, mars);
        if (retrograde) {
            chart.names[4] = "Mars (R) ";
        }
        const Run run = RunHouses(chart, 1);
        QCOMPARE(run.state.HouseCounter, 1);
        QCOMPARE(run.state.ArudhaSignOfHouse(1), arudha);
        QCOMPARE(run.state.HouseLordSign, mars);
        QCOMPARE(run.state.TorviLagnaSign, torviLagna);
        QCOMPARE(run.state.InduStartSign, ascendant);
        // One empty line in the arudha's cell, then "TL" in the lord's cell.
        for (int sign = 1; sign <= 12; ++sign) {
            std::string expected;
            if (sign == arudha) {
                expected += "\r\n";
            }
            if (sign == torviLagna) {
                expected += "\r\nTL";
            }
            QCOMPARE(Q(run.labels[static_cast<std::size_t>(sign - 1)]), Q(expected));
        }
    }

    // Aries rising with Mars in Cancer: the arudha of house 1 and the Torvi
    // Lagna share Cancer, and the arudha line comes first.
    void torviLagnaMarkerFollowsTheArudhaLine() {
        const Run run = RunHouses(ChartWith(1, 4), 1);
        QCOMPARE(Q(run.labels[3]), QString("\r\n\r\nTL"));
    }

    // All twelve houses of one chart, worked out by hand: Aries rising; Sun
    // and Mars in Leo, Moon and Ketu in Sagittarius, Mercury in Virgo, Venus
    // in Libra, Jupiter in Pisces, Saturn in Capricorn, Rahu in Gemini.
    void twelveHousesOfOneChart() {
        const Run run = RunHouses(ChartWith(1, 5), 12);
        const std::array<int, 12> arudhas = {9, 12, 6, 2, 2, 3, 4, 11, 12, 7, 9, 9};
        for (std::size_t house = 1; house <= 12; ++house) {
            QVERIFY2(run.state.ArudhaSignOfHouse(house) == arudhas[house - 1],
                     qPrintable(QString("house %1: %2, expected %3")
                                    .arg(house)
                                    .arg(run.state.ArudhaSignOfHouse(house))
                                    .arg(arudhas[house - 1])));
        }
        // A sign that is the arudha of several houses gets one line for each.
        const std::array<const char*, 12> labels = {
            "",     "\r\n\r\n", "\r\n",         "\r\n", "\r\nTL", "\r\n",
            "\r\n", "",         "\r\n\r\n\r\n", "",     "\r\n",   "\r\n\r\n"};
        for (std::size_t k = 0; k < 12; ++k) {
            QCOMPARE(Q(run.labels[k]), QString(labels[k]));
        }
        QCOMPARE(run.state.HouseCounter, 12);
        QCOMPARE(run.state.HouseSign, 12);
        QCOMPARE(run.state.TorviLagnaSign, 5);
        QCOMPARE(run.state.InduStartSign, 1);
        QCOMPARE(run.state.InduKalaFromLagna, NinthLordKala[0]);
        QCOMPARE(run.state.InduKalaFromMoon, 30); // Moon in Sagittarius
    }

    // Pisces rising: house 9 is Scorpio, counted as sign 20. Mars in Leo puts
    // its arudha on Taurus, the seventh from Scorpio, so it moves to Aquarius.
    void houseCountedPastPisces() {
        const Run run = RunHouses(ChartWith(12, 5), 9);
        QCOMPARE(run.state.HouseSign, 20);
        QCOMPARE(run.state.ArudhaSignOfHouse(9), 11);
        QCOMPARE(run.state.InduStartSign, 12);
        QCOMPARE(run.state.InduKalaFromLagna, 6);
    }

    // A body with no sign is passed over; when that body is the
    // ascendant's lord, no Torvi Lagna is marked anywhere.
    void textWithoutSignIsSkipped() {
        Chart chart = ChartWith(1, 5);
        chart.signs[4].reset();
        const Run run = RunHouses(chart, 12);
        QCOMPARE(run.state.TorviLagnaSign, 0);
        // Houses outside 1..12 have no arudha, whatever was worked.
        QCOMPARE(run.state.ArudhaSignOfHouse(0), 0);
        QCOMPARE(run.state.ArudhaSignOfHouse(13), 0);
        int lines = 0;
        for (const std::string& label : run.labels) {
            QVERIFY(label.find("TL") == std::string::npos);
            for (std::size_t at = label.find("\r\n"); at != std::string::npos;
                 at = label.find("\r\n", at + 2)) {
                ++lines;
            }
        }
        QCOMPARE(lines, 12);
    }

    // The bodies keep their names after the caller's texts are gone, and a
    // sign index or number outside the twelve counts as no sign.
    void bodiesOutliveTheirTexts() {
        const Chart chart = ChartWith(9, 5); // Sagittarius: its lord Jupiter is in Pisces
        ArudhaBodies bodies = [&chart] {
            std::array<std::string, 10> names = chart.names;
            // Longer than a short string's own buffer.
            names[5] = "Jupiter" + std::string(kRetrogradeMarker) + std::string(kRetrogradeMarker) +
                       std::string(kRetrogradeMarker);
            return ReadArudhaBodies(chart.signs, names);
        }();
        const std::vector<std::string> reuse(8, std::string(20, 'x'));
        Run run;
        ComputeArudha(kSignLords[8], bodies, run.state, run.labels);
        QCOMPARE(run.state.TorviLagnaSign, 12);

        std::array<std::optional<int>, 10> signs = chart.signs;
        signs[0] = 12;
        signs[2] = -1;
        QCOMPARE(ReadArudhaBodies(signs, chart.names).signNumber[0], 0);
        QCOMPARE(ReadArudhaBodies(signs, chart.names).signNumber[2], 0);
        bodies.signNumber[1] = 13;
        bodies.signNumber[9] = -1;
        Run odd;
        ComputeArudha(kSignLords[8], bodies, odd.state, odd.labels);
        QCOMPARE(odd.state.InduKalaFromMoon, 0);
        QCOMPARE(odd.state.InduKalaFromLagna, 0);
        QCOMPARE(odd.state.TorviLagnaSign, 12);
    }
};

QTEST_APPLESS_MAIN(TestSpecialLagna)
#include "test_special_lagna.moc"
