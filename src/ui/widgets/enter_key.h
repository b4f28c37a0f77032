// Return and Enter on a form that is not a dialog: Qt presses a default
// button only inside a QDialog, so a main window needs its own handler.
#pragma once

class QAbstractButton;
class QWidget;

namespace selmarind {

// Makes Return and Enter (main keyboard or keypad) anywhere in `form` press
// `button`, where the focused control leaves the key unused (fields, lists,
// check boxes, options do); a focused push button presses itself instead.
// Nothing happens while `button` is disabled or hidden. The handler lives
// as long as `form`.
void PressOnEnter(QWidget& form, QAbstractButton& button);

} // namespace selmarind
