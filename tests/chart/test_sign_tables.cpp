#include "chart/sign_tables.h"

#include <QTest>

#include <map>
#include <string>
#include <vector>

using namespace selmarind;

namespace {

QString Q(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const char* const kSigns[12] = {"Aries",       "Taurus",    "Gemini",   "Cancer",
                                "Leo",         "Virgo",     "Libra",    "Scorpio",
                                "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// The four short tables laid out by sign, one row per sign, first column the
// English name; the column lists below say which table each column is.
const SignTable kSignsAndSymbolsColumns[] = {
    SignTable::EnglishName, SignTable::VedicName, SignTable::RulingPlanet, SignTable::Symbol,
    SignTable::Element,     SignTable::Color,     SignTable::TypeOfSign,   SignTable::Gender};
const char* const kSignsAndSymbols[12][8] = {
    {"Aries", "Mesha", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable", "Male"},
    {"Taurus", "Vrishabha", "Venus", "The Bull", "Earth", "White", "Fixed", "Female"},
    {"Gemini", "Mithuna", "Mercury", "The Twins", "Air", "Green", "Mixed", "Female"},
    {"Cancer", "Kataka", "Moon", "The Crab", "Water", "Pink", "Movable", "Female"},
    {"Leo", "Simha", "Sun", "The Lion", "Fire", "White", "Fixed", "Male"},
    {"Virgo", "Kanya", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed", "Female"},
    {"Libra", "Thula", "Venus", "The Balance", "Air", "Black", "Movable", "Male"},
    {"Scorpio", "Vrischika", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed", "Female"},
    {"Sagittarius", "Dhanus", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed", "Male"},
    {"Capricorn", "Makara", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable",
     "Female"},
    {"Aquarius", "Kumbha", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed", "Male"},
    {"Pisces", "Meena", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed", "Female"},
};

const SignTable kActivityAndBodyColumns[] = {
    SignTable::EnglishName,   SignTable::BestPeriodOfActivity,
    SignTable::Fruitfulness,  SignTable::Caste,
    SignTable::Position,      SignTable::ConstituentCharacter,
    SignTable::PartOfTheBody, SignTable::Physique};
const char* const kActivityAndBody[12][8] = {
    {"Aries", "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)", "Head", "Short"},
    {"Taurus", "Night", "Semi-Fruitful", "Vaisya", "Bahya", "Vegetable (Moola)", "Face", "Short"},
    {"Gemini", "Night", "Barren", "Sudra", "Garbha", "Animal (Jeeva)", "Shoulders", "Even"},
    {"Cancer", "Night", "Fruitful", "Brahmana", "Dwara", "Mineral (Dhatu)", "Chest", "Even"},
    {"Leo", "Day", "Barren", "Kshatriya", "Bahya", "Vegetable (Moola)", "Heart & Stomach", "Tall"},
    {"Virgo", "Day", "Barren", "Vaisya", "Garbha", "Animal (Jeeva)", "Abdomen", "Tall"},
    {"Libra", "Day", "Semi-Fruitful", "Sudra", "Dwara", "Mineral (Dhatu)", "Lower Abdomen & Groin",
     "Tall"},
    {"Scorpio", "Day", "Fruitful", "Brahmana", "Bahya", "Vegetable (Moola)", "External Genitalia",
     "Tall"},
    {"Sagittarius", "Night", "Semi-Fruitful", "Kshatriya", "Garbha", "Animal (Jeeva)", "Thighs",
     "Even"},
    {"Capricorn", "Night", "Barren", "Vaisya", "Dwara", "Mineral (Dhatu)", "Knees", "Even"},
    {"Aquarius", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)", "Calves", "Short"},
    {"Pisces", "Day", "Fruitful", "Brahmana", "Garbha", "Animal (Jeeva)", "Feet", "Short"},
};

const SignTable kLuckColumns[] = {SignTable::EnglishName,  SignTable::LuckyDays,
                                  SignTable::LuckyNumbers, SignTable::BestDirection,
                                  SignTable::LuckyColors,  SignTable::LuckyGemstone};
const char* const kLuck[12][6] = {
    {"Aries", "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral"},
    {"Taurus", "Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond"},
    {"Gemini", "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald"},
    {"Cancer", "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl"},
    {"Leo", "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby"},
    {"Virgo", "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald"},
    {"Libra", "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond"},
    {"Scorpio", "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White",
     "Coral"},
    {"Sagittarius", "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown",
     "Yellow Sapphire"},
    {"Capricorn", "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire"},
    {"Aquarius", "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black",
     "Blue Sapphire"},
    {"Pisces", "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire"},
};

const SignTable kCompatibilityColumns[] = {SignTable::EnglishName, SignTable::CompatibleWith,
                                           SignTable::NotCompatibleWith};
const char* const kCompatibility[12][3] = {
    {"Aries", "Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"},
    {"Taurus", "Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    {"Gemini", "Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    {"Cancer", "Virgo, Scorpio, Capricorn, Pisces, Taurus", "Aries, Leo, Sagittarius"},
    {"Leo", "Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    {"Virgo", "Scorpio, Capricorn, Pisces, Cancer", "Gemini, Aquarius, Libra"},
    {"Libra", "Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    {"Scorpio", "Capricorn, Pisces, Taurus, Cancer, Virgo", "Aries, Leo, Sagittarius"},
    {"Sagittarius", "Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    {"Capricorn", "Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    {"Aquarius", "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    {"Pisces", "Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
};

const char* const kAbbreviations[12] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                        "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

const SignTable kParagraphTables[5] = {SignTable::Looks, SignTable::Nature,
                                       SignTable::CareerAndFinance, SignTable::LoveAndDomesticLife,
                                       SignTable::Health};
const char* const kParagraphTableNames[5] = {"looks", "nature", "career and finance",
                                             "love and domestic life", "health"};

// Length in characters of every paragraph, Aries to Pisces.
const int kParagraphLengths[5][12] = {
    {185, 191, 127, 136, 137, 131, 150, 103, 167, 107, 221, 154},
    {883, 685, 652, 619, 716, 855, 769, 811, 515, 726, 626, 699},
    {175, 282, 227, 186, 215, 126, 157, 257, 240, 166, 195, 231},
    {210, 140, 216, 220, 321, 150, 184, 276, 297, 324, 177, 293},
    {121, 84, 108, 166, 124, 81, 93, 110, 155, 93, 155, 131},
};

struct SpaceRun {
    std::size_t position;
    std::size_t length;
    bool operator==(const SpaceRun&) const = default;
};

// Every run of two or more spaces in the text.
std::vector<SpaceRun> SpaceRuns(std::string_view text) {
    std::vector<SpaceRun> runs;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t j = i;
        while (j < text.size() && text[j] == ' ') {
            ++j;
        }
        if (j - i >= 2) {
            runs.push_back({i, j - i});
        }
        i = (j == i) ? i + 1 : j;
    }
    return runs;
}

// Position just after the n-th full stop (n from 1).
std::size_t AfterFullStop(std::string_view text, int n) {
    std::size_t pos = 0;
    for (int k = 0; k < n; ++k) {
        pos = text.find('.', pos) + 1;
    }
    return pos;
}

// The sentences of a paragraph, each without its surrounding spaces.
std::vector<std::string> Sentences(std::string_view text) {
    std::vector<std::string> sentences;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        current += text[i];
        const bool end = (text[i] == '.' || text[i] == '!' || text[i] == '?') &&
                         (i + 1 == text.size() || text[i + 1] == ' ');
        if (end) {
            const auto first = current.find_first_not_of(' ');
            sentences.push_back(current.substr(first));
            current.clear();
        }
    }
    if (current.find_first_not_of(' ') != std::string::npos) {
        sentences.push_back(current.substr(current.find_first_not_of(' ')));
    }
    return sentences;
}

} // namespace

class TestSignTables : public QObject {
    Q_OBJECT
private slots:
    void shortEntries_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("sign");
        QTest::addColumn<QString>("expected");
        const auto addTable = [](const SignTable* columns, int columnCount, auto rows) {
            for (int sign = 0; sign < 12; ++sign) {
                for (int c = 0; c < columnCount; ++c) {
                    QTest::addRow("%s, table %d", kSigns[sign], static_cast<int>(columns[c]) + 1)
                        << static_cast<int>(columns[c]) << sign << QString(rows[sign][c]);
                }
            }
        };
        addTable(kSignsAndSymbolsColumns, 8, kSignsAndSymbols);
        addTable(kActivityAndBodyColumns, 8, kActivityAndBody);
        addTable(kLuckColumns, 6, kLuck);
        addTable(kCompatibilityColumns, 3, kCompatibility);
        for (int sign = 0; sign < 12; ++sign) {
            QTest::addRow("%s, abbreviation", kSigns[sign])
                << static_cast<int>(SignTable::Abbreviation) << sign
                << QString(kAbbreviations[sign]);
        }
    }

    void shortEntries() {
        // Each short entry is exactly the text of its table, spaces and punctuation included.
        QFETCH(int, table);
        QFETCH(int, sign);
        QFETCH(QString, expected);
        QCOMPARE(Q(LoadSignTables()[table][sign]), expected);
        QCOMPARE(Q(SignTableEntry(static_cast<SignTable>(table), sign)), expected);
    }

    void everySignFilledAndIndexTwelveEmpty() {
        // All 28 tables hold twelve entries and an empty index 12; reads outside
        // the tables give the empty string instead of failing.
        const SignAttributeTables& tables = LoadSignTables();
        QCOMPARE(static_cast<int>(tables.size()), 28);
        for (int t = 0; t < kSignTableCount; ++t) {
            for (int sign = 0; sign < 12; ++sign) {
                QVERIFY2(!tables[t][sign].empty(),
                         qPrintable(QString("table %1, sign %2").arg(t + 1).arg(sign)));
            }
            QVERIFY2(tables[t][12].empty(), qPrintable(QString("table %1").arg(t + 1)));
            QVERIFY(SignTableEntry(static_cast<SignTable>(t), 12).empty());
            QVERIFY(SignTableEntry(static_cast<SignTable>(t), -1).empty());
            QVERIFY(SignTableEntry(static_cast<SignTable>(t), 13).empty());
        }
        QVERIFY(SignTableEntry(static_cast<SignTable>(kSignTableCount), 0).empty());
        QVERIFY(SignTableEntry(static_cast<SignTable>(-1), 0).empty());
    }

    void loadingTwiceGivesTheSameTables() {
        // A second load returns the very same tables with the same contents.
        const SignAttributeTables& first = LoadSignTables();
        const SignAttributeTables copy = first;
        const SignAttributeTables& second = LoadSignTables();
        QCOMPARE(&second, &first);
        QVERIFY(second == copy);
    }

    void plainAsciiOnOneLine() {
        // Every entry is printable ASCII (so characters and bytes agree), with
        // no line break and no space at either end.
        const SignAttributeTables& tables = LoadSignTables();
        for (int t = 0; t < kSignTableCount; ++t) {
            for (int sign = 0; sign < 12; ++sign) {
                const std::string_view text = tables[t][sign];
                QVERIFY(!text.empty());
                for (const char c : text) {
                    QVERIFY2(c >= 0x20 && c <= 0x7e,
                             qPrintable(QString("table %1, %2: byte %3")
                                            .arg(t + 1)
                                            .arg(kSigns[sign])
                                            .arg(static_cast<unsigned char>(c))));
                }
                QVERIFY2(text.front() != ' ' && text.back() != ' ',
                         qPrintable(QString("table %1, %2").arg(t + 1).arg(kSigns[sign])));
            }
        }
    }

    void paragraphLengths() {
        // Each of the sixty paragraphs has exactly its fixed length in characters.
        for (int p = 0; p < 5; ++p) {
            for (int sign = 0; sign < 12; ++sign) {
                const auto length =
                    static_cast<int>(SignTableEntry(kParagraphTables[p], sign).size());
                QVERIFY2(length == kParagraphLengths[p][sign],
                         qPrintable(QString("%1 paragraph of %2: expected %3 characters, got %4")
                                        .arg(kParagraphTableNames[p], kSigns[sign])
                                        .arg(kParagraphLengths[p][sign])
                                        .arg(length)));
            }
        }
    }

    void quotedParagraphsVerbatim() {
        // Five paragraphs are fixed word for word.
        QCOMPARE(Q(SignTableEntry(SignTable::Looks, 2)),
                 QString("You are tall slim and good looking. You may have curly hair and an "
                         "elevated nose. Generally Geminians have attractive features."));
        QCOMPARE(Q(SignTableEntry(SignTable::CareerAndFinance, 5)),
                 QString("You are skilled in music and dance. Medicine is also a very good "
                         "profession. Publishing professional too are suitable for you."));
        QCOMPARE(Q(SignTableEntry(SignTable::LoveAndDomesticLife, 1)),
                 QString("You may not express your emotions but you are still a romantic at heart. "
                         "You make good parents. You are very reliable in your relationships."));
        QCOMPARE(Q(SignTableEntry(SignTable::Health, 0)),
                 QString("You may be prone to blood circulation problems, head related illnesses "
                         "and BP issues. Your eyes also may create problems."));
        QCOMPARE(Q(SignTableEntry(SignTable::Health, 5)),
                 QString("Your intestine and liver may give you some problems. Else you enjoy "
                         "sound health."));
    }

    void irregularSpacingOnlyWhereIntended() {
        // Three paragraphs carry extra spaces; no other entry has two spaces in a row.
        const std::string_view leoLooks = SignTableEntry(SignTable::Looks, 4);
        const std::string_view virgoLove = SignTableEntry(SignTable::LoveAndDomesticLife, 5);
        const std::string_view scorpioLove = SignTableEntry(SignTable::LoveAndDomesticLife, 7);
        QVERIFY(leoLooks.starts_with("You are tall  "));
        QCOMPARE(SpaceRuns(leoLooks), (std::vector<SpaceRun>{{12, 2}}));
        QCOMPARE(SpaceRuns(virgoLove), (std::vector<SpaceRun>{{AfterFullStop(virgoLove, 2), 4}}));
        QCOMPARE(SpaceRuns(scorpioLove),
                 (std::vector<SpaceRun>{{AfterFullStop(scorpioLove, 1), 2}}));

        const SignAttributeTables& tables = LoadSignTables();
        for (int t = 0; t < kSignTableCount; ++t) {
            for (int sign = 0; sign < 12; ++sign) {
                const std::string_view text = tables[t][sign];
                if (text == leoLooks || text == virgoLove || text == scorpioLove) {
                    continue;
                }
                QVERIFY2(SpaceRuns(text).empty(),
                         qPrintable(QString("table %1, %2").arg(t + 1).arg(kSigns[sign])));
            }
        }
    }

    void paragraphsSpeakToTheReader() {
        // Every paragraph addresses the reader from its first word.
        for (const SignTable table : kParagraphTables) {
            for (int sign = 0; sign < 12; ++sign) {
                const std::string_view text = SignTableEntry(table, sign);
                QVERIFY2(text.starts_with("You ") || text.starts_with("Your "),
                         qPrintable(Q(text.substr(0, 40))));
            }
        }
    }

    void noSentenceSharedBetweenParagraphs() {
        // No sentence appears twice anywhere among the sixty paragraphs.
        std::map<std::string, QString> seen;
        for (int p = 0; p < 5; ++p) {
            for (int sign = 0; sign < 12; ++sign) {
                const QString where =
                    QString("%1 of %2").arg(kParagraphTableNames[p], kSigns[sign]);
                for (const std::string& sentence :
                     Sentences(SignTableEntry(kParagraphTables[p], sign))) {
                    const auto [it, inserted] = seen.emplace(sentence, where);
                    QVERIFY2(inserted, qPrintable(QString("\"%1\" in %2 and %3")
                                                      .arg(QString::fromStdString(sentence),
                                                           it->second, where)));
                }
            }
        }
    }

    void paragraphsBelongToTheirSign() {
        // Each nature paragraph names the sign's ruling planet and each health
        // paragraph its part of the body (Virgo's speaks of the intestine), so
        // a paragraph filed under the wrong sign is caught; Scorpio's nature
        // paragraph speaks of "this moon sign".
        const char* const organs[12] = {"head",
                                        "face",
                                        "shoulders",
                                        "chest",
                                        "heart and stomach",
                                        "intestine",
                                        "lower abdomen and groin",
                                        "external genitalia",
                                        "thighs",
                                        "knees",
                                        "calves",
                                        "feet"};
        for (int sign = 0; sign < 12; ++sign) {
            const QString nature = Q(SignTableEntry(SignTable::Nature, sign));
            const QString planet = Q(SignTableEntry(SignTable::RulingPlanet, sign));
            QVERIFY2(nature.contains(planet), kSigns[sign]);
            const QString health = Q(SignTableEntry(SignTable::Health, sign)).toLower();
            QVERIFY2(health.contains(organs[sign]), kSigns[sign]);
        }
        QVERIFY(Q(SignTableEntry(SignTable::Nature, 7)).contains("this moon sign"));
    }

    void attributeControlsShowTheirTables() {
        // The result form's 28 attribute controls, in writing order, each with its
        // table and caption; the English name feeds two controls, the
        // abbreviations none, and only the text boxes take paragraphs.
        struct Expected {
            const char* objectName;
            SignTable table;
            const char* caption;
        };
        const Expected expected[28] = {
            {"lblArudhaLagnaPresentInSign", SignTable::EnglishName, "Torvi Lagna Present In Sign"},
            {"lblVedicName", SignTable::VedicName, "Vedic Name"},
            {"lblEnglishName", SignTable::EnglishName, "English Name"},
            {"lblRullingPlanet", SignTable::RulingPlanet, "Ruling Planet"},
            {"lblSymbol", SignTable::Symbol, "Symbol"},
            {"lblNature", SignTable::Element, "Nature"},
            {"lblColor", SignTable::Color, "Color"},
            {"lblTypeOfSign", SignTable::TypeOfSign, "Type Of Sign"},
            {"lblGender", SignTable::Gender, "Gender"},
            {"lblBestPeriodOfActivity", SignTable::BestPeriodOfActivity, "Best Period Of Activity"},
            {"lblBarren", SignTable::Fruitfulness, "Barren"},
            {"lblCaste", SignTable::Caste, "Caste"},
            {"lblPosition", SignTable::Position, "Position"},
            {"lblConstituentCharacter", SignTable::ConstituentCharacter, "Constituent Character"},
            {"lblLuckyDays", SignTable::LuckyDays, "Lucky Days"},
            {"lblLuckyNumbers", SignTable::LuckyNumbers, "Lucky Numbers"},
            {"lblBestDirection", SignTable::BestDirection, "Best Direction"},
            {"lblLuckyColors", SignTable::LuckyColors, "Lucky Colors"},
            {"lblLuckyGemstone", SignTable::LuckyGemstone, "Lucky Gemstone"},
            {"lblPartOfTheBody", SignTable::PartOfTheBody, "Part Of The Body"},
            {"lblPhysique", SignTable::Physique, "Physique"},
            {"txtLooks", SignTable::Looks, "Looks"},
            {"txtNature", SignTable::Nature, "Nature"},
            {"txtCareerAndFinance", SignTable::CareerAndFinance, "Career And Finance"},
            {"txtLoveAndDomesticLife", SignTable::LoveAndDomesticLife, "Love And Domestic Life"},
            {"txtHealth", SignTable::Health, "Health"},
            {"lblCompatibleWith", SignTable::CompatibleWith, "Compatible With"},
            {"lblNotCompatibleWith", SignTable::NotCompatibleWith, "Not Compatible With"},
        };
        for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
            const AttributeControl& control = kAttributeControls[i];
            QCOMPARE(Q(control.objectName), QString(expected[i].objectName));
            QCOMPARE(control.table, expected[i].table);
            QCOMPARE(Q(control.caption), QString(expected[i].caption));
            QCOMPARE(control.isParagraph, Q(control.objectName).startsWith("txt"));
        }
    }
};

QTEST_APPLESS_MAIN(TestSignTables)
#include "test_sign_tables.moc"
