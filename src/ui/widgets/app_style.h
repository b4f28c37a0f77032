// The one look that every window shares: dark green background, white
// captions, light grey buttons, Verdana (or a similar sans where missing).
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace selmarind {

inline const QColor kBackgroundColor{26, 45, 31};
inline const QColor kButtonColor{224, 224, 224};
inline const QColor kCaptionColor{255, 255, 255};
inline const QColor kTaglineColor{255, 255, 192};

inline const QString kApplicationTitle = QStringLiteral("Selmarind");
inline const QString kWindowCaption = QStringLiteral("Selmarind v1.25");

// Verdana at the given point size, falling back to a similar sans font.
QFont AppFont(double pointSize = 8.25, bool bold = false);

// Applies the shared colours and font to a top-level window and its children.
void ApplyAppStyle(QWidget* window);

} // namespace selmarind
