// Captions that assistive technology skips. A value label that reads
// "Ayanamsa: 23°43′" by itself makes the caption drawn beside it a repeat;
// such a caption stays on screen as it is but is reported as not showing, so
// a screen reader reads each row once.
#pragma once

class QLabel;
class QWidget;

namespace selmarind {

// Marks `caption` as read through its value. Call before the window is
// first shown to assistive technology (the interface of a widget is made
// once, on first use).
void HideCaptionFromReader(QLabel* caption);

// Whether `caption` was marked by HideCaptionFromReader.
bool IsCaptionHiddenFromReader(const QLabel* caption);

// Marks, among the labels under `root`, each caption drawn beside a value
// label that reads it: a label whose buddy is such a value, or whose text,
// less a trailing colon, is a sibling value label's accessible description
// while that value has an accessible name of its own ("Ayanamsa: 23°43′").
void HideCaptionsReadWithValues(QWidget* root);

} // namespace selmarind
