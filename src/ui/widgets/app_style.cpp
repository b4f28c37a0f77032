#include "ui/widgets/app_style.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace selmarind {

QFont AppFont(double pointSize, bool bold) {
    QFont font(QStringLiteral("Verdana"));
    // Where Verdana is missing, prefer the wide humanist sans faces that
    // come closest to its metrics.
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Bitstream Vera Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void ApplyAppStyle(QWidget* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kBackgroundColor);
    palette.setColor(QPalette::WindowText, kCaptionColor);
    palette.setColor(QPalette::Base, kBackgroundColor);
    palette.setColor(QPalette::Text, kCaptionColor);
    palette.setColor(QPalette::Button, kButtonColor);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(70, 110, 80));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(AppFont());
}

} // namespace selmarind
