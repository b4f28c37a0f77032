#include "ui/windows/dasha_tab.h"

#include "chart/vimshottari.h"
#include "engine/name_tables.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/twips.h"
#include "ui/windows/result_form_parts.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <optional>
#include <utility>

namespace selmarind {

namespace {

UtInstant InstantOf(const QDateTime& instant) {
    return UtInstantOfUnixTime(instant.toSecsSinceEpoch());
}

const QString kRunningToday = QStringLiteral("(running today)");
const QString kAtChosenDate = QStringLiteral("(at chosen date)");

QString LordName(Body lord) {
    return Utf8Text(kBodyNames[Index(lord)]);
}

// Writes the item's marks and makes a marked item bold; `lord` is its text
// without marks.
void MarkItem(QTreeWidgetItem* item, const QString& lord, bool today, bool chosen) {
    QString text = lord;
    if (today) {
        text += QLatin1Char(' ') + kRunningToday;
    }
    if (chosen) {
        text += QLatin1Char(' ') + kAtChosenDate;
    }
    item->setText(0, text);
    for (int column = 0; column < item->columnCount(); ++column) {
        QFont font = item->font(column);
        font.setBold(today || chosen);
        item->setFont(column, font);
    }
}

} // namespace

QString UtcOffsetLabel(std::int64_t utcOffsetSeconds) {
    const std::int64_t magnitude = std::abs(utcOffsetSeconds);
    return QStringLiteral("UTC%1%2:%3")
        .arg(utcOffsetSeconds < 0 ? QChar(0x2212) : QChar(u'+'))
        .arg(magnitude / 3600, 2, 10, QChar(u'0'))
        .arg(magnitude / 60 % 60, 2, 10, QChar(u'0'));
}

DashaTab::DashaTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabDasha"));
    setAutoFillBackground(true);
    now_ = [] { return QDateTime::currentDateTimeUtc(); };

    QLabel* heading =
        NewLabel(this, QStringLiteral("Vimshottari Dasha"), QStringLiteral("lblDashaHeading"));
    heading->setFont(AppFont(9.75, true));
    SetTextColor(heading, kTaglineColor);

    nowSentence_ = NewLabel(this, {}, QStringLiteral("lblDashaToday"));
    nowSentence_->setTextFormat(Qt::PlainText);
    nowSentence_->setWordWrap(true);

    QLabel* dateCaption =
        NewLabel(this, QStringLiteral("Periods &at date:"), QStringLiteral("lblDashaAtCaption"));
    chosenDate_ = new QDateEdit(this);
    chosenDate_->setObjectName(QStringLiteral("datDashaAt"));
    chosenDate_->setCalendarPopup(true);
    chosenDate_->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    // Room for the longest date, "30 September 2026", beside the arrow.
    chosenDate_->setMinimumWidth(
        chosenDate_->fontMetrics().horizontalAdvance(QStringLiteral("30 September 20260")) +
        TwipsToPixels(500));
    chosenDate_->setAccessibleName(QStringLiteral("Periods at date"));
    chosenDate_->setToolTip(QStringLiteral("The periods running at noon of this date, in the "
                                           "birth's UTC offset, are marked \"(at chosen date)\""));
    dateCaption->setBuddy(chosenDate_);
    chosenSentence_ = NewLabel(this, {}, QStringLiteral("lblDashaAt"));
    chosenSentence_->setTextFormat(Qt::PlainText);
    chosenSentence_->setWordWrap(true);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("treDasha"));
    tree_->setColumnCount(3);
    tree_->setHeaderLabels(
        {QStringLiteral("Period"), QStringLiteral("Start"), QStringLiteral("End")});
    tree_->setAccessibleName(QStringLiteral("Vimshottari periods"));
    tree_->setAccessibleDescription(
        QStringLiteral("The nine periods from the birth; open one for its nine sub-periods"));
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(false);
    QPalette palette = tree_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(238, 244, 239));
    // Dark text on the light rows, the branch arrows included.
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::BrightText}) {
        palette.setColor(role, Qt::black);
    }
    tree_->setPalette(palette);

    note_ = NewLabel(this, {}, QStringLiteral("lblDashaNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    ChangeFont(note_, [](QFont& font) { font.setItalic(true); });
    SetTextColor(note_, kNumberColor);

    connect(chosenDate_, &QDateEdit::dateChanged, this, [this] { markPeriods(); });
    // "Today" moves on at midnight on the birth's clock while the window
    // stays open.
    auto* dayWatch = new QTimer(this);
    dayWatch->setInterval(60 * 1000);
    connect(dayWatch, &QTimer::timeout, this, [this] {
        if (shown_ && dateOf(InstantOf(now_())) != markedToday_) {
            markPeriods();
        }
    });
    dayWatch->start();

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateCaption);
    dateRow->addWidget(chosenDate_);
    dateRow->addWidget(chosenSentence_, 1);

    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(90));
    layout->addWidget(heading);
    layout->addWidget(nowSentence_);
    layout->addLayout(dateRow);
    layout->addWidget(tree_, 1);
    layout->addWidget(note_);
    setTabOrder(chosenDate_, tree_);
}

void DashaTab::setClock(std::function<QDateTime()> now) {
    now_ = std::move(now);
    markPeriods();
}

void DashaTab::setChosenDate(const QDate& date) {
    chosenDate_->setDate(date);
}

void DashaTab::showChart(const ChartValues& chart) {
    periods_ = chart.dasha;
    shown_ = true;
    offsetSeconds_ = chart.utcOffsetSeconds;

    tree_->clear();
    const auto dateText = [this](UtInstant instant) {
        return QString::fromStdString(DateTextAtOffset(instant, offsetSeconds_));
    };
    for (const DashaPeriod& period : periods_) {
        auto* item = new QTreeWidgetItem(tree_);
        item->setText(1, dateText(period.start));
        item->setText(2, dateText(period.end));
        for (const DashaPeriod& sub : period.sub) {
            auto* child = new QTreeWidgetItem(item);
            child->setText(1, dateText(sub.start));
            child->setText(2, dateText(sub.end));
        }
    }
    // The dates keep their room when a mark makes their row bold.
    QFont bold = tree_->font();
    bold.setBold(true);
    const int dateWidth =
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("00000-00-00")) + TwipsToPixels(240);
    tree_->setColumnWidth(1, dateWidth);
    tree_->setColumnWidth(2, dateWidth);

    if (!periods_.empty()) {
        const QSignalBlocker quiet(chosenDate_);
        // Only dates whose noon some period holds: the first period may
        // begin after noon of its day, and the last ends during its day.
        QDate first = dateOf(periods_.front().start);
        if (noonOf(first) < periods_.front().start) {
            first = first.addDays(1);
        }
        QDate last = dateOf(periods_.back().end);
        if (!(noonOf(last) < periods_.back().end)) {
            last = last.addDays(-1);
        }
        chosenDate_->setDateRange(first, last);
        chosenDate_->setDate(dateOf(InstantOf(now_())));
    }
    note_->setText(QStringLiteral("Dates are shown in the birth's UTC offset (%1). The periods "
                                  "count from the Moon's nakshatra at birth, a year being "
                                  "365.25 days.")
                       .arg(UtcOffsetLabel(offsetSeconds_)));
    note_->setAccessibleName(note_->text());
    markPeriods();
}

UtInstant DashaTab::noonOf(const QDate& date) const {
    const UtInstant start =
        StartOfDateAtOffset(CivilDate{date.year(), date.month(), date.day()}, offsetSeconds_);
    return {start.serialSeconds + 12 * 3600};
}

QDate DashaTab::dateOf(UtInstant instant) const {
    const CivilDateTime civil = AtUtcOffset(instant, offsetSeconds_);
    return QDate(civil.year, civil.month, civil.day);
}

QString DashaTab::runningSentence(UtInstant at) const {
    const std::optional<DashaPosition> running = RunningDasha(periods_, at);
    if (!running) {
        return QStringLiteral("no period of this chart (before the first or after the ninth)");
    }
    const DashaPeriod& period = periods_[running->period];
    return LordName(period.lord) + QStringLiteral(" period, ") +
           LordName(period.sub[running->sub].lord) + QStringLiteral(" sub-period");
}

void DashaTab::markPeriods() {
    if (!shown_) {
        return;
    }
    chosenDate_->setEnabled(!periods_.empty());
    if (periods_.empty()) {
        // Nothing of an earlier chart may stay on view.
        nowSentence_->setText(QStringLiteral("This chart has no periods."));
        nowSentence_->setAccessibleName(nowSentence_->text());
        chosenSentence_->clear();
        chosenSentence_->setAccessibleName({});
        return;
    }
    const UtInstant today = InstantOf(now_());
    markedToday_ = dateOf(today);
    const UtInstant chosen = noonOf(chosenDate_->date());
    const std::optional<DashaPosition> todayAt = RunningDasha(periods_, today);
    const std::optional<DashaPosition> chosenAt = RunningDasha(periods_, chosen);
    const auto is = [](const std::optional<DashaPosition>& at, std::size_t p) {
        return at && at->period == p;
    };
    for (std::size_t p = 0; p < periods_.size(); ++p) {
        const DashaPeriod& period = periods_[p];
        QTreeWidgetItem* item = tree_->topLevelItem(static_cast<int>(p));
        MarkItem(item, LordName(period.lord), is(todayAt, p), is(chosenAt, p));
        for (std::size_t s = 0; s < period.sub.size(); ++s) {
            MarkItem(item->child(static_cast<int>(s)),
                     LordName(period.lord) + QStringLiteral(" / ") + LordName(period.sub[s].lord),
                     is(todayAt, p) && todayAt->sub == s, is(chosenAt, p) && chosenAt->sub == s);
        }
        // A period holding a mark is opened, so that the marked sub-period
        // shows; those the user opened stay open.
        if (is(todayAt, p) || is(chosenAt, p)) {
            item->setExpanded(true);
        }
    }
    const QLocale english(QLocale::English);
    nowSentence_->setText(QStringLiteral("Running today (%1): %2.")
                              .arg(english.toString(dateOf(today), QStringLiteral("d MMMM yyyy")),
                                   runningSentence(today)));
    nowSentence_->setAccessibleName(nowSentence_->text());
    chosenSentence_->setText(
        QStringLiteral("At the chosen date: %1.").arg(runningSentence(chosen)));
    chosenSentence_->setAccessibleName(chosenSentence_->text());
}

} // namespace selmarind
