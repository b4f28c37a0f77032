// The one look that every window shares: dark green background, white
// captions, light grey buttons, Verdana (or a similar sans where missing).
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace selmarind {

inline constexpr QColor kBackgroundColor{26, 45, 31};
inline constexpr QColor kButtonColor{224, 224, 224};
inline constexpr QColor kCaptionColor{255, 255, 255};
// A disabled button: a face near the ground's green with muted text, so it
// never passes for the light grey of an enabled one.
inline constexpr QColor kDisabledButtonColor{62, 84, 68};
inline constexpr QColor kDisabledButtonTextColor{160, 176, 164};
inline constexpr QColor kTaglineColor{255, 255, 192};
// The keyboard-focus ring: the gold of the chart's lines, 8.3:1 against the
// ground and 6.8:1 against the chart cells, well over the 3:1 a focus
// indicator needs.
inline constexpr QColor kFocusRingColor{232, 190, 80};
// Menu bars and menus: dark text on light grey, as the desktop draws them.
inline constexpr QColor kMenuColor{224, 224, 224};

// Views of static text: no object is built before the application starts.
inline constexpr QLatin1StringView kApplicationTitle{"Selmarind"};
inline constexpr QLatin1StringView kWindowCaption{"Selmarind v1.25"};

// Verdana at the given point size, falling back to a similar sans font.
QFont AppFont(double pointSize = 8.25, bool bold = false);

// Applies the shared colours and font to a top-level window and its
// children, and starts the keyboard-focus ring.
void ApplyAppStyle(QWidget* window);

// Gives a menu bar dark text on light grey (15.9:1); on the dark green
// ground its titles would otherwise be black on green (1.4:1). The menus it
// opens are windows of their own and keep the desktop's colours.
void ApplyMenuBarStyle(QWidget* menuBar);

// WCAG 2.1 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);

// WCAG 2.1 contrast ratio of two colours, 1 to 21, whichever is lighter.
// Text needs 4.5 (3 when large), field edges and focus indicators 3.
double ContrastRatio(const QColor& a, const QColor& b);

} // namespace selmarind
