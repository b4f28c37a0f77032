#include "ui/windows/fit_label.h"

#include "ui/widgets/app_style.h"

namespace selmarind {

FitLabel::FitLabel(QWidget* parent) : CaptionLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(AppFont());
}

void FitLabel::setFittedText(const QString& text) {
    setText(text);
    fit();
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FitLabel::fit() {
    constexpr double kLargest = 8.25;
    constexpr double kSmallest = 6.5;
    QFont candidate = font();
    const QRect room = contentsRect();
    for (double size = kLargest; size >= kSmallest; size -= 0.25) {
        candidate.setPointSizeF(size);
        const QRect needed =
            QFontMetrics(candidate).boundingRect(room, Qt::AlignLeft | Qt::AlignTop, visibleText());
        if (needed.height() <= room.height() && needed.width() <= room.width()) {
            break;
        }
    }
    if (candidate.pointSizeF() != font().pointSizeF()) {
        setFont(candidate);
    }
}

} // namespace selmarind
