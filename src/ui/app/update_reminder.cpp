#include "ui/app/update_reminder.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/replaceable_service.h"
#include "ui/widgets/web_links.h"

#include <QSettings>

namespace selmarind {

namespace {

ReplaceableService<std::function<QDate()>>& Clock() {
    static ReplaceableService<std::function<QDate()>> clock(&QDate::currentDate);
    return clock;
}

// Two dates at least this many days apart, in either direction, bring up
// the reminder.
constexpr qint64 kReminderDays = 15;

} // namespace

QDate ReminderToday() {
    return Clock().get()();
}

void SetReminderClock(std::function<QDate()> today) {
    Clock().replace(FunctionReplacement(std::move(today)));
}

void UpdateReminder() {
    QSettings settings(kApplicationTitle, kApplicationTitle);
    const QDate today = ReminderToday();
    const QString stored = settings.value(kLastReminderDateKey).toString();
    if (stored.isEmpty()) {
        settings.setValue(kLastReminderDateKey, today.toString(Qt::ISODate));
        return;
    }
    const QDate last = QDate::fromString(stored, Qt::ISODate);
    if (!last.isValid()) {
        return;
    }
    const qint64 days = today.daysTo(last);
    if (days > -kReminderDays && days < kReminderDays) {
        return;
    }
    const DialogAnswer answer = Dialogs().askYesNo(
        nullptr,
        QStringLiteral("There maybe an update to this software available") + QLatin1Char('\r') +
            QStringLiteral("Do you want to check for an update?"),
        DialogIcon::Information);
    settings.setValue(kLastReminderDateKey, today.toString(Qt::ISODate));
    settings.sync();
    if (answer == DialogAnswer::Yes) {
        OpenDownloadPage();
    }
}

} // namespace selmarind
