// The Navamsa tab of the result form: the ninth-part (D9) chart drawn like
// the birth chart, in the chosen chart style, each body in its D9 sign with
// its retrograde mark, "Asc" in the D9 ascendant's sign and "TL" in the sign
// of the Navamsa's Torvi Lagna, which the sentence below the chart names.
#pragma once

#include "chart/chart_result.h"

#include <QString>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace selmarind {

// "The Torvi Lagna of the Navamsa is Leo."; empty while its sign is
// outside 1..12 (a result not calculated).
QString NavamsaTorviLagnaSentence(const ChartValues& chart);

class NavamsaTab : public QWidget {
    Q_OBJECT

public:
    explicit NavamsaTab(QWidget* parent = nullptr);

    // Draws the D9 chart of `chart` and names its Torvi Lagna.
    void showChart(const ChartValues& chart);

private:
    QLabel* sentence_ = nullptr;
};

} // namespace selmarind
