// Pictures of every window of the program, rendered without a screen: the
// birth-data form, the result form on each tab for the sample chart (and the
// Navamsa and Dasha tabs of a chart with long names), the
// frame window (maximized and at its restored size), its Help menu and the
// About box.
#pragma once

#include <QString>
#include <QStringList>

namespace selmarind {

// Writes one PNG file per picture into `outDir` (created if missing) and
// returns their paths; the list is empty when the folder cannot be made.
QStringList WriteScreenshots(const QString& outDir);

} // namespace selmarind
