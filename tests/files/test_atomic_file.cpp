// The files layer against the kernel: links planted by another user in a
// shared sticky folder, owners and modes of replaced files, saves killed at
// random moments, and FIFOs, sockets and devices that must never be opened.
// The tests that need a second user run as root and make one (useradd, or a
// spare uid where useradd is missing); elsewhere they skip and say so.
#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "support/file_contents.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace selmarind;
namespace fs = std::filesystem;

namespace {

// A user other than root for the files it plants: made with useradd once.
// Empty with the reason when there can be none.
struct OtherUser {
    uid_t uid = 0;
    gid_t gid = 0;
    std::string skip;
};

OtherUser TheOtherUser() {
    OtherUser other;
    if (::geteuid() != 0) {
        other.skip = "files of another user can be planted only as root";
        return other;
    }
    constexpr const char* kName = "selmarind-other";
    if (!::getpwnam(kName)) {
        const std::string command =
            std::string("useradd --system --no-create-home --shell /usr/sbin/nologin ") + kName +
            " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            other.skip = "useradd could not make a second user";
            return other;
        }
    }
    const passwd* entry = ::getpwnam(kName);
    if (!entry) {
        other.skip = "the second user made by useradd is not found";
        return other;
    }
    other.uid = entry->pw_uid;
    other.gid = entry->pw_gid;
    return other;
}

// Runs `body` in a child that is killed after 10 s: a read that waits for
// ever fails the test instead of hanging it. The child's report, or
// "(hung)".
std::string InChildWithin10s(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return "(no pipe)";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(10);
        const std::string report = body();
        const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0) {
        report.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "(hung)" : report;
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    fs::path root_;

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        root_ = fs::path(dir_.path().toStdString());
        for (const auto& entry : fs::directory_iterator(root_)) {
            fs::remove_all(entry.path());
        }
        // The folders of the tests are reached by the second user too.
        fs::permissions(root_, fs::perms(0755));
    }

    // The kernel's protected_symlinks rule, kept by the writer itself: in a
    // sticky world-writable folder a link is followed only when this user
    // or the folder's owner made it.
    void linkRule_data() {
        QTest::addColumn<QString>("folderMode");
        QTest::addColumn<bool>("folderIsTheirs");
        QTest::addColumn<bool>("chained");
        QTest::addColumn<bool>("followed");
        QTest::newRow("their link, sticky 1777 folder") << "1777" << false << false << false;
        QTest::newRow("my link to it, then theirs") << "1777" << false << true << false;
        QTest::newRow("their link, 0777 folder without the sticky bit")
            << "0777" << false << false << true;
        QTest::newRow("their link in their own sticky folder") << "1777" << true << false << true;
    }
    void linkRule() {
        QFETCH(QString, folderMode);
        QFETCH(bool, folderIsTheirs);
        QFETCH(bool, chained);
        QFETCH(bool, followed);
        const OtherUser other = TheOtherUser();
        if (!other.skip.empty()) {
            QSKIP(other.skip.c_str());
        }
        const fs::path shared = root_ / "shared";
        fs::create_directory(shared);
        fs::permissions(shared, fs::perms(folderMode.toUInt(nullptr, 8)));
        if (folderIsTheirs) {
            QCOMPARE(::chown(shared.c_str(), other.uid, other.gid), 0);
        }
        const fs::path victim = root_ / "victim.selmarind";
        Put(victim, "victim\n");
        const fs::path planted = shared / "out.selmarind";
        fs::create_symlink(victim, planted);
        QCOMPARE(::lchown(planted.c_str(), other.uid, other.gid), 0);
        fs::path saved = planted;
        if (chained) {
            saved = root_ / "mine.selmarind";
            fs::create_symlink(planted, saved);
        }

        const std::optional<std::string> message = WriteFileAtomically(saved, "new\n");
        if (followed) {
            QVERIFY2(!message, message ? message->c_str() : "");
            QCOMPARE(QString::fromStdString(Contents(victim)), QString("new\n"));
        } else {
            QVERIFY(message);
            QCOMPARE(QString::fromStdString(*message),
                     QString("The file \"%1\" cannot be saved: it is a symbolic link that "
                             "another user made in the shared folder \"%2\", which is not "
                             "followed.")
                         .arg(QString::fromStdString(saved.string()),
                              QString::fromStdString(shared.string())));
            QCOMPARE(QString::fromStdString(Contents(victim)), QString("victim\n"));
        }
        QVERIFY(fs::is_symlink(planted));
        QCOMPARE(QString::fromStdString(Listing(shared)), QString("out.selmarind"));

        // Where the kernel enforces the rule, it is the reference: a plain
        // open for writing (a shell's redirect) follows the same links.
        std::ifstream setting("/proc/sys/fs/protected_symlinks");
        int enforced = 0;
        if (!(setting >> enforced) || enforced != 1) {
            qInfo("fs.protected_symlinks is not 1 here: the kernel's own verdict is not compared");
            return;
        }
        const int fd = ::open(saved.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        QCOMPARE(fd >= 0, followed);
        if (!followed) {
            QCOMPARE(error, EACCES);
        }
    }

    // Names at the length limit, not ASCII, in both kinds of temporary: the
    // temporary's name is shortened, the target keeps its own.
    void longNonAsciiName_data() {
        QTest::addColumn<bool>("anonymous");
        QTest::newRow("O_TMPFILE") << true;
        QTest::newRow("named temporary") << false;
    }
    void longNonAsciiName() {
        QFETCH(bool, anonymous);
        std::string name;
        while (name.size() < 240) {
            name += "\u0bb5\u0bc0"; // 3 bytes each
        }
        name += ".selmarind"; // 252 bytes
        const fs::path file = root_ / name;
        for (const char* text : {"first\n", "second\n"}) {
            const std::optional<SaveFailure> failure =
                ReplaceFileAtomically(file, text, SaveOptions{anonymous});
            QVERIFY2(!failure, failure ? failure->reason.c_str() : "");
            QCOMPARE(QString::fromStdString(Contents(file)), QString(text));
        }
        QCOMPARE(QString::fromStdString(Listing(root_)), QString::fromStdString(name));
    }

    // The same rule for a planted link to a folder on the way to the file.
    void linkRuleOnTheWay() {
        const OtherUser other = TheOtherUser();
        if (!other.skip.empty()) {
            QSKIP(other.skip.c_str());
        }
        const fs::path shared = root_ / "shared";
        fs::create_directory(shared);
        fs::permissions(shared, fs::perms(01777));
        fs::create_directory(root_ / "victims");
        Put(root_ / "victims" / "out.selmarind", "victim\n");
        const fs::path planted = shared / "records";
        fs::create_directory_symlink(root_ / "victims", planted);
        QCOMPARE(::lchown(planted.c_str(), other.uid, other.gid), 0);
        fs::create_directory_symlink(planted, root_ / "mine");

        for (const fs::path& saved : {planted / "out.selmarind", root_ / "mine" / "out.selmarind",
                                      root_ / "mine" / "new.selmarind"}) {
            const std::optional<std::string> message = WriteFileAtomically(saved, "new\n");
            QVERIFY2(message && message->ends_with(": a part of its path, \"" + planted.string() +
                                                   "\", is a symbolic link that another user "
                                                   "made in the shared folder \"" +
                                                   shared.string() + "\", which is not followed."),
                     message ? message->c_str() : saved.c_str());
        }
        QCOMPARE(QString::fromStdString(Listing(root_ / "victims")), QString("out.selmarind"));
        QCOMPARE(QString::fromStdString(Contents(root_ / "victims" / "out.selmarind")),
                 QString("victim\n"));
    }

    // A replaced file stays its owner's, with its group and mode, whichever
    // temporary the writer uses.
    void keepsOwnerGroupAndMode_data() {
        QTest::addColumn<bool>("anonymous");
        QTest::newRow("O_TMPFILE") << true;
        QTest::newRow("named temporary") << false;
    }
    void keepsOwnerGroupAndMode() {
        QFETCH(bool, anonymous);
        const OtherUser other = TheOtherUser();
        if (!other.skip.empty()) {
            QSKIP(other.skip.c_str());
        }
        const fs::path file = root_ / "theirs.selmarind";
        Put(file, "old\n");
        QCOMPARE(::chown(file.c_str(), other.uid, other.gid), 0);
        QCOMPARE(::chmod(file.c_str(), 0640), 0);
        QVERIFY(!ReplaceFileAtomically(file, "new\n", SaveOptions{anonymous}));
        struct stat info {};
        QCOMPARE(::lstat(file.c_str(), &info), 0);
        QCOMPARE(info.st_uid, other.uid);
        QCOMPARE(info.st_gid, other.gid);
        QCOMPARE(info.st_mode & 07777, mode_t{0640});
        QCOMPARE(QString::fromStdString(Contents(file)), QString("new\n"));
        QCOMPARE(QString::fromStdString(Listing(root_)), QString("theirs.selmarind"));
    }

    // 300 saves of a large file, each in a child killed at a random moment
    // (fixed seed), half of them with a named temporary: the target always
    // holds one whole version, and after the next save nothing else is left
    // in the folder.
    void interruptedSavesLeaveNothing() {
        const fs::path file = root_ / "large.selmarind";
        std::vector<std::string> versions;
        for (char c = 'a'; c <= 'z'; ++c) {
            versions.push_back(std::string(1 << 20, c) + std::to_string(versions.size()));
        }
        QVERIFY(!WriteFileAtomically(file, versions[0]));
        std::size_t current = 0;

        // Kill times spread over about twice a whole save.
        const auto start = std::chrono::steady_clock::now();
        QVERIFY(!WriteFileAtomically(file, versions[0]));
        const auto saveUs = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
        std::mt19937 random(20261209);
        std::uniform_int_distribution<long> delayUs(0, std::max<long>(2 * saveUs, 200));
        int killed = 0;
        for (int round = 0; round < 300; ++round) {
            const std::size_t next =
                (current + 1 + static_cast<std::size_t>(round % 7)) % versions.size();
            const bool anonymous = round % 2 == 0;
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                const bool failed =
                    ReplaceFileAtomically(file, versions[next], SaveOptions{anonymous}).has_value();
                ::_exit(failed ? 1 : 0);
            }
            ::usleep(static_cast<useconds_t>(delayUs(random)));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            killed += WIFSIGNALED(status) ? 1 : 0;
            QVERIFY(!WIFEXITED(status) || WEXITSTATUS(status) == 0);
            const std::string now = Contents(file);
            if (now == versions[next]) {
                current = next;
            } else {
                QVERIFY2(now == versions[current],
                         qPrintable(QString("round %1: the target holds %2 bytes of neither "
                                            "version")
                                        .arg(round)
                                        .arg(now.size())));
            }
        }
        QVERIFY2(killed >= 30, qPrintable(QString("only %1 saves were killed").arg(killed)));
        QVERIFY(!WriteFileAtomically(file, versions[1]));
        QCOMPARE(QString::fromStdString(Listing(root_)), QString("large.selmarind"));
        QCOMPARE(QString::fromStdString(Contents(file)), QString::fromStdString(versions[1]));
    }

    // A temporary of a process that still runs, or of another user, is not
    // touched.
    void keepsTemporariesOfOthers() {
        const fs::path file = root_ / "a.selmarind";
        const std::string live = "." + file.filename().string() + std::string(kTemporaryMarker) +
                                 std::to_string(::getppid()) + ".0123456789abcdef";
        const std::string foreign = "x" + live;
        Put(root_ / live, "live");
        Put(root_ / foreign, "foreign");
        QVERIFY(!WriteFileAtomically(file, "text"));
        QVERIFY(fs::exists(root_ / live));
        QVERIFY(fs::exists(root_ / foreign));
    }

    // Nothing that is not a regular file is opened: a FIFO without a writer
    // (which would block for ever), a socket, a device, a link to a FIFO. A
    // reader that hangs is killed after 10 s and fails.
    void readsOnlyRegularFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo.selmarind"
                              << "it is a named pipe (FIFO), not a file";
        QTest::newRow("link to a FIFO") << "link.selmarind"
                                        << "it is a named pipe (FIFO), not a file";
        QTest::newRow("socket") << "socket.selmarind"
                                << "it is a socket, not a file";
        QTest::newRow("device") << "/dev/zero"
                                << "it is a character device, not a file";
        QTest::newRow("folder") << "folder.selmarind"
                                << "it is a folder";
        QTest::newRow("missing") << "missing.selmarind"
                                 << "it does not exist";
    }
    void readsOnlyRegularFiles() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QCOMPARE(::mkfifo((root_ / "fifo.selmarind").c_str(), 0600), 0);
        fs::create_symlink(root_ / "fifo.selmarind", root_ / "link.selmarind");
        fs::create_directory(root_ / "folder.selmarind");
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string socketPath = (root_ / "socket.selmarind").string();
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        QCOMPARE(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

        const fs::path path = root_ / name.toStdString();
        const std::string report =
            InChildWithin10s([&path] { return ReadFileAtMost(path, 1 << 20).message; });
        ::close(listener);
        QCOMPARE(QString::fromStdString(report),
                 QString("The file \"%1\" cannot be read: %2.")
                     .arg(QString::fromStdString(path.string()), reason));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomic_file.moc"
