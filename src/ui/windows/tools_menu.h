// The birth form's Tools menu: which positions a chart is computed with,
// the precise source's sunrise rule, the offline place finder, and how the
// chart is drawn.
#pragma once

#include "chart/chart_options.h"
#include "ui/widgets/chart_look.h"

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
    // How the chart is drawn, after the entries above: the "Chart &Style"
    // submenu (mnuChartStyle) with its three exclusive entries, and the
    // points option, off by default.
    QMenu* chartStyle = nullptr;   // mnuChartStyle
    QAction* styleSouth = nullptr; // mnuStyleSouth
    QAction* styleNorth = nullptr; // mnuStyleNorth
    QAction* styleEast = nullptr;  // mnuStyleEast
    QAction* showPoints = nullptr; // mnuShowPoints
};

// Appends "&Tools" to `bar`, its position entries set from the stored chart
// preferences. Each change of an entry is stored at once, so the next chart
// (and the next start) uses it. `findPlace` runs on "&Find Place...".
ToolsMenu AddToolsMenu(QMenuBar& bar, QObject& owner, std::function<void()> findPlace);

} // namespace selmarind

namespace selmarind {

// The options the menu's check marks show: what a chart is computed with.
ChartOptions ToolsMenuOptions(const ToolsMenu& tools);

// The look the style entries and the points option show.
ChartLook ToolsMenuLook(const ToolsMenu& tools);

// Ticks the entries for `look` and stores it, as a choice in the menu would
// (opening a record that names its chart style); an open result window
// redraws.
void ShowChartLook(const ToolsMenu& tools, const ChartLook& look);

// Ticks the entries for `options` and stores them, as a choice in the menu
// would (opening a record that names its options).
void ShowChartOptions(const ToolsMenu& tools, const ChartOptions& options);

} // namespace selmarind
