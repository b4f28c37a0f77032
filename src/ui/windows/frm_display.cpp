#include "ui/windows/frm_display.h"

#include "engine/name_tables.h"
#include "chart/sign_tables.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace selmarind {

namespace {

const QColor kChartLineColor{232, 190, 80};
const QColor kNumberColor{150, 185, 160};
const QColor kPanelColor{34, 60, 41};

// Size of the whole form; chosen so that every caption, the chart and the
// house sentence show without clipping at the default font.
constexpr int kFormWidthTwips = 16500;
constexpr int kFormHeightTwips = 8550;
// Side of one chart cell: room for nine bodies, one per line.
constexpr int kCellTwips = 1740;
// Width of the house-significance column beside the tabs.
constexpr int kSignificanceTwips = 3900;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel* NewLabel(QWidget* parent, const QString& text, const QString& name = {}) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    return label;
}

// A value label beside its caption; assistive technology reads the caption
// (without its colon) as the label's description.
QLabel* NewValue(QWidget* parent, const QString& name, const QString& caption) {
    QLabel* label = NewLabel(parent, {}, name);
    label->setAccessibleDescription(caption);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox* NewGroup(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    QFont font = group->font();
    font.setBold(true);
    group->setFont(font);
    return group;
}

// Children of a bold group box keep the regular weight.
void Unbold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(false);
    widget->setFont(font);
}

LinkLabel* NewLink(QWidget* parent, const QString& name, const QString& text) {
    auto* link = new LinkLabel(text, parent);
    link->setObjectName(name);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    SetTextColor(link, kTaglineColor);
    QObject::connect(link, &LinkLabel::clicked, link, [] { OpenHomePage(); });
    return link;
}

// One line or rectangle of the chart drawing, in cell units (the square is
// 4 × 4 cells). The shapes are plain objects, not widgets: they are drawn
// by the chart square and stay out of the accessibility tree.
class ChartShape : public QObject {
public:
    ChartShape(QObject* parent, const QString& name, QRectF unitGeometry, bool isLine)
        : QObject(parent), unitGeometry_(unitGeometry), isLine_(isLine) {
        setObjectName(name);
    }

    void paint(QPainter& painter, qreal cell) const {
        const QRectF r(unitGeometry_.x() * cell, unitGeometry_.y() * cell,
                       unitGeometry_.width() * cell, unitGeometry_.height() * cell);
        if (isLine_) {
            painter.drawLine(r.topLeft(), r.bottomRight());
        } else {
            painter.drawRect(r);
        }
    }

private:
    QRectF unitGeometry_;
    bool isLine_;
};

// Row and column of each sign's cell in the square, sign index order: the
// signs stand still, Pisces in the top left corner and the zodiac running
// clockwise.
constexpr std::array<std::array<int, 2>, 12> kCellPlace = {{
    {0, 1}, // Aries
    {0, 2}, // Taurus
    {0, 3}, // Gemini
    {1, 3}, // Cancer
    {2, 3}, // Leo
    {3, 3}, // Virgo
    {3, 2}, // Libra
    {3, 1}, // Scorpio
    {3, 0}, // Sagittarius
    {2, 0}, // Capricorn
    {1, 0}, // Aquarius
    {0, 0}, // Pisces
}};

} // namespace

// The chart square: twelve sign cells around an open centre. Each cell holds
// its number (Hno), its markers (lblArudha) and its bodies (the sign cell).
class ChartSquare : public QWidget {
public:
    explicit ChartSquare(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("chartSquare"));
        setFont(AppFont());
        const int side = 4 * TwipsToPixels(kCellTwips) + 1;
        setFixedSize(side, side);

        // The outer border and the open centre, then the dividers between
        // neighbouring cells along each side.
        new ChartShape(this, QStringLiteral("shpBorder"), {0, 0, 4, 4}, false);
        new ChartShape(this, QStringLiteral("shpCentre"), {1, 1, 2, 2}, false);
        int n = 0;
        for (int i = 1; i <= 3; ++i) {
            const auto at = static_cast<qreal>(i);
            const std::array<QRectF, 4> dividers = {QRectF(at, 0, 0, 1), QRectF(at, 3, 0, 1),
                                                    QRectF(0, at, 1, 0), QRectF(3, at, 1, 0)};
            for (const QRectF& divider : dividers) {
                new ChartShape(this, QStringLiteral("shpHora_%1").arg(n++), divider, true);
            }
        }

        QFont numberFont = AppFont(7);
        QFont markerFont = AppFont(8.25, true);
        for (int s = 0; s < 12; ++s) {
            const QString sign = Text(kSignNames[s]);

            auto* number = NewLabel(this, QString::number(s + 1), QStringLiteral("Hno_%1").arg(s));
            number->setFont(numberFont);
            SetTextColor(number, kNumberColor);
            number->setAccessibleDescription(sign + QStringLiteral(" number"));
            numbers_[s] = number;

            auto* marker = new CaptionLabel(this);
            marker->setObjectName(QStringLiteral("lblArudha_%1").arg(s));
            marker->setText(QStringLiteral("A12"));
            marker->setFont(markerFont);
            marker->setAlignment(Qt::AlignRight | Qt::AlignTop);
            SetTextColor(marker, kTaglineColor);
            marker->setAccessibleDescription(sign + QStringLiteral(" markers"));
            markers_[s] = marker;

            auto* cell = new FitLabel(this);
            cell->setObjectName(Text(std::string_view(kSignCellNames[s])));
            cell->setAccessibleDescription(sign);
            cells_[s] = cell;
            cell->setFittedText(cell->objectName());
        }

        auto* label7 = NewLink(this, QStringLiteral("Label7"),
                               QStringLiteral("Click here to visit ") + HomePageDisplayText() +
                                   QStringLiteral(" and read more about your chart"));
        label7->setWordWrap(true);
        label7->setAlignment(Qt::AlignCenter);
        label7_ = label7;
        placeChildren();
    }

    // Shows the bodies and the markers of one sign, captions as calculated.
    // The markers stand in the top right corner; the bodies take the room
    // between them and the number.
    void setCell(int sign, const QString& bodies, const QString& markers) {
        markers_[sign]->setText(markers);
        placeCell(sign);
        cells_[sign]->setFittedText(bodies);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kPanelColor);
        const qreal cell = cellPx();
        painter.fillRect(QRectF(cell, cell, 2 * cell, 2 * cell), kBackgroundColor);
        QPen pen(kChartLineColor, 1);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.translate(0.5, 0.5);
        for (const QObject* child : children()) {
            if (const auto* shape = dynamic_cast<const ChartShape*>(child)) {
                shape->paint(painter, cell);
            }
        }
    }

private:
    int cellPx() const { return (width() - 1) / 4; }

    void placeChildren() {
        for (int s = 0; s < 12; ++s) {
            placeCell(s);
        }
        const int cell = cellPx();
        label7_->setGeometry(QRect(cell, cell, 2 * cell, 2 * cell).adjusted(12, 12, -12, -12));
    }

    void placeCell(int s) {
        const int cell = cellPx();
        const int pad = TwipsToPixels(60);
        const QRect box(kCellPlace[s][1] * cell, kCellPlace[s][0] * cell, cell, cell);
        const QRect inner = box.adjusted(pad + 1, pad / 2 + 1, -pad, -pad / 2);

        QLabel* number = numbers_[s];
        const int numberWidth =
            QFontMetrics(number->font()).horizontalAdvance(QStringLiteral("12")) + pad;
        number->setGeometry(inner.x(), inner.y() + 2, numberWidth, inner.height());
        number->setAlignment(Qt::AlignLeft | Qt::AlignTop);

        CaptionLabel* marker = markers_[s];
        const QFontMetrics markerMetrics(marker->font());
        int markerWidth = 0;
        for (const QString& line : marker->visibleText().split(QLatin1Char('\n'))) {
            markerWidth = std::max(markerWidth, markerMetrics.horizontalAdvance(line));
        }
        if (markerWidth > 0) {
            markerWidth += pad;
        }
        marker->setGeometry(inner.right() + 1 - markerWidth, inner.y(), markerWidth,
                            inner.height());
        marker->setVisible(markerWidth > 0);

        cells_[s]->setGeometry(inner.x() + numberWidth, inner.y(),
                               inner.width() - numberWidth - markerWidth, inner.height());
    }

    std::array<QLabel*, 12> numbers_{};
    std::array<CaptionLabel*, 12> markers_{};
    std::array<FitLabel*, 12> cells_{};
    QLabel* label7_ = nullptr;
};

QString VisibleLines(const QString& caption) {
    QStringList visible;
    const QStringList lines = QString(caption)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            visible << line;
        }
    }
    return visible.join(QLatin1Char('\n'));
}

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QString CaptionLabel::visibleText() const {
    return VisibleLines(text());
}

QSize CaptionLabel::sizeHint() const {
    const QString lines = visibleText();
    if (lines.isEmpty()) {
        return {0, 0};
    }
    const QMargins margins = contentsMargins();
    return QFontMetrics(font()).size(0, lines).grownBy(margins);
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), visibleText());
}

FitLabel::FitLabel(QWidget* parent) : CaptionLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(AppFont());
}

void FitLabel::setFittedText(const QString& text) {
    setText(text);
    fit();
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FitLabel::fit() {
    constexpr double kLargest = 8.25;
    constexpr double kSmallest = 6.5;
    QFont candidate = font();
    const QRect room = contentsRect();
    for (double size = kLargest; size >= kSmallest; size -= 0.25) {
        candidate.setPointSizeF(size);
        const QRect needed =
            QFontMetrics(candidate).boundingRect(room, Qt::AlignLeft | Qt::AlignTop, visibleText());
        if (needed.height() <= room.height() && needed.width() <= room.width()) {
            break;
        }
    }
    if (candidate.pointSizeF() != font().pointSizeF()) {
        setFont(candidate);
    }
}

FrmDisplay::FrmDisplay(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(kWindowCaption);
    ApplyAppStyle(this);
    setFixedSize(TwipsSize(kFormWidthTwips, kFormHeightTwips));

    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    SSTab1_->addTab(buildChartTab(), QStringLiteral("Torvi Lagna - Chart"));
    SSTab1_->addTab(buildDetailsTab(), QStringLiteral("Torvi Lagna Details"));

    SSTab1_->setDocumentMode(true);
    SSTab1_->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(224, 224, 224); color: black; padding: 4px 14px;"
        " border: 1px solid rgb(120, 140, 125); border-bottom: none; margin-right: 2px; }"
        "QTabBar::tab:selected { background: rgb(34, 60, 41); color: white; font-weight: bold; }"));

    auto* layout = new QHBoxLayout(this);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(180));
    layout->addWidget(SSTab1_, 1);
    layout->addWidget(buildSignificance());
}

QWidget* FrmDisplay::buildChartTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabChart"));
    page->setAutoFillBackground(true);

    // Your Details.
    QGroupBox* fraDetails =
        NewGroup(page, QStringLiteral("fraDetails"), QStringLiteral("Your Details"));
    auto* details = new QGridLayout(fraDetails);
    details->setVerticalSpacing(TwipsToPixels(75));
    QLabel* lblName = NewValue(fraDetails, QStringLiteral("lblName"), QStringLiteral("Name"));
    lblName->setText(QStringLiteral("LblName"));
    SetTextColor(lblName, kTaglineColor);
    details->addWidget(lblName, 0, 0, 1, 2);
    const std::array<std::pair<const char*, const char*>, 7> detailRows = {{
        {"Date of Birth", "lblDOB"},
        {"Time of Birth", "lblTOB"},
        {"Latitude", "lblLatitude"},
        {"Longitude", "lblLongitude"},
        {"City", "lblCity"},
        {"State", "lblState"},
        {"Country", "lblCountry"},
    }};
    int row = 1;
    for (const auto& [caption, name] : detailRows) {
        QLabel* label = NewLabel(fraDetails, QString::fromLatin1(caption) + QStringLiteral(" :"));
        Unbold(label);
        QLabel* value =
            NewValue(fraDetails, QString::fromLatin1(name), QString::fromLatin1(caption));
        Unbold(value);
        details->addWidget(label, row, 0, Qt::AlignTop);
        details->addWidget(value, row, 1, Qt::AlignTop);
        ++row;
    }
    details->setColumnStretch(1, 1);
    details->setRowStretch(row, 1);

    // Vedic Planetary Position.
    QGroupBox* fraWestern =
        NewGroup(page, QStringLiteral("fraWestern"), QStringLiteral("Vedic Planetary Position"));
    auto* planets = new QGridLayout(fraWestern);
    planets->setVerticalSpacing(TwipsToPixels(75));
    for (int i = 0; i < 10; ++i) {
        const QString caption = QString::fromLatin1(kPlanetCaptions[i]);
        QLabel* label = NewLabel(fraWestern, caption, QStringLiteral("PlanetName_%1").arg(i));
        Unbold(label);
        QLabel* value = NewValue(fraWestern, QStringLiteral("planet_%1").arg(i), caption);
        Unbold(value);
        value->setWordWrap(false);
        planets->addWidget(label, i, 0);
        planets->addWidget(value, i, 1);
    }
    planets->setColumnStretch(1, 1);
    planets->setRowStretch(10, 1);

    // The chart.
    auto* frame1 = new QFrame(page);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame1);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* fraBirthchart =
        NewGroup(frame1, QStringLiteral("fraBirthchart"), QStringLiteral("Hora"));
    auto* chartLayout = new QVBoxLayout(fraBirthchart);
    auto* square = new ChartSquare(fraBirthchart);
    square_ = square;
    chartLayout->addWidget(square, 0, Qt::AlignCenter);
    frameLayout->addWidget(fraBirthchart);

    auto* left = new QVBoxLayout;
    left->addWidget(fraDetails, 1);
    left->addWidget(fraWestern, 1);
    auto* layout = new QHBoxLayout(page);
    const int margin = TwipsToPixels(90);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(left, 1);
    layout->addWidget(frame1, 0, Qt::AlignTop);
    return page;
}

QWidget* FrmDisplay::buildDetailsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabDetails"));
    page->setAutoFillBackground(true);

    auto* frame4 = new QFrame(page);
    frame4->setObjectName(QStringLiteral("Frame4"));
    auto* attributes = new QGridLayout;
    attributes->setVerticalSpacing(TwipsToPixels(90));
    attributes->setHorizontalSpacing(TwipsToPixels(120));
    auto* predictions = new QVBoxLayout;
    predictions_ = predictions;
    predictions->setSpacing(TwipsToPixels(30));

    int row = 0;
    for (const AttributeControl& control : kAttributeControls) {
        const QString caption = Text(control.caption);
        const QString name = Text(control.objectName);
        if (control.isParagraph) {
            QLabel* label = NewLabel(frame4, caption + QStringLiteral(" :"));
            auto* box = new QPlainTextEdit(frame4);
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
            predictions->addWidget(label);
            predictions->addWidget(box, 1);
        } else {
            QLabel* label = NewLabel(frame4, caption + QStringLiteral(" :"));
            QLabel* value = NewValue(frame4, name, caption);
            attributes->addWidget(label, row, 0, Qt::AlignTop);
            attributes->addWidget(value, row, 1, Qt::AlignTop);
            ++row;
        }
    }
    attributes->setColumnStretch(1, 1);
    attributes->setRowStretch(row, 1);

    auto* frameLayout = new QHBoxLayout(frame4);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addLayout(attributes, 4);
    frameLayout->addSpacing(TwipsToPixels(180));
    frameLayout->addLayout(predictions, 5);

    auto* layout = new QVBoxLayout(page);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(frame4);
    return page;
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
    QFont italic = explanation->font();
    italic.setItalic(true);
    explanation->setFont(italic);

    QLabel* lblHoraDesc = NewValue(panel, QStringLiteral("lblHoraDesc"),
                                   QStringLiteral("Torvi Lagna Present In House Significance"));

    QLabel* slogan = NewLabel(panel,
                              QStringLiteral("Talk about your chart with fellow astrology lovers "
                                             "in our free web forum:"),
                              QStringLiteral("lblForumSlogan"));
    LinkLabel* label6 = NewLink(panel, QStringLiteral("Label6"), HomePageDisplayText());
    label6->setFont(AppFont(8.25, true));
    QFont underlined = label6->font();
    underlined.setUnderline(true);
    label6->setFont(underlined);

    panel->setFixedWidth(TwipsToPixels(kSignificanceTwips));
    for (QLabel* label : {heading, caption, explanation, lblHoraDesc, slogan}) {
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
    layout->addWidget(lblHoraDesc);
    layout->addStretch(1);
    layout->addWidget(slogan);
    layout->addWidget(label6);
    return panel;
}

void FrmDisplay::showResult(const ChartResult& result) {
    const ResultFormTexts& form = result.form;
    auto set = [this](const QString& name, const std::string& text) {
        if (auto* label = findChild<QLabel*>(name)) {
            label->setText(Text(text));
        }
    };
    set(QStringLiteral("lblName"), form.lblName);
    set(QStringLiteral("lblDOB"), form.lblDOB);
    set(QStringLiteral("lblTOB"), form.lblTOB);
    set(QStringLiteral("lblLatitude"), form.lblLatitude);
    set(QStringLiteral("lblLongitude"), form.lblLongitude);
    set(QStringLiteral("lblCity"), form.lblCity);
    set(QStringLiteral("lblState"), form.lblState);
    set(QStringLiteral("lblCountry"), form.lblCountry);
    for (int i = 0; i < 10; ++i) {
        set(QStringLiteral("planet_%1").arg(i), form.planet[i]);
    }
    for (int s = 0; s < 12; ++s) {
        square_->setCell(s, Text(form.signCells[s]), Text(form.lblArudha[s]));
    }
    set(QStringLiteral("lblHoraDesc"), form.lblHoraDesc);
    for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
        const QString name = Text(kAttributeControls[i].objectName);
        if (kAttributeControls[i].isParagraph) {
            if (auto* box = findChild<QPlainTextEdit*>(name)) {
                box->setPlainText(Text(form.attributes[i]));
                // Longer paragraphs get the taller boxes, so that most show
                // whole; the longest scroll where the room runs out.
                const int weight = static_cast<int>(form.attributes[i].size()) + 80;
                predictions_->setStretchFactor(box, weight);
            }
        } else {
            set(name, form.attributes[i]);
        }
    }
    SSTab1_->setCurrentIndex(0);
}

} // namespace selmarind
