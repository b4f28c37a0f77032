// Places by every name they are known by: the GeoNames name, its ASCII
// spelling, exonyms, names in local scripts and German umlauts typed either
// way, each resolving to the right GeoNames id. The most populous places
// are checked against the GeoNames rows themselves: cities500.txt where
// SELMARIND_ATLAS_INPUTS gives it, else the rows as the committed atlas
// copied them.
#include "atlas/atlas.h"
#include "atlas/search_text.h"

#include <QTest>

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace selmarind;

namespace {

struct Row {
    std::int64_t id = 0;
    std::string name;
    std::string ascii;
    std::string countryCode;
    std::int64_t population = 0;
};

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

std::int64_t Number(std::string_view text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Gunzip(const std::string& packed) {
    std::string out;
    z_stream stream{};
    inflateInit2(&stream, 15 + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        out.resize(out.size() + (8u << 20));
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + stream.total_out);
        stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
        status = inflate(&stream, Z_NO_FLUSH);
    }
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

// GeoNames' own columns: id, name, asciiname, ..., country code (9th),
// population (15th).
std::vector<Row> RowsOfCities500(const std::string& path) {
    std::vector<Row> rows;
    const std::string text = ReadBytes(path);
    for (const std::string_view line : Split(text, '\n')) {
        const std::vector<std::string_view> f = Split(line, '\t');
        if (f.size() == 19) {
            rows.push_back({Number(f[0]), std::string(f[1]), std::string(f[2]), std::string(f[8]),
                            Number(f[14])});
        }
    }
    return rows;
}

// The same columns as the atlas file keeps them (src/atlas/atlas_format.h).
std::vector<Row> RowsOfAtlas(const std::string& path) {
    const std::string text = Gunzip(ReadBytes(path));
    const std::vector<std::string_view> lines = Split(text, '\n');
    std::size_t at = 0;
    auto section = [&](std::string_view name) {
        while (at < lines.size() && !lines[at].starts_with(std::string(name) + "\t")) {
            ++at;
        }
        return static_cast<std::size_t>(Number(Split(lines.at(at++), '\t').at(1)));
    };
    std::vector<std::string> countryCodes;
    for (std::size_t n = section("countries"); n > 0; --n) {
        countryCodes.emplace_back(Split(lines.at(at++), '\t').at(0));
    }
    std::vector<std::size_t> countryOfDivision;
    for (std::size_t n = section("divisions"); n > 0; --n) {
        countryOfDivision.push_back(static_cast<std::size_t>(Number(lines.at(at++))));
    }
    std::vector<Row> rows;
    std::int64_t id = 0;
    for (std::size_t n = section("places"); n > 0; --n) {
        const std::vector<std::string_view> f = Split(lines.at(at++), '\t');
        id += Number(f.at(0));
        const std::string_view ascii = f.at(2).empty() ? f.at(1) : f.at(2);
        rows.push_back(
            {id, std::string(f.at(1)), std::string(ascii),
             countryCodes.at(countryOfDivision.at(static_cast<std::size_t>(Number(f.at(3))))),
             Number(f.at(6))});
    }
    return rows;
}

QString Describe(const PlaceMatch& m) {
    return QString("%1 %2 (%3) pop %4 exact %5")
        .arg(m.geonameId)
        .arg(QString::fromStdString(m.name), QString::fromStdString(m.countryCode))
        .arg(m.population)
        .arg(m.exactMatch);
}

} // namespace

class TestAtlasNames : public QObject {
    Q_OBJECT
private:
    std::optional<Atlas> atlas_;

    void expectFirst(const QString& query, qint64 id, const QString& countryCode) {
        const std::vector<PlaceMatch> found = atlas_->Search(query.toStdString(), 3);
        QVERIFY2(!found.empty(), qPrintable(query + " found nothing"));
        QVERIFY2(found.front().geonameId == id && found.front().exactMatch,
                 qPrintable(QString("%1: expected %2 (%3) first, got %4")
                                .arg(query)
                                .arg(id)
                                .arg(countryCode, Describe(found.front()))));
        QCOMPARE(QString::fromStdString(found.front().countryCode), countryCode);
    }

private slots:
    void initTestCase() {
        AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        QVERIFY2(loaded.atlas.has_value(), loaded.message.c_str());
        atlas_ = std::move(loaded.atlas);
    }

    // Each row: a name other than the place's GeoNames name, or the name
    // typed another way, and the GeoNames id (cities500) it must give first.
    void otherNames_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("countryCode");
        struct Case {
            const char* query;
            qint64 id;
            const char* countryCode;
        };
        const Case cases[] = {
            // German umlauts: as written, spelled out, and bare.
            {"Köln", 2886242, "DE"},
            {"Koeln", 2886242, "DE"},
            {"Koln", 2886242, "DE"},
            {"Cologne", 2886242, "DE"},
            {"München", 2867714, "DE"},
            {"Muenchen", 2867714, "DE"},
            {"Munich", 2867714, "DE"},
            {"Nürnberg", 2861650, "DE"},
            {"Nuremberg", 2861650, "DE"},
            {"Düsseldorf", 2934246, "DE"},
            {"Dusseldorf", 2934246, "DE"},
            {"Duesseldorf", 2934246, "DE"},
            {"Göteborg", 2711537, "SE"},
            {"Goeteborg", 2711537, "SE"},
            {"Gothenburg", 2711537, "SE"},
            {"Zürich", 2657896, "CH"},
            {"Zuerich", 2657896, "CH"},
            {"Genève", 2660646, "CH"},
            {"Geneva", 2660646, "CH"},
            {"Genf", 2660646, "CH"},
            {"Wien", 2761369, "AT"},
            {"Vienna", 2761369, "AT"},
            {"Praha", 3067696, "CZ"},
            {"Prague", 3067696, "CZ"},
            {"Ürümqi", 1529102, "CN"},
            {"Urumqi", 1529102, "CN"},
            {"Üsküdar", 738329, "TR"},
            {"Malmö", 2692969, "SE"},
            {"Braunschweig", 2945024, "DE"},
            {"Brunswick, DE", 2945024, "DE"},
            // Local scripts.
            {"मुंबई", 1275339, "IN"},
            {"சென்னை", 1264527, "IN"},
            {"北京", 1816670, "CN"},
            {"Москва", 524901, "RU"},
            {"Αθήνα", 264371, "GR"},
            {"東京", 1850147, "JP"},
            {"서울", 1835848, "KR"},
            {"ירושלים", 281184, "IL"},
            {"दिल्ली", 1273294, "IN"},
            // Former names.
            {"Bengaluru", 1277333, "IN"},
            {"Bangalore", 1277333, "IN"},
            {"Kolkata", 1275004, "IN"},
            {"Calcutta", 1275004, "IN"},
            {"Saigon", 1566083, "VN"},
            {"Benares", 1253405, "IN"},
            {"Kiev", 703448, "UA"},
        };
        for (const Case& c : cases) {
            QTest::newRow(c.query)
                << QString::fromUtf8(c.query) << c.id << QString::fromLatin1(c.countryCode);
        }
    }

    void otherNames() {
        QFETCH(QString, query);
        QFETCH(qint64, id);
        QFETCH(QString, countryCode);
        expectFirst(query, id, countryCode);
    }

    // Queries that used to chart another place, or nothing at all.
    void onceWrongOrRefused_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("countryCode");
        QTest::newRow("Köln, not Kolno, Poland") << "Köln" << qint64{2886242} << "DE";
        QTest::newRow("Nürnberg, not Altdorf bei Nürnberg")
            << "Nürnberg" << qint64{2861650} << "DE";
        QTest::newRow("Münster, not Munster, Indiana") << "Münster" << qint64{2867543} << "DE";
        QTest::newRow("Lübeck, not Lubeck, West Virginia") << "Lübeck" << qint64{2875601} << "DE";
        QTest::newRow("Düren, not Duren, Indonesia") << "Düren" << qint64{2934486} << "DE";
        QTest::newRow("Cologne, not Cologne, Italy") << "Cologne" << qint64{2886242} << "DE";
        QTest::newRow("Gothenburg, not Gothenburg, Nebraska")
            << "Gothenburg" << qint64{2711537} << "SE";
        QTest::newRow("München, not Grafing bei München") << "München" << qint64{2867714} << "DE";
        QTest::newRow("Saarbrücken") << "Saarbrücken" << qint64{2842647} << "DE";
        QTest::newRow("Mönchengladbach") << "Mönchengladbach" << qint64{2869894} << "DE";
        // A narrowing part still picks the smaller namesake.
        QTest::newRow("Cologne, Italy") << "Cologne, Italy" << qint64{3178287} << "IT";
        QTest::newRow("Gothenburg, Nebraska") << "Gothenburg, Nebraska" << qint64{5695743} << "US";
    }

    void onceWrongOrRefused() {
        QFETCH(QString, query);
        QFETCH(qint64, id);
        QFETCH(QString, countryCode);
        expectFirst(query, id, countryCode);
    }

    // An umlaut is first taken as spelled out: "Köl" begins Köln rather
    // than being the whole name "Kol" of Kola, Russia.
    void umlautsDoNotMatchOtherPlacesWhole() {
        const std::vector<PlaceMatch> kol = atlas_->Search("Köl", 5);
        QVERIFY(!kol.empty());
        QVERIFY2(!kol.front().exactMatch, qPrintable(Describe(kol.front())));
        QCOMPARE(kol.front().geonameId, std::int64_t{2886242});
        QVERIFY(atlas_->Search("Kol", 1).at(0).exactMatch);
    }

    // GeoNames lists airport codes and lower-case machine transliterations
    // among the alternate names of Köln ("CGN", "kln", "qln") and Mumbai
    // ("BOM", "mmbay"); none of them is a name of the place.
    void codesAndTransliterationsAreNoNames() {
        const std::pair<const char*, std::int64_t> notNames[] = {
            {"CGN", 2886242}, {"kln", 2886242},   {"qln", 2886242},
            {"BOM", 1275339}, {"mmbay", 1275339}, {"bmbyy", 1275339}};
        for (const auto& [query, id] : notNames) {
            const bool named =
                std::ranges::any_of(atlas_->Search(query, 50), [&](const PlaceMatch& m) {
                    return m.geonameId == id && m.exactMatch &&
                           FoldForSearch(m.name) != FoldForSearch(query);
                });
            QVERIFY2(!named, query);
        }
    }

    // Each of the 2,000 most populous places by its GeoNames name, its ASCII
    // name and "Name, CC": the first result is an exact match, and it is the
    // place itself unless a more populous place (in the same country, for
    // "Name, CC") shares that name. The rows come from the committed atlas,
    // and also from cities500.txt itself where the inputs are at hand.
    void mostPopulousPlacesByTheirOwnNames_data() {
        QTest::addColumn<QString>("source");
        QTest::newRow("rows of the atlas") << QStringLiteral(SELMARIND_ATLAS_FILE);
#ifdef SELMARIND_ATLAS_INPUTS
        QTest::newRow("GeoNames cities500")
            << QStringLiteral(SELMARIND_ATLAS_INPUTS "/cities500.txt");
#endif
    }

    void mostPopulousPlacesByTheirOwnNames() {
        QFETCH(QString, source);
        std::vector<Row> rows = source.endsWith(".gz") ? RowsOfAtlas(source.toStdString())
                                                       : RowsOfCities500(source.toStdString());
        QVERIFY(rows.size() > 190000);
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
            return a.population != b.population ? a.population > b.population : a.id < b.id;
        });
        rows.resize(2000);
        int failures = 0;
        int itself = 0;
        for (const Row& row : rows) {
            for (int kind = 0; kind < 3; ++kind) {
                const std::string query = kind == 0   ? row.name
                                          : kind == 1 ? row.ascii
                                                      : row.name + ", " + row.countryCode;
                const std::vector<PlaceMatch> found = atlas_->Search(query, 1);
                bool ok = !found.empty() && found.front().exactMatch;
                if (ok && found.front().geonameId != row.id) {
                    const PlaceMatch& other = found.front();
                    ok = (other.population > row.population ||
                          (other.population == row.population && other.geonameId < row.id)) &&
                         (kind != 2 || other.countryCode == row.countryCode);
                } else if (ok) {
                    ++itself;
                }
                if (!ok && ++failures <= 20) {
                    qWarning("%s (%lld, %s, pop %lld) gave %s", query.c_str(),
                             static_cast<long long>(row.id), row.countryCode.c_str(),
                             static_cast<long long>(row.population),
                             found.empty() ? "nothing" : qPrintable(Describe(found.front())));
                }
            }
        }
        QCOMPARE(failures, 0);
        // Most of them are the place itself, not a namesake.
        QVERIFY2(itself > 5700, qPrintable(QString::number(itself)));
    }
};

QTEST_APPLESS_MAIN(TestAtlasNames)
#include "test_atlas_names.moc"
