// Keeps the name field and the coordinate fields of the birth-data form to
// what their key filters allow, whatever way the text arrives.
#pragma once

#include <cstddef>

class QLineEdit;

namespace selmarind {

// Typed characters go through FilterNameKey (a refused one shows its message
// at once); text that arrives any other way (paste by keyboard, menu or middle
// click, drag and drop, an input method) goes through FilterNameText, and a
// refusal shows the same message once the edit is over.
void InstallNameFilter(QLineEdit* field);

// As InstallNameFilter, with FilterCoordinateKey and FilterCoordinateText.
// Text that would make the field longer than maxLength is refused whole and
// silently, like a typed digit beyond it.
void InstallCoordinateFilter(QLineEdit* field, std::size_t maxLength);

} // namespace selmarind
