// The birth form's Tools menu: which positions a chart is computed with,
// the precise source's sunrise rule, and the offline place finder.
#pragma once

#include "chart/chart_options.h"

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace selmarind {

struct ToolsMenu {
    QMenu* menu = nullptr;         // mnuTools
    QAction* classic = nullptr;    // mnuClassicPositions
    QAction* precise = nullptr;    // mnuPrecisePositions
    QAction* discCentre = nullptr; // mnuSunriseCentre: enabled only with precise positions
    QAction* findPlace = nullptr;  // mnuFindPlace, Ctrl+L
};

// Appends "&Tools" to `bar`, its position entries set from the stored chart
// preferences. Each change of an entry is stored at once, so the next chart
// (and the next start) uses it. `findPlace` runs on "&Find Place...".
ToolsMenu AddToolsMenu(QMenuBar& bar, QObject& owner, std::function<void()> findPlace);

} // namespace selmarind

namespace selmarind {

// The options the menu's check marks show: what a chart is computed with.
ChartOptions ToolsMenuOptions(const ToolsMenu& tools);

// Ticks the entries for `options` and stores them, as a choice in the menu
// would (opening a record that names its options).
void ShowChartOptions(const ToolsMenu& tools, const ChartOptions& options);

} // namespace selmarind
