#include "ui/widgets/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace selmarind {

namespace {

double PixelsPerTwip() {
    double dpi = 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        dpi = screen->logicalDotsPerInch();
    }
    return dpi / 1440.0;
}

} // namespace

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips * PixelsPerTwip()));
}

} // namespace selmarind
