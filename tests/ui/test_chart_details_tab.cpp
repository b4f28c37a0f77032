// The result form's "Chart Details" tab against the command-line tool's
// JSON of the same chart, the positions note, and what a screen reader
// reads for the tab's values and the chart cells.
#include "chart/chart_driver.h"
#include "cli/chart_json.h"
#include "engine/name_tables.h"
#include "support/sample_entries.h"
#include "ui/windows/frm_display.h"

#include <QAccessible>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using namespace selmarind;

Q_DECLARE_METATYPE(selmarind::BirthEntries)

namespace {

// caption -> value label of the details tab (the caption is each value's
// accessible description).
QMap<QString, QLabel*> DetailValues(FrmDisplay& form) {
    QMap<QString, QLabel*> values;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QStringLiteral("lblChartDetail_"))) {
            values.insert(label->accessibleDescription(), label);
        }
    }
    return values;
}

QString SignName(const QString& abbreviation) {
    for (std::size_t i = 0; i < kSignAbbrevs.size(); ++i) {
        if (abbreviation == QLatin1String(kSignAbbrevs[i].data(), kSignAbbrevs[i].size())) {
            return QString::fromLatin1(kSignNames[i].data(), kSignNames[i].size());
        }
    }
    return {};
}

} // namespace

class TestChartDetailsTab : public QObject {
    Q_OBJECT

private slots:
    void valuesMatchTheToolsJson_data() {
        QTest::addColumn<BirthEntries>("entries");
        QTest::addColumn<bool>("polar");
        QTest::newRow("New Delhi 1980, four retrograde planets") << Delhi1980Entries() << false;
        // Sydney, 15 January 1990 07:30 AEST with the box ticked: the
        // reference sunrise on the birth's clock is 5:58, 92 minutes before.
        QTest::newRow("Sydney summer, box ticked")
            << FormEntries(1990, 1, 15, 7, 30, 0, "33", "52", true, "151", "12", true, 8, true)
            << false;
        QTest::newRow("89°59' N in the polar night")
            << FormEntries(1991, 11, 20, 12, 0, 0, "89", "59", false, "0", "0", true, 29) << true;
    }
    void valuesMatchTheToolsJson() {
        QFETCH(BirthEntries, entries);
        QFETCH(bool, polar);
        const auto result = CalculateChart(entries);
        QVERIFY(result);
        const QJsonObject chart =
            QJsonDocument::fromJson(QByteArray::fromStdString(cli::ChartJson(*result, false)))
                .object()
                .value(QStringLiteral("chart"))
                .toObject();
        FrmDisplay form;
        form.showResult(*result, entries);
        QCOMPARE(form.tabs()->count(), 5);
        QCOMPARE(form.tabs()->tabText(2), QStringLiteral("Chart Details"));
        const QMap<QString, QLabel*> values = DetailValues(form);
        const auto value = [&](const QString& caption) {
            QLabel* label = values.value(caption);
            return label ? label->text() : QStringLiteral("<no row %1>").arg(caption);
        };

        // The nine points, in the JSON's marking order, under their usual names.
        const QStringList usualNames = {"Ghati Lagna",    "Hora Lagna",    "Bhava Lagna",
                                        "Indu Lagna",     "Varnada Lagna", "Moon",
                                        "Sun at sunrise", "Sri Lagna",     "Vighati Lagna"};
        const QJsonArray points = chart.value(QStringLiteral("SpecialPoints")).toArray();
        QCOMPARE(points.size(), 9);
        int undefined = 0;
        for (int i = 0; i < 9; ++i) {
            const QJsonObject point = points[i].toObject();
            const QString shown = value(usualNames[i]);
            if (!point.value(QStringLiteral("computed")).toBool()) {
                QCOMPARE(shown, QStringLiteral("not defined (no sunrise that day)"));
                ++undefined;
                continue;
            }
            const QString sign = SignName(point.value(QStringLiteral("sign")).toString());
            QVERIFY2(!sign.isEmpty() && shown.contains(sign),
                     qPrintable(usualNames[i] + ": " + shown + " lacks " + sign));
            const QJsonValue text = point.value(QStringLiteral("chartText"));
            if (text.isString()) {
                QVERIFY2(shown.startsWith(text.toString()),
                         qPrintable(usualNames[i] + ": " + shown + " vs " + text.toString()));
            }
        }
        // The polar rule leaves out the three time points, the parity point,
        // the Sun at sunrise and the vighati point; elsewhere none.
        QCOMPARE(undefined, polar ? 6 : 0);

        // Positions to the second with their retrograde marks.
        const QJsonObject dms = chart.value(QStringLiteral("FormatLongitude")).toObject();
        const QJsonObject retro = chart.value(QStringLiteral("RetrogradeFlags")).toObject();
        for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
            const QString body = QString::fromLatin1(kBodyNames[i].data(), kBodyNames[i].size());
            const QString shown = value(QString::fromLatin1(kPlanetCaptions[i]));
            QVERIFY2(shown.startsWith(dms.value(body).toString()), qPrintable(body + ": " + shown));
            QCOMPARE(shown.contains(QStringLiteral("(R)")), retro.value(body).toBool(false));
        }

        // The ayanamsa to the second (truncated) of the JSON's number.
        const double ayanamsa = std::abs(chart.value(QStringLiteral("Ayanamsa")).toDouble());
        const QStringList parts =
            value(QStringLiteral("Ayanamsa"))
                .split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts);
        QCOMPARE(parts.size(), 3);
        const double shownDeg =
            parts[0].toInt() + parts[1].toInt() / 60.0 + parts[2].toInt() / 3600.0;
        QVERIFY2(ayanamsa - shownDeg >= -1e-9 && ayanamsa - shownDeg < 1.0 / 3600,
                 qPrintable(QStringLiteral("%1 vs %2").arg(ayanamsa).arg(shownDeg)));

        // Sunrise and the time from the reference sunrise.
        const QJsonValue sunrise = chart.value(QStringLiteral("SunriseToday"));
        QCOMPARE(value(QStringLiteral("Sunrise on the birth date")),
                 sunrise.isString() ? sunrise.toString() : QStringLiteral("none"));
        const QJsonValue minutes = chart.value(QStringLiteral("MinutesFromSunrise"));
        QCOMPARE(
            value(QStringLiteral("Time from the reference sunrise")),
            minutes.isDouble()
                ? QStringLiteral("%1 h %2 min (%3 s)")
                      .arg(minutes.toInteger() / 60)
                      .arg(minutes.toInteger() % 60)
                      .arg(QLocale(QLocale::English, QLocale::UnitedStates)
                               .toString(
                                   chart.value(QStringLiteral("SecondsFromSunrise")).toInteger()))
                : QStringLiteral("none"));

        // The arudhas of the twelve houses.
        for (int house = 1; house <= 12; ++house) {
            const QString caption =
                house == 1 ? QStringLiteral("A1 = Arudha Lagna") : QStringLiteral("A%1").arg(house);
            const int sign = result->chart.ArudhaSignOfHouse(house);
            QCOMPARE(value(caption), QString::fromLatin1(kSignNames[sign - 1].data()));
        }

        // Every value selectable, and read through the accessibility
        // interface with its caption.
        for (auto it = values.begin(); it != values.end(); ++it) {
            QLabel* label = it.value();
            QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
            QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
            const QString name =
                QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            QVERIFY2(name.startsWith(it.key() + QStringLiteral(": ")), qPrintable(name));
        }
    }

    // The Sydney example with the box ticked: offset in words and the
    // reference sunrise on the birth's clock.
    void sydneySummerOnTheBirthsClock() {
        const BirthEntries entries =
            FormEntries(1990, 1, 15, 7, 30, 0, "33", "52", true, "151", "12", true, 8, true);
        const auto result = CalculateChart(entries);
        QVERIFY(result);
        FrmDisplay form;
        form.showResult(*result, entries);
        const QMap<QString, QLabel*> values = DetailValues(form);
        QCOMPARE(values.value(QStringLiteral("UTC offset"))->text(),
                 QStringLiteral("UTC+11:00 with daylight saving"));
        QCOMPARE(values.value(QStringLiteral("Reference sunrise (birth's clock)"))->text(),
                 QStringLiteral("January/15/1990 5:58"));
        QVERIFY(values.value(QStringLiteral("Time from the reference sunrise"))
                    ->text()
                    .startsWith(QStringLiteral("1 h 32 min (5,520 s)")));
        QCOMPARE(values.value(QStringLiteral("Universal time"))->text(),
                 QStringLiteral("January/14/1990 20:30:00 UT"));
        QLabel* note = form.findChild<QLabel*>(QStringLiteral("lblPositionsSource"));
        QVERIFY(note);
        QCOMPARE(note->text(), QStringLiteral("Positions: classic, built-in ayanamsa"));
        QCOMPARE(QAccessible::queryAccessibleInterface(note)->text(QAccessible::Name),
                 QStringLiteral("Positions: classic, built-in ayanamsa"));
        QCOMPARE(values.value(QStringLiteral("Ayanamsa in force"))->text(),
                 QStringLiteral("built-in (classic)"));
    }

    // A cell reads as one sentence, without line breaks; an empty value
    // reads as empty, not as its group's title.
    void screenReaderSentences() {
        ChartResult result;
        result.chart.ascendantSignNumber = 4; // Cancer rises
        result.form.signCells[4] = "\r\nSun\r\nMercury (R) ";
        result.form.lblArudha[4] = "\r\n\r\nTL";
        result.form.lblCity = "";
        FrmDisplay form;
        form.showResult(result);
        const auto name = [&](const char* objectName) {
            return QAccessible::queryAccessibleInterface(form.findChild<QLabel*>(objectName))
                ->text(QAccessible::Name);
        };
        QCOMPARE(name("lblLeo"), QStringLiteral("Leo, house 2: Sun, Mercury (R); Torvi Lagna"));
        QCOMPARE(name("lblCancer"), QStringLiteral("Cancer, house 1: no planets"));
        QCOMPARE(name("lblArudha_4"), QStringLiteral("Leo markers: TL"));
        QCOMPARE(name("lblCity"), QStringLiteral("City: empty"));
    }

    // A sixty-letter place name does not widen the details column into the
    // chart: the square keeps its place, and the whole name is the tooltip.
    void longPlaceNameMovesNothing() {
        FrmDisplay form;
        form.show();
        ChartResult result;
        form.showResult(result);
        QTest::qWait(10);
        QWidget* square = form.findChild<QWidget*>(QStringLiteral("fraBirthchart"));
        const QRect before(square->mapTo(&form, QPoint()), square->size());
        result.form.lblCity = std::string(60, 'W');
        result.form.lblCountry = "United Kingdom of Great Britain and Northern Ireland";
        result.form.lblName = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN";
        form.showResult(result);
        QTest::qWait(10);
        const QRect after(square->mapTo(&form, QPoint()), square->size());
        QCOMPARE(after, before);
        QLabel* city = form.findChild<QLabel*>(QStringLiteral("lblCity"));
        QCOMPARE(city->toolTip(), QString(60, u'W'));
        QVERIFY(!QRect(city->mapTo(&form, QPoint()), city->size()).intersects(after));
    }
};

QTEST_MAIN(TestChartDetailsTab)
#include "test_chart_details_tab.moc"
