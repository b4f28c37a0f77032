// frmDisplay: the result form. It only shows a finished chart: the personal
// details, the ten positions and the chart square on the first tab, the
// attributes and predictions of the Torvi Lagna's sign on the second, and the
// house significance of the Torvi Lagna below both.
#pragma once

#include "chart/chart_result.h"

#include <QLabel>
#include <QWidget>

class QTabWidget;
class QVBoxLayout;

namespace selmarind {

class ChartSquare;

// A chart caption: its text is the caption exactly as the calculation wrote
// it (CR LF line breaks, the leading break of a cell, one empty line per
// arudha), and it draws only the visible lines.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    // The lines the label shows.
    QString visibleText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A chart caption that shrinks its font, down to a floor, until its visible
// lines fit, so that a crowded chart cell never drops a line.
class FitLabel : public CaptionLabel {
    Q_OBJECT

public:
    explicit FitLabel(QWidget* parent = nullptr);

    // Sets the text and fits the font to it.
    void setFittedText(const QString& text);

    // The point size the font was fitted to.
    double fittedPointSize() const { return font().pointSizeF(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
};

class FrmDisplay : public QWidget {
    Q_OBJECT

public:
    explicit FrmDisplay(QWidget* parent = nullptr);

    // Writes every text of the result and selects the first tab.
    void showResult(const ChartResult& result);

    QTabWidget* tabs() const { return SSTab1_; }

private:
    QWidget* buildChartTab();
    QWidget* buildDetailsTab();
    QWidget* buildSignificance();

    QTabWidget* SSTab1_ = nullptr;
    ChartSquare* square_ = nullptr;
    QVBoxLayout* predictions_ = nullptr;
};

// The visible lines of a chart cell or marker caption: line breaks of any
// kind become "\n" and empty lines (the leading break of a cell, the empty
// arudha markers) are left out.
QString VisibleLines(const QString& caption);

} // namespace selmarind
