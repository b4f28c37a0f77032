// Start-up: one running copy per user, a lock left by a crashed copy, and
// the order of the steps before the birth-data form appears.
#include "ui/app/start_up.h"
#include "ui/app/update_reminder.h"
#include "ui/windows/frm_main.h"
#include "window_test_support.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>

#include <atomic>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace selmarind;
using namespace selmarind::test;

namespace {

// Puts an environment variable back as it was, unset included.
void Restore(const char* name, const QByteArray& value) {
    if (value.isNull()) {
        qunsetenv(name);
    } else {
        qputenv(name, value);
    }
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString lockPath() const { return dir_.filePath(QStringLiteral("selmarind.lock")); }

    // Writes a lock file as a copy with process id `pid` would have left it.
    void writeLock(qint64 pid) const {
        QFile file(lockPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::number(pid) + "\nselmarind\n\n");
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        UsePrivateSettings(dir_);
        SetReminderClock([] { return QDate(2024, 3, 15); });
    }

    void cleanupTestCase() { SetReminderClock({}); }

    void init() { QFile::remove(lockPath()); }

    // While another copy holds the lock, start-up says "Application is
    // already running" with the information icon and shows no window.
    void secondCopyIsRefused() {
        Recorders recorders;
        QLockFile running(lockPath());
        QVERIFY(running.tryLock(0));
        const auto program = StartProgram(lockPath());
        QVERIFY(!program);
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});
        QCOMPARE(recorders.dialogs().shown[0].text,
                 QStringLiteral("Application is already running"));
        QCOMPARE(recorders.dialogs().shown[0].icon, DialogIcon::Information);
        QVERIFY(!recorders.dialogs().shown[0].question);
        Settle();
        QCOMPARE(VisibleWindowNames(), QStringList());
    }

    // A second start hands its command line to the running copy, which
    // brings its minimised birth-data form forward and passes the files on;
    // the second start shows no refusal. The second start runs on its own
    // thread, as it would in its own process, while this one serves it.
    void secondStartBringsTheRunningWindowForward() {
        Recorders recorders;
        auto program = StartProgram(lockPath());
        QVERIFY(program);
        QSignalSpy received(program->channel.get(), &InstanceChannel::filesReceived);
        program->frmMain->showMinimized();
        QTRY_VERIFY(program->frmMain->isMinimized());

        std::atomic<int> answered{-1};
        const QString socketPath = SingleInstanceLock::SocketPathFor(lockPath());
        std::thread second([&] {
            answered = InstanceChannel::SendToRunning(
                           socketPath, {QStringLiteral("/tmp/a b.selm"), QStringLiteral("ü.selm")})
                           ? 1
                           : 0;
        });
        QTRY_VERIFY(answered != -1);
        second.join();
        QCOMPARE(answered.load(), 1);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(),
                 QStringList({QStringLiteral("/tmp/a b.selm"), QStringLiteral("ü.selm")}));
        QTRY_VERIFY(!program->frmMain->isMinimized());
        QVERIFY(program->frmMain->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), program->frmMain.get());
        // The first file is opened in the running form: it does not exist,
        // which that form says; the second start's refusal is never shown.
        QCOMPARE(recorders.dialogs().shown.size(), 1);
        QVERIFY(recorders.dialogs().shown[0].text.contains(QStringLiteral("a b.selm")));
        QVERIFY(!recorders.dialogs().shown[0].text.contains(QStringLiteral("already running")));
        program.reset();
        Settle();
    }

    // A socket file left by a crashed copy answers nobody: with the lock
    // held by a copy that does not listen, the second start gives the
    // designed refusal instead of waiting or claiming success.
    void silentHolderGivesTheRefusal() {
        Recorders recorders;
        QLockFile running(lockPath());
        QVERIFY(running.tryLock(0));
        QFile stale(SingleInstanceLock::SocketPathFor(lockPath()));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(!InstanceChannel::SendToRunning(SingleInstanceLock::SocketPathFor(lockPath()), {},
                                                500));
        const auto program = StartProgram(lockPath());
        QVERIFY(!program);
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});
        QCOMPARE(recorders.dialogs().shown[0].text,
                 QStringLiteral("Application is already running"));
        QFile::remove(SingleInstanceLock::SocketPathFor(lockPath()));
    }

    // A lock left by a copy that crashed does not block the next start: the
    // birth-data form comes up and the lock is this copy's.
    void lockOfACrashedCopyIsTakenOver() {
        Recorders recorders;
        QProcess finished;
        finished.start(QStringLiteral("true"));
        QVERIFY(finished.waitForFinished());
        const qint64 deadPid = finished.processId() > 0 ? finished.processId() : 999999;
        writeLock(deadPid);

        auto program = StartProgram(lockPath());
        QVERIFY(program);
        QVERIFY(program->frmMain->isVisible());
        QVERIFY(recorders.dialogs().shown.empty());
        QFile file(lockPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
        program.reset();
        Settle();
    }

    // A lock and a listening socket that another user made first (here a
    // squatter in this process, the files given to uid 54321) are never
    // trusted: the command line is not sent to them, no refusal is shown,
    // and this start runs with a window of its own.
    void squattersSocketIsNotUsed() {
        if (::geteuid() != 0) {
            QSKIP("files of another user can be planted only as root");
        }
        Recorders recorders;
        constexpr uid_t kSquatter = 54321;
        QLockFile squattersLock(lockPath());
        QVERIFY(squattersLock.tryLock(0));
        const QString socketPath = SingleInstanceLock::SocketPathFor(lockPath());
        QLocalServer squatter;
        QLocalServer::removeServer(socketPath);
        QVERIFY(squatter.listen(socketPath));
        for (const QString& file : {lockPath(), socketPath}) {
            QCOMPARE(::lchown(QFile::encodeName(file).constData(), kSquatter, kSquatter), 0);
        }

        auto program = StartProgram(lockPath(), {QStringLiteral("/home/me/secret.selmarind")});
        QVERIFY(program);
        QVERIFY(program->frmMain->isVisible());
        QVERIFY(!squatter.hasPendingConnections());
        QVERIFY(recorders.dialogs().shown.empty());
        program.reset();
        squatter.close();
        Settle();
    }

    // The lock's name holds the display: two desktop sessions of one user
    // (DISPLAY :7 and :8) each get a window of their own.
    void twoDisplaysGetTwoWindows() {
        Recorders recorders;
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("runtime")));
        const QString folder = dir_.filePath(QStringLiteral("runtime"));
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DISPLAY", ":7");
        const QString first = SingleInstanceLock::DefaultLockPath();
        qputenv("DISPLAY", "host/../:8");
        const QString second = SingleInstanceLock::DefaultLockPath();
        const QString key = SingleInstanceLock::DisplayKey();
        Restore("XDG_RUNTIME_DIR", runtime);
        Restore("DISPLAY", display);
        Restore("WAYLAND_DISPLAY", wayland);

        QCOMPARE(first, QDir(folder).filePath(QStringLiteral("selmarind-_7.lock")));
        QCOMPARE(key, QStringLiteral("host_..__8"));
        QCOMPARE(second, QDir(folder).filePath(QStringLiteral("selmarind-host_..__8.lock")));
        auto one = StartProgram(first);
        auto two = StartProgram(second);
        QVERIFY(one && two);
        QVERIFY(one->frmMain->isVisible() && two->frmMain->isVisible());
        QVERIFY(recorders.dialogs().shown.empty());
        one.reset();
        two.reset();
        Settle();
    }

    // Without a usable runtime folder the lock goes to a folder of the
    // user's own in the temporary folder, made 0700. One that is not
    // private (another user's, or open to others) is not used: no lock,
    // and the program runs on its own.
    void privateFolderInTheTemporaryFolder() {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray temporary = qgetenv("TMPDIR");
        const QString shared = dir_.filePath(QStringLiteral("shared"));
        QVERIFY(QDir().mkpath(shared));
        QVERIFY(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
        const QString open = dir_.filePath(QStringLiteral("open-runtime"));
        QVERIFY(QDir().mkpath(open));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(open)); // 0755: not private
        qputenv("TMPDIR", QFile::encodeName(shared));
        const QString own = QDir(shared).filePath(QStringLiteral("selmarind-%1").arg(::geteuid()));
        const QString made = SingleInstanceLock::DefaultLockPath();
        struct stat info {};
        const bool madePrivate = ::lstat(QFile::encodeName(own).constData(), &info) == 0 &&
                                 (info.st_mode & 0777) == 0700;
        QVERIFY(QFile::setPermissions(own, QFileDevice::Permissions(0x7755)));
        const QString openToOthers = SingleInstanceLock::DefaultLockPath();
        QString others = QStringLiteral("(not run as root)");
        if (::geteuid() == 0) {
            QVERIFY(QFile::setPermissions(own, QFileDevice::Permissions(0x7700)));
            QCOMPARE(::chown(QFile::encodeName(own).constData(), 54321, 54321), 0);
            others = SingleInstanceLock::DefaultLockPath();
        }
        Restore("XDG_RUNTIME_DIR", runtime);
        Restore("TMPDIR", temporary);

        QVERIFY(made.startsWith(own + u'/'));
        QVERIFY(madePrivate);
        QCOMPARE(openToOthers, QString());
        if (::geteuid() == 0) {
            QCOMPARE(others, QString());
        }
        Recorders recorders;
        auto program = StartProgram(QString());
        QVERIFY(program && program->frmMain->isVisible() && !program->lock);
        program.reset();
        Settle();
    }

    // The update reminder asks before the birth-data form is on screen, and
    // the form comes up after it.
    void reminderComesBeforeTheForm() {
        Recorders recorders;
        QSettings(QStringLiteral("Selmarind"), QStringLiteral("Selmarind"))
            .setValue(kLastReminderDateKey, QStringLiteral("2024-01-01"));
        auto program = StartProgram(lockPath());
        QVERIFY(program);
        QCOMPARE(recorders.dialogs().shown.size(), std::size_t{1});
        QVERIFY(recorders.dialogs().shown[0].question);
        QCOMPARE(recorders.dialogs().shown[0].visibleWindows, QStringList());
        QVERIFY(program->frmMain->isVisible());
        program.reset();
        Settle();
    }
};

SELMARIND_UI_TEST_MAIN(TestStartUp)
#include "test_start_up.moc"
