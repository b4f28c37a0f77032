// Paints a chart drawing (drawing/chart_geometry.h) with QPainter and
// measures its texts with Qt's font metrics, so that what the layout fitted
// is what is drawn: the styled chart of the result form and the printed
// report both paint through here.
#pragma once

#include "drawing/chart_geometry.h"

#include <QColor>
#include <QFont>
#include <QPointF>

class QPainter;
class QPaintDevice;

namespace selmarind {

// Widths measured in `family`'s font on `device` (the screen when null),
// so that a px of the layout is a px of that device.
class FontTextMeasure final : public TextMeasure {
public:
    explicit FontTextMeasure(QFont family, const QPaintDevice* device = nullptr);

    double Width(std::string_view text, double sizePx, bool bold) const override;
    double LineHeight(double sizePx) const override;
    double Ascent(double sizePx) const override;

    // The font of a text of `sizePx` px on the device.
    QFont FontOf(double sizePx, bool bold) const;

private:
    QFont family_;
    const QPaintDevice* device_;
    double dotsPerInch_;
};

// The colours of one painting.
struct ChartColours {
    QColor cell;      // the cells' ground
    QColor centre;    // the free centre of the South and East styles
    QColor line;      // the chart's lines
    QColor number;    // sign and house numbers
    QColor body;      // body lines
    QColor marker;    // markers and points
    double lineWidth; // px of the device
};

// The result form's colours: gold lines on the green cells.
ChartColours ScreenChartColours();
// Black on white, for paper.
ChartColours PaperChartColours(double lineWidth);

// Paints `drawing` with its top left corner at `origin`, every text in the
// fonts of `measure`.
void PaintChartDrawing(QPainter& painter, const ChartDrawing& drawing, QPointF origin,
                       const FontTextMeasure& measure, const ChartColours& colours);

} // namespace selmarind
