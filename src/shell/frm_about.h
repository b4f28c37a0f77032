// The About box.
#pragma once

class QWidget;

namespace selmarind {

// Shows the About box modally over `parent` and returns when it is closed.
void ShowAboutBox(QWidget* parent);

} // namespace selmarind
