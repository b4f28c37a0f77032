// The rows of computed values that the result form's details tab and the
// plain report share: the UTC offset in words, angles to the second, the
// positions note, and the report keeping its designed lines.
#include "chart/chart_driver.h"
#include "input/time_zones.h"
#include "report/chart_details.h"
#include "report/report.h"
#include "support/sample_entries.h"

#include <QTest>

#include <string>

using namespace selmarind;

Q_DECLARE_METATYPE(BirthEntries)

namespace {

int ZoneIndex(std::string_view itemTextStart) {
    const auto& zones = TimeZoneList();
    for (int i = 0; i < kTimeZoneCount; ++i) {
        if (zones[static_cast<std::size_t>(i)].itemText.starts_with(itemTextStart)) {
            return i;
        }
    }
    return -1;
}

QString Q(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

} // namespace

class TestChartDetails : public QObject {
    Q_OBJECT

private slots:
    // Offsets from the zone list's corrections (positive west), the summer
    // hour added when the box is ticked; the minus is U+2212.
    void utcOffsetInWords_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("expected");
        QTest::newRow("India, half hour") << "Indian Time" << false << "UTC+05:30";
        QTest::newRow("Greenwich") << "Greenwich Mean Time" << false << "UTC+00:00";
        QTest::newRow("EST with summer hour")
            << "Eastern Standard Time" << true << "UTC\u221204:00 with daylight saving";
        QTest::newRow("AEST with summer hour")
            << "Australian Eastern Standard Time" << true << "UTC+11:00 with daylight saving";
    }
    void utcOffsetInWords() {
        QFETCH(QString, zone);
        QFETCH(bool, dst);
        QFETCH(QString, expected);
        BirthEntries entries;
        entries.cmbTimeZoneIndex = ZoneIndex(zone.toStdString());
        QVERIFY2(entries.cmbTimeZoneIndex >= 0, qPrintable(zone));
        entries.chkDST = dst;
        QCOMPARE(Q(UtcOffsetText(entries)), expected);
    }

    // The atlas's exact entry (Kathmandu, +05:45) and a selection that
    // names no zone, which has no offset rather than a made-up one.
    void exactEntryAndNoZone() {
        BirthEntries entries;
        entries.cmbTimeZoneIndex = kExactZoneIndex;
        entries.exactZone = ExactZoneEntry{"Asia/Kathmandu, +05:45", 5 * 3600 + 45 * 60};
        QCOMPARE(Q(UtcOffsetText(entries)), QStringLiteral("UTC+05:45"));
        const auto result = CalculateChart(Delhi1980Entries());
        QVERIFY(result);
        bool found = false;
        for (const auto& section : ChartDetailSections(*result, entries)) {
            for (const auto& row : section.rows) {
                if (row.caption == "Time zone") {
                    QCOMPARE(Q(row.value), QStringLiteral("Asia/Kathmandu, +05:45"));
                    found = true;
                }
            }
        }
        QVERIFY(found);
        entries.exactZone.reset();
        QCOMPARE(Q(UtcOffsetText(entries)), QString());
    }

    // Truncated, never rounded up into the next second; the sign dropped.
    // 23°51'11.6" is the Lahiri ayanamsa at 2000-01-01 12:00 UT.
    void anglesToTheSecond_data() {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Lahiri J2000") << 23.0 + 51.0 / 60 + 11.6 / 3600 << "23° 51' 11\"";
        QTest::newRow("negative, as the classic source keeps it")
            << -(23.0 + 51.0 / 60 + 11.6 / 3600) << "23° 51' 11\"";
        QTest::newRow("just under a minute") << 59.999 / 3600 << "0° 0' 59\"";
        QTest::newRow("whole") << 24.0 << "24° 0' 0\"";
    }
    void anglesToTheSecond() {
        QFETCH(double, degrees);
        QFETCH(QString, expected);
        QCOMPARE(Q(AngleDmsText(degrees)), expected);
    }

    // The ayanamsa as every page shows it: kept negated in the chart, so a
    // positive stored value is an ayanamsa below zero and carries the minus.
    void ayanamsaKeepsItsSign() {
        ChartValues chart;
        chart.ayanamsa = -(23.0 + 51.0 / 60 + 11.6 / 3600);
        QCOMPARE(Q(AyanamsaDmsText(chart)), QStringLiteral("23° 51' 11\""));
        chart.ayanamsa = 16.0 / 60 + 38.5 / 3600;
        QCOMPARE(Q(AyanamsaDmsText(chart)), QString::fromUtf8("\u22120° 16' 38\""));
        chart.ayanamsa = 0.1 / 3600; // below a second: no minus before a zero
        QCOMPARE(Q(AyanamsaDmsText(chart)), QStringLiteral("0° 0' 0\""));
    }

    // One span, hours and minutes with its seconds grouped by thousands;
    // the hours left out under an hour.
    void spanFromSunrise_data() {
        QTest::addColumn<long long>("minutes");
        QTest::addColumn<long long>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("176 min") << 176LL << 10560LL << "2 h 56 min (10,560 s)";
        QTest::newRow("under an hour") << 45LL << 2715LL << "45 min (2,715 s)";
        QTest::newRow("just born") << 0LL << 59LL << "0 min (59 s)";
        QTest::newRow("one hour") << 60LL << 3600LL << "1 h 0 min (3,600 s)";
        QTest::newRow("a whole day less a minute") << 1439LL << 86399LL << "23 h 59 min (86,399 s)";
        QTest::newRow("a million seconds") << 16666LL << 1000000LL << "277 h 46 min (1,000,000 s)";
        QTest::newRow("before it") << -61LL << -3660LL << "−1 h 1 min (−3,660 s)";
    }
    void spanFromSunrise() {
        QFETCH(long long, minutes);
        QFETCH(long long, seconds);
        QFETCH(QString, expected);
        QCOMPARE(Q(SpanText(minutes, seconds)), expected);
    }

    void positionsNote() {
        ChartValues chart;
        QCOMPARE(Q(PositionsNoteText(chart)),
                 QStringLiteral("Positions: classic, built-in ayanamsa"));
        chart.positions = PositionSource::Precise;
        chart.ayanamsaName = "Lahiri";
        chart.ephemeris = "swiss-files";
        chart.ayanamsa = -(23.0 + 51.0 / 60 + 59.9 / 3600);
        QCOMPARE(Q(PositionsNoteText(chart)),
                 QStringLiteral("Positions: Swiss Ephemeris (data files), Lahiri ayanamsa 23°51′"));
        chart.ephemeris = "swiss-analytical";
        chart.sunrise = SunriseConvention::Centre;
        QCOMPARE(Q(PositionsNoteText(chart)),
                 QStringLiteral("Positions: Swiss Ephemeris (analytical), Lahiri ayanamsa "
                                "23°51′, sunrise at the disc centre"));
        chart.ayanamsaName = "True Pushya";
        chart.sunrise = SunriseConvention::Limb;
        QCOMPARE(Q(PositionsNoteText(chart)),
                 QStringLiteral("Positions: Swiss Ephemeris (analytical), True Pushya ayanamsa "
                                "23°51′"));
        chart.ayanamsaName = "User: 23.8° at J2000";
        QCOMPARE(Q(PositionsNoteText(chart)),
                 QStringLiteral("Positions: Swiss Ephemeris (analytical), ayanamsa 23°51′ "
                                "(User: 23.8° at J2000)"));
    }

    // The report names the zone whichever entry holds it, with the universal
    // time and the UTC offset, in the details tab's words.
    void reportNamesTheZone_data() {
        QTest::addColumn<BirthEntries>("entries");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("list entry") << Delhi1980Entries()
                                    << QStringList{"  Universal time              : March/14/1980 "
                                                   "19:30:00 UT",
                                                   "  Time zone                   : Indian Time, "
                                                   "IST, +5.3",
                                                   "  Daylight Saving Time        : no",
                                                   "  UTC offset                  : UTC+05:30"};
        BirthEntries kathmandu =
            FormEntries(1990, 5, 1, 12, 0, 0, "27", "42", false, "85", "19", true, kExactZoneIndex);
        kathmandu.exactZone = ExactZoneEntry{"Asia/Kathmandu, +05:45", 20700};
        QTest::newRow("exact entry")
            << kathmandu
            << QStringList{"  Universal time              : May/1/1990 6:15:00 UT",
                           "  Time zone                   : Asia/Kathmandu, +05:45",
                           "  UTC offset                  : UTC+05:45"};
    }
    void reportNamesTheZone() {
        QFETCH(BirthEntries, entries);
        QFETCH(QStringList, lines);
        const auto result = CalculateChart(entries);
        QVERIFY(result);
        const QStringList report = Q(PlainReport(*result, entries)).split('\n');
        for (const QString& line : lines) {
            QVERIFY2(report.contains(line), qPrintable(line + "\n" + report.join('\n')));
        }
    }

    // A result not made by the chart calculation (default, or with a Torvi
    // Lagna sign outside 1..12) still gives a report, with no sign name.
    void reportOfAResultWithoutATorviLagna() {
        const BirthEntries entries = Delhi1980Entries();
        for (int sign : {0, -1, 13, 1000}) {
            ChartResult result;
            result.chart.torviLagnaSign = sign;
            const QString report = Q(PlainReport(result, entries));
            QVERIFY2(report.contains("\nTorvi Lagna\n  Sign                        : \n"),
                     qPrintable(report));
        }
        ChartResult aries;
        aries.chart.torviLagnaSign = 1;
        QVERIFY(Q(PlainReport(aries, entries)).contains("  Sign                        : Aries\n"));
    }

    // Navamsa signs and a Navamsa Torvi Lagna outside their ranges give
    // empty names and no sentence; no periods give no period lines.
    void reportOfANavamsaOutsideItsRanges() {
        ChartResult result;
        result.chart.navamsa.signs = {-1, 12, 99, 0, 11, 5, 5, 5, 5, -7};
        for (int sign : {0, 13, -2}) {
            result.chart.navamsa.torviLagnaSign = sign;
            const QString report = Q(PlainReport(result, Delhi1980Entries(), true));
            QVERIFY(report.contains("\nNavamsa\n  Surya/Sun         \n  Chandra/Moon      \n"));
            QVERIFY(report.contains("  Shukra/Venus      Aries\n  Mangala/Mars      Pisces\n"));
            QVERIFY(!report.contains("Torvi Lagna of the Navamsa"));
            QVERIFY(report.endsWith("\nVimshottari Dasha\n  Dates are in the birth's UTC offset "
                                    "(UTC+05:30).\n"));
        }
    }

    // The report gains the source, the ayanamsa, the nine points and the
    // twelve arudhas, and keeps its designed lines in their order.
    void reportGainsTheRowsAndKeepsItsLines() {
        const BirthEntries entries = Delhi1980Entries();
        const auto result = CalculateChart(entries);
        QVERIFY(result);
        const QString report = Q(PlainReport(*result, entries));
        const QStringList kept = {"Your Details",
                                  "Vedic Planetary Position",
                                  "Sunrise and Sunset",
                                  "  Sunrise on the birth date   : ",
                                  "Hora",
                                  "Torvi Lagna Details"};
        qsizetype at = 0;
        for (const QString& line : kept) {
            const qsizetype next = report.indexOf(line, at);
            QVERIFY2(next >= 0, qPrintable(line));
            at = next;
        }
        for (const char* added :
             {"  Position source             : classic",
              "  Ayanamsa in force           : built-in (classic)",
              "  Ayanamsa                    : ", "  Ghati Lagna                 : ",
              "  Vighati Lagna               : ", "  A1 = Arudha Lagna           : ",
              "  A12                         : "}) {
            QVERIFY2(report.contains(QString::fromUtf8(added)), added);
        }
    }
};

QTEST_APPLESS_MAIN(TestChartDetails)
#include "test_chart_details.moc"
