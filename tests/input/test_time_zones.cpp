#include "input/time_zones.h"

#include <QTest>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

using namespace selmarind;

namespace {

std::vector<std::string> SplitAtCommas(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

class TestTimeZones : public QObject {
    Q_OBJECT
private slots:
    void listHoldsSeventyOneEntriesInAlphabeticalOrder() {
        const auto& list = TimeZoneList();
        QCOMPARE(list.size(), std::size_t{71});
        QCOMPARE(Q(list.front().itemText), QString("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(Q(list.back().itemText), QString("Yukon War Time,YWT,-8.0"));
        QCOMPARE(Q(list[kGreenwichZoneIndex].itemText), QString("Greenwich Mean Time,GMT,0.0"));
        // The list is sorted without regard to case ("Universal Time" before "USSR Zone 10").
        for (std::size_t i = 1; i < list.size(); ++i) {
            QVERIFY2(Q(list[i - 1].itemText).compare(Q(list[i].itemText), Qt::CaseInsensitive) < 0,
                     qPrintable(QString("entries %1 and %2 out of order").arg(i - 1).arg(i)));
        }
    }

    void eachTextHasNameAbbreviationAndOffset_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("spaceAfterCommas");
        const std::vector<int> spaced = {11, 12, 34, 37, 39, 42, 51, 61};
        for (int i = 0; i < kTimeZoneCount; ++i) {
            const bool isSpaced = std::find(spaced.begin(), spaced.end(), i) != spaced.end();
            QTest::addRow("%d", i) << i << isSpaced;
        }
    }

    // Both comma forms: "Name,ABBR,+1.0" and "Name, ABBR, +1.0". The correction
    // is the written offset with the opposite sign (positive west), hours and
    // minutes sharing the sign; the one exception is "+5.3" of Indian Time.
    void eachTextHasNameAbbreviationAndOffset() {
        QFETCH(int, index);
        QFETCH(bool, spaceAfterCommas);
        const TimeZoneEntry& entry = TimeZoneList()[static_cast<std::size_t>(index)];
        const std::vector<std::string> parts = SplitAtCommas(entry.itemText);
        QCOMPARE(parts.size(), std::size_t{3});
        for (std::size_t k = 1; k < 3; ++k) {
            QCOMPARE(parts[k].front() == ' ', spaceAfterCommas);
            QVERIFY(parts[k].size() > 1 && parts[k][1] != ' ');
        }
        QVERIFY(!parts[0].empty() && parts[0].back() != ' ');

        const QString offsetText = Q(parts[2]).trimmed();
        bool ok = false;
        const double written = offsetText.toDouble(&ok);
        QVERIFY(ok);
        const double stored = entry.hours + entry.minutes / 60.0;
        if (index == 34) {
            QCOMPARE(offsetText, QString("+5.3"));
            QCOMPARE(stored, -5.5);
        } else {
            QCOMPARE(stored, -written);
        }
        QVERIFY(entry.hours * entry.minutes >= 0);
        QVERIFY(entry.minutes == 0 || entry.minutes == 30 || entry.minutes == -30);
        QCOMPARE(Zone_Calculation(index)->hours, entry.hours);
        QCOMPARE(Zone_Calculation(index)->minutes, entry.minutes);
    }

    void correctionOfNotableEntries_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::newRow("initial selection") << 29 << "Greenwich Mean Time,GMT,0.0" << 0 << 0;
        QTest::newRow("+5.3 is five and a half hours")
            << 34 << "Indian Time, IST, +5.3" << -5 << -30;
        QTest::newRow("half hour west") << 50 << "Newfoundland Standard Time,NST,-3.5" << 3 << 30;
        QTest::newRow("half hour west, Hawaii")
            << 31 << "Hawaiian Daylight Time,HDT,-9.5" << 9 << 30;
        QTest::newRow("largest east") << 46 << "New Zealand Std Summer Time,NZST,+13.0" << -13 << 0;
        QTest::newRow("largest west") << 36 << "Int'l Date Line West,IDLW,-12.0" << 12 << 0;
        QTest::newRow("universal time") << 61 << "Universal Time, UT, 0.0" << 0 << 0;
    }

    void correctionOfNotableEntries() {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QCOMPARE(Q(TimeZoneList()[static_cast<std::size_t>(index)].itemText), text);
        const std::optional<ZoneCorrection> zone = Zone_Calculation(index);
        QVERIFY(zone.has_value());
        QCOMPARE(zone->hours, hours);
        QCOMPARE(zone->minutes, minutes);
    }

    void noSelectionGivesNoCorrection() {
        // An index outside the list leaves the caller's previous correction in force.
        QVERIFY(!Zone_Calculation(-1).has_value());
        QVERIFY(!Zone_Calculation(71).has_value());
        QVERIFY(!Zone_Calculation(std::numeric_limits<int>::min()).has_value());
        QVERIFY(Zone_Calculation(70).has_value());
        QVERIFY(Zone_Calculation(0).has_value());
    }
};

QTEST_APPLESS_MAIN(TestTimeZones)
#include "test_time_zones.moc"
