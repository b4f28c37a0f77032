// The update reminder of start-up: about once a fortnight, offer to look
// for a newer version of the program.
#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace selmarind {

// Key of the date of the last reminder (or of the first start) in the
// program's settings, stored as ISO 8601 text ("2024-03-15").
inline constexpr QLatin1StringView kLastReminderDateKey{"LastReminderDate"};

// Today's date on the local clock, unless a test set another clock.
QDate ReminderToday();

// Replaces the clock of the reminder (tests); an empty function restores
// the system clock.
void SetReminderClock(std::function<QDate()> today);

// The start-up step. On the first start it only stores today's date. When
// the stored date lies 15 or more days before or after today, it asks
// whether to check for an update, stores today's date whatever the answer
// and opens the download page on Yes. A stored value that is not a date is
// left alone and nothing is shown.
void UpdateReminder();

} // namespace selmarind
