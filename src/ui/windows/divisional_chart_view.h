// A chart drawn from its contents alone (drawing/chart_geometry.h), in any
// style, in the colours and type of the result form's chart: the divisional
// charts, whose cells are not the birth chart's. Each cell is a child that
// assistive technology reads as the cell's sentence; the chart's
// description names the style.
#pragma once

#include "drawing/chart_geometry.h"
#include "drawing/chart_style.h"

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace selmarind {

class DivisionalChartView : public QWidget {
    Q_OBJECT

public:
    // `name` is the chart's objectName; its cells are named name_0 ..
    // name_11 (Aries .. Pisces). `title` ("Navamsa") starts its description.
    DivisionalChartView(const QString& name, const QString& title, QWidget* parent = nullptr);

    // Lays out `contents` in `style` for the widget's size and repaints.
    void setContents(const ChartContents& contents, ChartStyle style);

    // The drawing on view, in px of the widget.
    const ChartDrawing& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    ChartDrawing drawing_;
    std::array<QLabel*, 12> cellReaders_{};
};

} // namespace selmarind
