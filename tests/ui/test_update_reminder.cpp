// The fortnightly update reminder of start-up: when it asks, what it stores
// and what it leaves alone.
#include "ui/app/update_reminder.h"
#include "ui/widgets/web_links.h"
#include "window_test_support.h"

using namespace selmarind;
using namespace selmarind::test;

namespace {

const QDate kToday(2024, 3, 15);

QString Stored() {
    return QSettings(QStringLiteral("Selmarind"), QStringLiteral("Selmarind"))
        .value(kLastReminderDateKey)
        .toString();
}

void Store(const QString& value) {
    QSettings settings(QStringLiteral("Selmarind"), QStringLiteral("Selmarind"));
    settings.setValue(kLastReminderDateKey, value);
}

void Forget() {
    QSettings(QStringLiteral("Selmarind"), QStringLiteral("Selmarind"))
        .remove(kLastReminderDateKey);
}

} // namespace

class TestUpdateReminder : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;

private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        UsePrivateSettings(settingsDir_);
        SetReminderClock([] { return kToday; });
    }

    void cleanupTestCase() { SetReminderClock({}); }

    // The stored date, days from today: within 14 days on either side
    // nothing is shown; 15 or more days in the past or in the future (the
    // clock put back) ask once and store today, whatever the answer.
    void asksEveryFortnight_data() {
        QTest::addColumn<int>("daysFromToday");
        QTest::addColumn<bool>("asks");
        QTest::newRow("same day") << 0 << false;
        QTest::newRow("14 days ago") << -14 << false;
        QTest::newRow("15 days ago") << -15 << true;
        QTest::newRow("a year ago") << -365 << true;
        QTest::newRow("14 days ahead") << 14 << false;
        QTest::newRow("15 days ahead") << 15 << true;
    }
    void asksEveryFortnight() {
        QFETCH(int, daysFromToday);
        QFETCH(bool, asks);
        Recorders recorders;
        const QString stored = kToday.addDays(daysFromToday).toString(Qt::ISODate);
        Store(stored);
        UpdateReminder();
        if (!asks) {
            QVERIFY(recorders.dialogs().shown.empty());
            QCOMPARE(Stored(), stored);
            return;
        }
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});
        const RecordedDialog& dialog = recorders.dialogs().shown.front();
        QVERIFY(dialog.question);
        QCOMPARE(dialog.icon, DialogIcon::Information);
        QCOMPARE(dialog.text, QStringLiteral("There maybe an update to this software available\r"
                                             "Do you want to check for an update?"));
        QCOMPARE(Stored(), QStringLiteral("2024-03-15"));
        QVERIFY(recorders.links().opened.empty());
    }

    // The first start shows nothing and stores today; the next start the same
    // day shows nothing either.
    void firstStartOnlyStoresToday() {
        Recorders recorders;
        Forget();
        UpdateReminder();
        QVERIFY(recorders.dialogs().shown.empty());
        QCOMPARE(Stored(), QStringLiteral("2024-03-15"));
        Store(QString());
        UpdateReminder();
        QCOMPARE(Stored(), QStringLiteral("2024-03-15"));
        UpdateReminder();
        QVERIFY(recorders.dialogs().shown.empty());
    }

    // Answering No stores today, so the next start 14 days on stays quiet and
    // the one 15 days on asks again; Yes opens the download page.
    void answersNoAndYes() {
        Recorders recorders;
        Store(kToday.addDays(-30).toString(Qt::ISODate));
        recorders.dialogs().answers = {DialogAnswer::No};
        UpdateReminder();
        QCOMPARE(Stored(), QStringLiteral("2024-03-15"));
        QVERIFY(recorders.links().opened.empty());

        SetReminderClock([] { return kToday.addDays(14); });
        UpdateReminder();
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});

        SetReminderClock([] { return kToday.addDays(15); });
        recorders.dialogs().answers = {DialogAnswer::Yes};
        UpdateReminder();
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{2});
        QCOMPARE(Stored(), QStringLiteral("2024-03-30"));
        const std::vector<QUrl> expected = {WebPageAddress(WebPage::Download)};
        QCOMPARE(recorders.links().opened, expected);
        SetReminderClock([] { return kToday; });
    }

    // A stored value that is not a date skips the reminder and stays as it
    // was.
    void unreadableValueIsLeftAlone_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("words") << QStringLiteral("last Tuesday");
        QTest::newRow("day first") << QStringLiteral("15/03/2024");
        QTest::newRow("no such day") << QStringLiteral("2024-02-30");
    }
    void unreadableValueIsLeftAlone() {
        QFETCH(QString, value);
        Recorders recorders;
        Store(value);
        UpdateReminder();
        QVERIFY(recorders.dialogs().shown.empty());
        QCOMPARE(Stored(), value);
    }
};

SELMARIND_UI_TEST_MAIN(TestUpdateReminder)
#include "test_update_reminder.moc"
