// How the result window draws a chart: its style and whether the special
// points and arudhas stand in the cells. Kept with QSettings; every change
// is announced, so that an open result window redraws at once.
#pragma once

#include "drawing/chart_style.h"

#include <QObject>

namespace selmarind {

struct ChartLook {
    ChartStyle style = ChartStyle::South;
    bool showPoints = false; // the abbreviations of the special points and arudhas

    bool operator==(const ChartLook&) const = default;
};

// The stored look; the South Indian style without points when nothing (or
// nothing readable) is stored.
ChartLook LoadChartLook();

// Stores `look` and, when it differs from what was stored, announces it.
void SaveChartLook(const ChartLook& look);

// The one announcer of changes of the stored look.
class ChartLookNotifier : public QObject {
    Q_OBJECT

public:
    static ChartLookNotifier& Instance();

signals:
    void changed(const selmarind::ChartLook& look);
};

} // namespace selmarind
