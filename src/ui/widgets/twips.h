// Positions and sizes of the windows are given in twips (1/1440 inch):
// 15 twips to a pixel at 96 dpi, scaled for the screen's logical dpi.
#pragma once

#include <QRect>
#include <QSize>

namespace selmarind {

// Pixels of a length in twips on the primary screen.
int TwipsToPixels(int twips);

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

inline QSize TwipsSize(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

} // namespace selmarind
