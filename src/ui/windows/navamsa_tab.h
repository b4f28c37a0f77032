// The Navamsa tab of the result form: the ninth-part (D9) chart drawn like
// the birth chart, in the chosen chart style, each body in its D9 sign with
// its retrograde mark, "Asc" in the D9 ascendant's sign and "TL" in the sign
// of the Navamsa's Torvi Lagna, which the sentence below the chart names.
#pragma once

#include "chart/chart_result.h"
#include "drawing/chart_geometry.h"
#include "drawing/chart_style.h"

#include <QString>
#include <QWidget>

#include <optional>

class QLabel;

namespace selmarind {

class StyledChart;

// What the D9 chart of `chart` shows: the bodies with their display names
// (retrograde marks kept, "Asc" for the ascendant) in their D9 signs, in body
// order, "TL" in the sign of the Navamsa's Torvi Lagna, houses counted from
// the D9 ascendant's sign. Empty cells for a chart whose D9 was not worked.
ChartContents NavamsaContents(const ChartValues& chart);

// "The Torvi Lagna of the Navamsa is Leo."; empty while its sign is
// outside 1..12 (a result not calculated).
QString NavamsaTorviLagnaSentence(const ChartValues& chart);

class NavamsaTab : public QWidget {
    Q_OBJECT

public:
    explicit NavamsaTab(QWidget* parent = nullptr);

    // Draws the D9 chart of `chart` in the current chart style (the stored
    // one until setStyle) and names its Torvi Lagna.
    void showChart(const ChartValues& chart);

    // Redraws the chart on view in `style`; the result form calls it with
    // the look it shows, so that both charts and the exports agree.
    void setStyle(ChartStyle style);

    StyledChart* chartView() const { return view_; }

private:
    void draw();

    std::optional<ChartContents> contents_;
    ChartStyle style_ = ChartStyle::South;
    StyledChart* view_ = nullptr;
    QLabel* sentence_ = nullptr;
};

} // namespace selmarind
