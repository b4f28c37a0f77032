#include "engine/retrogrades.h"

#include <QTest>

#include <string>

using namespace selmarind;

namespace {

// A station in the row text form "month,day,year,hour,minute,".
QString RowText(const CivilDateTime& t) {
    return QStringLiteral("%1,%2,%3,%4,%5,")
        .arg(t.month)
        .arg(t.day)
        .arg(t.year)
        .arg(t.hour)
        .arg(t.minute);
}

QString PeriodText(const StationPeriod& p) {
    return RowText(p.StationStart) + " -> " + RowText(p.StationEnd);
}

CivilDate At(int year, int month, int day) {
    return {year, month, day};
}

QStringList Names(const RetrogradeMarks& marks) {
    QStringList names;
    for (const std::string& name : marks.BodyNames) {
        names << QString::fromStdString(name);
    }
    return names;
}

QList<bool> Flags(const RetrogradeMarks& marks) {
    return QList<bool>(marks.RetrogradeFlags.begin(), marks.RetrogradeFlags.end());
}

// The look-up as a plain scan of every row, for comparison with the library's.
bool IsRetrogradeByScan(const CivilDate& birth, std::string_view planet) {
    const std::int64_t birthDay = SerialDay(birth);
    for (const StationPeriod& p : LoadStationTable(planet)) {
        if (SerialDay(p.StationStart.date()) < birthDay &&
            SerialDay(p.StationEnd.date()) > birthDay) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestRetrogrades : public QObject {
    Q_OBJECT
private slots:
    void countsAndReferenceRows_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("last");
        QTest::newRow("Mercury") << "Mercury" << 476 << "3,15,1900,13,19, -> 4,7,1900,18,42,"
                                 << "7,18,1900,0,53, -> 8,11,1900,14,59,"
                                 << "12,1,2050,17,17, -> 12,21,2050,11,33,";
        QTest::newRow("Venus") << "Venus" << 95 << "6,16,1900,22,56, -> 7,30,1900,2,44,"
                               << "1,25,1902,3,30, -> 3,7,1902,13,41,"
                               << "9,25,2050,22,15, -> 11,6,2050,19,4,";
        QTest::newRow("Mars") << "Mars" << 71 << "1,13,1901,6,16, -> 4,4,1901,7,21,"
                              << "2,18,1903,14,29, -> 5,9,1903,16,14,"
                              << "7,15,2050,5,50, -> 9,13,2050,9,41,";
        QTest::newRow("Jupiter") << "Jupiter" << 139 << "3,27,1900,20,39, -> 7,29,1900,1,35,"
                                 << "4,30,1901,20,16, -> 8,30,1901,20,59,"
                                 << "12,21,2050,13,21, -> 4,21,2051,23,46,";
        QTest::newRow("Saturn") << "Saturn" << 146 << "4,14,1900,6,2, -> 9,2,1900,14,39,"
                                << "4,26,1901,3,57, -> 9,14,1901,0,9,"
                                << "5,18,2050,13,6, -> 10,6,2050,11,5,";
    }

    // Each table holds its exact number of periods, and its first, second and
    // last rows are the reference rows text for text.
    void countsAndReferenceRows() {
        QFETCH(QString, planet);
        QFETCH(int, rows);
        const auto table = LoadStationTable(planet.toStdString());
        QCOMPARE(static_cast<int>(table.size()), rows);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, last);
        QCOMPARE(PeriodText(table[0]), first);
        QCOMPARE(PeriodText(table[1]), second);
        QCOMPARE(PeriodText(table.back()), last);
    }

    // The 1980 periods of the 15 March 1980 chart are in the tables verbatim.
    void periodsAround1980() {
        const auto contains = [](std::string_view planet, const QString& text) {
            for (const StationPeriod& p : LoadStationTable(planet)) {
                if (PeriodText(p) == text) {
                    return true;
                }
            }
            return false;
        };
        QVERIFY(contains("Mercury", "2,26,1980,1,22, -> 3,19,1980,13,59,"));
        QVERIFY(contains("Venus", "5,24,1980,20,2, -> 7,6,1980,21,55,"));
        QVERIFY(contains("Mars", "1,16,1980,6,22, -> 4,6,1980,7,59,"));
        QVERIFY(contains("Jupiter", "12,26,1979,14,59, -> 4,26,1980,8,21,"));
        QVERIFY(contains("Saturn", "1,6,1980,21,1, -> 5,22,1980,10,51,"));
    }

    void tableStructure_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<int>("minDays");
        QTest::addColumn<int>("maxDays");
        QTest::newRow("Mercury") << "Mercury" << 19 << 24;
        QTest::newRow("Venus") << "Venus" << 40 << 43;
        QTest::newRow("Mars") << "Mars" << 59 << 81;
        QTest::newRow("Jupiter") << "Jupiter" << 116 << 124;
        QTest::newRow("Saturn") << "Saturn" << 133 << 141;
    }

    // Over the whole table: valid times, retrograde stations in 1900..2050,
    // each start at least 19 calendar days before its end, a period length
    // (whole days elapsed) in the planet's range, and each period ending on a
    // calendar day before the next one starts, so rows are chronological and
    // never overlap.
    void tableStructure() {
        QFETCH(QString, planet);
        QFETCH(int, minDays);
        QFETCH(int, maxDays);
        const auto table = LoadStationTable(planet.toStdString());
        QVERIFY(!table.empty());
        for (std::size_t i = 0; i < table.size(); ++i) {
            const StationPeriod& p = table[i];
            const QString row = PeriodText(p);
            for (const CivilDateTime& t : {p.StationStart, p.StationEnd}) {
                QVERIFY2(IsValidCivilDate(t.year, t.month, t.day), qPrintable(row));
                QVERIFY2(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
                             t.second == 0,
                         qPrintable(row));
            }
            QVERIFY2(p.StationStart.year >= 1900 && p.StationStart.year <= 2050, qPrintable(row));
            const auto calendarDays =
                SerialDay(p.StationEnd.date()) - SerialDay(p.StationStart.date());
            QVERIFY2(calendarDays >= 19, qPrintable(row));
            const auto elapsedDays =
                (SerialSeconds(p.StationEnd) - SerialSeconds(p.StationStart)) / 86400;
            QVERIFY2(elapsedDays >= minDays && elapsedDays <= maxDays,
                     qPrintable(QStringLiteral("%1: %2 days").arg(row).arg(elapsedDays)));
            if (i + 1 < table.size()) {
                QVERIFY2(SerialDay(p.StationEnd.date()) <
                             SerialDay(table[i + 1].StationStart.date()),
                         qPrintable(row + " overlaps " + PeriodText(table[i + 1])));
            }
        }
    }

    // Only the five planets have tables; any other name is never retrograde.
    void otherBodiesAreNeverRetrograde() {
        for (const char* name :
             {"Sun", "Moon", "Rahu", "Ketu", "Asc", "Uranus", "Neptune", "Pluto", "mercury", ""}) {
            QVERIFY2(LoadStationTable(name).empty(), name);
            QVERIFY2(!IsRetrograde(At(1900, 3, 20), name), name);
        }
    }

    // Mercury's first period runs from 15 March 1900 13:19 to 7 April 1900
    // 18:42: the days in between count (the look-up takes a date, so the
    // time of day cannot matter), the station days themselves never do.
    void mercuryAroundItsFirstPeriod() {
        QVERIFY(IsRetrograde(At(1900, 3, 20), "Mercury"));
        QVERIFY(IsRetrograde(At(1900, 3, 16), "Mercury"));
        QVERIFY(IsRetrograde(At(1900, 4, 6), "Mercury"));
        QVERIFY(!IsRetrograde(At(1900, 3, 15), "Mercury"));
        QVERIFY(!IsRetrograde(At(1900, 4, 7), "Mercury"));
        QVERIFY(!IsRetrograde(At(1900, 3, 14), "Mercury"));
        QVERIFY(!IsRetrograde(At(1900, 4, 8), "Mercury"));
    }

    // Dates before a planet's first period or after its last match no row.
    void outsideTheCoveredPeriods() {
        QVERIFY(!IsRetrograde(At(1901, 1, 1), "Mars"));
        QVERIFY(!IsRetrograde(At(1901, 1, 13), "Mars"));
        QVERIFY(IsRetrograde(At(1901, 1, 14), "Mars"));
        QVERIFY(!IsRetrograde(At(1899, 12, 31), "Mercury"));
        QVERIFY(IsRetrograde(At(2051, 4, 20), "Jupiter"));
        QVERIFY(!IsRetrograde(At(2051, 4, 21), "Jupiter"));
        for (std::string_view planet : kRetrogradePlanets) {
            QVERIFY(!IsRetrograde(At(1800, 6, 1), planet));
            QVERIFY(!IsRetrograde(At(2100, 6, 1), planet));
        }
    }

    // The search gives the same answer as scanning every row, on every day
    // from a month before the tables to a month after them.
    void searchAgreesWithScan() {
        const std::int64_t from = SerialDay({1899, 12, 1});
        const std::int64_t to = SerialDay({2051, 6, 1});
        for (std::string_view planet : kRetrogradePlanets) {
            for (std::int64_t day = from; day <= to; ++day) {
                const CivilDate d = CivilFromSerialDay(day);
                if (IsRetrograde(d, planet) != IsRetrogradeByScan(d, planet)) {
                    QFAIL(qPrintable(QStringLiteral("%1 on %2-%3-%4")
                                         .arg(QString::fromUtf8(planet.data(), planet.size()))
                                         .arg(d.year)
                                         .arg(d.month)
                                         .arg(d.day)));
                }
            }
        }
    }

    // On 15 March 1980 Mercury, Mars, Jupiter and Saturn are retrograde and
    // Venus is not; only their display names carry the marker.
    void chartOn15March1980() {
        const RetrogradeMarks marks = MarkRetrogrades(At(1980, 3, 15));
        QCOMPARE(Flags(marks), QList<bool>({true, false, true, true, true}));
        QCOMPARE(Names(marks), QStringList({"Sun", "Moon", "Mercury (R) ", "Venus", "Mars (R) ",
                                            "Jupiter (R) ", "Saturn (R) ", "Rahu", "Ketu", "Asc"}));
    }

    // Two charts in a row, the first with Mercury retrograde and the second
    // (1 March 1900, before every planet's first period) without: the second
    // shows the plain names. Repeating a retrograde chart marks Mercury once.
    void twoChartsInARow() {
        QCOMPARE(Names(MarkRetrogrades(At(1900, 3, 20)))[2], QString("Mercury (R) "));
        const RetrogradeMarks plain = MarkRetrogrades(At(1900, 3, 1));
        QCOMPARE(Flags(plain), QList<bool>({false, false, false, false, false}));
        QCOMPARE(Names(plain), QStringList({"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter",
                                            "Saturn", "Rahu", "Ketu", "Asc"}));
        MarkRetrogrades(At(1900, 3, 20));
        QCOMPARE(Names(MarkRetrogrades(At(1900, 3, 20)))[2], QString("Mercury (R) "));
    }
};

QTEST_APPLESS_MAIN(TestRetrogrades)
#include "test_retrogrades.moc"
