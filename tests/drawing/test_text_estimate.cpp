// The SVG measures its texts with an estimate, since its reader picks the
// font: every text a chart shows must come out at least as wide as a real
// wide sans-serif face (the font the SVG names after Verdana) draws it, so
// that no text fitted in its cell overflows in a viewer.
#include "drawing/chart_geometry.h"
#include "engine/name_tables.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

using namespace selmarind;

class TestTextEstimate : public QObject {
    Q_OBJECT

private slots:
    void estimateErrsWide() {
        if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) {
            QSKIP("DejaVu Sans is not installed");
        }
        std::vector<std::string> texts = {"TL",
                                          "GL",
                                          "HL",
                                          "BL",
                                          "IL",
                                          "VL",
                                          "SL",
                                          "ViL",
                                          "AL",
                                          "A10",
                                          "A12",
                                          "Me(R)",
                                          "Asc",
                                          "WM",
                                          "12",
                                          "New Delhi (28° 36' N, 77° 13' E)",
                                          "Zürich नई दिल्ली 東京"};
        for (const std::string_view body : kBodyNames) {
            texts.emplace_back(body);
            texts.push_back(std::string(body) + " (R)");
        }
        const EstimatedTextMeasure estimate;
        for (const bool bold : {false, true}) {
            for (int pixels = 6; pixels <= 24; pixels += 3) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(pixels);
                font.setBold(bold);
                const QFontMetricsF metrics(font);
                QVERIFY(estimate.LineHeight(pixels) >= metrics.height() - 0.5);
                QVERIFY(estimate.Ascent(pixels) >= metrics.ascent() - 0.5);
                for (const std::string& text : texts) {
                    const double drawn = metrics.horizontalAdvance(QString::fromStdString(text));
                    QVERIFY2(estimate.Width(text, pixels, bold) >= drawn,
                             qPrintable(QStringLiteral("%1 at %2 px%3: %4 < %5")
                                            .arg(QString::fromStdString(text))
                                            .arg(pixels)
                                            .arg(bold ? " bold" : "")
                                            .arg(estimate.Width(text, pixels, bold))
                                            .arg(drawn)));
                }
            }
        }
    }
};

QTEST_MAIN(TestTextEstimate)
#include "test_text_estimate.moc"
