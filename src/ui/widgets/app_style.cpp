#include "ui/widgets/app_style.h"

#include "ui/widgets/focus_ring.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

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
    palette.setColor(QPalette::Disabled, QPalette::Button, kDisabledButtonColor);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledButtonTextColor);
    palette.setColor(QPalette::Highlight, QColor(70, 110, 80));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(AppFont());
    InstallFocusRing();
}

void ApplyMenuBarStyle(QWidget* menuBar) {
    QPalette palette = menuBar->palette();
    palette.setColor(QPalette::Window, kMenuColor);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Base, kMenuColor);
    palette.setColor(QPalette::Text, Qt::black);
    menuBar->setPalette(palette);
    menuBar->setAutoFillBackground(true);
}

double RelativeLuminance(const QColor& colour) {
    // sRGB channel to linear light, with the 0.03928 threshold WCAG 2.1
    // states (0.04045 in the sRGB standard; no 8-bit value lies between).
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace selmarind
