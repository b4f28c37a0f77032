// How a selection list reads to assistive technology. On Linux the stock
// interface of a list that cannot be typed into gives its current item as
// the name ("0", "0", "0"), hiding the field it belongs to; ours gives the
// list's accessible name as the name, and the current item as its value and
// as a read-only text, which is what a screen reader speaks as the value of
// a list over AT-SPI ("Birth month, May").
#pragma once

namespace selmarind {

// Installs the interface for every non-editable QComboBox. Idempotent; call
// before the first list is shown to assistive technology.
void InstallListAccessibility();

} // namespace selmarind
