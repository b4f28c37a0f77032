// A chart as a drawing: the lines, the twelve cells with their outlines and
// their texts placed inside them, for any of the three styles. The window
// paints it, the SVG writer writes it, so both draw the same thing. No Qt.
//
// Coordinates are pixels of the drawing, x to the right and y downwards,
// (0, 0) the top left corner of the chart's square.
#pragma once

#include "chart/chart_result.h"
#include "drawing/chart_style.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind {

// What one sign's cell shows, each entry one text as the chart shows it.
struct CellContents {
    std::vector<std::string> bodies;  // "Sun", "Mercury (R)", "Asc", in body order
    std::vector<std::string> markers; // the designed markers: "TL"
    std::vector<std::string> points;  // with the points option: "GL", "HL", ..., "AL", "A2".."A12"
    friend bool operator==(const CellContents&, const CellContents&) = default;
};

// Everything a drawing shows, independent of the style.
struct ChartContents {
    std::array<CellContents, 12> cells; // sign index order, Aries first
    std::optional<int> ascendantSign;   // sign index 0..11; houses count from it
    std::vector<std::string>
        legend; // lines under the chart, "GL Ghati Lagna"; empty without points
    friend bool operator==(const ChartContents&, const ChartContents&) = default;
};

// The contents of a finished chart: its body lines, its Torvi Lagna marker,
// and with `withPoints` the abbreviations of the special points (GL, HL, BL,
// IL, VL, SL, ViL; the Moon and the Sun at sunrise are bodies already) and
// of the arudhas (AL for house 1, A2..A12), each in the sign it marks, plus
// the legend that spells them out.
ChartContents ContentsOfChart(const ChartResult& result, bool withPoints);

// How wide a text is drawn. The window measures with its font; the SVG,
// whose reader picks its own font, with an estimate that errs wide.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Advance width in px of a UTF-8 text at a font size of `sizePx` px.
    virtual double Width(std::string_view text, double sizePx, bool bold) const = 0;
    // Height in px of one line (ascent plus descent) at `sizePx`.
    virtual double LineHeight(double sizePx) const = 0;
    // Distance in px from a line's top to its baseline at `sizePx`.
    virtual double Ascent(double sizePx) const = 0;
};

// A measure for readers with unknown fonts: every character as wide as a
// wide sans-serif capital, lines 1.25 sizes high.
class EstimatedTextMeasure final : public TextMeasure {
public:
    double Width(std::string_view text, double sizePx, bool bold) const override;
    double LineHeight(double sizePx) const override;
    double Ascent(double sizePx) const override;
};

// The sizes of one drawing, all in px.
struct DrawingSizes {
    double sidePx = 464;    // side of the chart's square (4 designed cells of 116 px)
    double bodyPx = 11;     // body lines (8.25 pt at 96 dpi)
    double numberPx = 9.33; // sign and house numbers (7 pt)
    double markerPx = 11;   // markers and points, bold (8.25 pt)
    double minTextPx = 6;   // texts shrink down to this before they wrap and abbreviate
    double paddingPx = 4;   // free space between a cell's lines and its texts
    // Every size times `factor` (1.5 for a screen at 150 %).
    DrawingSizes Scaled(double factor) const;
};

struct Point {
    double x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Box {
    double x = 0, y = 0, width = 0, height = 0; // top left corner and extent
    friend bool operator==(const Box&, const Box&) = default;
};

struct Segment {
    Point from, to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

enum class TextRole {
    SignNumber, // the sign's number 1..12 (in the North style, the number of the house's sign)
    Body,       // a body line: "Sun", "Mercury (R)", "Asc"
    Marker,     // a designed marker: "TL"
    Point,      // a special point or arudha: "GL", "AL", "A7"
};

struct PlacedText {
    std::string text; // UTF-8, one line
    Box box;          // the text's box: its advance width by one line height
    double baselineY = 0;
    double sizePx = 0;
    bool bold = false;
    TextRole role = TextRole::Body;
    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

struct ChartCell {
    int sign = 0;                  // sign index 0..11
    std::optional<int> house;      // 1..12 counted from the ascendant's sign
    std::vector<Point> outline;    // convex polygon, clockwise on screen
    std::string sentence;          // "Leo, house 2: Sun, Mercury (R); Torvi Lagna"
    std::vector<PlacedText> texts; // each box inside the outline
    bool shortened = false;        // some texts were abbreviated or left out to fit
    friend bool operator==(const ChartCell&, const ChartCell&) = default;
};

struct ChartDrawing {
    ChartStyle style = ChartStyle::South;
    double width = 0, height = 0;    // the chart's square, px
    std::vector<Segment> lines;      // every line of the chart, the frame included
    std::array<ChartCell, 12> cells; // sign index order
    std::optional<Box> centre;       // the free centre (South and East), where a caption may go
    std::vector<std::string> legend; // lines to show under the chart
    friend bool operator==(const ChartDrawing&, const ChartDrawing&) = default;
};

// Lays out `contents` in `style`. Each text is shrunk step by step from its
// size to `sizes.minTextPx` until the cell holds it; past that, texts share
// lines, then body names are abbreviated, and what still finds no room is
// left out (the cell's sentence keeps it, and `shortened` says so). No box
// ever crosses its cell's outline. A size that is not a positive number
// takes its default; sizes above 1,000,000 px are taken as that.
ChartDrawing DrawChart(const ChartContents& contents, ChartStyle style, const DrawingSizes& sizes,
                       const TextMeasure& measure);

// The sentence of one cell for a screen reader, as the designed square reads
// it: "Leo, house 2: Sun, Mercury (R); Torvi Lagna", "Aries, house 11: no
// planets"; the house is left out without an ascendant. With points,
// "; points: GL, A7" follows.
std::string CellSentence(const ChartContents& contents, int sign);

// True when `p` lies inside the convex polygon `outline` or on its edge,
// within `tolerancePx`.
bool PointInOutline(const std::vector<Point>& outline, Point p, double tolerancePx = 1e-6);
// True when all four corners of `box` lie inside `outline`.
bool BoxInOutline(const std::vector<Point>& outline, const Box& box, double tolerancePx = 1e-6);

} // namespace selmarind
