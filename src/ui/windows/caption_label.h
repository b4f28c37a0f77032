// A caption of the chart square, shown as its visible lines.
#pragma once

#include <QLabel>

namespace selmarind {

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

// The visible lines of a chart cell or marker caption: line breaks of any
// kind become "\n" and empty lines (the leading break of a cell, the empty
// arudha markers) are left out.
QString VisibleLines(const QString& caption);

} // namespace selmarind
