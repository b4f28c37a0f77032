// The SVG of a chart read back with Qt's XML reader: escaping of hostile
// and malformed texts, the title, the header, one group per cell with its
// sentence, the legend only with the points, and no link in the drawing.
#include "chart/chart_driver.h"
#include "drawing/svg_writer.h"
#include "support/sample_entries.h"

#include <QTest>
#include <QXmlStreamReader>

#include <map>

using namespace selmarind;

namespace {

struct ReadSvg {
    QString error;
    QString title;
    QStringList headerTexts;
    QStringList legendTexts;
    std::map<int, QString> cellLabels; // data-sign -> aria-label
    int links = 0;
};

ReadSvg Read(const std::string& svg) {
    ReadSvg read;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    QString group;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = xml.name();
        const auto attributes = xml.attributes();
        if (name == QLatin1String("a") || attributes.hasAttribute(QStringLiteral("href"))) {
            ++read.links;
        } else if (name == QLatin1String("title")) {
            read.title = xml.readElementText();
        } else if (name == QLatin1String("g")) {
            group = attributes.value(QStringLiteral("class")).toString();
            if (group == QLatin1String("cell")) {
                read.cellLabels[attributes.value(QStringLiteral("data-sign")).toInt()] =
                    attributes.value(QStringLiteral("aria-label")).toString();
            }
        } else if (name == QLatin1String("text")) {
            const QString text = xml.readElementText();
            if (group == QLatin1String("header")) {
                read.headerTexts << text;
            } else if (group == QLatin1String("legend")) {
                read.legendTexts << text;
            }
        }
    }
    if (xml.hasError()) {
        read.error = xml.errorString();
    }
    return read;
}

ChartResult DelhiChart() {
    const ChartOrFailure chart = CalculateChart(Delhi1980Entries());
    return chart ? *chart : ChartResult{};
}

} // namespace

class TestSvgWriter : public QObject {
    Q_OBJECT

private slots:
    void escaping_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("markup") << QByteArray("<&\">'") << QStringLiteral("<&\">'");
        QTest::newRow("entity") << QByteArray("&amp;") << QStringLiteral("&amp;");
        QTest::newRow("controls") << QByteArray("a\x01"
                                                "b\x1b"
                                                "c\x7f")
                                  << QStringLiteral("a\uFFFDb\uFFFDc\uFFFD");
        QTest::newRow("bad UTF-8") << QByteArray("x\xff\xc3") << QStringLiteral("x\uFFFD\uFFFD");
        QTest::newRow("surrogate")
            << QByteArray("\xed\xa0\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("non-character") << QByteArray("\xef\xbf\xbf") << QStringLiteral("\uFFFD");
        QTest::newRow("scripts") << QByteArray("Zürich नई 東京")
                                 << QStringLiteral("Zürich नई 東京");
    }
    // Each text survives a round trip through an XML parser as one text.
    void escaping() {
        QFETCH(QByteArray, text);
        QFETCH(QString, read);
        const std::string document = "<t>" + XmlEscaped(text.toStdString()) + "</t>";
        QXmlStreamReader xml(QByteArray::fromStdString(document));
        xml.readNextStartElement();
        QCOMPARE(xml.readElementText(), read);
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }

    // A hostile name and place: the document still parses, and the title
    // and header hold them as text.
    void hostileTextsStayText() {
        ChartResult chart = DelhiChart();
        QVERIFY(!chart.form.lblName.empty());
        chart.form.lblName = "</title><script>alert(1)</script> & \"O'Neil\"";
        chart.form.lblCity = "Zürich <b>\x01";
        const std::string svg = ChartSvg(chart, ChartStyle::North, false);
        QVERIFY(svg.find("<script") == std::string::npos);
        const ReadSvg read = Read(svg);
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.title, QStringLiteral("Birth chart of </title><script>alert(1)</script> & "
                                            "\"O'Neil\", North Indian style"));
        QCOMPARE(read.headerTexts.value(0), QString::fromStdString(chart.form.lblName));
        QVERIFY2(read.headerTexts.join('|').contains(QStringLiteral("Zürich <b>\uFFFD")),
                 qPrintable(read.headerTexts.join('|')));
    }

    // One group per sign with the sentence a screen reader reads, the
    // header with the birth and the source, the legend only with the
    // points, and neither a link nor the advertising text.
    void documentParts() {
        const ChartResult chart = DelhiChart();
        for (const ChartStyle style : kChartStyles) {
            for (const bool points : {false, true}) {
                const std::string svg = ChartSvg(chart, style, points);
                const ReadSvg read = Read(svg);
                QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
                QCOMPARE(read.title, QStringLiteral("Birth chart of RAVI KUMAR, ") +
                                         QString::fromLatin1(ChartStyleTitle(style).data()) +
                                         QStringLiteral(" style"));
                QCOMPARE(read.cellLabels.size(), std::size_t{12});
                const ChartContents contents = ContentsOfChart(chart, points);
                for (int sign = 0; sign < 12; ++sign) {
                    QCOMPARE(read.cellLabels.at(sign + 1),
                             QString::fromStdString(CellSentence(contents, sign)));
                }
                const QString header = read.headerTexts.join('\n');
                for (const std::string& part :
                     {chart.form.lblDOB, chart.form.lblTOB, chart.form.lblCity,
                      std::string("universal time 1980-03-14 19:30:00"),
                      std::string("Positions: classic")}) {
                    QVERIFY2(header.contains(QString::fromStdString(part)), part.c_str());
                }
                QCOMPARE(read.legendTexts.isEmpty(), !points);
                QCOMPARE(read.links, 0);
                QVERIFY(svg.find("Click here") == std::string::npos);
                QVERIFY(svg.find("http") == svg.find("http://www.w3.org/2000/svg"));
            }
        }
    }

    // The header names the ayanamsa in force, not always the default one.
    void headerNamesTheAyanamsaInForce() {
        ChartResult chart = DelhiChart();
        chart.chart.positions = PositionSource::Precise;
        chart.chart.ayanamsa = -22.5; // kept negated, as the chart keeps it
        chart.chart.ayanamsaName = "Raman";
        QString header = Read(ChartSvg(chart, ChartStyle::South, false)).headerTexts.join('\n');
        QVERIFY2(header.contains(QStringLiteral("Raman ayanamsa 22\u00B030\u2032")),
                 qPrintable(header));
        QVERIFY(!header.contains(QStringLiteral("Lahiri")));
        chart.chart.ayanamsaName = "User: 23.5\xC2\xB0 at J2000";
        header = Read(ChartSvg(chart, ChartStyle::North, false)).headerTexts.join('\n');
        QVERIFY2(header.contains(
                     QStringLiteral(", ayanamsa 22\u00B030\u2032 (User: 23.5\u00B0 at J2000)")),
                 qPrintable(header));
    }
};

QTEST_APPLESS_MAIN(TestSvgWriter)
#include "test_svg_writer.moc"
