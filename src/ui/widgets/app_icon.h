// The application icon, drawn in code: a small twelve-cell chart square in
// gold on the program's dark green, with the sun in its centre.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace selmarind {

// The icon drawn at `sizePx` × `sizePx` pixels.
QPixmap ApplicationIconPixmap(int sizePx);

// The icon at the usual sizes, for windows and the desktop.
QIcon ApplicationIcon();

// The installed theme icon org.selmarind.Selmarind, with ApplicationIcon()
// as its fallback: the window icon.
QIcon ThemedApplicationIcon();

} // namespace selmarind
