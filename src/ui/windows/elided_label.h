// A one-line value that is cut with "…" where its column is too narrow.
#pragma once

#include <QLabel>

namespace selmarind {

// A value label that keeps one line whatever its text: a long name is cut at
// the column's edge with an ellipsis instead of wrapping onto more lines and
// pushing the rows below it down. text() stays whole; the caller puts the
// whole text in the tooltip and the accessible name.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // True when the text is cut at the label's present width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace selmarind
