#include "chart/chart_driver.h"
#include "chart/house_significance.h"
#include "chart/sign_tables.h"
#include "input/entry_number.h"
#include "support/sample_entries.h"

#include <QTest>

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

using namespace selmarind;

namespace {

// New Delhi, 28° 36' N 77° 13' E, Indian Time.
BirthEntries Delhi(int year, int month, int day, int hour, int minute = 0) {
    return FormEntries(year, month, day, hour, minute, 0, "28", "36", false, "77", "13", true,
                       kIndianTimeZoneIndex);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

template <std::size_t N>
void CompareTexts(const std::array<std::string, N>& actual,
                  const std::array<const char*, N>& expected) {
    for (std::size_t i = 0; i < N; ++i) {
        QCOMPARE(Q(actual[i]), QString::fromUtf8(expected[i]));
    }
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

} // namespace

class TestChartDriver : public QObject {
    Q_OBJECT
private slots:
    void knownChartOfMarch1980() {
        // 15 March 1980 01:00 Indian Time at New Delhi: the engine's worked
        // example (ascendant 26 Sco 11, planets for 14 March 19:30 UT).
        const auto result = CalculateChart(Delhi(1980, 3, 15, 1));
        QVERIFY(result);
        CompareTexts<10>(result->form.planet,
                         {"01 Pis 04", "02 Aqu 53", "15 Aqu 16", "15 Ari 39", "05 Leo 49",
                          "09 Leo 34", "00 Vir 19", "03 Leo 29", "03 Aqu 29", "26 Sco 11"});
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(std::abs(result->chart.ascendantSidereal - 236.191) < 0.001);
        QVERIFY(std::abs(result->chart.ayanamsa - -23.579) < 0.001);
        QCOMPARE(result->chart.ascendantSignNumber, 8);
        QCOMPARE(Q(result->chart.dmsText[9]), QString::fromUtf8("26° 11' 25\" Sco"));

        // Mercury, Mars, Jupiter and Saturn are retrograde on that date, Venus is not.
        QCOMPARE(result->chart.retrogradeFlags,
                 (std::array<bool, 5>{true, false, true, true, true}));
        QCOMPARE(Q(result->chart.bodyNames[2]), QString("Mercury (R) "));
        QCOMPARE(Q(result->chart.bodyNames[3]), QString("Venus"));

        // Each cell lists its bodies after a leading line break, in body order;
        // empty signs stay empty.
        CompareTexts<12>(result->form.signCells,
                         {"\r\nVenus", "", "", "", "\r\nMars (R) \r\nJupiter (R) \r\nRahu",
                          "\r\nSaturn (R) ", "", "\r\nAsc", "", "",
                          "\r\nMoon\r\nMercury (R) \r\nKetu", "\r\nSun"});
        if (QTest::currentTestFailed()) {
            return;
        }

        // Twelve arudhas, the Torvi Lagna and nine points: 22 marker lines,
        // and "TL" once, in Leo right after Leo's arudha line.
        std::string allMarkers;
        for (const auto& label : result->form.lblArudha) {
            allMarkers += label;
        }
        QCOMPARE(CountOf(allMarkers, "\r\n"), 22);
        QCOMPARE(CountOf(allMarkers, "TL"), 1);
        QVERIFY(result->form.lblArudha[4].rfind("\r\nTL", 0) == 0);
    }

    void retrogradeAscendantLordGivesTheTorviLagna() {
        // Scorpio ascendant; its lord Mars is retrograde in Leo.
        const auto result = CalculateChart(Delhi(1980, 3, 15, 1));
        QVERIFY(result);
        QCOMPARE(result->chart.torviLagnaSign, 5);
        QCOMPARE(result->chart.TorviLagnaIndex(), std::optional<std::size_t>(4));
        QCOMPARE(result->chart.torviLagnaHouse, 10);
        QCOMPARE(Q(result->form.lblHoraDesc),
                 QString::fromUtf8(kHouseSentences[9].data(), kHouseSentences[9].size()));
        // The attribute controls show Leo's entries, in their control order.
        for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
            QCOMPARE(Q(result->form.attributes[c]),
                     Q(std::string(SignTableEntry(kAttributeControls[c].table, 4))));
        }
        QCOMPARE(Q(result->form.attributes[0]), QString("Leo"));
        QCOMPARE(Q(result->form.attributes[1]), QString("Simha"));
    }

    // Values not made by a calculation name no sign and no arudha, and the
    // houses map onto the arudha signs without a shift.
    void signAccessorsStayInsideTheirRanges() {
        ChartValues values;
        QVERIFY(!values.TorviLagnaIndex());
        values.torviLagnaSign = 13;
        QVERIFY(!values.TorviLagnaIndex());
        values.torviLagnaSign = 12;
        QCOMPARE(values.TorviLagnaIndex(), std::optional<std::size_t>(11));
        for (int house = 1; house <= 12; ++house) {
            values.arudhaSigns[static_cast<std::size_t>(house - 1)] = 13 - house;
        }
        QCOMPARE(values.ArudhaSignOfHouse(1), 12);
        QCOMPARE(values.ArudhaSignOfHouse(12), 1);
        QCOMPARE(values.ArudhaSignOfHouse(0), 0);
        QCOMPARE(values.ArudhaSignOfHouse(13), 0);
    }

    void torviLagnaHouseOneAndTwelve_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("ascendantSign");
        QTest::addColumn<int>("torviLagnaSign");
        QTest::addColumn<int>("house");
        // Leo ascendant with the Sun in Leo: the lord in the ascendant's sign.
        QTest::newRow("house 1") << 8 << 25 << 7 << 5 << 5 << 1;
        // Taurus ascendant with Venus in Aries: the sign before the ascendant's.
        QTest::newRow("house 12") << 3 << 15 << 10 << 2 << 1 << 12;
    }
    void torviLagnaHouseOneAndTwelve() {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, ascendantSign);
        QFETCH(int, torviLagnaSign);
        QFETCH(int, house);
        const auto result = CalculateChart(Delhi(1980, month, day, hour));
        QVERIFY(result);
        QCOMPARE(result->chart.ascendantSignNumber, ascendantSign);
        QCOMPARE(result->chart.torviLagnaSign, torviLagnaSign);
        QCOMPARE(result->chart.torviLagnaHouse, house);
        QCOMPARE(Q(result->form.lblHoraDesc), Q(std::string(HouseSentence(house))));
    }

    void houseCountingAndSentences() {
        QCOMPARE(TorviLagnaHouse(5, 5), 1);
        QCOMPARE(TorviLagnaHouse(4, 5), 12);
        QCOMPARE(TorviLagnaHouse(12, 1), 12);
        QCOMPARE(TorviLagnaHouse(1, 12), 2);
        QCOMPARE(TorviLagnaHouse(0, 5), 0); // a missing sign gives no house
        QCOMPARE(std::string(HouseSentence(1)).back(), ' ');
        QVERIFY(std::string(HouseSentence(9)).ends_with("importance.  "));
        QVERIFY(std::string(HouseSentence(11)).ends_with("benefit.    "));
        QVERIFY(HouseSentence(0).empty());
        QVERIFY(HouseSentence(13).empty());
    }

    void personalDetailsAsTheFormShowsThem_data() {
        QTest::addColumn<QString>("latD");
        QTest::addColumn<QString>("latM");
        QTest::addColumn<bool>("south");
        QTest::addColumn<QString>("lonD");
        QTest::addColumn<QString>("lonM");
        QTest::addColumn<bool>("east");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::newRow("north east") << "12"
                                    << "58" << false << "77"
                                    << "35" << true << "12° 58' N"
                                    << "77° 35' E";
        QTest::newRow("zero degrees") << "0"
                                      << "0" << false << "0"
                                      << "0" << true << "0° 0' N"
                                      << "0° 0' E";
        QTest::newRow("no leading zeros") << "12"
                                          << "05" << false << "007"
                                          << "09" << true << "12° 5' N"
                                          << "7° 9' E";
        QTest::newRow("south west") << "33"
                                    << "52" << true << "151"
                                    << "12" << false << "33° 52' S"
                                    << "151° 12' W";
    }
    void personalDetailsAsTheFormShowsThem() {
        QFETCH(QString, latD);
        QFETCH(QString, latM);
        QFETCH(bool, south);
        QFETCH(QString, lonD);
        QFETCH(QString, lonM);
        QFETCH(bool, east);
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        BirthEntries e = FormEntries(1980, 1, 5, 9, 5, 30, latD.toStdString().c_str(),
                                     latM.toStdString().c_str(), south, lonD.toStdString().c_str(),
                                     lonM.toStdString().c_str(), east, kIndianTimeZoneIndex);
        e.txtMCity = " Bengaluru ";
        e.txtMState = "Karnataka";
        e.txtMCountry = "India";
        const auto result = CalculateChart(e);
        QVERIFY(result);
        QCOMPARE(Q(result->form.lblName), QString("RAVI KUMAR"));
        QCOMPARE(Q(result->form.lblDOB), QString("January/5/1980"));
        QCOMPARE(Q(result->form.lblTOB), QString("9:5"));
        QCOMPARE(Q(result->form.lblLatitude), latitude);
        QCOMPARE(Q(result->form.lblLongitude), longitude);
        QCOMPARE(Q(result->form.lblCity), QString(" Bengaluru ")); // unchanged, spaces kept
        QCOMPARE(Q(result->form.lblState), QString("Karnataka"));
        QCOMPARE(Q(result->form.lblCountry), QString("India"));
    }

    void secondCalculationKeepsNothingOfTheFirst() {
        // A chart with four retrograde planets, and one with none in the
        // polar night, where no sunrise exists.
        const BirthEntries first = Delhi(1980, 3, 15, 1);
        const BirthEntries second =
            FormEntries(1991, 11, 20, 12, 0, 0, "89", "59", false, "0", "0", true, 29);
        const auto firstAlone = CalculateChart(first);
        const auto secondAlone = CalculateChart(second);
        QVERIFY(firstAlone && secondAlone);

        const auto secondAfterFirst = CalculateChart(second);
        const auto firstAfterSecond = CalculateChart(first);
        QVERIFY(*secondAfterFirst == *secondAlone);
        QVERIFY(*firstAfterSecond == *firstAlone);
        for (const auto& cell : secondAfterFirst->form.signCells) {
            QVERIFY(cell.find("(R)") == std::string::npos);
        }
        QVERIFY(!secondAfterFirst->chart.minutesFromSunrise);
        QVERIFY(!secondAfterFirst->chart.sunriseSunLongitude);
    }

    void entriesThatCannotBeUsedGiveNoResult_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("empty name (refused by validation)") << 0;
        QTest::newRow("longitude 180 (refused by validation)") << 1;
        QTest::newRow("30 February (refused by validation)") << 2;
        QTest::newRow("degrees followed by a letter (no number)") << 3;
        QTest::newRow("no time zone selected") << 4;
        QTest::newRow("hour outside the list") << 5;
        QTest::newRow("year outside the list") << 6;
        QTest::newRow("seconds not a number") << 7;
    }
    void entriesThatCannotBeUsedGiveNoResult() {
        QFETCH(int, fault);
        BirthEntries e = Delhi(1980, 3, 15, 1);
        switch (fault) {
        case 0:
            e.txtName = "   ";
            break;
        case 1:
            e.txtLonD = "180";
            break;
        case 2:
            e.cboMonthIndex = 1;
            e.cboDate = "30";
            break;
        case 3:
            e.txtLatD = "28a"; // passes validation by its leading number
            break;
        case 4:
            e.cmbTimeZoneIndex = -1;
            break;
        case 5:
            e.cboHH = "24";
            break;
        case 6:
            e.cboYear = "1900";
            break;
        case 7:
            e.cboSS = "x";
            break;
        }
        const ChartOrFailure result = CalculateChart(e);
        QVERIFY(!result);
        // The reason comes with the result: the checks' own fault, or none
        // for an entry that passed them and still does not convert.
        const std::optional<ValidationFault> checked = ValidateBirthData(e);
        QCOMPARE(result.failure().fault.has_value(), checked.has_value());
        if (checked) {
            QCOMPARE(result.failure().fault->message, checked->message);
            QCOMPARE(result.failure().fault->focus, checked->focus);
        }
        QCOMPARE(result.failure().reason, std::string());
    }

    void entryNumbersRoundHalvesToEven() {
        QCOMPARE(EntryToInt16("12"), std::optional<std::int16_t>(12));
        QCOMPARE(EntryToInt16(" 7 "), std::optional<std::int16_t>(7));
        QCOMPARE(EntryToInt16("-3"), std::optional<std::int16_t>(-3));
        QCOMPARE(EntryToInt16("2.5"), std::optional<std::int16_t>(2));
        QCOMPARE(EntryToInt16("3.5"), std::optional<std::int16_t>(4));
        QCOMPARE(EntryToInt16("-2.5"), std::optional<std::int16_t>(-2));
        QCOMPARE(EntryToInt16("2.5001"), std::optional<std::int16_t>(3));
        QCOMPARE(EntryToInt16(".5"), std::optional<std::int16_t>(0));
        QCOMPARE(EntryToInt16("32767"), std::optional<std::int16_t>(32767));
        QCOMPARE(EntryToInt16("-32768"), std::optional<std::int16_t>(-32768));
        QVERIFY(!EntryToInt16("32768"));
        QVERIFY(!EntryToInt16("32767.5")); // rounds to 32768
        QVERIFY(!EntryToInt16("99999999999999999999"));
        QVERIFY(!EntryToInt16(""));
        QVERIFY(!EntryToInt16("  "));
        QVERIFY(!EntryToInt16("12abc"));
        QVERIFY(!EntryToInt16("1.2.3"));
        QVERIFY(!EntryToInt16("-"));
    }
};

QTEST_APPLESS_MAIN(TestChartDriver)
#include "test_chart_driver.moc"
