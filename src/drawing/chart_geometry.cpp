#include "drawing/chart_geometry.h"

#include "engine/name_tables.h"
#include "engine/text.h"
#include "input/utf8_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace selmarind {

namespace {

// The special points drawn in the chart, by the name the chart gives them,
// with their abbreviation and the name the legend spells out. The Moon and
// the Sun at sunrise are left out: they are drawn as bodies already.
struct PointAbbreviation {
    std::string_view pointName;
    std::string_view abbreviation;
    std::string_view legendName;
};
constexpr std::array<PointAbbreviation, 7> kPointAbbreviations = {{
    {"first time point", "GL", "Ghati Lagna"},
    {"second time point", "HL", "Hora Lagna"},
    {"third time point", "BL", "Bhava Lagna"},
    {"ninth-lord point", "IL", "Indu Lagna"},
    {"parity point", "VL", "Varnada Lagna"},
    {"nakshatra point", "SL", "Sri Lagna"},
    {"vighati point", "ViL", "Vighati Lagna"},
}};

// Bounds of the search for a fit, far beyond what the designed sizes need
// (about 10 shrink steps, 30 row steps).
constexpr double kMaxShrinkSteps = 256;
constexpr double kMaxRowSteps = 4096;
// The largest size any drawing gets, px: beyond it the products of the
// geometry lose their precision and, far beyond, overflow.
constexpr double kMaxSizePx = 1e6;

// Two-letter names of the bodies for a crowded cell.
constexpr std::array<std::string_view, kBodyCount> kBodyShortNames = {
    "Su", "Mo", "Me", "Ve", "Ma", "Ju", "Sa", "Ra", "Ke", "Asc"};

std::vector<std::string> VisibleLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = TrimCharacters(text.substr(start, end - start), " \t");
        if (!line.empty()) {
            lines.emplace_back(line);
        }
        start = end + 1;
    }
    return lines;
}

std::string AbbreviatedBody(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string_view name = std::string_view(line).substr(0, space);
    const std::string_view rest =
        space == std::string::npos ? std::string_view() : std::string_view(line).substr(space + 1);
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        if (kBodyNames[i] == name) {
            return std::string(kBodyShortNames[i]) + std::string(rest);
        }
    }
    return line;
}

// ---- Polygons ----

double Cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double SignedArea(const std::vector<Point>& polygon) {
    double area = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i];
        const Point b = polygon[(i + 1) % polygon.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2;
}

// Clockwise on screen (y downwards) is a positive shoelace area.
std::vector<Point> Clockwise(std::vector<Point> polygon) {
    if (SignedArea(polygon) < 0) {
        std::reverse(polygon.begin(), polygon.end());
    }
    return polygon;
}

// The convex polygon moved inwards by `d` on every edge; empty when nothing
// of it is left.
std::vector<Point> Inset(const std::vector<Point>& polygon, double d) {
    const std::size_t n = polygon.size();
    struct Line {
        Point p, dir;
    };
    std::vector<Line> lines;
    lines.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = polygon[i];
        const Point b = polygon[(i + 1) % n];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length <= 0) {
            return {};
        }
        // Clockwise on screen, the inside lies to the right of a -> b, which
        // with y downwards is the normal (-dy, dx).
        const Point normal{-(b.y - a.y) / length, (b.x - a.x) / length};
        lines.push_back({{a.x + normal.x * d, a.y + normal.y * d}, {b.x - a.x, b.y - a.y}});
    }
    std::vector<Point> inset;
    inset.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Line& l1 = lines[(i + n - 1) % n];
        const Line& l2 = lines[i];
        const double denominator = l1.dir.x * l2.dir.y - l1.dir.y * l2.dir.x;
        if (std::fabs(denominator) < 1e-12) {
            return {};
        }
        const double t =
            ((l2.p.x - l1.p.x) * l2.dir.y - (l2.p.y - l1.p.y) * l2.dir.x) / denominator;
        inset.push_back({l1.p.x + t * l1.dir.x, l1.p.y + t * l1.dir.y});
    }
    // An inset past the polygon's inner circle turns inside out.
    if (SignedArea(inset) <= 0) {
        return {};
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (Cross(inset[i], inset[(i + 1) % n], inset[(i + 2) % n]) < 0) {
            return {};
        }
    }
    return inset;
}

struct Span {
    double left = 0, right = 0;
    bool empty = true;
};

// Horizontal extent of the convex polygon on the line at `y`.
Span SpanAt(const std::vector<Point>& polygon, double y) {
    Span span;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i];
        const Point b = polygon[(i + 1) % polygon.size()];
        if (y < std::min(a.y, b.y) || y > std::max(a.y, b.y)) {
            continue;
        }
        auto take = [&span](double x) {
            span.left = span.empty ? x : std::min(span.left, x);
            span.right = span.empty ? x : std::max(span.right, x);
            span.empty = false;
        };
        if (a.y == b.y) {
            take(a.x);
            take(b.x);
        } else {
            take(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
    }
    return span;
}

// Extent free over the whole band [top, bottom]: for a convex polygon the
// narrowest line of a band is one of its two edges.
Span BandSpan(const std::vector<Point>& polygon, double top, double bottom) {
    const Span a = SpanAt(polygon, top);
    const Span b = SpanAt(polygon, bottom);
    if (a.empty || b.empty) {
        return {};
    }
    Span span{std::max(a.left, b.left), std::min(a.right, b.right), false};
    span.empty = span.right <= span.left;
    return span;
}

Point Centroid(const std::vector<Point>& polygon) {
    Point sum;
    for (const Point p : polygon) {
        sum.x += p.x;
        sum.y += p.y;
    }
    const auto n = static_cast<double>(polygon.size());
    return {sum.x / n, sum.y / n};
}

bool Overlaps(const Box& a, const Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// ---- The three styles ----

struct CellShape {
    std::vector<Point> outline;     // in units of the style's grid
    int anchor = 0;                 // vertex the number sits at
    std::optional<int> marksCorner; // vertex the markers sit at (South only)
};

struct StyleShape {
    double gridUnits = 4;            // the square's side in grid units
    std::array<CellShape, 12> cells; // by sign (South, East) or by house - 1 (North)
    std::vector<Segment> lines;      // in grid units
    std::optional<Box> centre;       // in grid units
};

CellShape Rect(double x, double y) {
    return {{{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}}, 0, 1};
}

StyleShape SouthShape() {
    // Row and column of each sign's cell, as the designed square places them.
    constexpr std::array<std::array<int, 2>, 12> kCellPlace = {{
        {0, 1},
        {0, 2},
        {0, 3},
        {1, 3},
        {2, 3},
        {3, 3},
        {3, 2},
        {3, 1},
        {3, 0},
        {2, 0},
        {1, 0},
        {0, 0},
    }};
    StyleShape shape;
    shape.gridUnits = 4;
    for (std::size_t s = 0; s < 12; ++s) {
        shape.cells[s] = Rect(kCellPlace[s][1], kCellPlace[s][0]);
    }
    shape.lines = {
        {{0, 0}, {4, 0}}, {{4, 0}, {4, 4}}, {{4, 4}, {0, 4}}, {{0, 4}, {0, 0}}, // border
        {{1, 1}, {3, 1}}, {{3, 1}, {3, 3}}, {{3, 3}, {1, 3}}, {{1, 3}, {1, 1}}, // centre
        {{1, 0}, {1, 1}}, {{2, 0}, {2, 1}}, {{3, 0}, {3, 1}},                   // top
        {{1, 3}, {1, 4}}, {{2, 3}, {2, 4}}, {{3, 3}, {3, 4}},                   // bottom
        {{0, 1}, {1, 1}}, {{0, 2}, {1, 2}}, {{0, 3}, {1, 3}},                   // left
        {{3, 1}, {4, 1}}, {{3, 2}, {4, 2}}, {{3, 3}, {4, 3}},                   // right
    };
    shape.centre = Box{1, 1, 2, 2};
    return shape;
}

StyleShape NorthShape() {
    // The square of side 4 with its diagonals and the diamond through the
    // midpoints of its sides; house 1 is the top diamond, the houses run
    // counter-clockwise. Each number sits at the vertex nearest the centre.
    const Point tl{0, 0}, tr{4, 0}, br{4, 4}, bl{0, 4};
    const Point t{2, 0}, r{4, 2}, b{2, 4}, l{0, 2}, c{2, 2};
    const Point p1{1, 1}, p2{3, 1}, p3{3, 3}, p4{1, 3};
    StyleShape shape;
    shape.gridUnits = 4;
    shape.cells = {{
        {{t, p2, c, p1}, 2, {}}, // 1
        {{tl, t, p1}, 2, {}},    // 2
        {{tl, p1, l}, 1, {}},    // 3
        {{l, p1, c, p4}, 2, {}}, // 4
        {{bl, l, p4}, 2, {}},    // 5
        {{bl, p4, b}, 1, {}},    // 6
        {{b, p4, c, p3}, 2, {}}, // 7
        {{br, b, p3}, 2, {}},    // 8
        {{br, p3, r}, 1, {}},    // 9
        {{r, p3, c, p2}, 2, {}}, // 10
        {{tr, r, p2}, 2, {}},    // 11
        {{tr, p2, t}, 1, {}},    // 12
    }};
    shape.lines = {
        {tl, tr}, {tr, br}, {br, bl}, {bl, tl}, // border
        {tl, br}, {tr, bl},                     // diagonals
        {t, r},   {r, b},   {b, l},   {l, t},   // diamond
    };
    return shape;
}

StyleShape EastShape() {
    // The square of side 3 in nine cells; Aries top centre, the signs
    // running counter-clockwise, each corner cell cut along its diagonal from
    // the square's corner to the centre cell's. Triangles carry their number
    // at the right angle.
    StyleShape shape;
    shape.gridUnits = 3;
    shape.cells = {{
        Rect(1, 0),                        // Aries
        {{{0, 0}, {1, 0}, {1, 1}}, 1, {}}, // Taurus
        {{{0, 0}, {1, 1}, {0, 1}}, 2, {}}, // Gemini
        Rect(0, 1),                        // Cancer
        {{{0, 2}, {1, 2}, {0, 3}}, 0, {}}, // Leo
        {{{1, 2}, {1, 3}, {0, 3}}, 1, {}}, // Virgo
        Rect(1, 2),                        // Libra
        {{{2, 2}, {3, 3}, {2, 3}}, 2, {}}, // Scorpio
        {{{2, 2}, {3, 2}, {3, 3}}, 1, {}}, // Sagittarius
        Rect(2, 1),                        // Capricorn
        {{{3, 0}, {3, 1}, {2, 1}}, 1, {}}, // Aquarius
        {{{2, 0}, {3, 0}, {2, 1}}, 0, {}}, // Pisces
    }};
    for (CellShape& cell : shape.cells) {
        cell.marksCorner.reset();
    }
    shape.lines = {
        {{0, 0}, {3, 0}}, {{3, 0}, {3, 3}}, {{3, 3}, {0, 3}}, {{0, 3}, {0, 0}}, // border
        {{1, 0}, {1, 3}}, {{2, 0}, {2, 3}}, {{0, 1}, {3, 1}}, {{0, 2}, {3, 2}}, // grid
        {{0, 0}, {1, 1}}, {{3, 0}, {2, 1}}, {{0, 3}, {1, 2}}, {{3, 3}, {2, 2}}, // corners
    };
    shape.centre = Box{1, 1, 1, 1};
    return shape;
}

StyleShape ShapeOf(ChartStyle style) {
    switch (style) {
    case ChartStyle::North:
        return NorthShape();
    case ChartStyle::East:
        return EastShape();
    case ChartStyle::South:
        break;
    }
    return SouthShape();
}

// ---- Fitting the texts of one cell ----

struct Item {
    std::string text;
    TextRole role;
    bool ownLine; // starts a line of its own
};

struct Fit {
    double scale;     // of every designed size
    bool flow;        // bodies share lines
    bool abbreviated; // bodies by their short names
};

class CellLayout {
public:
    CellLayout(const CellShape& shape, double unitPx, const DrawingSizes& sizes,
               const TextMeasure& measure, bool centred)
        : sizes_(sizes), measure_(measure), centred_(centred) {
        for (const Point p : shape.outline) {
            outline_.push_back({p.x * unitPx, p.y * unitPx});
        }
        outline_ = Clockwise(std::move(outline_));
        const Point anchor{shape.outline[static_cast<std::size_t>(shape.anchor)].x * unitPx,
                           shape.outline[static_cast<std::size_t>(shape.anchor)].y * unitPx};
        anchor_ = anchor;
        if (shape.marksCorner) {
            const Point corner = shape.outline[static_cast<std::size_t>(*shape.marksCorner)];
            marksCorner_ = Point{corner.x * unitPx, corner.y * unitPx};
        }
    }

    const std::vector<Point>& outline() const { return outline_; }

    // Places every text, or as many as fit, and says whether some are left out.
    std::vector<PlacedText> Place(int number, const CellContents& contents, bool& shortened) const {
        std::vector<Fit> fits;
        const double floor = std::min(1.0, sizes_.minTextPx / sizes_.bodyPx);
        // Half a pixel a step, but never more than kMaxShrinkSteps steps: a
        // huge body size would otherwise try millions (or, past 2^53 px, step
        // by nothing).
        const double shrink = std::max(0.5 / sizes_.bodyPx, (1 - floor) / kMaxShrinkSteps);
        for (double scale = 1; scale >= floor - 1e-9; scale -= shrink) {
            // The last step may undershoot the floor by a rounding.
            const double at = std::max(scale, floor);
            fits.push_back({at, false, false});
            fits.push_back({at, true, false});
        }
        fits.push_back({floor, true, true});
        for (const Fit& fit : fits) {
            std::vector<PlacedText> placed;
            if (TryPlace(number, contents, fit, std::numeric_limits<std::size_t>::max(), placed)) {
                shortened = fit.abbreviated;
                return placed;
            }
        }
        // Leave out texts from the end (points before bodies) until the rest fits.
        shortened = true;
        const Fit last = fits.back();
        const std::size_t total =
            contents.markers.size() + contents.bodies.size() + contents.points.size();
        for (std::size_t keep = total; keep-- > 0;) {
            std::vector<PlacedText> placed;
            if (TryPlace(number, contents, last, keep, placed)) {
                return placed;
            }
        }
        std::vector<PlacedText> placed;
        TryPlace(-1, contents, last, 0, placed);
        return placed;
    }

private:
    PlacedText Text(std::string text, TextRole role, double scale) const {
        PlacedText placed;
        placed.role = role;
        placed.bold = role == TextRole::Marker || role == TextRole::Point;
        placed.sizePx = (role == TextRole::SignNumber ? sizes_.numberPx
                         : role == TextRole::Body     ? sizes_.bodyPx
                                                      : sizes_.markerPx) *
                        scale;
        placed.box.width = measure_.Width(text, placed.sizePx, placed.bold);
        placed.box.height = measure_.LineHeight(placed.sizePx);
        placed.text = std::move(text);
        return placed;
    }

    void Move(PlacedText& text, double x, double y) const {
        text.box.x = x;
        text.box.y = y;
        text.baselineY = y + measure_.Ascent(text.sizePx);
    }

    // A box of the given size inside `inner`, as near the corner `at` as the
    // polygon allows and clear of every box of `avoid`: slid from there
    // towards the middle.
    bool PlaceNear(const std::vector<Point>& inner, Point at, PlacedText& text,
                   const std::vector<Box>& avoid = {}) const {
        const Point middle = Centroid(inner);
        for (int step = 0; step <= 40; ++step) {
            const double f = step / 40.0;
            const Point p{at.x + (middle.x - at.x) * f, at.y + (middle.y - at.y) * f};
            // The box's corner that faces `at`.
            const double x = std::fabs(at.x - middle.x) < 1e-9 ? p.x - text.box.width / 2
                             : at.x < middle.x                 ? p.x
                                                               : p.x - text.box.width;
            const double y = std::fabs(at.y - middle.y) < 1e-9 ? p.y - text.box.height / 2
                             : at.y < middle.y                 ? p.y
                                                               : p.y - text.box.height;
            Box box{x, y, text.box.width, text.box.height};
            if (BoxInOutline(inner, box) &&
                std::none_of(avoid.begin(), avoid.end(),
                             [&box](const Box& other) { return Overlaps(box, other); })) {
                Move(text, x, y);
                return true;
            }
        }
        return false;
    }

    bool TryPlace(int number, const CellContents& contents, const Fit& fit, std::size_t keep,
                  std::vector<PlacedText>& placed) const {
        placed.clear();
        const std::vector<Point> inner = Inset(outline_, sizes_.paddingPx);
        if (inner.empty()) {
            return keep == 0 && number < 0;
        }
        double top = inner[0].y, bottom = inner[0].y;
        for (const Point p : inner) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        const double gap = measure_.Width(" ", sizes_.bodyPx * fit.scale, false);
        // What the number and the markers take from the lines, with a gap
        // around; in the square they take their whole column.
        std::vector<Box> taken;
        const auto take = [&](Box box) {
            box.x -= gap / 2;
            box.width += gap;
            if (marksCorner_) {
                box.y = top;
                box.height = bottom - top;
            }
            taken.push_back(box);
        };
        if (number >= 0) {
            PlacedText text = Text(std::to_string(number), TextRole::SignNumber, fit.scale);
            if (!PlaceNear(inner, anchor_, text)) {
                return false;
            }
            take(text.box);
            placed.push_back(std::move(text));
        }

        std::vector<Item> items;
        for (const std::string& marker : contents.markers) {
            items.push_back({marker, TextRole::Marker, true});
        }
        for (const std::string& body : contents.bodies) {
            items.push_back(
                {fit.abbreviated ? AbbreviatedBody(body) : body, TextRole::Body, !fit.flow});
        }
        for (const std::string& point : contents.points) {
            items.push_back({point, TextRole::Point, false});
        }
        if (items.size() > keep) {
            items.resize(keep);
        }

        // The markers stand in a corner of their own where the style has one.
        std::size_t first = 0;
        if (marksCorner_) {
            double y = 0;
            double width = 0;
            std::vector<PlacedText> marks;
            for (; first < items.size() && items[first].role == TextRole::Marker; ++first) {
                marks.push_back(Text(items[first].text, TextRole::Marker, fit.scale));
                width = std::max(width, marks.back().box.width);
            }
            if (!marks.empty()) {
                const double height = static_cast<double>(marks.size()) * marks[0].box.height;
                PlacedText block = marks[0];
                block.box.width = width;
                block.box.height = height;
                // In a small cell the corners come close: the markers must
                // not land on the number.
                if (!PlaceNear(inner, *marksCorner_, block, taken)) {
                    return false;
                }
                take(block.box);
                for (PlacedText& mark : marks) {
                    Move(mark, block.box.x + width - mark.box.width, block.box.y + y);
                    y += mark.box.height;
                    placed.push_back(std::move(mark));
                }
            }
        }

        double lineHeight = 0;
        std::vector<PlacedText> texts;
        for (std::size_t i = first; i < items.size(); ++i) {
            texts.push_back(Text(items[i].text, items[i].role, fit.scale));
            lineHeight = std::max(lineHeight, texts.back().box.height);
        }
        // A quarter line a step, at most kMaxRowSteps steps down the cell: a
        // line far thinner than the cell would otherwise crawl (or not move).
        const double step = std::max(lineHeight / 4, (bottom - top) / kMaxRowSteps);
        std::size_t next = 0;
        for (double y = top; next < texts.size() && y + lineHeight <= bottom + 1e-9;) {
            Span span = BandSpan(inner, y, y + lineHeight);
            // What the number and the markers' corner leave free of the line:
            // the wider side of each.
            for (const Box& box : taken) {
                if (span.empty ||
                    !Overlaps(box, {span.left, y, span.right - span.left, lineHeight})) {
                    continue;
                }
                const double leftRoom = box.x - span.left;
                const double rightRoom = span.right - (box.x + box.width);
                if (leftRoom >= rightRoom) {
                    span.right = box.x;
                } else {
                    span.left = box.x + box.width;
                }
                span.empty = span.right <= span.left;
            }
            const double room = span.empty ? 0 : span.right - span.left;
            // Fill the line: an item of a line of its own ends it.
            std::size_t end = next;
            double width = 0;
            while (end < texts.size()) {
                const double add = (end == next ? 0 : gap) + texts[end].box.width;
                if (width + add > room || (end > next && items[first + end].ownLine)) {
                    break;
                }
                width += add;
                ++end;
                if (items[first + end - 1].ownLine) {
                    break;
                }
            }
            if (end == next) {
                y += step; // a line too narrow even for one text: try lower
                continue;
            }
            double x = centred_ ? span.left + (room - width) / 2 : span.left;
            for (std::size_t k = next; k < end; ++k) {
                Move(texts[k], x, y);
                x += texts[k].box.width + gap;
            }
            next = end;
            y += lineHeight;
        }
        if (next < texts.size()) {
            return false;
        }
        for (PlacedText& text : texts) {
            placed.push_back(std::move(text));
        }
        // Every box inside the cell, whatever the arithmetic above did.
        return std::all_of(placed.begin(), placed.end(), [this](const PlacedText& t) {
            return BoxInOutline(outline_, t.box, 1e-6);
        });
    }

    std::vector<Point> outline_;
    Point anchor_;
    std::optional<Point> marksCorner_;
    const DrawingSizes& sizes_;
    const TextMeasure& measure_;
    bool centred_;
};

// Sizes a caller got wrong (zero, negative, not a number) would stall the
// shrinking loop or place texts nowhere: each such size takes its default.
// A huge one is brought down to kMaxSizePx.
DrawingSizes Usable(DrawingSizes sizes) {
    const DrawingSizes defaults;
    for (auto [size, fallback] :
         {std::pair{&sizes.sidePx, defaults.sidePx}, std::pair{&sizes.bodyPx, defaults.bodyPx},
          std::pair{&sizes.numberPx, defaults.numberPx},
          std::pair{&sizes.markerPx, defaults.markerPx},
          std::pair{&sizes.minTextPx, defaults.minTextPx}}) {
        if (!std::isfinite(*size) || *size <= 0) {
            *size = fallback;
        }
        *size = std::min(*size, kMaxSizePx);
    }
    if (!std::isfinite(sizes.paddingPx) || sizes.paddingPx < 0) {
        sizes.paddingPx = defaults.paddingPx;
    }
    sizes.paddingPx = std::min(sizes.paddingPx, kMaxSizePx);
    return sizes;
}

Segment Scaled(const Segment& s, double unit) {
    return {{s.from.x * unit, s.from.y * unit}, {s.to.x * unit, s.to.y * unit}};
}

} // namespace

ChartContents ContentsOfChart(const ChartResult& result, bool withPoints) {
    ChartContents contents;
    for (std::size_t s = 0; s < 12; ++s) {
        contents.cells[s].bodies = VisibleLines(result.form.signCells[s]);
        contents.cells[s].markers = VisibleLines(result.form.lblArudha[s]);
    }
    const int ascendant = result.chart.ascendantSignNumber;
    if (ascendant >= 1 && ascendant <= 12) {
        contents.ascendantSign = ascendant - 1;
    }
    if (!withPoints) {
        return contents;
    }
    for (const SpecialPoint& point : result.chart.specialPoints) {
        if (!point.computed || !point.signIndex || *point.signIndex < 0 || *point.signIndex > 11) {
            continue;
        }
        for (const PointAbbreviation& known : kPointAbbreviations) {
            if (known.pointName == point.name) {
                contents.cells[static_cast<std::size_t>(*point.signIndex)].points.emplace_back(
                    known.abbreviation);
            }
        }
    }
    for (int house = 1; house <= 12; ++house) {
        const int sign = result.chart.ArudhaSignOfHouse(house);
        if (sign >= 1 && sign <= 12) {
            contents.cells[static_cast<std::size_t>(sign - 1)].points.push_back(
                house == 1 ? std::string("AL") : std::string("A").append(std::to_string(house)));
        }
    }
    contents.legend.emplace_back("TL Torvi Lagna");
    for (const PointAbbreviation& known : kPointAbbreviations) {
        contents.legend.push_back(std::string(known.abbreviation) + " " +
                                  std::string(known.legendName));
    }
    contents.legend.emplace_back("AL Arudha Lagna (arudha of house 1)");
    contents.legend.emplace_back("A2\xE2\x80\x93"
                                 "A12 arudhas of houses 2 to 12");
    return contents;
}

double EstimatedTextMeasure::Width(std::string_view text, double sizePx, bool bold) const {
    // Em widths a little above those of a wide sans-serif face: a reader's
    // font is narrower, so a text measured here is never drawn wider.
    double ems = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, i));
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (length > 1 || c >= 0x80) {
            ems += 1.0;
        } else if (c == 'M' || c == 'W' || c == 'm' || c == 'w') {
            ems += 1.05; // bold Verdana's W is 1.18 em
        } else if (c >= 'A' && c <= 'Z') {
            ems += 0.8;
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            ems += 0.66;
        } else if (c == ' ') {
            ems += 0.36;
        } else {
            ems += 0.6;
        }
        i += length;
    }
    return ems * sizePx * (bold ? 1.15 : 1.0);
}

double EstimatedTextMeasure::LineHeight(double sizePx) const {
    return 1.25 * sizePx;
}

double EstimatedTextMeasure::Ascent(double sizePx) const {
    return 1.0 * sizePx;
}

DrawingSizes DrawingSizes::Scaled(double factor) const {
    DrawingSizes scaled = *this;
    scaled.sidePx *= factor;
    scaled.bodyPx *= factor;
    scaled.numberPx *= factor;
    scaled.markerPx *= factor;
    scaled.minTextPx *= factor;
    scaled.paddingPx *= factor;
    return scaled;
}

std::string CellSentence(const ChartContents& contents, int sign) {
    if (sign < 0 || sign > 11) {
        return {};
    }
    const CellContents& cell = contents.cells[static_cast<std::size_t>(sign)];
    std::string sentence(kSignNames[static_cast<std::size_t>(sign)]);
    if (contents.ascendantSign && *contents.ascendantSign >= 0 && *contents.ascendantSign <= 11) {
        sentence += ", house " + std::to_string((sign - *contents.ascendantSign + 12) % 12 + 1);
    }
    sentence += ": ";
    if (cell.bodies.empty()) {
        sentence += "no planets";
    }
    for (std::size_t i = 0; i < cell.bodies.size(); ++i) {
        sentence += (i == 0 ? "" : ", ") + cell.bodies[i];
    }
    if (std::find(cell.markers.begin(), cell.markers.end(), "TL") != cell.markers.end()) {
        sentence += "; Torvi Lagna";
    }
    if (!cell.points.empty()) {
        sentence += "; points: ";
        for (std::size_t i = 0; i < cell.points.size(); ++i) {
            sentence += (i == 0 ? "" : ", ") + cell.points[i];
        }
    }
    return sentence;
}

bool PointInOutline(const std::vector<Point>& outline, Point p, double tolerancePx) {
    if (outline.size() < 3) {
        return false;
    }
    const double orientation = SignedArea(outline) >= 0 ? 1 : -1;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point a = outline[i];
        const Point b = outline[(i + 1) % outline.size()];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0) {
            continue;
        }
        // Signed distance of p from the edge, positive inside.
        if (orientation * Cross(a, b, p) / length < -tolerancePx) {
            return false;
        }
    }
    return true;
}

bool BoxInOutline(const std::vector<Point>& outline, const Box& box, double tolerancePx) {
    const std::array<Point, 4> corners = {{{box.x, box.y},
                                           {box.x + box.width, box.y},
                                           {box.x + box.width, box.y + box.height},
                                           {box.x, box.y + box.height}}};
    return std::all_of(corners.begin(), corners.end(),
                       [&](Point p) { return PointInOutline(outline, p, tolerancePx); });
}

ChartDrawing DrawChart(const ChartContents& contents, ChartStyle style,
                       const DrawingSizes& givenSizes, const TextMeasure& measure) {
    const DrawingSizes sizes = Usable(givenSizes);
    const StyleShape shape = ShapeOf(style);
    const double unit = sizes.sidePx / shape.gridUnits;

    ChartDrawing drawing;
    drawing.style = style;
    drawing.width = sizes.sidePx;
    drawing.height = sizes.sidePx;
    for (const Segment& line : shape.lines) {
        drawing.lines.push_back(Scaled(line, unit));
    }
    if (shape.centre) {
        drawing.centre = Box{shape.centre->x * unit, shape.centre->y * unit,
                             shape.centre->width * unit, shape.centre->height * unit};
    }
    drawing.legend = contents.legend;

    const bool validAscendant =
        contents.ascendantSign && *contents.ascendantSign >= 0 && *contents.ascendantSign <= 11;
    const int ascendant = validAscendant ? *contents.ascendantSign : 0;
    for (int sign = 0; sign < 12; ++sign) {
        const int house = (sign - ascendant + 12) % 12 + 1;
        // North draws houses in fixed places; the others draw signs.
        const CellShape& cellShape =
            shape.cells[static_cast<std::size_t>(style == ChartStyle::North ? house - 1 : sign)];
        const CellLayout layout(cellShape, unit, sizes, measure, style != ChartStyle::South);

        ChartCell& cell = drawing.cells[static_cast<std::size_t>(sign)];
        cell.sign = sign;
        if (validAscendant) {
            cell.house = house;
        }
        cell.outline = layout.outline();
        cell.sentence = CellSentence(contents, sign);
        cell.texts =
            layout.Place(sign + 1, contents.cells[static_cast<std::size_t>(sign)], cell.shortened);
    }
    return drawing;
}

} // namespace selmarind
