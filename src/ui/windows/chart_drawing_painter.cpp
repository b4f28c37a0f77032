#include "ui/windows/chart_drawing_painter.h"

#include "ui/widgets/app_style.h"
#include "ui/windows/result_form_parts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QScreen>

#include <utility>

namespace selmarind {

FontTextMeasure::FontTextMeasure(QFont family, const QPaintDevice* device)
    : family_(std::move(family)), device_(device), dotsPerInch_(96) {
    if (device_ != nullptr) {
        dotsPerInch_ = device_->logicalDpiY();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        dotsPerInch_ = screen->logicalDotsPerInchY();
    }
}

QFont FontTextMeasure::FontOf(double sizePx, bool bold) const {
    QFont font = family_;
    // Point sizes keep fractions, which pixel sizes would round away.
    font.setPointSizeF(sizePx * 72.0 / dotsPerInch_);
    font.setBold(bold);
    return font;
}

double FontTextMeasure::Width(std::string_view text, double sizePx, bool bold) const {
    const QFontMetricsF metrics(FontOf(sizePx, bold), device_);
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double FontTextMeasure::LineHeight(double sizePx) const {
    const QFontMetricsF metrics(FontOf(sizePx, false), device_);
    return metrics.ascent() + metrics.descent();
}

double FontTextMeasure::Ascent(double sizePx) const {
    return QFontMetricsF(FontOf(sizePx, false), device_).ascent();
}

ChartColours ScreenChartColours() {
    return {kPanelColor,  kBackgroundColor, kChartLineColor,
            kNumberColor, kCaptionColor,    kTaglineColor,
            1.0};
}

ChartColours PaperChartColours(double lineWidth) {
    return {Qt::white, Qt::white, Qt::black, Qt::black, Qt::black, Qt::black, lineWidth};
}

void PaintChartDrawing(QPainter& painter, const ChartDrawing& drawing, QPointF origin,
                       const FontTextMeasure& measure, const ChartColours& colours) {
    painter.save();
    painter.translate(origin);
    painter.fillRect(QRectF(0, 0, drawing.width, drawing.height), colours.cell);
    if (drawing.centre) {
        const Box& centre = *drawing.centre;
        painter.fillRect(QRectF(centre.x, centre.y, centre.width, centre.height), colours.centre);
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.line, colours.lineWidth));
    // Lines of one pixel on the pixel centres stay sharp where they run
    // straight; the diagonals are smoothed.
    if (colours.lineWidth <= 1.0) {
        painter.translate(0.5, 0.5);
    }
    for (const Segment& line : drawing.lines) {
        painter.drawLine(QPointF(line.from.x, line.from.y), QPointF(line.to.x, line.to.y));
    }
    painter.restore();

    for (const ChartCell& cell : drawing.cells) {
        for (const PlacedText& text : cell.texts) {
            switch (text.role) {
            case TextRole::SignNumber:
                painter.setPen(colours.number);
                break;
            case TextRole::Body:
                painter.setPen(colours.body);
                break;
            case TextRole::Marker:
            case TextRole::Point:
                painter.setPen(colours.marker);
                break;
            }
            painter.setFont(measure.FontOf(text.sizePx, text.bold));
            painter.drawText(QPointF(text.box.x, text.baselineY), Utf8Text(text.text));
        }
    }
    painter.restore();
}

} // namespace selmarind
