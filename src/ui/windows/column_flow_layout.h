// A layout that stacks its items top to bottom in columns of equal width,
// each item at its own height, and starts the next column where the next item
// would pass the bottom edge. It uses the fewest columns (at least
// `minimumColumns`) in which every item fits, so a taller font or a longer
// list makes the columns narrower rather than cutting the last item off.
#pragma once

#include <QLayout>
#include <QList>

namespace selmarind {

class ColumnFlowLayout : public QLayout {
public:
    // `spacing`: pixels between columns and between items of a column.
    explicit ColumnFlowLayout(QWidget* parent, int minimumColumns, int spacing);
    ~ColumnFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    Qt::Orientations expandingDirections() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // The columns of the last placement, left to right, as item indexes top
    // to bottom.
    const QList<QList<int>>& columns() const { return columns_; }

private:
    // Item indexes per column for `columnCount` columns of `columnWidth`
    // within `height`; empty when the items do not fit.
    QList<QList<int>> flow(int columnCount, int columnWidth, int height) const;
    int itemHeight(int index, int width) const;

    QList<QLayoutItem*> items_;
    QList<QList<int>> columns_;
    int minimumColumns_;
};

} // namespace selmarind
