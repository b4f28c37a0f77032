// The geometry of the three styles: where each sign and house lies, that
// the cells tile the square, that a crowded cell keeps every text inside its
// outline without overlaps, and what a chart puts into its cells.
#include "chart/chart_driver.h"
#include "drawing/chart_geometry.h"
#include "support/sample_entries.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace selmarind;

Q_DECLARE_METATYPE(ChartStyle)

namespace {

double Area(const std::vector<Point>& polygon) {
    double area = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i];
        const Point b = polygon[(i + 1) % polygon.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return std::fabs(area) / 2;
}

bool Overlap(const Box& a, const Box& b) {
    const double e = 1e-6;
    return a.x + e < b.x + b.width && b.x + e < a.x + a.width && a.y + e < b.y + b.height &&
           b.y + e < a.y + a.height;
}

// Eight bodies, the Torvi Lagna and every point in one sign.
CellContents CrowdedCell() {
    CellContents cell;
    cell.bodies = {"Sun",      "Moon",        "Mercury (R)", "Venus",
                   "Mars (R)", "Jupiter (R)", "Saturn (R)",  "Asc"};
    cell.markers = {"TL"};
    cell.points = {"GL", "HL", "BL", "IL", "VL", "SL", "ViL", "AL"};
    for (int house = 2; house <= 12; ++house) {
        cell.points.push_back("A" + std::to_string(house));
    }
    return cell;
}

QString Describe(const ChartCell& cell) {
    return QStringLiteral("sign %1 (%2)").arg(cell.sign).arg(QString::fromStdString(cell.sentence));
}

} // namespace

class TestChartDrawing : public QObject {
    Q_OBJECT

private slots:
    void styleNames() {
        for (const ChartStyle style : kChartStyles) {
            QCOMPARE(ChartStyleOfName(ChartStyleName(style)), std::optional<ChartStyle>(style));
        }
        QCOMPARE(ChartStyleTitle(ChartStyle::North), std::string_view("North Indian"));
        for (const char* name : {"", "South", "west", "south "}) {
            QVERIFY2(!ChartStyleOfName(name), name);
        }
    }

    // Each row: a point (in parts of the side) that must lie in the cell of
    // `sign`, and the house that cell holds.
    void cellPlaces_data() {
        QTest::addColumn<ChartStyle>("style");
        QTest::addColumn<int>("ascendant");
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("house");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        // Pisces top left, Aries beside it, clockwise.
        QTest::newRow("south Pisces") << ChartStyle::South << 0 << 11 << 12 << 0.125 << 0.125;
        QTest::newRow("south Aries") << ChartStyle::South << 0 << 0 << 1 << 0.375 << 0.125;
        QTest::newRow("south Gemini") << ChartStyle::South << 0 << 2 << 3 << 0.875 << 0.125;
        QTest::newRow("south Virgo") << ChartStyle::South << 0 << 5 << 6 << 0.875 << 0.875;
        QTest::newRow("south Sagittarius") << ChartStyle::South << 0 << 8 << 9 << 0.125 << 0.875;
        // Leo rising: house 1 the top diamond, houses counter-clockwise.
        QTest::newRow("north house 1") << ChartStyle::North << 4 << 4 << 1 << 0.5 << 0.25;
        QTest::newRow("north house 2") << ChartStyle::North << 4 << 5 << 2 << 0.25 << 0.08;
        QTest::newRow("north house 3") << ChartStyle::North << 4 << 6 << 3 << 0.08 << 0.25;
        QTest::newRow("north house 4") << ChartStyle::North << 4 << 7 << 4 << 0.25 << 0.5;
        QTest::newRow("north house 7") << ChartStyle::North << 4 << 10 << 7 << 0.5 << 0.75;
        QTest::newRow("north house 10") << ChartStyle::North << 4 << 1 << 10 << 0.75 << 0.5;
        QTest::newRow("north house 12") << ChartStyle::North << 4 << 3 << 12 << 0.75 << 0.08;
        // Aries top centre, counter-clockwise, corners cut on the diagonal.
        QTest::newRow("east Aries") << ChartStyle::East << 9 << 0 << 4 << 0.5 << 0.15;
        QTest::newRow("east Taurus") << ChartStyle::East << 9 << 1 << 5 << 0.25 << 0.08;
        QTest::newRow("east Gemini") << ChartStyle::East << 9 << 2 << 6 << 0.08 << 0.25;
        QTest::newRow("east Cancer") << ChartStyle::East << 9 << 3 << 7 << 0.15 << 0.5;
        QTest::newRow("east Leo") << ChartStyle::East << 9 << 4 << 8 << 0.08 << 0.75;
        QTest::newRow("east Virgo") << ChartStyle::East << 9 << 5 << 9 << 0.25 << 0.92;
        QTest::newRow("east Libra") << ChartStyle::East << 9 << 6 << 10 << 0.5 << 0.85;
        QTest::newRow("east Scorpio") << ChartStyle::East << 9 << 7 << 11 << 0.75 << 0.92;
        QTest::newRow("east Sagittarius") << ChartStyle::East << 9 << 8 << 12 << 0.92 << 0.75;
        QTest::newRow("east Capricorn") << ChartStyle::East << 9 << 9 << 1 << 0.85 << 0.5;
        QTest::newRow("east Aquarius") << ChartStyle::East << 9 << 10 << 2 << 0.92 << 0.25;
        QTest::newRow("east Pisces") << ChartStyle::East << 9 << 11 << 3 << 0.75 << 0.08;
    }
    void cellPlaces() {
        QFETCH(ChartStyle, style);
        QFETCH(int, ascendant);
        QFETCH(int, sign);
        QFETCH(int, house);
        QFETCH(double, x);
        QFETCH(double, y);
        ChartContents contents;
        contents.ascendantSign = ascendant;
        const EstimatedTextMeasure measure;
        const DrawingSizes sizes;
        const ChartDrawing drawing = DrawChart(contents, style, sizes, measure);
        const ChartCell& cell = drawing.cells[static_cast<std::size_t>(sign)];
        QCOMPARE(cell.sign, sign);
        QCOMPARE(cell.house, std::optional<int>(house));
        QVERIFY(PointInOutline(cell.outline, {x * sizes.sidePx, y * sizes.sidePx}));
        for (const ChartCell& other : drawing.cells) {
            if (other.sign != sign) {
                QVERIFY2(!PointInOutline(other.outline, {x * sizes.sidePx, y * sizes.sidePx}),
                         qPrintable(Describe(other)));
            }
        }
    }

    // The twelve cells and the free centre cover the square once, and the
    // lines stay on it.
    void cellsTileTheSquare() {
        const EstimatedTextMeasure measure;
        const DrawingSizes sizes;
        for (const ChartStyle style : kChartStyles) {
            const ChartDrawing drawing = DrawChart(ChartContents{}, style, sizes, measure);
            double area = drawing.centre ? drawing.centre->width * drawing.centre->height : 0;
            for (const ChartCell& cell : drawing.cells) {
                QVERIFY(Area(cell.outline) > 0);
                area += Area(cell.outline);
                QVERIFY2(!cell.house, "no ascendant, no houses");
            }
            QVERIFY2(std::fabs(area - sizes.sidePx * sizes.sidePx) < 1e-6,
                     ChartStyleName(style).data());
            for (const Segment& line : drawing.lines) {
                for (const Point p : {line.from, line.to}) {
                    QVERIFY(p.x >= 0 && p.x <= sizes.sidePx && p.y >= 0 && p.y <= sizes.sidePx);
                }
            }
        }
    }

    // A crowded cell in every place of every style, at the window's size
    // and at 150 %: every text there, inside the outline, none on another.
    void crowdedCellStaysInside() {
        const EstimatedTextMeasure measure;
        const CellContents crowded = CrowdedCell();
        const std::size_t texts =
            1 + crowded.markers.size() + crowded.bodies.size() + crowded.points.size();
        for (const double scale : {1.0, 1.5}) {
            const DrawingSizes sizes = DrawingSizes{}.Scaled(scale);
            for (const ChartStyle style : kChartStyles) {
                for (std::size_t sign = 0; sign < 12; ++sign) {
                    ChartContents contents;
                    contents.ascendantSign = 3;
                    contents.cells[sign] = crowded;
                    const ChartDrawing drawing = DrawChart(contents, style, sizes, measure);
                    for (const ChartCell& cell : drawing.cells) {
                        const QString where = QStringLiteral("%1 at %2: ")
                                                  .arg(ChartStyleName(style).data())
                                                  .arg(scale) +
                                              Describe(cell);
                        QVERIFY2(!cell.shortened, qPrintable(where));
                        QCOMPARE(cell.texts.size(),
                                 cell.sign == static_cast<int>(sign) ? texts : 1);
                        for (std::size_t i = 0; i < cell.texts.size(); ++i) {
                            const PlacedText& text = cell.texts[i];
                            QVERIFY2(text.sizePx >= sizes.minTextPx - 1e-9, qPrintable(where));
                            QVERIFY2(BoxInOutline(cell.outline, text.box),
                                     qPrintable(where + " " + QString::fromStdString(text.text)));
                            for (std::size_t j = 0; j < i; ++j) {
                                QVERIFY2(!Overlap(text.box, cell.texts[j].box),
                                         qPrintable(where + " " +
                                                    QString::fromStdString(text.text) + " on " +
                                                    QString::fromStdString(cell.texts[j].text)));
                            }
                        }
                    }
                }
            }
        }
    }

    // More than any cell can hold: texts are left out and the cell says so,
    // but nothing crosses a line.
    void overfullCellLeavesTextsOut() {
        const EstimatedTextMeasure measure;
        for (const ChartStyle style : kChartStyles) {
            ChartContents contents;
            contents.ascendantSign = 0;
            contents.cells[1].bodies.assign(80, "Mercury (R)");
            const ChartDrawing drawing = DrawChart(contents, style, DrawingSizes{}, measure);
            const ChartCell& cell = drawing.cells[1];
            QVERIFY(cell.shortened);
            QVERIFY(cell.texts.size() > 2 && cell.texts.size() < 81);
            for (const PlacedText& text : cell.texts) {
                QVERIFY(BoxInOutline(cell.outline, text.box));
            }
        }
        // Sizes that make no sense take the defaults instead of stalling.
        DrawingSizes broken;
        broken.bodyPx = -11;
        broken.minTextPx = std::nan("");
        ChartContents contents;
        contents.cells[0] = CrowdedCell();
        const ChartDrawing drawing = DrawChart(contents, ChartStyle::North, broken, measure);
        QCOMPARE(drawing.cells[1].texts.front().sizePx, broken.numberPx);
        QVERIFY(!drawing.cells[0].shortened);
    }

    // Sizes far out of proportion, each positive: the square as large as a
    // double holds, texts a million times the cell or a billionth of it. The
    // drawing comes back (in bounded time) with finite coordinates, every
    // text inside its cell and no size below zero.
    void extremeSizesStayFiniteAndInside_data() {
        QTest::addColumn<double>("side");
        QTest::addColumn<double>("body");
        QTest::addColumn<double>("minimum");
        QTest::newRow("huge square") << 1e300 << 11.0 << 6.0;
        QTest::newRow("huge texts, tiny minimum") << 2000.0 << 1e300 << 1e-300;
        QTest::newRow("thin lines in a big square") << 1e6 << 1e-3 << 1e-3;
    }
    void extremeSizesStayFiniteAndInside() {
        QFETCH(double, side);
        QFETCH(double, body);
        QFETCH(double, minimum);
        const EstimatedTextMeasure measure;
        DrawingSizes sizes;
        sizes.sidePx = side;
        sizes.bodyPx = body;
        sizes.markerPx = body;
        sizes.minTextPx = minimum;
        ChartContents contents;
        contents.ascendantSign = 5;
        contents.cells[2] = CrowdedCell();
        contents.cells[7].bodies.assign(30, "Mercury (R)");
        for (const ChartStyle style : kChartStyles) {
            const ChartDrawing drawing = DrawChart(contents, style, sizes, measure);
            QVERIFY(std::isfinite(drawing.width) && drawing.width <= 1e6);
            for (const ChartCell& cell : drawing.cells) {
                for (const PlacedText& text : cell.texts) {
                    const QString where = Describe(cell) + " " + QString::fromStdString(text.text);
                    QVERIFY2(std::isfinite(text.box.x) && std::isfinite(text.box.y) &&
                                 std::isfinite(text.box.width) && std::isfinite(text.box.height),
                             qPrintable(where));
                    QVERIFY2(text.sizePx >= 0, qPrintable(where));
                    QVERIFY2(BoxInOutline(cell.outline, text.box, 1e-3), qPrintable(where));
                }
            }
        }
    }

    // In a small square cell the number's corner and the markers' corner
    // come close: the markers never land on the number, whatever the side.
    void markersClearOfTheNumberInSmallCells() {
        const EstimatedTextMeasure measure;
        ChartContents contents;
        for (CellContents& cell : contents.cells) {
            cell.markers = {"TL", "TLX"};
            cell.bodies = {"Sun"};
        }
        for (double side = 80; side <= 240; side += 4) {
            DrawingSizes sizes;
            sizes.sidePx = side;
            for (const ChartStyle style : kChartStyles) {
                const ChartDrawing drawing = DrawChart(contents, style, sizes, measure);
                for (const ChartCell& cell : drawing.cells) {
                    for (std::size_t i = 0; i < cell.texts.size(); ++i) {
                        for (std::size_t j = 0; j < i; ++j) {
                            QVERIFY2(
                                !Overlap(cell.texts[i].box, cell.texts[j].box),
                                qPrintable(QStringLiteral("side %1 ").arg(side) + Describe(cell)));
                        }
                    }
                }
            }
        }
    }

    void sentences() {
        ChartContents contents;
        contents.ascendantSign = 3;
        contents.cells[4] = {{"Sun", "Mercury (R)"}, {"TL"}, {}};
        QCOMPARE(CellSentence(contents, 4),
                 std::string("Leo, house 2: Sun, Mercury (R); Torvi Lagna"));
        QCOMPARE(CellSentence(contents, 0), std::string("Aries, house 10: no planets"));
        contents.cells[0].points = {"GL", "A7"};
        QCOMPARE(CellSentence(contents, 0),
                 std::string("Aries, house 10: no planets; points: GL, A7"));
        contents.ascendantSign.reset();
        QCOMPARE(CellSentence(contents, 4), std::string("Leo: Sun, Mercury (R); Torvi Lagna"));
    }

    // A computed chart's cells: the bodies of its texts, the Torvi Lagna,
    // and with points each arudha once in its sign and the time points in
    // theirs.
    void contentsOfAChart() {
        const ChartOrFailure chart = CalculateChart(Delhi1980Entries());
        QVERIFY(chart);
        const ChartValues& values = chart->chart;
        const ChartContents plain = ContentsOfChart(*chart, false);
        QCOMPARE(plain.ascendantSign, std::optional<int>(values.ascendantSignNumber - 1));
        std::size_t bodies = 0;
        for (std::size_t s = 0; s < 12; ++s) {
            bodies += plain.cells[s].bodies.size();
            QVERIFY(plain.cells[s].points.empty());
            for (const std::string& body : plain.cells[s].bodies) {
                QVERIFY2(body.front() != ' ' && body.back() != ' ', body.c_str());
            }
            const bool tl = std::count(plain.cells[s].markers.begin(), plain.cells[s].markers.end(),
                                       std::string("TL")) == 1;
            QCOMPARE(tl, static_cast<int>(s) == values.torviLagnaSign - 1);
        }
        QCOMPARE(bodies, kBodyCount);
        QVERIFY(plain.legend.empty());

        const ChartContents withPoints = ContentsOfChart(*chart, true);
        for (int house = 1; house <= 12; ++house) {
            const std::string name = house == 1 ? "AL" : "A" + std::to_string(house);
            for (std::size_t s = 0; s < 12; ++s) {
                const auto& points = withPoints.cells[s].points;
                const auto count = std::count(points.begin(), points.end(), name);
                QCOMPARE(count, static_cast<int>(s) + 1 == values.ArudhaSignOfHouse(house) ? 1 : 0);
            }
        }
        const SpecialPoint& first = values.specialPoints.front();
        QCOMPARE(first.name, std::string("first time point"));
        const auto& gl = withPoints.cells[static_cast<std::size_t>(*first.signIndex)].points;
        QVERIFY(std::find(gl.begin(), gl.end(), "GL") != gl.end());
        QVERIFY(!withPoints.legend.empty());
    }
};

QTEST_APPLESS_MAIN(TestChartDrawing)
#include "test_chart_drawing.moc"
