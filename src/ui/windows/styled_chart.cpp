#include "ui/windows/styled_chart.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/twips.h"
#include "ui/windows/chart_drawing_painter.h"
#include "ui/windows/result_form_parts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
#include <QScreen>

namespace selmarind {

namespace {

// The chart square's cell side, so that both charts take the same room.
constexpr int kCellTwips = 1740;

double PointsToPx(double points) {
    double dotsPerInch = 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        dotsPerInch = screen->logicalDotsPerInchY();
    }
    return points * dotsPerInch / 72.0;
}

} // namespace

StyledChart::StyledChart(QWidget* parent)
    : StyledChart(QStringLiteral("chartStyled"), QStringLiteral("cellStyled"), QString(), parent) {
    setAccessibleName(QStringLiteral("Chart"));
}

StyledChart::StyledChart(const QString& name, const QString& title, QWidget* parent)
    : StyledChart(name, name, title, parent) {}

StyledChart::StyledChart(const QString& name, const QString& cellPrefix, const QString& title,
                         QWidget* parent)
    : QWidget(parent), title_(title) {
    setObjectName(name);
    setFont(AppFont());
    const int side = 4 * TwipsToPixels(kCellTwips) + 1;
    setFixedSize(side, side);
    setAccessibleName(title);
    for (int s = 0; s < 12; ++s) {
        auto* reader = new QLabel(this);
        reader->setObjectName(QStringLiteral("%1_%2").arg(cellPrefix).arg(s));
        // Only read, never seen or clicked: the painting shows the cell.
        reader->setAttribute(Qt::WA_TransparentForMouseEvents);
        reader->setAttribute(Qt::WA_NoSystemBackground);
        cellReaders_[static_cast<std::size_t>(s)] = reader;
    }
}

DrawingSizes StyledChart::ScreenSizes(double sidePx) {
    DrawingSizes sizes;
    sizes.sidePx = sidePx;
    sizes.bodyPx = PointsToPx(8.25);
    sizes.numberPx = PointsToPx(7);
    sizes.markerPx = PointsToPx(8.25);
    sizes.minTextPx = PointsToPx(5);
    sizes.paddingPx = TwipsToPixels(60);
    return sizes;
}

void StyledChart::setChart(const ChartResult& result, ChartStyle style, bool withPoints) {
    setContents(ContentsOfChart(result, withPoints), style);
}

void StyledChart::setContents(const ChartContents& contents, ChartStyle style) {
    const FontTextMeasure measure(AppFont(), this);
    // The square's last pixel holds the closing line.
    drawing_ = DrawChart(contents, style, ScreenSizes(width() - 1), measure);
    const QString described =
        QString::fromUtf8(ChartStyleTitle(style).data(), qsizetype(ChartStyleTitle(style).size())) +
        QStringLiteral(" chart");
    setAccessibleDescription(title_.isEmpty() ? described
                                              : title_ + QStringLiteral(", ") + described);
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

void StyledChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const FontTextMeasure measure(AppFont(), this);
    PaintChartDrawing(painter, drawing_, QPointF(0, 0), measure, ScreenChartColours());
}

} // namespace selmarind
