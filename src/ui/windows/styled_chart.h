// The chart of the result form in the North or East Indian style, or in
// the South Indian style with the special points and arudhas: the drawing
// of drawing/chart_geometry.h painted in the chart square's colours and
// fonts, in the square's place and size. Each cell is a child that
// assistive technology reads as its sentence; the chart's description names
// the style.
#pragma once

#include "chart/chart_result.h"
#include "drawing/chart_geometry.h"

#include <QWidget>

#include <array>

class QLabel;

namespace selmarind {

class StyledChart : public QWidget {
    Q_OBJECT

public:
    // The birth chart: objectName chartStyled, cells cellStyled_0 ..
    // cellStyled_11.
    explicit StyledChart(QWidget* parent = nullptr);
    // Another chart drawn the same way: `name` is its objectName, its cells
    // are name_0 .. name_11 (Aries .. Pisces), and `title` ("Navamsa") is
    // its accessible name and starts its description.
    StyledChart(const QString& name, const QString& title, QWidget* parent = nullptr);

    // Lays out `result` in `style`, with the points when `withPoints`, for
    // the widget's size, and repaints.
    void setChart(const ChartResult& result, ChartStyle style, bool withPoints);
    // The same for contents made beforehand.
    void setContents(const ChartContents& contents, ChartStyle style);

    // The drawing on view, in px of the widget.
    const ChartDrawing& drawing() const { return drawing_; }

    // The sizes the drawing is laid out with for a chart of `sidePx`: the
    // square's type sizes on the screen.
    static DrawingSizes ScreenSizes(double sidePx);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StyledChart(const QString& name, const QString& cellPrefix, const QString& title,
                QWidget* parent);

    // Empty for the birth chart, whose description is the style alone.
    QString title_;
    ChartDrawing drawing_;
    // One per sign, 0 = Aries: invisible children over the cells that read
    // as the cells' sentences.
    std::array<QLabel*, 12> cellReaders_{};
};

} // namespace selmarind
