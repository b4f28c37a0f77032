// Suggestions for a misspelt zone id: the list of ids read from tzdata.zi
// against Python's zoneinfo over the same system database, the distance on
// worked pairs, and one random typo in each of many ids (fixed seed), whose
// zone must come back among the suggestions.
#include "atlas/zone_suggestions.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <random>
#include <set>
#include <sstream>

using namespace selmarind;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Joined(const std::vector<std::string>& ids) {
    QStringList list;
    for (const std::string& id : ids) {
        list << Q(id);
    }
    return list.join(", ");
}

} // namespace

class TestZoneSuggestions : public QObject {
    Q_OBJECT

private slots:
    void readsZonesAndLinks() {
        std::istringstream text("# version 2024a\n"
                                "Z Asia/Kolkata 5:53:28 - LMT 1854 Jun 28\n"
                                "5:21:10 - MMT 1941 O\n"
                                "L Asia/Kolkata Asia/Calcutta\n"
                                "R US 1967 2006 - O lSu 2 0 S\n"
                                "L Etc/UTC\n");
        const std::vector<KnownZoneId> ids = ReadZoneIds(text);
        QCOMPARE(ids.size(), std::size_t{2});
        QCOMPARE(ids[0], (KnownZoneId{"Asia/Kolkata", "Asia/Kolkata"}));
        QCOMPARE(ids[1], (KnownZoneId{"Asia/Calcutta", "Asia/Kolkata"}));
        QVERIFY(SystemZoneIds("/nonexistent-folder").empty());
    }

    // Every id Python's zoneinfo finds in the system database, and no
    // other ("localtime" is a file of the system, not an id of the data).
    void systemIdsAgreeWithPython() {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty()) {
            QSKIP("python3 is not installed");
        }
        QProcess run;
        run.start(python, {"-c", "import zoneinfo\n"
                                 "print('\\n'.join(sorted(zoneinfo.available_timezones())))"});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        std::set<std::string> theirs;
        for (const QByteArray& line : run.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty() && line != "localtime") {
                theirs.insert(line.toStdString());
            }
        }
        std::set<std::string> ours;
        for (const KnownZoneId& id : SystemZoneIds()) {
            ours.insert(id.id);
        }
        QVERIFY(ours.size() > 400);
        QVERIFY(ours == theirs);
    }

    void distance_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("same") << "Asia/Kolkata"
                              << "Asia/Kolkata" << 0;
        QTest::newRow("case only") << "asia/KOLKATA"
                                   << "Asia/Kolkata" << 0;
        QTest::newRow("one letter missing") << "Asia/Calcuta"
                                            << "Asia/Calcutta" << 1;
        QTest::newRow("swapped neighbours") << "America/New_Yrok"
                                            << "America/New_York" << 1;
        QTest::newRow("against nothing") << ""
                                         << "UTC" << 3;
        QTest::newRow("kitten") << "kitten"
                                << "sitting" << 3;
    }
    void distance() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(ZoneIdDistance(a.toStdString(), b.toStdString()), expected);
        QCOMPARE(ZoneIdDistance(b.toStdString(), a.toStdString()), expected);
    }

    void suggestions_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("first"); // empty: no suggestion at all
        QTest::newRow("link misspelt") << "Asia/Calcuta"
                                       << "Asia/Kolkata";
        QTest::newRow("zone misspelt") << "Asia/Kolkatta"
                                       << "Asia/Kolkata";
        QTest::newRow("city alone") << "Kolkatta"
                                    << "Asia/Kolkata";
        QTest::newRow("small letters") << "europe/londn"
                                       << "Europe/London";
        QTest::newRow("accented") << "Europe/Z\u00fcrich"
                                  << "Europe/Zurich";
        QTest::newRow("no such planet") << "Mars/Olympus"
                                        << "";
        QTest::newRow("hundreds of bytes") << QString(500, u'A') << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void suggestions() {
        QFETCH(QString, typed);
        QFETCH(QString, first);
        const std::vector<KnownZoneId> known = SystemZoneIds();
        if (known.empty()) {
            QSKIP("no tzdata.zi in /usr/share/zoneinfo");
        }
        const std::vector<std::string> closest = ClosestZoneIds(typed.toStdString(), known);
        QVERIFY(closest.size() <= 3);
        if (first.isEmpty()) {
            QVERIFY2(closest.empty(), qPrintable(Joined(closest)));
            QCOMPARE(Q(ZoneSuggestionText(closest)), QString());
        } else {
            QVERIFY2(!closest.empty() && Q(closest.front()) == first, qPrintable(Joined(closest)));
        }
    }

    void suggestionSentence() {
        QCOMPARE(Q(ZoneSuggestionText({"Asia/Kolkata"})), QString(" Did you mean Asia/Kolkata?"));
        QCOMPARE(Q(ZoneSuggestionText({"A/B", "C/D", "E/F"})),
                 QString(" Did you mean A/B, C/D or E/F?"));
    }

    // One random edit (insert, delete, replace or swap) in each of 150 ids
    // drawn with a fixed seed: the id's zone is among the suggestions.
    void oneTypoFindsTheZone() {
        const std::vector<KnownZoneId> known = SystemZoneIds();
        if (known.empty()) {
            QSKIP("no tzdata.zi in /usr/share/zoneinfo");
        }
        std::mt19937 random(20261209);
        const std::string letters = "abcdefghijklmnopqrstuvwxyz_";
        int missed = 0;
        QStringList misses;
        for (int n = 0; n < 150; ++n) {
            const KnownZoneId& zone = known[random() % known.size()];
            std::string typo = zone.id;
            const std::size_t at = random() % typo.size();
            switch (random() % 4) {
            case 0:
                typo.insert(at, 1, letters[random() % letters.size()]);
                break;
            case 1:
                typo.erase(at, 1);
                break;
            case 2:
                typo[at] = letters[random() % letters.size()];
                break;
            default:
                if (at + 1 < typo.size()) {
                    std::swap(typo[at], typo[at + 1]);
                }
            }
            const std::vector<std::string> closest = ClosestZoneIds(typo, known);
            if (std::find(closest.begin(), closest.end(), zone.canonical) == closest.end()) {
                ++missed;
                misses << Q(typo + " -> " + zone.canonical + ": ") + Joined(closest);
            }
        }
        // A typo that lands closer to another short id ("EST" -> "MST")
        // may crowd out the intended one among the three; rarely.
        QVERIFY2(missed <= 3, qPrintable(misses.join("\n")));
    }
};

QTEST_GUILESS_MAIN(TestZoneSuggestions)
#include "test_zone_suggestions.moc"
