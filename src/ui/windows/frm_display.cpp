#include "ui/windows/frm_display.h"

#include "chart/sign_tables.h"
#include "engine/name_tables.h"
#include "report/chart_details.h"
#include "ui/widgets/accessible_captions.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/chart_square.h"
#include "ui/windows/column_flow_layout.h"
#include "ui/windows/dasha_tab.h"
#include "ui/windows/elided_label.h"
#include "ui/windows/navamsa_tab.h"
#include "ui/windows/result_form_parts.h"
#include "ui/windows/styled_chart.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace selmarind {

namespace {

// Size of the whole form; chosen so that every caption, the chart and the
// house sentence show without clipping at the default font.
constexpr int kFormWidthTwips = 16500;
constexpr int kFormHeightTwips = 8550;
// Width of the house-significance column beside the tabs.
constexpr int kSignificanceTwips = 3900;

// A value label beside its caption; assistive technology reads the caption
// (without its colon) as the label's description.
QLabel* NewValue(QWidget* parent, const QString& name, const QString& caption) {
    QLabel* label = NewLabel(parent, {}, name);
    label->setAccessibleDescription(caption);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // A long value (a sixty-letter place name) wraps or is cut at its
    // column's edge, never widening the column into the chart; the whole
    // text stays in the tooltip and the accessible name.
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    label->setSizePolicy(policy);
    return label;
}

// A value of the "Your Details" column: one line, cut with an ellipsis where
// the column is too narrow, so that a long name or place never pushes the
// rows below it down; the whole text is in the tooltip and accessible name.
QLabel* NewOneLineValue(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new ElidedLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(caption);
    return label;
}

QGroupBox* NewGroup(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    ChangeFont(group, [](QFont& font) { font.setBold(true); });
    return group;
}

// Children of a bold group box keep the regular weight.
void Unbold(QWidget* widget) {
    ChangeFont(widget, [](QFont& font) { font.setBold(false); });
}

// Writes a value and what assistive technology reads for it: the caption
// and the value, "empty" for an empty one (an unnamed label would be read by
// its group's title). The whole text is also the tooltip, for a value too
// long for its room.
void SetValue(QLabel* label, const QString& text) {
    label->setText(text);
    const QString caption = label->accessibleDescription();
    const QString spoken = text.isEmpty()
                               ? QStringLiteral("empty")
                               : QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    label->setAccessibleName(caption.isEmpty() ? spoken : caption + QStringLiteral(": ") + spoken);
    label->setToolTip(text);
}

// The sentence a screen reader reads for the cell of `sign`:
// "Leo, house 5: Sun, Mercury; Torvi Lagna". The house counts from the
// ascendant's sign; without one (a made-up result) it is left out.
QString CellSentence(const ChartResult& result, int sign) {
    QString sentence = Utf8Text(kSignNames[static_cast<std::size_t>(sign)]);
    const int ascendant = result.chart.ascendantSignNumber;
    if (ascendant >= 1 && ascendant <= 12) {
        sentence += QStringLiteral(", house %1").arg((sign + 1 - ascendant + 12) % 12 + 1);
    }
    QStringList bodies;
    for (const QString& line : Utf8Text(result.form.signCells[static_cast<std::size_t>(sign)])
                                   .split(QStringLiteral("\r\n"))) {
        if (!line.trimmed().isEmpty()) {
            bodies << line.trimmed();
        }
    }
    sentence += QStringLiteral(": ") + (bodies.isEmpty() ? QStringLiteral("no planets")
                                                         : bodies.join(QStringLiteral(", ")));
    if (Utf8Text(result.form.lblArudha[static_cast<std::size_t>(sign)])
            .contains(QStringLiteral("TL"))) {
        sentence += QStringLiteral("; Torvi Lagna");
    }
    return sentence;
}

} // namespace

FrmDisplay::FrmDisplay(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(kWindowCaption);
    ApplyAppStyle(this);
    setFixedSize(TwipsSize(kFormWidthTwips, kFormHeightTwips));

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(buildChartTab(), QStringLiteral("Torvi Lagna - Chart"));
    tabs_->addTab(buildDetailsTab(), QStringLiteral("Torvi Lagna Details"));
    tabs_->addTab(buildChartDetailsTab(), QStringLiteral("Chart Details"));
    navamsaTab_ = new NavamsaTab;
    tabs_->addTab(navamsaTab_, QStringLiteral("Navamsa"));
    dashaTab_ = new DashaTab;
    tabs_->addTab(dashaTab_, QStringLiteral("Dasha"));

    tabs_->setDocumentMode(true);
    tabs_->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(224, 224, 224); color: black; padding: 4px 14px;"
        " border: 1px solid rgb(120, 140, 125); border-bottom: none; margin-right: 2px; }"
        "QTabBar::tab:selected { background: rgb(34, 60, 41); color: white; font-weight: bold; }"));

    auto* layout = new QHBoxLayout(this);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(180));
    layout->addWidget(tabs_, 1);
    layout->addWidget(buildSignificance());

    setChartLook(LoadChartLook());
    connect(&ChartLookNotifier::Instance(), &ChartLookNotifier::changed, this,
            &FrmDisplay::setChartLook);
}

void FrmDisplay::setChartLook(const ChartLook& look) {
    look_ = look;
    // The Navamsa and the exports draw in the look this form shows.
    navamsaTab_->setStyle(look.style);
    const bool designed = look.style == ChartStyle::South && !look.showPoints;
    if (!designed && result_) {
        styledChart_->setChart(*result_, look.style, look.showPoints);
        QStringList legend;
        QStringList spoken;
        for (const std::string& line : styledChart_->drawing().legend) {
            // An entry breaks only between entries, never inside one.
            legend << Utf8Text(line)
                          .replace(u' ', QChar::Nbsp)
                          .replace(QChar(0x2013), QStringLiteral("\u2013\u2060"));
            spoken << Utf8Text(line);
        }
        chartLegend_->setText(legend.join(QStringLiteral("   ")));
        chartLegend_->setAccessibleName(spoken.join(QStringLiteral(", ")));
    }
    // Before any result the designed square stands, as it always has.
    const bool styled = !designed && result_.has_value();
    chartSquare_->setVisible(!styled);
    styledChart_->setVisible(styled);
    const bool legendShown = styled && look.showPoints;
    chartLegend_->setVisible(legendShown);
    // The form grows by the legend's lines; without them it keeps its
    // designed size.
    const int legendHeight =
        legendShown ? chartLegend_->heightForWidth(styledChart_->width()) + TwipsToPixels(90) : 0;
    setFixedSize(TwipsSize(kFormWidthTwips, kFormHeightTwips) + QSize(0, legendHeight));
}

QWidget* FrmDisplay::buildChartTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabChart"));
    page->setAutoFillBackground(true);

    // Your Details.
    QGroupBox* detailsGroup =
        NewGroup(page, QStringLiteral("fraDetails"), QStringLiteral("Your Details"));
    auto* details = new QGridLayout(detailsGroup);
    details->setVerticalSpacing(TwipsToPixels(75));
    nameValue_ = NewOneLineValue(detailsGroup, QStringLiteral("lblName"), QStringLiteral("Name"));
    nameValue_->setText(QStringLiteral("LblName"));
    SetTextColor(nameValue_, kTaglineColor);
    details->addWidget(nameValue_, 0, 0, 1, 2);
    struct DetailRow {
        const char* caption;
        const char* name;
        QLabel** value;
    };
    const std::array<DetailRow, 7> detailRows = {{
        {"Date of Birth", "lblDOB", &birthDateValue_},
        {"Time of Birth", "lblTOB", &birthTimeValue_},
        {"Latitude", "lblLatitude", &latitudeValue_},
        {"Longitude", "lblLongitude", &longitudeValue_},
        {"City", "lblCity", &cityValue_},
        {"State", "lblState", &stateValue_},
        {"Country", "lblCountry", &countryValue_},
    }};
    int row = 1;
    for (const DetailRow& detail : detailRows) {
        const QString caption = QString::fromLatin1(detail.caption);
        QLabel* label = NewLabel(detailsGroup, caption + QStringLiteral(" :"));
        Unbold(label);
        QLabel* value = NewOneLineValue(detailsGroup, QString::fromLatin1(detail.name), caption);
        Unbold(value);
        details->addWidget(label, row, 0, Qt::AlignTop);
        details->addWidget(value, row, 1, Qt::AlignTop);
        *detail.value = value;
        ++row;
    }
    details->setColumnStretch(1, 1);
    details->setRowStretch(row, 1);

    // Vedic Planetary Position.
    QGroupBox* vedicPositionsFrame =
        NewGroup(page, QStringLiteral("fraWestern"), QStringLiteral("Vedic Planetary Position"));
    auto* planets = new QGridLayout(vedicPositionsFrame);
    planets->setVerticalSpacing(TwipsToPixels(75));
    for (int i = 0; i < 10; ++i) {
        const QString caption = QString::fromLatin1(kPlanetCaptions[i]);
        QLabel* label =
            NewLabel(vedicPositionsFrame, caption, QStringLiteral("PlanetName_%1").arg(i));
        Unbold(label);
        QLabel* value = NewValue(vedicPositionsFrame, QStringLiteral("planet_%1").arg(i), caption);
        Unbold(value);
        value->setWordWrap(false);
        planets->addWidget(label, i, 0);
        planets->addWidget(value, i, 1);
        positionValues_[i] = value;
    }
    planets->setColumnStretch(1, 1);
    planets->setRowStretch(10, 1);

    // The chart.
    auto* chartFrame = new QFrame(page);
    chartFrame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(chartFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* chartGroup =
        NewGroup(chartFrame, QStringLiteral("fraBirthchart"), QStringLiteral("Hora"));
    auto* chartLayout = new QVBoxLayout(chartGroup);
    chartSquare_ = new ChartSquare(chartGroup);
    chartLayout->addWidget(chartSquare_, 0, Qt::AlignCenter);
    styledChart_ = new StyledChart(chartGroup);
    styledChart_->hide();
    chartLayout->addWidget(styledChart_, 0, Qt::AlignCenter);
    chartLegend_ = NewLabel(chartGroup, {}, QStringLiteral("lblChartLegend"));
    chartLegend_->setTextFormat(Qt::PlainText);
    chartLegend_->setFont(AppFont(7));
    chartLegend_->setWordWrap(true);
    chartLegend_->setFixedWidth(styledChart_->width());
    SetTextColor(chartLegend_, kNumberColor);
    chartLegend_->hide();
    chartLayout->addWidget(chartLegend_);
    frameLayout->addWidget(chartGroup);

    // Which positions the chart shows, in the free room below the square.
    positionsNote_ = NewLabel(page, {}, QStringLiteral("lblPositionsSource"));
    positionsNote_->setTextFormat(Qt::PlainText);
    positionsNote_->setWordWrap(true);
    positionsNote_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    positionsNote_->setMaximumWidth(chartFrame->sizeHint().width());
    SetTextColor(positionsNote_, kTaglineColor);

    auto* left = new QVBoxLayout;
    left->addWidget(detailsGroup, 1);
    left->addWidget(vedicPositionsFrame, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(chartFrame);
    right->addWidget(positionsNote_);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    const int margin = TwipsToPixels(90);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(left, 1);
    layout->addLayout(right, 0);
    return page;
}

QWidget* FrmDisplay::buildDetailsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabDetails"));
    page->setAutoFillBackground(true);

    auto* attributesFrame = new QFrame(page);
    attributesFrame->setObjectName(QStringLiteral("Frame4"));
    auto* attributes = new QGridLayout;
    attributes->setVerticalSpacing(TwipsToPixels(90));
    attributes->setHorizontalSpacing(TwipsToPixels(120));
    predictionsLayout_ = new QVBoxLayout;
    predictionsLayout_->setSpacing(TwipsToPixels(30));

    int row = 0;
    for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
        const AttributeControl& control = kAttributeControls[i];
        const QString caption = Utf8Text(control.caption);
        const QString name = Utf8Text(control.objectName);
        if (control.isParagraph) {
            QLabel* label = NewLabel(attributesFrame, caption);
            auto* box = new QPlainTextEdit(attributesFrame);
            box->setObjectName(name);
            box->setReadOnly(true);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setAccessibleDescription(caption);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, kPanelColor);
            box->setPalette(palette);
            label->setBuddy(box);
            predictionsLayout_->addWidget(label);
            predictionsLayout_->addWidget(box, 1);
            predictionBoxes_[i] = box;
        } else {
            QLabel* label = NewLabel(attributesFrame, caption);
            QLabel* value = NewValue(attributesFrame, name, caption);
            attributes->addWidget(label, row, 0, Qt::AlignTop);
            attributes->addWidget(value, row, 1, Qt::AlignTop);
            attributeValues_[i] = value;
            ++row;
        }
    }
    attributes->setColumnStretch(1, 1);
    attributes->setRowStretch(row, 1);

    auto* frameLayout = new QHBoxLayout(attributesFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addLayout(attributes, 4);
    frameLayout->addSpacing(TwipsToPixels(180));
    frameLayout->addLayout(predictionsLayout_, 5);

    auto* layout = new QVBoxLayout(page);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(attributesFrame);
    return page;
}

QWidget* FrmDisplay::buildChartDetailsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabChartDetails"));
    page->setAutoFillBackground(true);
    // The sections flow in columns over the whole tab, with no scroll area of
    // their own: the frame's client area is the one place that scrolls.
    chartDetailsLayout_ = new QVBoxLayout(page);
    const int margin = TwipsToPixels(90);
    chartDetailsLayout_->setContentsMargins(margin, margin, margin, margin);
    return page;
}

void FrmDisplay::fillChartDetails(const ChartResult& result,
                                  const std::optional<BirthEntries>& entries) {
    std::vector<DetailSection> sections =
        ChartDetailSections(result, entries.value_or(BirthEntries{}));
    if (!entries) {
        // Without the entries the zone rows would describe the defaults.
        for (DetailSection& section : sections) {
            if (section.kind == DetailSectionKind::BirthInstant) {
                section.rows.resize(1);
            }
        }
    }

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("chartDetailsContent"));
    // In their order: the birth, source and sunrise fill the first column,
    // the special points and arudhas the second, the positions the third.
    auto* flow = new ColumnFlowLayout(content, 3, TwipsToPixels(180));
    int sectionNumber = 0;
    for (const DetailSection& section : sections) {
        QGroupBox* group =
            NewGroup(content, QStringLiteral("fraChartDetails_%1").arg(sectionNumber),
                     Utf8Text(section.title));
        auto* rows = new QGridLayout(group);
        rows->setVerticalSpacing(TwipsToPixels(45));
        int row = 0;
        for (const DetailRow& detail : section.rows) {
            const QString caption = Utf8Text(detail.caption);
            const QString value = Utf8Text(detail.value);
            QLabel* captionLabel = NewLabel(group, caption);
            Unbold(captionLabel);
            QLabel* valueLabel = NewValue(
                group, QStringLiteral("lblChartDetail_%1_%2").arg(sectionNumber).arg(row), caption);
            Unbold(valueLabel);
            valueLabel->setText(value);
            valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::TextSelectableByKeyboard);
            valueLabel->setAccessibleName(caption + QStringLiteral(": ") + value);
            captionLabel->setBuddy(valueLabel);
            rows->addWidget(captionLabel, row, 0, Qt::AlignTop);
            rows->addWidget(valueLabel, row, 1, Qt::AlignTop);
            ++row;
        }
        rows->setColumnStretch(1, 1);
        flow->addWidget(group);
        ++sectionNumber;
    }
    // Replacing the content deletes the rows of the previous result.
    delete chartDetailsContent_;
    chartDetailsContent_ = content;
    chartDetailsLayout_->addWidget(content);
}

QWidget* FrmDisplay::buildSignificance() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("significance"));

    QLabel* heading = NewLabel(panel, QStringLiteral("Significance of Torvi Lagna"),
                               QStringLiteral("lblSignificanceHeading"));
    heading->setFont(AppFont(9.75, true));
    SetTextColor(heading, kTaglineColor);

    QLabel* caption = NewLabel(panel, QStringLiteral("Torvi Lagna Present In House Significance"),
                               QStringLiteral("lblHouseSignificanceCaption"));
    caption->setFont(AppFont(8.25, true));
    QLabel* explanation =
        NewLabel(panel,
                 QStringLiteral("Placement of Torvi Lagna in different houses implies application "
                                "of intelligence in that particular field"),
                 QStringLiteral("lblPlacementNote"));
    ChangeFont(explanation, [](QFont& font) { font.setItalic(true); });

    houseSignificanceValue_ = NewValue(panel, QStringLiteral("lblHoraDesc"),
                                       QStringLiteral("Torvi Lagna Present In House Significance"));

    QLabel* slogan = NewLabel(panel,
                              QStringLiteral("Talk about your chart with fellow astrology lovers "
                                             "in our free web forum:"),
                              QStringLiteral("lblForumSlogan"));
    LinkLabel* forumLink = NewHomePageLink(panel, QStringLiteral("Label6"), HomePageDisplayText());
    forumLink->setFont(AppFont(8.25, true));
    ChangeFont(forumLink, [](QFont& font) { font.setUnderline(true); });

    panel->setFixedWidth(TwipsToPixels(kSignificanceTwips));
    for (QLabel* label : {heading, caption, explanation, houseSignificanceValue_, slogan}) {
        label->setWordWrap(true);
    }
    SetTextColor(explanation, kNumberColor);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, TwipsToPixels(360), 0, 0);
    layout->setSpacing(TwipsToPixels(90));
    layout->addWidget(heading);
    layout->addWidget(explanation);
    layout->addSpacing(TwipsToPixels(120));
    layout->addWidget(caption);
    layout->addWidget(houseSignificanceValue_);
    layout->addStretch(1);
    layout->addWidget(slogan);
    layout->addWidget(forumLink);
    return panel;
}

void FrmDisplay::showResult(const ChartResult& result, const std::optional<BirthEntries>& entries) {
    const ResultFormTexts& form = result.form;
    const std::array<std::pair<QLabel*, const std::string*>, 9> texts = {{
        {nameValue_, &form.lblName},
        {birthDateValue_, &form.lblDOB},
        {birthTimeValue_, &form.lblTOB},
        {latitudeValue_, &form.lblLatitude},
        {longitudeValue_, &form.lblLongitude},
        {cityValue_, &form.lblCity},
        {stateValue_, &form.lblState},
        {countryValue_, &form.lblCountry},
        {houseSignificanceValue_, &form.lblHoraDesc},
    }};
    for (const auto& [label, text] : texts) {
        SetValue(label, Utf8Text(*text));
    }
    for (std::size_t i = 0; i < positionValues_.size(); ++i) {
        SetValue(positionValues_[i], Utf8Text(form.planet[i]));
    }
    for (int s = 0; s < 12; ++s) {
        chartSquare_->setCell(s, Utf8Text(form.signCells[s]), Utf8Text(form.lblArudha[s]));
        chartSquare_->setCellSentence(s, CellSentence(result, s));
    }
    for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
        const QString text = Utf8Text(form.attributes[i]);
        if (QPlainTextEdit* box = predictionBoxes_[i]) {
            box->setPlainText(text);
            // Longer paragraphs get the taller boxes, so that most show
            // whole; the longest scroll where the room runs out.
            const int weight = static_cast<int>(form.attributes[i].size()) + 80;
            predictionsLayout_->setStretchFactor(box, weight);
        } else {
            SetValue(attributeValues_[i], text);
        }
    }
    const QString note = Utf8Text(PositionsNoteText(result.chart));
    positionsNote_->setText(note);
    positionsNote_->setAccessibleName(note);
    fillChartDetails(result, entries);
    result_ = result;
    setChartLook(look_);
    navamsaTab_->showChart(result.chart);
    dashaTab_->showChart(result.chart);
    // Each value reads "caption: value"; the caption beside it would repeat.
    HideCaptionsReadWithValues(this);
    tabs_->setCurrentIndex(0);
}

} // namespace selmarind
