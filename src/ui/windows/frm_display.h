// frmDisplay: the result form. It only shows a finished chart: the personal
// details, the ten positions and the chart square on the first tab, the
// attributes and predictions of the Torvi Lagna's sign on the second, and the
// house significance of the Torvi Lagna below both; the Navamsa (D9) chart
// on the fourth tab and the Vimshottari periods on the fifth.
#pragma once

#include "chart/chart_result.h"
#include "chart/sign_tables.h"
#include "input/birth_entries.h"
#include "ui/widgets/chart_look.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QVBoxLayout;

namespace selmarind {

class ChartSquare;
class DashaTab;
class NavamsaTab;
class StyledChart;

class FrmDisplay : public QWidget {
    Q_OBJECT

public:
    explicit FrmDisplay(QWidget* parent = nullptr);

    // Writes every text of the result and selects the first tab. `entries`
    // are the form entries the chart was computed from; without them the
    // details tab leaves out the zone entry, the daylight-saving box and
    // the UTC offset.
    void showResult(const ChartResult& result,
                    const std::optional<BirthEntries>& entries = std::nullopt);

    QTabWidget* tabs() const { return tabs_; }

    // Draws the chart on view in `look`: the designed square for the South
    // Indian style without points, the styled chart in its place otherwise,
    // with the points' legend under it. The form follows the stored look
    // (chart_look.h) from its start.
    void setChartLook(const ChartLook& look);
    const ChartLook& chartLook() const { return look_; }

private:
    QWidget* buildChartTab();
    QWidget* buildDetailsTab();
    QWidget* buildSignificance();
    QWidget* buildChartDetailsTab();
    void fillChartDetails(const ChartResult& result, const std::optional<BirthEntries>& entries);

    QTabWidget* tabs_ = nullptr;

    // Your Details.
    QLabel* nameValue_ = nullptr;
    QLabel* birthDateValue_ = nullptr;
    QLabel* birthTimeValue_ = nullptr;
    QLabel* latitudeValue_ = nullptr;
    QLabel* longitudeValue_ = nullptr;
    QLabel* cityValue_ = nullptr;
    QLabel* stateValue_ = nullptr;
    QLabel* countryValue_ = nullptr;
    // Vedic Planetary Position, body order as kPlanetCaptions.
    std::array<QLabel*, 10> positionValues_{};
    ChartSquare* chartSquare_ = nullptr;
    StyledChart* styledChart_ = nullptr;
    // The abbreviations of the points spelt out (lblChartLegend), shown with them.
    QLabel* chartLegend_ = nullptr;
    ChartLook look_;
    std::optional<ChartResult> result_;
    // Which positions the chart shows (lblPositionsSource), below the square.
    QLabel* positionsNote_ = nullptr;

    // The third tab, "Chart Details": its rows are rebuilt for each result.
    QVBoxLayout* chartDetailsLayout_ = nullptr;
    QWidget* chartDetailsContent_ = nullptr;

    // The second tab, paired by index with kAttributeControls: a short
    // attribute is a label, a prediction paragraph a text box; the other of
    // the pair is null.
    std::array<QLabel*, kAttributeControls.size()> attributeValues_{};
    std::array<QPlainTextEdit*, kAttributeControls.size()> predictionBoxes_{};
    QVBoxLayout* predictionsLayout_ = nullptr;

    // The fourth and fifth tabs: the D9 chart, and the Vimshottari periods.
    NavamsaTab* navamsaTab_ = nullptr;
    DashaTab* dashaTab_ = nullptr;

    // Torvi Lagna Present In House Significance.
    QLabel* houseSignificanceValue_ = nullptr;
};

} // namespace selmarind
