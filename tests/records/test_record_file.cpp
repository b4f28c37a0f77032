#include "chart/chart_driver.h"
#include "input/key_filters.h"
#include "input/validation.h"
#include "record_test_support.h"
#include "records/record_checks.h"
#include "records/record_file.h"

#include <QTest>

#include <nlohmann/json.hpp>

#include <functional>

using namespace selmarind;
using Json = nlohmann::json;

Q_DECLARE_METATYPE(BirthRecordContents)
Q_DECLARE_METATYPE(RecordFault)

namespace {

// The README's example record, as the writer must make it byte for byte.
const char* const kBengaluruText = R"({
  "format": "selmarind-birth-record",
  "version": 1,
  "name": "ANANYA RAO",
  "date": "1987-08-14",
  "time": "06:30:00",
  "zone": {"index": 34},
  "dst": false,
  "latitude": {"degrees": 12, "minutes": 58, "hemisphere": "N"},
  "longitude": {"degrees": 77, "minutes": 35, "hemisphere": "E"},
  "city": "Bengaluru",
  "state": "Karnataka",
  "country": "India",
  "place": {"geonameId": 1277333, "timeZone": "Asia/Kolkata"},
  "positions": "classic",
  "sunrise": "limb"
}
)";

BirthRecordContents With(const std::function<void(BirthRecordContents&)>& change) {
    BirthRecordContents c = BengaluruContents();
    change(c);
    return c;
}

// The example record with one change made to its JSON.
QByteArray Edited(const std::function<void(Json&)>& change) {
    Json record = Json::parse(kBengaluruText);
    change(record);
    return QByteArray::fromStdString(record.dump(2));
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kNotARecord = "This file is not a Selmarind birth record: ";
const QString kMalformed = "This birth record cannot be read: ";

void FaultColumns() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<RecordFault>("fault");
    QTest::addColumn<QString>("message");
}

void Refused(const char* tag, const QByteArray& bytes, std::string_view message) {
    QTest::newRow(tag) << bytes << RecordFault::Refused << Text(message);
}

void Malformed(const char* tag, const QByteArray& bytes, const QString& reason) {
    QTest::newRow(tag) << bytes << RecordFault::Malformed << kMalformed + reason;
}

void NotARecord(const char* tag, const QByteArray& bytes, const QString& reason) {
    QTest::newRow(tag) << bytes << RecordFault::NotARecord << kNotARecord + reason;
}

void CheckFault() {
    QFETCH(QByteArray, bytes);
    QFETCH(RecordFault, fault);
    QFETCH(QString, message);
    const RecordOrFault read = ReadBirthRecord(std::string_view(bytes.constData(), bytes.size()));
    QVERIFY2(!read.contents, qPrintable("opened; expected: " + message));
    QCOMPARE(Text(read.message), message);
    QCOMPARE(read.fault, fault);
}

// A JSON array nested `levels` deep: [[[...]]].
std::string NestedArrays(std::size_t levels) {
    return std::string(levels, '[') + std::string(levels, ']');
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    // A record of precise positions holds their years, 1800 to 2399; a
    // classic one the form's list. 29 February is refused where the
    // calendar has none, though the form counts every fourth year as leap.
    void yearsFollowThePositionSource() {
        BirthRecordContents c = BengaluruContents();
        c.entries.cboYear = "1850";
        c.positions = PositionSource::Precise;
        QCOMPARE(CheckBirthRecord(c), std::optional<std::string>());
        c.positions = PositionSource::Classic;
        QCOMPARE(CheckBirthRecord(c), std::optional<std::string>(kYearListMessage));
        c.positions.reset();
        QCOMPARE(CheckBirthRecord(c), std::optional<std::string>(kYearListMessage));
        c.positions = PositionSource::Precise;
        c.entries.cboYear = "2400";
        QVERIFY(CheckBirthRecord(c).has_value());
        c.entries.cboYear = "1900";
        c.entries.cboMonthIndex = 1;
        c.entries.cboDate = "29";
        QCOMPARE(CheckBirthRecord(c), std::optional<std::string>(kFebruaryMessage));
        c.entries.cboYear = "2000";
        QCOMPARE(CheckBirthRecord(c), std::optional<std::string>());
    }

    // The layout is part of the format: the README shows it, and equal
    // contents must give equal bytes.
    void writesTheReadmeExample() {
        QCOMPARE(Text(WriteBirthRecord(BengaluruContents())), QString(kBengaluruText));
    }

    // Contents that pass the checks open as they were, and saving them again
    // gives the same bytes.
    void roundTrip_data() {
        QTest::addColumn<BirthRecordContents>("contents");
        QTest::newRow("README example") << BengaluruContents();
        QTest::newRow("no optional members") << With([](BirthRecordContents& c) {
            c.place.reset();
            c.positions.reset();
            c.sunrise.reset();
        });
        QTest::newRow("south, west, daylight saving, precise, centre")
            << With([](BirthRecordContents& c) {
                   c.entries.txtLatD = "33";
                   c.entries.optLatSouth = true;
                   c.entries.txtLonD = "151";
                   c.entries.optLongEast = false;
                   c.entries.chkDST = true;
                   c.positions = PositionSource::Precise;
                   c.sunrise = SunriseConvention::Centre;
                   c.chartStyle = "north";
               });
        QTest::newRow("east chart style")
            << With([](BirthRecordContents& c) { c.chartStyle = "east"; });
        QTest::newRow("exact offset instead of a list entry") << With([](BirthRecordContents& c) {
            c.exactZone = ExactZoneOffset{20700, "Asia/Kathmandu, +05:45"};
            c.entries.cmbTimeZoneIndex = kExactZoneIndex;
        });
        QTest::newRow("exact local mean time west") << With([](BirthRecordContents& c) {
            c.exactZone = ExactZoneOffset{-kMaxUtcOffsetSeconds, "LMT, -18:00"};
            c.entries.cmbTimeZoneIndex = kExactZoneIndex;
        });
        QTest::newRow("first and last of every list") << With([](BirthRecordContents& c) {
            c.entries.cboYear = "1901";
            c.entries.cboMonthIndex = 0;
            c.entries.cboDate = "1";
            c.entries.cboHH = "23";
            c.entries.cboMM = "59";
            c.entries.cboSS = "59";
            c.entries.cmbTimeZoneIndex = 70;
        });
        QTest::newRow("zero coordinates") << With([](BirthRecordContents& c) {
            c.entries.txtLatD = c.entries.txtLatM = c.entries.txtLonD = c.entries.txtLonM = "0";
        });
        QTest::newRow("spaces around the name are the form's")
            << With([](BirthRecordContents& c) { c.entries.txtName = "  ANANYA  RAO "; });
        QTest::newRow("place texts needing escapes") << With([](BirthRecordContents& c) {
            c.entries.txtMCity = "S\xC3\xA3o \"Paulo\" \\ \t\n\x01\x1F\x7F";
            c.entries.txtMState = "\xE0\xA4\x95\xE0\xA4\xB0\xE0\xA5\x8D\xE0\xA4\xA8"; // Devanagari
            c.entries.txtMCountry = "\xF0\x9F\x87\xAE\xF0\x9F\x87\xB3 \xE2\x80\xA8"; // flag, U+2028
        });
        QTest::newRow("empty place texts") << With([](BirthRecordContents& c) {
            c.entries.txtMCity.clear();
            c.entries.txtMState.clear();
            c.entries.txtMCountry.clear();
        });
        // The largest record: every text at the field's limit in characters
        // that need the six-byte escape must still fit the size limit.
        QTest::newRow("largest texts") << With([](BirthRecordContents& c) {
            const std::string longest(kFormFieldMaxLength, '\x01');
            c.entries.txtName = std::string(kFormFieldMaxLength, 'A');
            c.entries.txtMCity = c.entries.txtMState = c.entries.txtMCountry = longest;
            c.exactZone = ExactZoneOffset{kMaxUtcOffsetSeconds, longest};
            c.entries.cmbTimeZoneIndex = kExactZoneIndex;
        });
    }
    void roundTrip() {
        QFETCH(BirthRecordContents, contents);
        const std::optional<std::string> fault = CheckBirthRecord(contents);
        QVERIFY2(!fault, fault ? fault->c_str() : "");
        const std::string first = WriteBirthRecord(contents);
        QVERIFY2(first.size() <= kBirthRecordMaxBytes, qPrintable(QString::number(first.size())));
        const RecordOrFault read = ReadBirthRecord(first);
        QVERIFY2(read.contents, read.message.c_str());
        QCOMPARE(read.fault, RecordFault::None);
        const QString difference = ContentsDifference(*read.contents, contents);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(WriteBirthRecord(*read.contents) == first);
    }

    // A degree field typed "07" is saved as the number 7 and opens as "7":
    // the same chart, and from then on the same bytes.
    void leadingZerosGiveTheSameChart() {
        const BirthRecordContents typed = With([](BirthRecordContents& c) {
            c.entries.txtLatD = "07";
            c.entries.txtLatM = "05";
            c.entries.txtLonD = "007";
            c.entries.txtLonM = "00";
        });
        const std::string first = WriteBirthRecord(typed);
        QVERIFY2(first.find(R"("latitude": {"degrees": 7, "minutes": 5,)") != std::string::npos,
                 first.c_str());
        const RecordOrFault read = ReadBirthRecord(first);
        QVERIFY2(read.contents, read.message.c_str());
        QCOMPARE(Text(read.contents->entries.txtLatD), QString("7"));
        QCOMPARE(Text(read.contents->entries.txtLonM), QString("0"));
        QVERIFY(WriteBirthRecord(*read.contents) == first);
        const auto typedChart = CalculateChart(typed.entries);
        QVERIFY(typedChart);
        QVERIFY(CalculateChart(read.contents->entries) == typedChart);
    }

    // What other writers may do and the reader takes.
    void acceptedVariants_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<BirthRecordContents>("contents");
        const BirthRecordContents example = BengaluruContents();
        QTest::newRow("unknown members at every level, nested too") << Edited([](Json& r) {
            r["comment"] = "made by hand";
            r["future"] = {{"a", {1, 2, {{"b", nullptr}}}}};
            r["latitude"]["seconds"] = 12;
            r["zone"]["note"] = "IST";
            r["place"]["population"] = 8443675;
        }) << example;
        QTest::newRow("members in another order, compact")
            << QByteArray::fromStdString(Json::parse(kBengaluruText).dump()) << example;
        QTest::newRow("byte-order mark, CRLF line ends")
            << QByteArray("\xEF\xBB\xBF" + QByteArray(kBengaluruText).replace("\n", "\r\n"))
            << example;
        QTest::newRow("small letters become capitals, as the name field makes them")
            << Edited([](Json& r) { r["name"] = "Ananya rao"; }) << example;
        QTest::newRow("12.0 is the number 12")
            << Edited([](Json& r) { r["latitude"]["degrees"] = 12.0; }) << example;
        QTest::newRow("written with an exponent")
            << Edited([](Json& r) { r["latitude"]["minutes"] = 5.8e1; }) << example;
        QTest::newRow("optional members left out") << Edited([](Json& r) {
            r.erase("place");
            r.erase("positions");
            r.erase("sunrise");
        }) << With([](BirthRecordContents& c) {
            c.place.reset();
            c.positions.reset();
            c.sunrise.reset();
        });
        QTest::newRow("leap day, every fourth year")
            << Edited([](Json& r) { r["date"] = "1988-02-29"; })
            << With([](BirthRecordContents& c) {
                   c.entries.cboYear = "1988";
                   c.entries.cboMonthIndex = 1;
                   c.entries.cboDate = "29";
               });
        QTest::newRow("zone names of the tz database")
            << Edited([](Json& r) { r["place"]["timeZone"] = "America/Port-au-Prince"; })
            << With([](BirthRecordContents& c) { c.place->timeZone = "America/Port-au-Prince"; });
        QTest::newRow("zone name with a sign and digits")
            << Edited([](Json& r) { r["place"]["timeZone"] = "Etc/GMT+5"; })
            << With([](BirthRecordContents& c) { c.place->timeZone = "Etc/GMT+5"; });
        // The root object is one level, the member 31 more: the limit.
        QTest::newRow("nesting of 32 levels")
            << Edited([](Json& r) { r["deep"] = Json::parse(NestedArrays(31)); }) << example;
        QTest::newRow("city of 16383 characters beyond the BMP: 32766 UTF-16 units")
            << Edited([](Json& r) {
                   std::string city;
                   for (int i = 0; i < 16383; ++i) {
                       city += "\xF0\x9F\x8C\x8F"; // U+1F30F
                   }
                   r["city"] = city;
               })
            << With([](BirthRecordContents& c) {
                   c.entries.txtMCity.clear();
                   for (int i = 0; i < 16383; ++i) {
                       c.entries.txtMCity += "\xF0\x9F\x8C\x8F";
                   }
               });
    }
    void acceptedVariants() {
        QFETCH(QByteArray, bytes);
        QFETCH(BirthRecordContents, contents);
        const RecordOrFault read =
            ReadBirthRecord(std::string_view(bytes.constData(), bytes.size()));
        QVERIFY2(read.contents, read.message.c_str());
        const QString difference = ContentsDifference(*read.contents, contents);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Every cut of a record short of its closing brace is refused as cut
    // short, whatever value the cut falls in.
    void truncatedAnywhere() {
        const std::string whole = kBengaluruText;
        const std::size_t closingBrace = whole.rfind('}');
        for (std::size_t length = 1; length < closingBrace + 1; ++length) {
            const std::string cut = whole.substr(0, length);
            const RecordOrFault read = ReadBirthRecord(cut);
            const QString where = QString("cut after %1 bytes: ...%2")
                                      .arg(length)
                                      .arg(Text(cut.substr(length > 20 ? length - 20 : 0)));
            QVERIFY2(!read.contents, qPrintable(where));
            QVERIFY2(read.fault == RecordFault::NotARecord, qPrintable(where));
            QVERIFY2(Text(read.message).startsWith(kNotARecord + "it ends early, as if cut short"),
                     qPrintable(where + " gave " + Text(read.message)));
        }
    }

    void notARecord_data() {
        FaultColumns();
        NotARecord("empty", "", "it is empty.");
        NotARecord("blanks only", " \r\n\t", "it is empty.");
        NotARecord("byte-order mark only", "\xEF\xBB\xBF", "it is empty.");
        NotARecord("plain text", "Ananya Rao, 14 Aug 1987",
                   "it is not JSON text (line 1, column 1).");
        NotARecord("garbage after the record", QByteArray(kBengaluruText) + "x",
                   "it is not JSON text (line 18, column 1).");
        NotARecord("two records", QByteArray(kBengaluruText) + kBengaluruText,
                   "it is not JSON text (line 18, column 1).");
        NotARecord("comments are not JSON", QByteArray("// saved\n") + kBengaluruText,
                   "it is not JSON text (line 1, column 1).");
        NotARecord("cut inside a string", "{\"format\": \"selmarind-bi",
                   "it ends early, as if cut short (line 1, column 25).");
        NotARecord("an array", "[1, 2]", "it is not a JSON object.");
        NotARecord("a string", "\"selmarind-birth-record\"", "it is not a JSON object.");
        NotARecord("another format", Edited([](Json& r) { r["format"] = "selmarind-settings"; }),
                   "its \"format\" is not \"selmarind-birth-record\".");
        NotARecord("no format", Edited([](Json& r) { r.erase("format"); }),
                   "its \"format\" is not \"selmarind-birth-record\".");
        NotARecord("format not a text", Edited([](Json& r) { r["format"] = 1; }),
                   "its \"format\" is not \"selmarind-birth-record\".");
        NotARecord("UTF-16 with its byte-order mark", "\xFF\xFE{\0\"\0",
                   "it is UTF-16 text; a birth record is UTF-8 text.");
        NotARecord("Latin-1 byte in the city",
                   QByteArray(kBengaluruText).replace("Bengaluru", "Bengal\xFCru"),
                   "it is not UTF-8 text (line 11, column 18).");
        NotARecord("overlong encoding of '/'",
                   QByteArray(kBengaluruText).replace("Asia/", "Asia\xC0\xAF"),
                   "it is not UTF-8 text (line 14, column 52).");
        NotARecord("encoded surrogate", QByteArray(kBengaluruText).replace("India", "\xED\xA0\x80"),
                   "it is not UTF-8 text (line 13, column 15).");
        NotARecord("lone escaped surrogate", QByteArray(kBengaluruText).replace("India", "\\ud800"),
                   "it is not JSON text (line 13, column 21).");
        NotARecord("more than 1 MiB",
                   Edited([](Json& r) { r["name"] = std::string(1 << 20, 'A'); }),
                   "it is larger than 1 MiB.");
        NotARecord("33 levels of nesting",
                   Edited([](Json& r) { r["deep"] = Json::parse(NestedArrays(32)); }),
                   "its objects and arrays nest more than 32 levels deep.");
        NotARecord("half a million levels of nesting",
                   QByteArray("{\"deep\": ") + QByteArray::fromStdString(NestedArrays(500000)) +
                       "}",
                   "its objects and arrays nest more than 32 levels deep.");
        NotARecord("a member given twice",
                   QByteArray(kBengaluruText).replace("\"dst\": false", "\"name\": \"OTHER\""),
                   "a member name appears twice in one object (\"name\").");
        NotARecord("an unknown member given twice",
                   QByteArray(kBengaluruText)
                       .replace("\"dst\": false", "\"dst\": false, \"x\": {\"k\": 1, \"k\": 2}"),
                   "a member name appears twice in one object (\"k\").");
        NotARecord("a zone's index given twice",
                   QByteArray(kBengaluruText).replace("\"index\": ", "\"index\": 35, \"index\": "),
                   "a member name appears twice in one object (\"index\").");
        NotARecord("a member twice in an object inside an array",
                   QByteArray(kBengaluruText)
                       .replace("\"dst\": false",
                                "\"dst\": false, \"x\": [{\"a\": [{\"b\": 1, \"b\": 1}]}]"),
                   "a member name appears twice in one object (\"b\").");
        NotARecord("a number beyond double", Edited([](Json& r) {
                                                 r["latitude"]["degrees"] = 0;
                                             }).replace("\"degrees\": 0", "\"degrees\": 1e400"),
                   "it holds a number too large to read.");
        NotARecord("a number below double", Edited([](Json& r) {
                                                r["latitude"]["degrees"] = 0;
                                            }).replace("\"degrees\": 0", "\"degrees\": 2e-400"),
                   "it holds a number too small to read.");
    }
    void notARecord() { CheckFault(); }

    // The version is read before anything else a newer program may have
    // changed.
    void version_data() {
        FaultColumns();
        const QString newer = "This birth record was saved by a newer version of Selmarind "
                              "(record version 2; this version reads records up to version 1). "
                              "Please update Selmarind to open it.";
        QTest::newRow("version 2")
            << Edited([](Json& r) { r["version"] = 2; }) << RecordFault::NewerVersion << newer;
        QTest::newRow("version 2 with members this version does not know") << Edited([](Json& r) {
            r["version"] = 2;
            r["date"] = {{"year", 1987}};
            r.erase("name");
        }) << RecordFault::NewerVersion << newer;
        QTest::newRow("a huge version")
            << Edited([](Json& r) { r["version"] = 1e30; }) << RecordFault::NewerVersion
            << "This birth record was saved by a newer version of Selmarind (this version reads "
               "records up to version 1). Please update Selmarind to open it.";
        const QString whole = "\"version\" must be a whole number from 1 upwards.";
        Malformed("version 0", Edited([](Json& r) { r["version"] = 0; }), whole);
        Malformed("version 1.5", Edited([](Json& r) { r["version"] = 1.5; }), whole);
        Malformed("version as text", Edited([](Json& r) { r["version"] = "1"; }), whole);
        Malformed("no version", Edited([](Json& r) { r.erase("version"); }),
                  "\"version\" is missing.");
    }
    void version() { CheckFault(); }

    void malformed_data() {
        FaultColumns();
        Malformed("name as a number", Edited([](Json& r) { r["name"] = 5; }),
                  "\"name\" must be a text in double quotes.");
        Malformed("no time", Edited([](Json& r) { r.erase("time"); }), "\"time\" is missing.");
        Malformed("date in another layout", Edited([](Json& r) { r["date"] = "14/08/1987"; }),
                  "\"date\" must be a date written as YYYY-MM-DD.");
        Malformed("date without leading zeros", Edited([](Json& r) { r["date"] = "1987-8-14"; }),
                  "\"date\" must be a date written as YYYY-MM-DD.");
        Malformed("time without seconds", Edited([](Json& r) { r["time"] = "06:30"; }),
                  "\"time\" must be a time written as HH:MM:SS.");
        Malformed("zone as an index alone", Edited([](Json& r) { r["zone"] = 34; }),
                  "\"zone\" must be a JSON object.");
        const QString eitherZone =
            "\"zone\" must hold either \"index\" or \"utcOffsetSeconds\" with \"label\".";
        Malformed("zone with index and offset",
                  Edited([](Json& r) { r["zone"]["utcOffsetSeconds"] = 19800; }), eitherZone);
        Malformed("zone with neither", Edited([](Json& r) { r["zone"] = Json::object(); }),
                  eitherZone);
        Malformed("offset without label", Edited([](Json& r) {
                      r["zone"] = {{"utcOffsetSeconds", 19800}};
                  }),
                  "\"zone.label\" is missing.");
        Malformed("index as text", Edited([](Json& r) { r["zone"]["index"] = "34"; }),
                  "\"zone.index\" must be a number.");
        Malformed("daylight saving as text", Edited([](Json& r) { r["dst"] = "false"; }),
                  "\"dst\" must be true or false.");
        Malformed("daylight saving as 0", Edited([](Json& r) { r["dst"] = 0; }),
                  "\"dst\" must be true or false.");
        Malformed("latitude as a list", Edited([](Json& r) {
                      r["latitude"] = {12, 58};
                  }),
                  "\"latitude\" must be a JSON object.");
        Malformed("degrees as text", Edited([](Json& r) { r["longitude"]["degrees"] = "77"; }),
                  "\"longitude.degrees\" must be a number.");
        Malformed("no minutes", Edited([](Json& r) { r["latitude"].erase("minutes"); }),
                  "\"latitude.minutes\" is missing.");
        Malformed("hemisphere of the other coordinate",
                  Edited([](Json& r) { r["latitude"]["hemisphere"] = "E"; }),
                  "\"latitude.hemisphere\" must be \"N\" or \"S\".");
        Malformed("hemisphere in small letters",
                  Edited([](Json& r) { r["longitude"]["hemisphere"] = "w"; }),
                  "\"longitude.hemisphere\" must be \"E\" or \"W\".");
        Malformed("city null", Edited([](Json& r) { r["city"] = nullptr; }),
                  "\"city\" must be a text in double quotes.");
        Malformed("optional place null", Edited([](Json& r) { r["place"] = nullptr; }),
                  "\"place\" must be a JSON object.");
        Malformed("place id as text", Edited([](Json& r) { r["place"]["geonameId"] = "1277333"; }),
                  "\"place.geonameId\" must be a number.");
        Malformed("unknown position source", Edited([](Json& r) { r["positions"] = "fast"; }),
                  "\"positions\" must be \"classic\" or \"precise\".");
        Malformed("sunrise spelt center", Edited([](Json& r) { r["sunrise"] = "center"; }),
                  "\"sunrise\" must be \"limb\" or \"centre\".");
        Malformed("chart style in capitals", Edited([](Json& r) { r["chartStyle"] = "North"; }),
                  "\"chartStyle\" must be \"south\", \"north\" or \"east\".");
        Malformed("chart style as a number", Edited([](Json& r) { r["chartStyle"] = 2; }),
                  "\"chartStyle\" must be a text in double quotes.");
    }
    void malformed() { CheckFault(); }

    // Values the form could not hold or would refuse: the form's own
    // messages (key filters, ValidateBirthData) where it has them.
    void formRefusals_data() {
        FaultColumns();
        const auto set = [](const char* member, Json value) {
            return Edited([&](Json& r) { r[member] = value; });
        };
        const auto coordinate = [](const char* which, const char* part, Json value) {
            return Edited([&](Json& r) { r[which][part] = value; });
        };
        Refused("name with digits", set("name", "R2D2"), kRecordNameMessage);
        Refused("name with an accent", set("name", "ZO\xC3\x8B"), kRecordNameMessage);
        Refused("name of a million letters", set("name", std::string(1'000'000, 'A')),
                TooLongMessage("name"));
        Refused("name of a million digits", set("name", std::string(1'000'000, '7')),
                kRecordNameMessage);
        Refused("name of spaces", set("name", "   "), kNameMessage);
        Refused("latitude minute 75", coordinate("latitude", "minutes", 75), kLatMinuteMessage);
        Refused("latitude 90", coordinate("latitude", "degrees", 90), kLatDegreeMessage);
        Refused("latitude of three digits", coordinate("latitude", "degrees", 120),
                kLatDegreeMessage);
        Refused("longitude 180", coordinate("longitude", "degrees", 180), kLonDegreeMessage);
        Refused("longitude beyond 64 bits",
                Edited([](Json& r) {
                    r["longitude"]["degrees"] = 0;
                }).replace("\"degrees\": 0", "\"degrees\": 99999999999999999999999"),
                kLonDegreeMessage);
        Refused("negative degrees", coordinate("longitude", "degrees", -77), kOnlyNumbersMessage);
        Refused("fractional minutes", coordinate("longitude", "minutes", 35.5),
                kOnlyNumbersMessage);
        Refused("minus zero", coordinate("latitude", "degrees", -0.0), kOnlyNumbersMessage);
        // The form checks longitude before latitude, and both before the date.
        Refused("latitude and longitude both wrong", Edited([](Json& r) {
                    r["latitude"]["minutes"] = 60;
                    r["longitude"]["minutes"] = 60;
                    r["date"] = "1987-04-31";
                }),
                kLonMinuteMessage);
        Refused("name and latitude both wrong", Edited([](Json& r) {
                    r["name"] = "";
                    r["latitude"]["degrees"] = 95;
                }),
                kNameMessage);
        Refused("31 April", set("date", "1987-04-31"), kThirtyDayMessage);
        Refused("29 February in a common year", set("date", "1987-02-29"), kFebruaryMessage);
        Refused("month 13", set("date", "1987-13-01"), kFebruaryMessage);
        Refused("month 0", set("date", "1987-00-10"), kFebruaryMessage);
        Refused("day 32", set("date", "1987-08-32"), kFebruaryMessage);
        Refused("day 0", set("date", "1987-08-00"), kFebruaryMessage);
        Refused("year before the list", set("date", "1900-08-14"), kYearListMessage);
        Refused("year after the list", set("date", "2051-08-14"), kYearListMessage);
        Refused("hour 24", set("time", "24:00:00"), kTimeListMessage);
        Refused("second 60", set("time", "23:59:60"), kTimeListMessage);
        Refused("zone index 71", Edited([](Json& r) { r["zone"]["index"] = 71; }),
                kZoneListMessage);
        Refused("zone index -1", Edited([](Json& r) { r["zone"]["index"] = -1; }),
                kZoneListMessage);
        Refused("zone index 3.5", Edited([](Json& r) { r["zone"]["index"] = 3.5; }),
                kZoneListMessage);
        Refused("zone index beyond an int",
                Edited([](Json& r) { r["zone"]["index"] = 4294967330; }), kZoneListMessage);
        Refused("offset beyond 18 hours", Edited([](Json& r) {
                    r["zone"] = {{"utcOffsetSeconds", 64801}, {"label", "x"}};
                }),
                kExactOffsetMessage);
        Refused("offset with a fraction of a second", Edited([](Json& r) {
                    r["zone"] = {{"utcOffsetSeconds", 20700.5}, {"label", "x"}};
                }),
                kExactOffsetMessage);
        // Eastern Daylight Time already holds the summer hour.
        Refused("daylight entry with the summer-hour box", Edited([](Json& r) {
                    r["zone"] = {{"index", 24}};
                    r["dst"] = true;
                }),
                DaylightEntryMessage("Eastern Daylight Time"));
        Refused("city of 32768 characters", set("city", std::string(32768, 'x')),
                TooLongMessage("city"));
        Refused("country of 16384 characters beyond the BMP: 32768 UTF-16 units",
                Edited([](Json& r) {
                    std::string country;
                    for (int i = 0; i < 16384; ++i) {
                        country += "\xF0\x9F\x8C\x8F";
                    }
                    r["country"] = country;
                }),
                TooLongMessage("country"));
        Refused("place id 0", Edited([](Json& r) { r["place"]["geonameId"] = 0; }),
                kPlaceIdMessage);
        Refused("place id beyond 32 bits",
                Edited([](Json& r) { r["place"]["geonameId"] = 2147483648; }), kPlaceIdMessage);
        Refused("zone name climbing out of the zone folder",
                Edited([](Json& r) { r["place"]["timeZone"] = "../../etc/shadow"; }),
                kPlaceZoneMessage);
        Refused("absolute zone path",
                Edited([](Json& r) { r["place"]["timeZone"] = "/etc/localtime"; }),
                kPlaceZoneMessage);
        Refused("empty zone name", Edited([](Json& r) { r["place"]["timeZone"] = ""; }),
                kPlaceZoneMessage);
        Refused("zone name ending in a slash",
                Edited([](Json& r) { r["place"]["timeZone"] = "Asia/"; }), kPlaceZoneMessage);
    }
    void formRefusals() { CheckFault(); }

    // Contents a window may hand over for saving that the form could not
    // hold; the same checks and messages as opening.
    void checkBeforeSaving_data() {
        QTest::addColumn<BirthRecordContents>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("small letters")
            << With([](BirthRecordContents& c) { c.entries.txtName = "Ananya"; })
            << Text(kRecordNameMessage);
        QTest::newRow("day written 05")
            << With([](BirthRecordContents& c) { c.entries.cboDate = "05"; })
            << Text(kFebruaryMessage);
        QTest::newRow("hour with a space")
            << With([](BirthRecordContents& c) { c.entries.cboHH = " 6"; })
            << Text(kTimeListMessage);
        QTest::newRow("empty latitude minutes")
            << With([](BirthRecordContents& c) { c.entries.txtLatM.clear(); })
            << Text(kLatMinuteMessage);
        QTest::newRow("city not UTF-8")
            << With([](BirthRecordContents& c) { c.entries.txtMCity = "Bengal\xFCru"; })
            << Text(NotUtf8Message("city"));
        QTest::newRow("list zone 71 without an exact offset")
            << With([](BirthRecordContents& c) { c.entries.cmbTimeZoneIndex = kExactZoneIndex; })
            << Text(kZoneListMessage);
        QTest::newRow("unknown chart style")
            << With([](BirthRecordContents& c) { c.chartStyle = "western"; })
            << Text(kChartStyleMessage);
    }
    void checkBeforeSaving() {
        QFETCH(BirthRecordContents, contents);
        QFETCH(QString, message);
        const std::optional<std::string> fault = CheckBirthRecord(contents);
        QVERIFY2(fault, qPrintable("passed; expected: " + message));
        QCOMPARE(Text(*fault), message);
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
