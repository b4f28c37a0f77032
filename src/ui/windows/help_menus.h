// The menus that both main windows carry after their own File menu: Help,
// Donate, and the hidden "Make Money Online" entry kept for the branded
// editions.
#pragma once

class QMenuBar;
class QWidget;

namespace selmarind {

// The designed names in which the two windows differ.
struct HelpMenuNames {
    const char* firstSeparator;  // "mnuHelp1" on the birth-data form, "mnuHelpSep1" on the frame
    const char* secondSeparator; // "mnuHelp2", "mnuHelpSep2"
    const char* makeMoney;       // "mkmoney", "mm"
};

// Appends to `bar` the "&Help" menu (Online Help, Visit Us Online, Check for
// Software Update, About Software), the "&Donate" entry and the hidden
// entry. Each opens its web page; About opens the About box over `window`.
void AddHelpAndDonateMenus(QMenuBar& bar, QWidget& window, const HelpMenuNames& names);

} // namespace selmarind
