// What the result form and its chart square share: their colours, and the
// making of their labels and links.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <string_view>

class QLabel;

namespace selmarind {

class LinkLabel;

// The lines of the chart square (gold).
inline constexpr QColor kChartLineColor{232, 190, 80};
// The sign numbers and the italic note (a pale green that recedes).
inline constexpr QColor kNumberColor{150, 185, 160};
// The chart cells and the prediction boxes (a green lighter than the ground).
inline constexpr QColor kPanelColor{34, 60, 41};

// A text of the calculation, UTF-8, as Qt text.
QString Utf8Text(std::string_view text);

// The colour of a widget's text, both as a caption and as an editor's text.
void SetTextColor(QWidget* widget, const QColor& color);

// Changes a widget's font with `change` (a function of QFont&), keeping the
// rest of it.
template <typename Change> void ChangeFont(QWidget* widget, Change change) {
    QFont font = widget->font();
    change(font);
    widget->setFont(font);
}

// A label showing `text`; named `name` unless that is empty.
QLabel* NewLabel(QWidget* parent, const QString& text, const QString& name = {});

// An underlined link in the tagline colour that opens the home page.
LinkLabel* NewHomePageLink(QWidget* parent, const QString& name, const QString& text);

} // namespace selmarind
