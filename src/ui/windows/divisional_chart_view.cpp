#include "ui/windows/divisional_chart_view.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/twips.h"
#include "ui/windows/chart_drawing_painter.h"
#include "ui/windows/result_form_parts.h"
#include "ui/windows/styled_chart.h"

#include <QLabel>
#include <QPainter>
#include <QPolygonF>

namespace selmarind {

namespace {

// The birth chart's cell side, so that both charts take the same room.
constexpr int kCellTwips = 1740;

} // namespace

DivisionalChartView::DivisionalChartView(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent), title_(title) {
    setObjectName(name);
    setFont(AppFont());
    const int side = 4 * TwipsToPixels(kCellTwips) + 1;
    setFixedSize(side, side);
    setAccessibleName(title);
    for (int s = 0; s < 12; ++s) {
        auto* reader = new QLabel(this);
        reader->setObjectName(QStringLiteral("%1_%2").arg(name).arg(s));
        // Only read, never seen or clicked: the painting shows the cell.
        reader->setAttribute(Qt::WA_TransparentForMouseEvents);
        reader->setAttribute(Qt::WA_NoSystemBackground);
        cellReaders_[static_cast<std::size_t>(s)] = reader;
    }
}

void DivisionalChartView::setContents(const ChartContents& contents, ChartStyle style) {
    const FontTextMeasure measure(AppFont(), this);
    // The square's last pixel holds the closing line.
    drawing_ = DrawChart(contents, style, StyledChart::ScreenSizes(width() - 1), measure);
    setAccessibleDescription(title_ + QStringLiteral(", ") + Utf8Text(ChartStyleTitle(style)) +
                             QStringLiteral(" chart"));
    for (const ChartCell& cell : drawing_.cells) {
        QPolygonF outline;
        for (const Point& corner : cell.outline) {
            outline << QPointF(corner.x, corner.y);
        }
        QLabel* reader = cellReaders_[static_cast<std::size_t>(cell.sign)];
        reader->setGeometry(outline.boundingRect().toAlignedRect());
        reader->setAccessibleName(Utf8Text(cell.sentence));
    }
    update();
}

void DivisionalChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const FontTextMeasure measure(AppFont(), this);
    PaintChartDrawing(painter, drawing_, QPointF(0, 0), measure, ScreenChartColours());
}

} // namespace selmarind
