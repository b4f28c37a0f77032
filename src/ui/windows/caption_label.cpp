#include "ui/windows/caption_label.h"

#include <QPainter>
#include <QRegularExpression>

namespace selmarind {

QString VisibleLines(const QString& caption) {
    QStringList visible;
    const QStringList lines = QString(caption)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            visible << line;
        }
    }
    return visible.join(QLatin1Char('\n'));
}

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QString CaptionLabel::visibleText() const {
    return VisibleLines(text());
}

QSize CaptionLabel::sizeHint() const {
    const QString lines = visibleText();
    if (lines.isEmpty()) {
        return {0, 0};
    }
    const QMargins margins = contentsMargins();
    return QFontMetrics(font()).size(0, lines).grownBy(margins);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), visibleText());
}

} // namespace selmarind
