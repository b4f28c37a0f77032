#include "ui/windows/column_flow_layout.h"

#include <QWidget>

#include <algorithm>

namespace selmarind {

ColumnFlowLayout::ColumnFlowLayout(QWidget* parent, int minimumColumns, int spacing)
    : QLayout(parent), minimumColumns_(std::max(1, minimumColumns)) {
    setSpacing(spacing);
    setContentsMargins(0, 0, 0, 0);
}

ColumnFlowLayout::~ColumnFlowLayout() {
    while (QLayoutItem* item = takeAt(0)) {
        delete item;
    }
}

void ColumnFlowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

QLayoutItem* ColumnFlowLayout::itemAt(int index) const {
    return items_.value(index);
}

QLayoutItem* ColumnFlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int ColumnFlowLayout::count() const {
    return static_cast<int>(items_.size());
}

Qt::Orientations ColumnFlowLayout::expandingDirections() const {
    return {};
}

int ColumnFlowLayout::itemHeight(int index, int width) const {
    QLayoutItem* item = items_[index];
    const int height =
        item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
    return std::max(height, item->minimumSize().height());
}

QList<QList<int>> ColumnFlowLayout::flow(int columnCount, int columnWidth, int height) const {
    QList<QList<int>> columns(1);
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int h = itemHeight(i, columnWidth);
        const int needed = columns.back().isEmpty() ? h : used + spacing() + h;
        if (needed > height && !columns.back().isEmpty()) {
            columns.append(QList<int>());
            used = h;
        } else {
            used = needed;
        }
        columns.back().append(i);
        if (columns.size() > columnCount) {
            return {};
        }
    }
    return columns;
}

void ColumnFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    const int n = count();
    const auto widthOf = [&](int columnCount) {
        return std::max(1, (area.width() - spacing() * (columnCount - 1)) / columnCount);
    };
    int columnCount = minimumColumns_;
    columns_ = flow(columnCount, widthOf(columnCount), area.height());
    while (columns_.isEmpty() && columnCount < std::max(n, minimumColumns_)) {
        ++columnCount;
        columns_ = flow(columnCount, widthOf(columnCount), area.height());
    }
    if (columns_.isEmpty()) {
        // Even one item a column is too tall: one item a column, cut at the
        // bottom.
        columns_.clear();
        for (int i = 0; i < n; ++i) {
            columns_.append(QList<int>{i});
        }
    }
    const int width = widthOf(columnCount);
    for (int c = 0; c < columns_.size(); ++c) {
        int y = area.top();
        const int x = area.left() + c * (width + spacing());
        for (int i : columns_[c]) {
            const int h = itemHeight(i, width);
            items_[i]->setGeometry(QRect(x, y, width, h));
            y += h + spacing();
        }
    }
}

QSize ColumnFlowLayout::sizeHint() const {
    // Side by side at their own sizes: the size the items ask for.
    int width = 0;
    int height = 0;
    for (QLayoutItem* item : items_) {
        width = std::max(width, item->sizeHint().width());
        height = std::max(height, item->sizeHint().height());
    }
    const int columns = std::max(minimumColumns_, 1);
    const QMargins margins = contentsMargins();
    return {width * columns + spacing() * (columns - 1) + margins.left() + margins.right(),
            height + margins.top() + margins.bottom()};
}

QSize ColumnFlowLayout::minimumSize() const {
    QSize size;
    for (QLayoutItem* item : items_) {
        size = size.expandedTo(item->minimumSize());
    }
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

} // namespace selmarind
