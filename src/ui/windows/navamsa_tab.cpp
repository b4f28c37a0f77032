#include "ui/windows/navamsa_tab.h"

#include "engine/name_tables.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/chart_look.h"
#include "ui/widgets/twips.h"
#include "ui/windows/result_form_parts.h"
#include "ui/windows/styled_chart.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <string>

namespace selmarind {

ChartContents NavamsaContents(const ChartValues& chart) {
    ChartContents contents;
    const NavamsaChart& navamsa = chart.navamsa;
    // A chart whose D9 was not worked (its Torvi Lagna unset) shows empty
    // cells rather than every body in Aries.
    if (navamsa.torviLagnaSign < 1 || navamsa.torviLagnaSign > 12) {
        return contents;
    }
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        const int sign = navamsa.signs[body];
        if (sign < 0 || sign > 11) {
            continue;
        }
        // The birth chart's names, retrograde marks included, without the
        // spacing that follows a mark there.
        std::string name = chart.bodyNames[body];
        if (name.empty()) {
            name = kBodyNames[body];
        }
        while (!name.empty() && name.back() == ' ') {
            name.pop_back();
        }
        contents.cells[static_cast<std::size_t>(sign)].bodies.push_back(name);
    }
    if (navamsa.torviLagnaSign >= 1 && navamsa.torviLagnaSign <= 12) {
        contents.cells[static_cast<std::size_t>(navamsa.torviLagnaSign - 1)].markers.emplace_back(
            "TL");
    }
    const int ascendant = navamsa.AscendantSignIndex();
    if (ascendant >= 0 && ascendant <= 11) {
        contents.ascendantSign = ascendant;
    }
    return contents;
}

QString NavamsaTorviLagnaSentence(const ChartValues& chart) {
    const int sign = chart.navamsa.torviLagnaSign;
    if (sign < 1 || sign > 12) {
        return {};
    }
    return QStringLiteral("The Torvi Lagna of the Navamsa is %1.")
        .arg(Utf8Text(kSignNames[static_cast<std::size_t>(sign - 1)]));
}

NavamsaTab::NavamsaTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabNavamsa"));
    setAutoFillBackground(true);

    auto* group = new QGroupBox(QStringLiteral("Navamsa (D9)"), this);
    group->setObjectName(QStringLiteral("fraNavamsa"));
    ChangeFont(group, [](QFont& font) { font.setBold(true); });
    auto* groupLayout = new QVBoxLayout(group);
    view_ = new StyledChart(QStringLiteral("chartNavamsa"), QStringLiteral("Navamsa"), group);
    groupLayout->addWidget(view_, 0, Qt::AlignCenter);

    sentence_ = NewLabel(this, {}, QStringLiteral("lblNavamsaTorviLagna"));
    sentence_->setTextFormat(Qt::PlainText);
    sentence_->setWordWrap(true);
    sentence_->setFont(AppFont(8.25, true));
    SetTextColor(sentence_, kTaglineColor);
    sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    sentence_->setMaximumWidth(group->sizeHint().width());

    // The key to the chart's marks, in the free room beside it.
    QLabel* legend = NewLabel(
        this,
        QStringLiteral("Each body stands in the sign of its ninth part (navamsa), with its "
                       "retrograde mark (R) from the birth.\n\nAsc: the ascendant of the "
                       "Navamsa.\n\nTL: the Torvi Lagna of the Navamsa, the sign occupied by "
                       "the lord of that ascendant's sign.\n\nThe houses count from the "
                       "Navamsa's ascendant."),
        QStringLiteral("lblNavamsaLegend"));
    legend->setTextFormat(Qt::PlainText);
    legend->setWordWrap(true);
    ChangeFont(legend, [](QFont& font) { font.setItalic(true); });
    SetTextColor(legend, kNumberColor);

    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(group);
    chartColumn->addWidget(sentence_);
    chartColumn->addStretch(1);
    auto* legendColumn = new QVBoxLayout;
    legendColumn->addSpacing(TwipsToPixels(360));
    legendColumn->addWidget(legend);
    legendColumn->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    const int margin = TwipsToPixels(90);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(180));
    layout->addLayout(chartColumn, 0);
    layout->addLayout(legendColumn, 1);

    style_ = LoadChartLook().style;
}

void NavamsaTab::setStyle(ChartStyle style) {
    style_ = style;
    draw();
}

void NavamsaTab::showChart(const ChartValues& chart) {
    contents_ = NavamsaContents(chart);
    draw();
    sentence_->setText(NavamsaTorviLagnaSentence(chart));
    sentence_->setAccessibleName(sentence_->text());
}

void NavamsaTab::draw() {
    if (contents_) {
        view_->setContents(*contents_, style_);
    }
}

} // namespace selmarind
