#include "ui/widgets/app_icon.h"

#include "ui/widgets/app_style.h"

#include <QPainter>

namespace selmarind {

QPixmap ApplicationIconPixmap(int sizePx) {
    QPixmap pixmap(sizePx, sizePx);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal s = sizePx;
    const QColor gold(232, 190, 80);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBackgroundColor.lighter(130));
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);

    // The chart square: an outer square divided in four along each side,
    // with the inner four cells left open.
    const qreal margin = s * 0.14;
    const qreal side = s - 2 * margin;
    const qreal cell = side / 4;
    QPen pen(gold, qMax<qreal>(1.0, s / 24));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(margin, margin, side, side));
    painter.drawRect(QRectF(margin + cell, margin + cell, 2 * cell, 2 * cell));
    for (int i = 1; i <= 3; i += 2) {
        const qreal at = margin + i * cell;
        painter.drawLine(QPointF(at, margin), QPointF(at, margin + cell));
        painter.drawLine(QPointF(at, margin + 3 * cell), QPointF(at, margin + side));
        painter.drawLine(QPointF(margin, at), QPointF(margin + cell, at));
        painter.drawLine(QPointF(margin + 3 * cell, at), QPointF(margin + side, at));
    }

    // The sun in the open centre.
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    const QPointF centre(s / 2, s / 2);
    painter.drawEllipse(centre, cell * 0.55, cell * 0.55);
    return pixmap;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(ApplicationIconPixmap(size));
    }
    return icon;
}

QIcon ThemedApplicationIcon() {
    return QIcon::fromTheme(QStringLiteral("org.selmarind.Selmarind"), ApplicationIcon());
}

} // namespace selmarind
