// The Dasha tab of the result form: the nine Vimshottari periods from the
// birth in a tree (treDasha), each opening onto its nine sub-periods, with
// their start and end dates in the birth's UTC offset. The period and
// sub-period running now, and those running at the date the user picks
// (datDashaAt), are marked in bold and with words, and summed up in a
// sentence each.
#pragma once

#include "chart/chart_result.h"

#include <QDateTime>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QDateEdit;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace selmarind {

// "UTC+05:30", "UTC−03:00": a UTC offset in seconds (positive east),
// to the minute.
QString UtcOffsetLabel(std::int64_t utcOffsetSeconds);

class DashaTab : public QWidget {
    Q_OBJECT

public:
    explicit DashaTab(QWidget* parent = nullptr);

    // Shows the periods of `chart` (chart.dasha), their dates at the birth's
    // UTC offset (chart.utcOffsetSeconds).
    void showChart(const ChartValues& chart);

    // Where "now" comes from; the system clock unless replaced (tests).
    void setClock(std::function<QDateTime()> now);

    // The date in the picker; the marks follow it.
    void setChosenDate(const QDate& date);

    QTreeWidget* tree() const { return tree_; }

private:
    void markPeriods();
    // The instant of noon of `date` on the birth's clock.
    UtInstant noonOf(const QDate& date) const;
    // The date of `instant` on the birth's clock.
    QDate dateOf(UtInstant instant) const;
    QString runningSentence(UtInstant at) const;

    std::vector<DashaPeriod> periods_;
    bool shown_ = false;             // a chart was shown
    QDate markedToday_;              // the date of "today" the marks were made for
    std::int64_t offsetSeconds_ = 0; // the birth's clock less UT, positive east
    std::function<QDateTime()> now_;

    QLabel* nowSentence_ = nullptr;
    QDateEdit* chosenDate_ = nullptr;
    QLabel* chosenSentence_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace selmarind
