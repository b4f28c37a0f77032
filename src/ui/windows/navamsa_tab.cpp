#include "ui/windows/navamsa_tab.h"

#include "engine/name_tables.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/twips.h"
#include "ui/windows/result_form_parts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace selmarind {

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

    sentence_ = NewLabel(this, {}, QStringLiteral("lblNavamsaTorviLagna"));
    sentence_->setTextFormat(Qt::PlainText);
    sentence_->setWordWrap(true);
    sentence_->setFont(AppFont(9.75, true));
    SetTextColor(sentence_, kTaglineColor);
    sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(sentence_);
    layout->addStretch(1);
}

void NavamsaTab::showChart(const ChartValues& chart) {
    sentence_->setText(NavamsaTorviLagnaSentence(chart));
    sentence_->setAccessibleName(sentence_->text());
}

} // namespace selmarind
