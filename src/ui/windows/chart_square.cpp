#include "ui/windows/chart_square.h"

#include "chart/chart_result.h"
#include "engine/name_tables.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/caption_label.h"
#include "ui/windows/fit_label.h"
#include "ui/windows/result_form_parts.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace selmarind {

namespace {

// Side of one chart cell: room for nine bodies, one per line.
constexpr int kCellTwips = 1740;

// One stroke of the drawing in cell units, the square being 4 × 4 cells;
// (x, y) is the top left corner, a line runs to (x + width, y + height).
struct StrokeInCells {
    const char* name;
    double x, y, width, height;
    bool isLine;
};

// The outer border and the open centre, then the dividers between
// neighbouring cells along each side, one cell long each.
constexpr std::array<StrokeInCells, 14> kStrokes = {{
    {"shpBorder", 0, 0, 4, 4, false},
    {"shpCentre", 1, 1, 2, 2, false},
    {"shpHora_0", 1, 0, 0, 1, true},  // top: Pisces | Aries
    {"shpHora_1", 1, 3, 0, 1, true},  // bottom: Sagittarius | Scorpio
    {"shpHora_2", 0, 1, 1, 0, true},  // left: Pisces / Aquarius
    {"shpHora_3", 3, 1, 1, 0, true},  // right: Gemini / Cancer
    {"shpHora_4", 2, 0, 0, 1, true},  // top: Aries | Taurus
    {"shpHora_5", 2, 3, 0, 1, true},  // bottom: Scorpio | Libra
    {"shpHora_6", 0, 2, 1, 0, true},  // left: Aquarius / Capricorn
    {"shpHora_7", 3, 2, 1, 0, true},  // right: Cancer / Leo
    {"shpHora_8", 3, 0, 0, 1, true},  // top: Taurus | Gemini
    {"shpHora_9", 3, 3, 0, 1, true},  // bottom: Libra | Virgo
    {"shpHora_10", 0, 3, 1, 0, true}, // left: Capricorn / Sagittarius
    {"shpHora_11", 3, 3, 1, 0, true}, // right: Leo / Virgo
}};

// Row and column of each sign's cell in the square, sign index order.
constexpr std::array<std::array<int, 2>, 12> kCellPlace = {{
    {0, 1}, // Aries
    {0, 2}, // Taurus
    {0, 3}, // Gemini
    {1, 3}, // Cancer
    {2, 3}, // Leo
    {3, 3}, // Virgo
    {3, 2}, // Libra
    {3, 1}, // Scorpio
    {3, 0}, // Sagittarius
    {2, 0}, // Capricorn
    {1, 0}, // Aquarius
    {0, 0}, // Pisces
}};

} // namespace

ChartSquare::ChartSquare(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartSquare"));
    setFont(AppFont());
    const int side = 4 * TwipsToPixels(kCellTwips) + 1;
    setFixedSize(side, side);

    const QFont numberFont = AppFont(7);
    const QFont markerFont = AppFont(8.25, true);
    for (int s = 0; s < 12; ++s) {
        const QString sign = Utf8Text(kSignNames[s]);

        QLabel* number = NewLabel(this, QString::number(s + 1), QStringLiteral("Hno_%1").arg(s));
        number->setFont(numberFont);
        SetTextColor(number, kNumberColor);
        number->setAccessibleDescription(sign + QStringLiteral(" number"));
        signNumbers_[s] = number;

        auto* marker = new CaptionLabel(this);
        marker->setObjectName(QStringLiteral("lblArudha_%1").arg(s));
        marker->setText(QStringLiteral("A12"));
        marker->setFont(markerFont);
        marker->setAlignment(Qt::AlignRight | Qt::AlignTop);
        SetTextColor(marker, kTaglineColor);
        marker->setAccessibleDescription(sign + QStringLiteral(" markers"));
        markerLabels_[s] = marker;

        auto* bodies = new FitLabel(this);
        bodies->setObjectName(QString::fromLatin1(kSignCellNames[s]));
        bodies->setAccessibleDescription(sign);
        bodyLabels_[s] = bodies;
        bodies->setFittedText(bodies->objectName());
    }

    LinkLabel* link =
        NewHomePageLink(this, QStringLiteral("Label7"),
                        QStringLiteral("Click here to visit ") + HomePageDisplayText() +
                            QStringLiteral(" and read more about your chart"));
    link->setWordWrap(true);
    link->setAlignment(Qt::AlignCenter);
    homePageLink_ = link;
    placeChildren();
    layOutStrokes();
}

void ChartSquare::setCellSentence(int sign, const QString& sentence) {
    if (sign < 0 || sign >= 12) {
        return;
    }
    // The bodies label stands for the whole cell.
    bodyLabels_[sign]->setAccessibleName(sentence);
}

void ChartSquare::setCell(int sign, const QString& bodies, const QString& markers) {
    markerLabels_[sign]->setText(markers);
    // The markers read as their visible words, without the line breaks
    // that only place them.
    QStringList words;
    for (const QString& line : markers.split(QRegularExpression(QStringLiteral("[\\r\\n]+")))) {
        if (!line.trimmed().isEmpty()) {
            words << line.trimmed();
        }
    }
    markerLabels_[sign]->setAccessibleName(
        Utf8Text(kSignNames[sign]) + QStringLiteral(" markers: ") +
        (words.isEmpty() ? QStringLiteral("none") : words.join(QStringLiteral(", "))));
    placeCell(sign);
    bodyLabels_[sign]->setFittedText(bodies);
}

void ChartSquare::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColor);
    const qreal cell = cellPx();
    painter.fillRect(QRectF(cell, cell, 2 * cell, 2 * cell), kBackgroundColor);
    painter.setPen(QPen(kChartLineColor, 1));
    painter.setBrush(Qt::NoBrush);
    // Lines of one pixel on the pixel centres, so that they stay sharp.
    painter.translate(0.5, 0.5);
    for (const Stroke& stroke : strokes_) {
        if (stroke.isLine) {
            painter.drawLine(stroke.geometry.topLeft(), stroke.geometry.bottomRight());
        } else {
            painter.drawRect(stroke.geometry);
        }
    }
}

void ChartSquare::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutStrokes();
}

int ChartSquare::cellPx() const {
    return (width() - 1) / 4;
}

void ChartSquare::layOutStrokes() {
    const qreal cell = cellPx();
    strokes_.clear();
    strokes_.reserve(kStrokes.size());
    for (const StrokeInCells& stroke : kStrokes) {
        strokes_.push_back(
            {QString::fromLatin1(stroke.name),
             QRectF(stroke.x * cell, stroke.y * cell, stroke.width * cell, stroke.height * cell),
             stroke.isLine});
    }
}

void ChartSquare::placeChildren() {
    for (int s = 0; s < 12; ++s) {
        placeCell(s);
    }
    const int cell = cellPx();
    homePageLink_->setGeometry(QRect(cell, cell, 2 * cell, 2 * cell).adjusted(12, 12, -12, -12));
}

void ChartSquare::placeCell(int s) {
    const int cell = cellPx();
    const int pad = TwipsToPixels(60);
    const QRect box(kCellPlace[s][1] * cell, kCellPlace[s][0] * cell, cell, cell);
    const QRect inner = box.adjusted(pad + 1, pad / 2 + 1, -pad, -pad / 2);

    QLabel* number = signNumbers_[s];
    const int numberWidth =
        QFontMetrics(number->font()).horizontalAdvance(QStringLiteral("12")) + pad;
    number->setGeometry(inner.x(), inner.y() + 2, numberWidth, inner.height());
    number->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CaptionLabel* marker = markerLabels_[s];
    const QFontMetrics markerMetrics(marker->font());
    int markerWidth = 0;
    for (const QString& line : marker->visibleText().split(QLatin1Char('\n'))) {
        markerWidth = std::max(markerWidth, markerMetrics.horizontalAdvance(line));
    }
    if (markerWidth > 0) {
        markerWidth += pad;
    }
    marker->setGeometry(inner.right() + 1 - markerWidth, inner.y(), markerWidth, inner.height());
    marker->setVisible(markerWidth > 0);

    bodyLabels_[s]->setGeometry(inner.x() + numberWidth, inner.y(),
                                inner.width() - numberWidth - markerWidth, inner.height());
}

} // namespace selmarind
