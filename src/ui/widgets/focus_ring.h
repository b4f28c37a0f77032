// A ring drawn around whichever control has the keyboard focus, so that the
// focus shows on the dark ground whatever the widget style draws itself.
#pragma once

class QWidget;

namespace selmarind {

// Width of the ring in pixels, and its gap from the control: the ring covers
// the two pixels just outside the control's rectangle (inside the current tab
// of a tab bar), so it never moves or resizes anything.
inline constexpr int kFocusRingWidthPx = 2;

// Starts drawing the ring for every window of the application; calling it
// again does nothing. Needs the application object.
void InstallFocusRing();

// The control the ring is drawn around now, or nullptr when it is hidden.
QWidget* FocusRingTarget();

} // namespace selmarind
