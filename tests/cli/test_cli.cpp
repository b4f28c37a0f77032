#include "chart/chart_driver.h"
#include "chart/sign_tables.h"
#include "cli/birth_input.h"
#include "cli/chart_tool.h"
#include "cli/json_writer.h"
#include "input/utf8_text.h"
#include "input/validation.h"
#include "support/sample_entries.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

using namespace selmarind;
using namespace selmarind::cli;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the built tool as a user would.
ToolRun RunTool(const QStringList& args, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(SELMARIND_CHART_TOOL), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(10000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The tool's library on strings, for the batch cases.
ToolRun RunLibrary(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunChartTool(args, in, out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

const QStringList kDelhi1980 = {"--name", "Ravi Kumar", "--date", "1980-03-15", "--time",
                                "01:00",  "--zone",     "34",     "--lat",      "28N36",
                                "--lon",  "77E13",      "--city", "New Delhi",  "--state",
                                "Delhi",  "--country",  "India"};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Compares the "form" object of the tool's JSON with a calculated result.
void CompareForm(const QJsonObject& form, const ResultFormTexts& texts) {
    QCOMPARE(form.value("lblName").toString(), Q(texts.lblName));
    QCOMPARE(form.value("lblDOB").toString(), Q(texts.lblDOB));
    QCOMPARE(form.value("lblTOB").toString(), Q(texts.lblTOB));
    QCOMPARE(form.value("lblLatitude").toString(), Q(texts.lblLatitude));
    QCOMPARE(form.value("lblLongitude").toString(), Q(texts.lblLongitude));
    QCOMPARE(form.value("lblCity").toString(), Q(texts.lblCity));
    QCOMPARE(form.value("lblState").toString(), Q(texts.lblState));
    QCOMPARE(form.value("lblCountry").toString(), Q(texts.lblCountry));
    QCOMPARE(form.value("lblHoraDesc").toString(), Q(texts.lblHoraDesc));
    const QJsonArray planet = form.value("planet").toArray();
    QCOMPARE(planet.size(), 10);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(planet[i].toString(), Q(texts.planet[static_cast<std::size_t>(i)]));
    }
    const QJsonArray markers = form.value("lblArudha").toArray();
    QCOMPARE(markers.size(), 12);
    for (std::size_t k = 0; k < 12; ++k) {
        QCOMPARE(markers[static_cast<int>(k)].toString(), Q(texts.lblArudha[k]));
        QCOMPARE(form.value(kSignCellNames[k]).toString(), Q(texts.signCells[k]));
    }
    for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
        const QString name = QString::fromUtf8(kAttributeControls[c].objectName.data(),
                                               kAttributeControls[c].objectName.size());
        QCOMPARE(form.value(name).toString(), Q(texts.attributes[c]));
    }
    // Nothing but the controls above.
    QCOMPARE(form.size(), 8 + 1 + 1 + 12 + 1 + 28);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void fullReport() {
        const ToolRun run = RunTool(kDelhi1980);
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        const QStringList lines = run.out.split('\n');
        QVERIFY(lines.contains("  Name                        : RAVI KUMAR"));
        QVERIFY(lines.contains("  Latitude                    : 28° 36' N"));
        QVERIFY(lines.contains("  Asc/Lagna         26 Sco 11"));
        QVERIFY(lines.contains("  Budha/Mercury     15 Aqu 16  (R) retrograde"));
        QVERIFY(lines.contains("  Shukra/Venus      15 Ari 39"));
        QVERIFY(lines.contains("  Sunrise on the day before   : 6:33"));
        QVERIFY(lines.contains("  Birth to reference sunrise  : 18 h 27 min (66,420 s)"));
        // South Indian square: Pisces top-left, Virgo bottom-right; the
        // Torvi Lagna marked in Leo below Rahu.
        QVERIFY(lines.contains("| Pis          | Ari          | Tau          | Gem          |"));
        QVERIFY(lines.contains("| Sag          | Sco          | Lib          | Vir          |"));
        QVERIFY(lines.contains("| Aqu          |                             | Can          |"));
        QVERIFY(lines.contains("| Cap          |                             | Leo          |"));
        const int rahu = static_cast<int>(
            lines.indexOf("|              |                             | Rahu         |"));
        QVERIFY(rahu > 0);
        QCOMPARE(lines[rahu + 1],
                 QString("|              |                             | TL           |"));
        QVERIFY(lines.contains("  Sign                        : Leo"));
        QVERIFY(lines.contains("  House from the ascendant    : 10"));
        QVERIFY(run.out.contains("  Build your professional career and look at it as the most"));
        QVERIFY(lines.contains("  Vedic Name                  : Simha"));
        for (const char* heading :
             {"Looks", "Nature", "Career And Finance", "Love And Domestic Life", "Health"}) {
            QVERIFY2(lines.contains(heading), heading);
        }
    }

    void reportShowsNoneForASunriseThatDoesNotExist() {
        const ToolRun run = RunTool({"--name", "Polar", "--date", "1990-06-21", "--time", "12:00",
                                     "--zone", "29", "--lat", "89N59", "--lon", "0E0"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("  Sunrise on the birth date   : none\n"));
        QVERIFY(run.out.contains("  Sunset on the birth date    : none\n"));
    }

    void jsonMatchesTheResultForm() {
        const ToolRun run = RunTool(kDelhi1980 + QStringList{"--json"});
        QCOMPARE(run.status, 0);
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const auto expected = CalculateChart(Delhi1980Entries());
        QVERIFY(expected);
        CompareForm(doc.object().value("form").toObject(), expected->form);
        if (QTest::currentTestFailed()) {
            return;
        }

        const QJsonObject chart = doc.object().value("chart").toObject();
        QCOMPARE(chart.value("FormatLongitude").toObject().value("Asc").toString(),
                 QString::fromUtf8("26° 11' 25\" Sco"));
        QCOMPARE(chart.value("AscendantSidereal").toDouble(), expected->chart.ascendantSidereal);
        QCOMPARE(chart.value("Ayanamsa").toDouble(), expected->chart.ayanamsa);
        QCOMPARE(chart.value("AscendantSignNumber").toInt(), 8);
        QCOMPARE(chart.value("TorviLagnaSign").toInt(), 5);
        QCOMPARE(chart.value("TorviLagnaHouse").toInt(), 10);
        QCOMPARE(chart.value("RetrogradeFlags").toObject().value("Venus").toBool(true), false);
        QCOMPARE(chart.value("RetrogradeFlags").toObject().value("Mars").toBool(false), true);
        QCOMPARE(chart.value("SunriseToday").toString(), QString("6:32"));
        QCOMPARE(chart.value("SunsetToday").toString(), QString("18:29"));
        QCOMPARE(chart.value("SunrisePrevDay").toString(), QString("6:33"));
        QCOMPARE(chart.value("SunriseNextDay").toString(), QString("6:30"));
        QCOMPARE(chart.value("MinutesFromSunrise").toInt(), 1107);
        QCOMPARE(chart.value("SecondsFromSunrise").toInt(), 66420);
        QCOMPARE(chart.value("SunriseSunLongitude").toDouble(),
                 *expected->chart.sunriseSunLongitude);
        QCOMPARE(chart.value("SpecialPoints").toArray().size(), 9);
    }

    // The D9 signs worked by hand from the positions of the report: Asc
    // 26° 11' Sco (fixed, from Cancer, 8th part) -> Aqu; Saturn 0° 19' Vir
    // (dual, from Capricorn, 1st part) -> Cap, which holds Saturn, lord of
    // Aquarius: the Navamsa's Torvi Lagna. The Moon at 2° 53' Aqu is in
    // Dhanishta (Mars), so Mars runs at birth.
    void navamsaAndDashaInTheJson() {
        const ToolRun plain = RunTool(kDelhi1980 + QStringList{"--json"});
        const QJsonObject noDasha =
            QJsonDocument::fromJson(plain.out.toUtf8()).object().value("chart").toObject();
        QVERIFY(noDasha.contains("navamsa"));
        QVERIFY(!noDasha.contains("dasha"));

        const ToolRun run = RunTool(kDelhi1980 + QStringList{"--json", "--dasha"});
        QCOMPARE(run.status, 0);
        const QJsonObject chart =
            QJsonDocument::fromJson(run.out.toUtf8()).object().value("chart").toObject();
        const QJsonObject navamsa = chart.value("navamsa").toObject();
        QCOMPARE(navamsa.size(), 11);
        QCOMPARE(navamsa.value("Asc").toString(), QString("Aqu"));
        QCOMPARE(navamsa.value("Saturn").toString(), QString("Cap"));
        QCOMPARE(navamsa.value("Mercury").toString(), QString("Aqu"));
        QCOMPARE(navamsa.value("Venus").toString(), QString("Leo"));
        QCOMPARE(navamsa.value("Moon").toString(), QString("Lib"));
        QCOMPARE(navamsa.value("TorviLagnaSign").toString(), QString("Cap"));

        const QJsonArray dasha = chart.value("dasha").toArray();
        QCOMPARE(dasha.size(), 9);
        QCOMPARE(dasha[0].toObject().value("lord").toString(), QString("Mars"));
        QCOMPARE(dasha[1].toObject().value("lord").toString(), QString("Rahu"));
        QCOMPARE(dasha[8].toObject().value("lord").toString(), QString("Moon"));
        // Born 14 March 1980 19:30 UT, inside the first period.
        const QString birth = "1980-03-14T19:30:00Z";
        QVERIFY(dasha[0].toObject().value("start").toString() < birth);
        QVERIFY(birth < dasha[0].toObject().value("end").toString());
        QString previousEnd = dasha[0].toObject().value("start").toString();
        for (const QJsonValue& value : dasha) {
            const QJsonObject period = value.toObject();
            QCOMPARE(period.keys(), (QStringList{"end", "lord", "start", "sub"}));
            QCOMPARE(period.value("start").toString(), previousEnd);
            QVERIFY(QDateTime::fromString(period.value("start").toString(), Qt::ISODate).isValid());
            const QJsonArray sub = period.value("sub").toArray();
            QCOMPARE(sub.size(), 9);
            QCOMPARE(sub[0].toObject().value("lord"), period.value("lord"));
            QCOMPARE(sub[0].toObject().value("start"), period.value("start"));
            QCOMPARE(sub[8].toObject().value("end"), period.value("end"));
            QCOMPARE(sub[4].toObject().keys(), (QStringList{"end", "lord", "start"}));
            previousEnd = period.value("end").toString();
        }
    }

    void reportHasTheNavamsaAndWithDashaThePeriods() {
        const ToolRun plain = RunTool(kDelhi1980);
        QVERIFY(plain.out.contains("\nNavamsa\n  Surya/Sun         Cancer\n"));
        QVERIFY(plain.out.contains("  Shani/Saturn      Capricorn  (R) retrograde\n"));
        QVERIFY(
            plain.out.contains("The Torvi Lagna of the Navamsa is Capricorn: Saturn, lord of the "
                               "Navamsa\n  ascendant's sign Aquarius, stands there.\n"));
        QVERIFY(!plain.out.contains("Vimshottari"));

        const ToolRun run = RunTool(kDelhi1980 + QStringList{"--dasha"});
        QCOMPARE(run.status, 0);
        const QString section = run.out.mid(run.out.indexOf("\nVimshottari Dasha\n"));
        const QStringList lines = section.split('\n', Qt::SkipEmptyParts);
        // Heading, balance, offset note, nine periods with nine sub-periods each.
        QCOMPARE(lines.size(), 3 + 9 * 10);
        QCOMPARE(lines[1],
                 QString("  Balance at birth            : Mars, 1 year 11 months 24 days"));
        QCOMPARE(lines[2], QString("  Dates are in the birth's UTC offset (UTC+05:30)."));
        QVERIFY(lines[3].startsWith("  Mars      1975-03-"));
        QCOMPARE(section.count("(at birth)"), 1);
    }

    void jsonHasNullForTimesThatDoNotExist() {
        const ToolRun run = RunTool({"--name", "Polar", "--date", "1990-12-21", "--time", "12:00",
                                     "--zone", "29", "--lat", "89N59", "--lon", "0E0", "--json"});
        QCOMPARE(run.status, 0);
        const QJsonObject chart =
            QJsonDocument::fromJson(run.out.toUtf8()).object().value("chart").toObject();
        for (const char* key : {"SunriseToday", "SunsetToday", "SunrisePrevDay", "SunriseNextDay",
                                "MinutesFromSunrise", "SecondsFromSunrise", "SunriseSunLongitude",
                                "ReferenceSunrise"}) {
            QVERIFY2(chart.contains(key) && chart.value(key).isNull(), key);
        }
    }

    void refusedEntriesPrintTheFormsMessage_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("message");
        QTest::newRow("name with a digit")
            << QStringList{"--name", "R2D2"} << "Please Enter only Letters";
        QTest::newRow("name of spaces") << QStringList{"--name", "  "} << "Please Enter Name";
        QTest::newRow("name before coordinates")
            << QStringList{"--name", "", "--lat", "90N0"} << "Please Enter Name";
        QTest::newRow("longitude before latitude")
            << QStringList{"--lon", "180E0", "--lat", "90N0"}
            << "Please Enter Value Between 0 And 179 in the Degree of Longitude";
        QTest::newRow("longitude minutes")
            << QStringList{"--lon", "77E60"}
            << "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
        QTest::newRow("latitude degrees")
            << QStringList{"--lat", "90S0"}
            << "Please Enter Value Between 0 And 89 in the Degree of Latitude";
        QTest::newRow("latitude minutes empty")
            << QStringList{"--lat", "28N"}
            << "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
        QTest::newRow("three digits in the latitude degrees")
            << QStringList{"--lat", "028N36"}
            << "Please Enter Value Between 0 And 89 in the Degree of Latitude";
        QTest::newRow("letter in a coordinate")
            << QStringList{"--lat", "2xN36"} << "Only Numbers Are Accepted";
        QTest::newRow("no hemisphere")
            << QStringList{"--lon", "77.13"} << QString(kLongitudeFormatMessage);
        QTest::newRow("29 February in a common year")
            << QStringList{"--date", "1999-02-29"} << "Please Enter Correct Date Or Month!";
        QTest::newRow("31 April") << QStringList{"--date", "2000-04-31"}
                                  << "Please Enter Correct Date Or Month !";
        QTest::newRow("year before the list")
            << QStringList{"--date", "1900-05-01"}
            << QString(kYearRangeMessage) +
                   "\nPrecise positions (--positions precise, or the Tools menu of the program) "
                   "allow the years 1800 to 2399.";
        QTest::newRow("hour 24") << QStringList{"--time", "24:00"} << QString(kTimeFormatMessage);
        QTest::newRow("minute 60") << QStringList{"--time", "12:60"} << QString(kTimeFormatMessage);
        QTest::newRow("second 60")
            << QStringList{"--time", "12:00:60"} << QString(kTimeFormatMessage);
        QTest::newRow("zone past the list") << QStringList{"--zone", "71"} << QString(kZoneMessage);
        QTest::newRow("British Summer Time with --dst")
            << QStringList{"--zone", "16", "--dst"}
            << "Please Clear Daylight Saving Time: British Summer Time Already Includes "
               "Daylight Saving";
        QTest::newRow("zone text not exactly as listed")
            << QStringList{"--zone", "Indian Time,IST,+5.3"} << QString(kZoneMessage);
        QTest::newRow("Raman with the classic positions")
            << QStringList{"--ayanamsa", "raman"}
            << "The classic positions have their own built-in ayanamsa; the ayanamsa \"Raman\" "
               "needs the precise positions.";
        const QString notAnAyanamsa =
            "\" is neither a known name (lahiri, true-chitra, raman, krishnamurti, yukteshwar, "
            "fagan-bradley, true-pushya) nor a number of degrees.";
        for (const char* text : {"nan", "inf", "1e1", "23,5", "lahiri-1940"}) {
            QTest::newRow(text) << QStringList{"--positions", "precise", "--ayanamsa", text}
                                << "The ayanamsa \"" + QString(text) + notAnAyanamsa;
        }
        QTest::newRow("user ayanamsa beyond 40")
            << QStringList{"--positions", "precise", "--ayanamsa", "40.5"}
            << "The user ayanamsa must be a number of degrees from 0 to 40 at J2000.";
    }
    void refusedEntriesPrintTheFormsMessage() {
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        // Later options win, so the changes override the valid birth.
        const ToolRun run = RunTool(kDelhi1980 + changes);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, message + "\n");
    }

    // The name in the JSON, and the choice kept in a record and applied
    // when it is opened, unless the command line says otherwise.
    void ayanamsaInJsonAndRecords() {
        const auto chartOf = [](const ToolRun& run) {
            return QJsonDocument::fromJson(run.out.toUtf8()).object().value("chart").toObject();
        };
        QCOMPARE(
            chartOf(RunTool(kDelhi1980 + QStringList{"--json"})).value("ayanamsaName").toString(),
            QString("built-in (classic)"));
        QTemporaryDir dir;
        const QString path = dir.filePath("user.selmarind");
        const ToolRun saved =
            RunTool(kDelhi1980 + QStringList{"--positions", "precise", "--ayanamsa", " 22.75 ",
                                             "--json", "--save-record", path});
        QCOMPARE(saved.status, 0);
        QCOMPARE(chartOf(saved).value("ayanamsaName").toString(),
                 QString::fromUtf8("User: 22.75° at J2000"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\"ayanamsa\": {\"user\": 22.75}\n"));
        const ToolRun opened = RunTool({"--record", path, "--json"});
        QCOMPARE(opened.status, 0);
        QCOMPARE(chartOf(opened), chartOf(saved));
        const QJsonObject raman =
            chartOf(RunTool({"--record", path, "--json", "--ayanamsa", "Raman"}));
        QCOMPARE(raman.value("ayanamsaName").toString(), QString("Raman"));
        QVERIFY(raman.value("Ayanamsa").toDouble() > chartOf(saved).value("Ayanamsa").toDouble());
        const ToolRun classic = RunTool({"--record", path, "--positions", "classic"});
        QCOMPARE(classic.status, 2);
        QVERIFY(classic.err.contains("built-in ayanamsa"));

        // Saved again from the record, the record's other choices stay.
        file.close();
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray text = file.readAll();
        text.replace("\"ayanamsa\"", "\"chartStyle\": \"north\",\n  \"ayanamsa\"");
        file.resize(0);
        file.write(text);
        file.close();
        const QString again = dir.filePath("again.selmarind");
        QCOMPARE(RunTool({"--record", path, "--save-record", again}).status, 0);
        QFile resaved(again);
        QVERIFY(resaved.open(QIODevice::ReadOnly));
        QCOMPARE(resaved.readAll(), text);
    }

    void acceptedShapesOfEntries() {
        // Lower-case hemisphere, one-digit fields, seconds, a zone by its text.
        const EntriesOrFault e =
            EntriesFromFields({"ravi kumar", "1980-3-5", "9:05:30", "Indian Time, IST, +5.3",
                               "12s5", "7w0", true, "", "", ""});
        QVERIFY2(e.entries, e.message.c_str());
        QCOMPARE(Q(e.entries->txtName), QString("RAVI KUMAR"));
        QCOMPARE(e.entries->cboMonthIndex, 2);
        QCOMPARE(Q(e.entries->cboDate + "|" + e.entries->cboHH + "|" + e.entries->cboMM + "|" +
                   e.entries->cboSS),
                 QString("5|9|5|30"));
        QVERIFY(e.entries->optLatSouth && !e.entries->optLongEast && e.entries->chkDST);
        QCOMPARE(e.entries->cmbTimeZoneIndex, 34);
    }

    void listZones() {
        const ToolRun run = RunTool({"--list-zones"});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 71);
        QCOMPARE(lines[0], QString(" 0  Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(lines[34], QString("34  Indian Time, IST, +5.3"));
        QCOMPARE(lines[70], QString("70  Yukon War Time,YWT,-8.0"));
    }

    void batchGoesOnPastABadLine() {
        // Columns in their own order, quoted fields with commas and quotes,
        // CR LF line ends and a blank line; line 3 has latitude 95.
        const std::string csv =
            "zone,name,date,time,lat,lon,dst,city,state,country\r\n"
            "\"Indian Time, IST, +5.3\",Ravi Kumar,1980-03-15,01:00,28N36,77E13,0,New "
            "Delhi,Delhi,India\r\n"
            "34,Bad Line,1980-03-15,01:00,95N0,77E13,,,,\r\n"
            "\r\n"
            "29,Anna,1990-07-15,12:00,51N30,0W7,yes,\"The \"\"Old\"\" Town, London\",,UK\r\n";
        const ToolRun run = RunLibrary({"--batch", "-"}, csv);
        QCOMPARE(run.status, 2); // one line failed
        QVERIFY(run.err.isEmpty());
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);

        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(first.value("line").toInt(), 2);
        CompareForm(first.value("form").toObject(), CalculateChart(Delhi1980Entries())->form);

        const QJsonObject bad = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(bad.value("line").toInt(), 3);
        QCOMPARE(bad.value("error").toString(),
                 QString("Please Enter Value Between 0 And 89 in the Degree of Latitude"));
        QCOMPARE(bad.size(), 2);

        const QJsonObject last = QJsonDocument::fromJson(lines[2].toUtf8()).object();
        QCOMPARE(last.value("line").toInt(), 5);
        const QJsonObject form = last.value("form").toObject();
        QCOMPARE(form.value("lblCity").toString(), QString("The \"Old\" Town, London"));
        QCOMPARE(form.value("lblLongitude").toString(), QString::fromUtf8("0° 7' W"));
        QCOMPARE(last.value("chart").toObject().value("SunriseToday").toString(),
                 QString("4:59")); // the summer hour is in
    }

    // Lines of different ayanamsas on two threads: each line's own, the
    // same as the single chart, and the classic refusal for its line alone.
    void batchLinesKeepTheirOwnAyanamsa() {
        std::string csv = "name,date,time,zone,lat,lon,positions,ayanamsa\n";
        const QStringList keys = {"raman", "lahiri", "true-pushya", "31.5", "fagan-bradley"};
        for (int repeat = 0; repeat < 8; ++repeat) {
            for (const QString& key : keys) {
                csv += "Ravi,1980-03-15,01:00,34,28N36,77E13,precise," + key.toStdString() + "\n";
            }
        }
        csv += "Ravi,1980-03-15,01:00,34,28N36,77E13,classic,raman\n";
        const ToolRun run = RunLibrary({"--batch", "-", "--jobs", "2"}, csv);
        QCOMPARE(run.status, 2);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 41);
        QHash<QString, QJsonObject> firstOfKey;
        for (int i = 0; i < 40; ++i) {
            const QString key = keys[i % keys.size()];
            const QJsonObject chart =
                QJsonDocument::fromJson(lines[i].toUtf8()).object().value("chart").toObject();
            QVERIFY2(!chart.isEmpty(), qPrintable(lines[i]));
            if (!firstOfKey.contains(key)) {
                const ToolRun single =
                    RunLibrary({"--name", "Ravi", "--date", "1980-03-15", "--time", "01:00",
                                "--zone", "34", "--lat", "28N36", "--lon", "77E13", "--positions",
                                "precise", "--ayanamsa", key.toStdString(), "--json"},
                               "");
                firstOfKey[key] =
                    QJsonDocument::fromJson(single.out.toUtf8()).object().value("chart").toObject();
            }
            QCOMPARE(chart, firstOfKey[key]);
        }
        QCOMPARE(firstOfKey["31.5"].value("ayanamsaName").toString(),
                 QString::fromUtf8("User: 31.5° at J2000"));
        QVERIFY(lines[40].contains("built-in ayanamsa"));
    }

    void batchLineWithADaylightEntryAndTheBox() {
        const ToolRun run = RunLibrary({"--batch", "-"}, "name,date,time,zone,lat,lon,dst\n"
                                                         "A,1990-07-04,9:00,24,40N43,74W0,1\n"
                                                         "B,1990-07-04,9:00,24,40N43,74W0,0\n");
        QCOMPARE(run.status, 2);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(QJsonDocument::fromJson(lines[0].toUtf8()).object().value("error").toString(),
                 Q(DaylightEntryMessage("Eastern Daylight Time")));
        QVERIFY(QJsonDocument::fromJson(lines[1].toUtf8()).object().contains("form"));
    }

    void batchFromStandardInputOfTheTool() {
        const ToolRun run = RunTool({"--batch", "-"}, "name,date,time,zone,lat,lon\n"
                                                      "A,1980-03-15,1:00,34,28N36,77E13\n");
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.count('\n'), 1);
        QVERIFY(run.out.startsWith("{\"line\":2,\"form\":{\"lblName\":\"A\""));
        QVERIFY(!run.out.contains("\"dasha\""));

        const ToolRun withDasha =
            RunTool({"--batch", "-", "--dasha"}, "name,date,time,zone,lat,lon\n"
                                                 "A,1980-03-15,1:00,34,28N36,77E13\n");
        QCOMPARE(withDasha.status, 0);
        const QJsonObject chart =
            QJsonDocument::fromJson(withDasha.out.toUtf8()).object().value("chart").toObject();
        QCOMPARE(chart.value("dasha").toArray().size(), 9);
    }

    void batchFaultsOfTheFileItself() {
        ToolRun run = RunLibrary({"--batch", "-"}, "name,birthday\nA,1980-03-15\n");
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains("unknown column \"birthday\""));

        run = RunLibrary({"--batch", "-"}, "name,date\nA,1980-03-15,extra\nB,\"1980-03-15\n");
        QCOMPARE(run.out, QString("{\"line\":2,\"error\":\"The line has 3 fields where the "
                                  "header row names 2\"}\n"
                                  "{\"line\":3,\"error\":\"The line ends inside a quoted "
                                  "field\"}\n"));

        run = RunLibrary({"--batch", "-"}, "name,dst\nA,maybe\n");
        QVERIFY(run.out.contains("Please Enter dst as 1 or 0"));

        run = RunLibrary({"--batch", "/nonexistent/births.csv"}, "");
        QCOMPARE(run.status, 1);
    }

    void usageFaults() {
        ToolRun run = RunLibrary({"--name"}, "");
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("--name needs a value"));
        run = RunLibrary({"--colour", "red"}, "");
        QCOMPARE(run.status, 2);
        // A valid batch with a birth option is refused for the option.
        run = RunLibrary({"--batch", "-", "--name", "A"},
                         "name,date,time,zone,lat,lon\nA,1980-03-15,01:00,34,28N36,77E13\n");
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("give no birth options with it"), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        // The chart choices of a batch are its columns; an option for them
        // would be dropped without a word.
        for (const char* option : {"--positions", "--sunrise", "--ayanamsa"}) {
            run = RunLibrary({"--batch", "-", option, "raman"},
                             "name,date,time,zone,lat,lon\nA,1980-03-15,01:00,34,28N36,77E13\n");
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains("from its columns"), qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
            run = RunLibrary({"--find-place", "Delhi", option, "raman"}, "");
            QCOMPARE(run.status, 2);
            QVERIFY(run.out.isEmpty());
        }
        run = RunLibrary({"--help"}, "");
        QCOMPARE(run.status, 0);
        for (const char* option :
             {"--name", "--date", "--time", "--zone", "--lat", "--lon", "--dst", "--city",
              "--state", "--country", "--json", "--batch", "--list-zones", "--help", "--svg",
              "--style", "--points", "--ayanamsa", "--dasha"}) {
            QVERIFY2(run.out.contains(option), option);
        }
    }

    // --svg with --style and --points: their faults, the drawing written
    // beside the JSON, and a drawing that would replace a record refused.
    void svgDrawing() {
        std::vector<std::string> birth;
        for (const QString& arg : kDelhi1980) {
            birth.push_back(arg.toStdString());
        }
        const auto with = [&birth](std::vector<std::string> more) {
            more.insert(more.begin(), birth.begin(), birth.end());
            return more;
        };
        QTemporaryDir dir;
        const std::string svg = dir.filePath("chart.svg").toStdString();
        const std::string record = dir.filePath("birth.selmarind").toStdString();
        for (const auto& [args, message] :
             std::vector<std::pair<std::vector<std::string>, QString>>{
                 {with({"--style", "north"}), "apply to the drawing of --svg FILE only"},
                 {with({"--points"}), "apply to the drawing of --svg FILE only"},
                 {with({"--svg", svg, "--style", "west"}), "--style takes south, north or east"},
                 {with({"--svg", ""}), "--svg needs a file name"},
                 {with({"--svg", "-"}), "does not go to standard output"},
                 {{"--batch", "-", "--svg", svg}, "does not go with --batch"},
                 {with({"--save-record", record, "--svg", record}), "names the record file"},
             }) {
            const ToolRun run = RunLibrary(args, "");
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(message), qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
            QVERIFY(!QFile::exists(Q(svg)) && !QFile::exists(Q(record)));
        }

        ToolRun run = RunLibrary(
            with({"--json", "--svg", svg, "--style", "east", "--points", "--save-record", record}),
            "");
        QCOMPARE(run.status, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8())["chart"]["style"].toString(),
                 QString("east"));
        QFile drawing(Q(svg));
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        const QByteArray bytes = drawing.readAll();
        QVERIFY(bytes.startsWith("<?xml") && bytes.contains("data-style=\"east\"") &&
                bytes.contains("class=\"legend\""));
        run = RunLibrary(with({"--json"}), "");
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8())["chart"]["style"].toString(),
                 QString("south"));

        // The record drawn from stays a record.
        QFile saved(Q(record));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray recordBytes = saved.readAll();
        run = RunLibrary({"--record", record, "--svg", record}, "");
        QCOMPARE(run.status, 2);
        saved.seek(0);
        QCOMPARE(saved.readAll(), recordBytes);

        // A drawing that cannot be written fails before anything is printed.
        run = RunLibrary(with({"--svg", dir.path().toStdString()}), "");
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("cannot write the drawing"), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void svgNeverReplacesTheRecordOrTheStandardOutput() {
        QTemporaryDir dir;
        // A record named once plainly and once through "./", neither existing
        // yet: the save would be overwritten by the drawing.
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(SELMARIND_CHART_TOOL),
                      kDelhi1980 +
                          QStringList{"--save-record", "birth.json", "--svg", "./birth.json"});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("names the record file"));
        QVERIFY(!QFile::exists(dir.filePath("birth.json")));
        // Nor through a link to the record not written yet.
        QVERIFY(QFile::link("birth.json", dir.filePath("chart.svg")));
        process.start(QStringLiteral(SELMARIND_CHART_TOOL),
                      kDelhi1980 +
                          QStringList{"--save-record", "birth.json", "--svg", "chart.svg"});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(!QFile::exists(dir.filePath("birth.json")));

        // Standard output appended to the file the drawing would replace.
        const QString report = dir.filePath("report.txt");
        QFile kept(report);
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("kept\n") == 5);
        kept.close();
        process.setStandardOutputFile(report, QIODevice::Append);
        process.start(QStringLiteral(SELMARIND_CHART_TOOL),
                      kDelhi1980 + QStringList{"--svg", report});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("standard output goes to"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept\n"));
        kept.close();
        process.start(QStringLiteral(SELMARIND_CHART_TOOL),
                      kDelhi1980 + QStringList{"--save-record", report});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept\n"));
    }

    void userAyanamsaNearZeroKeepsItsSign() {
        QTemporaryDir dir;
        const QString svg = dir.filePath("chart.svg");
        // Zero at J2000 is a little below zero in 1980; "-0" is zero.
        const QStringList precise = kDelhi1980 + QStringList{"--positions", "precise"};
        ToolRun run = RunTool(precise + QStringList{"--ayanamsa", "-0", "--json", "--svg", svg});
        QCOMPARE(run.status, 0);
        const QJsonObject chart = QJsonDocument::fromJson(run.out.toUtf8())["chart"].toObject();
        QCOMPARE(chart.value("ayanamsaName").toString(), QString::fromUtf8("User: 0° at J2000"));
        // The chart's "Ayanamsa" is the ayanamsa negated, as the classic one.
        const double negated = chart.value("Ayanamsa").toDouble();
        QVERIFY2(negated > 0.2 && negated < 0.4, qPrintable(QString::number(negated)));
        QFile drawing(svg);
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        QVERIFY2(drawing.readAll().contains("ayanamsa \xE2\x88\x92"
                                            "0\xC2\xB0"
                                            "16\xE2\x80\xB2"),
                 qPrintable(svg));
        run = RunTool(precise + QStringList{"--ayanamsa", "0"});
        QVERIFY2(run.out.contains(QString::fromUtf8("Ayanamsa                    : \u22120° 16' ")),
                 qPrintable(run.out));

        // The drawing names the ayanamsa in force, not always Lahiri.
        QCOMPARE(RunTool(precise + QStringList{"--ayanamsa", "raman", "--svg", svg}).status, 0);
        drawing.close();
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        const QByteArray bytes = drawing.readAll();
        QVERIFY(bytes.contains("Raman ayanamsa 22") && !bytes.contains("Lahiri"));

        // A record's {"user": -0} reads as zero.
        const QString record = dir.filePath("zero.selmarind");
        QCOMPARE(RunTool(precise + QStringList{"--ayanamsa", "0", "--save-record", record}).status,
                 0);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray text = file.readAll();
        QVERIFY(text.contains("{\"user\": 0}"));
        text.replace("{\"user\": 0}", "{\"user\": -0.0}");
        file.resize(0);
        file.write(text);
        file.close();
        run = RunTool({"--record", record, "--json"});
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8())["chart"]["ayanamsaName"].toString(),
                 QString::fromUtf8("User: 0° at J2000"));
    }

    void jsonStringsAreEscapedAndStayUtf8() {
        QCOMPARE(Q(JsonQuote("a\"b\\c\r\n\t")), QString("\"a\\\"b\\\\c\\r\\n\\t\""));
        QCOMPARE(Q(JsonQuote(std::string("\x01", 1))), QString("\"\\u0001\""));
        QCOMPARE(QString::fromUtf8(JsonQuote("São 28°")), QString::fromUtf8("\"São 28°\""));
        // A byte that is not UTF-8 becomes U+FFFD, so the output stays valid.
        QCOMPARE(QString::fromUtf8(JsonQuote("a\xFF"
                                             "b")),
                 QString::fromUtf8("\"a\xEF\xBF\xBD"
                                   "b\""));
        QCOMPARE(QString::fromUtf8(JsonQuote("\xC3")), QString::fromUtf8("\"\xEF\xBF\xBD\""));
        // An overlong form of U+0000 is two bytes that are not UTF-8.
        QCOMPARE(QString::fromUtf8(JsonQuote("\xC0\x80")),
                 QString::fromUtf8("\"\xEF\xBF\xBD\xEF\xBF\xBD\""));
        QVERIFY(!IsValidUtf8("\xC0\x80"));
        QVERIFY(!IsValidUtf8("\xED\xA0\x80")); // a surrogate
        QVERIFY(IsValidUtf8("S\xC3\xA3o 28\xC2\xB0"));
    }
};

QTEST_APPLESS_MAIN(TestCli)
#include "test_cli.moc"
