// The atomic writer and the record file reader against real files. The
// tests run as root, which no permission bit stops, so each refusal is made
// in a child process in a way that binds root too: a folder without write
// permission after the child becomes "nobody"; a full disk and a read-only
// disk as a small tmpfs mounted in the child's own mount namespace, which
// nothing outside sees; a write refused half-way through the file-size
// limit (RLIMIT_FSIZE). A test the system does not allow is skipped with
// the reason.
#include "record_test_support.h"
#include "records/file_io.h"
#include "records/record_file.h"
#include "support/file_contents.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace selmarind;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(RecordFault)

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString SaveFault(const fs::path& path, const char* reason) {
    return QString("The file \"%1\" cannot be saved: %2.").arg(Text(path.string()), reason);
}

// Runs `body` in a child process and returns what it returned. Whatever the
// body changes in the process (limits, signals, mounts) ends with the child.
std::string InChild(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return "SKIP pipe failed";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string report = body();
        std::size_t done = 0;
        while (done < report.size()) {
            const ssize_t n = ::write(channel[1], report.data() + done, report.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
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
    return report;
}

// In the calling (child) process: a private tmpfs of `size` over `folder`.
// Empty when mounted; the reason when the system does not allow it.
std::string MountPrivateTmpfs(const fs::path& folder, const char* size) {
    if (::unshare(CLONE_NEWNS) != 0) {
        return std::string("SKIP no private mount namespace: ") + std::strerror(errno);
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("SKIP mounts cannot be made private: ") + std::strerror(errno);
    }
    const std::string options = std::string("size=") + size;
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return std::string("SKIP no tmpfs: ") + std::strerror(errno);
    }
    return {};
}

// The three lines a child reports: the writer's message, what the old file
// holds afterwards, and the folder's listing.
std::string Report(const std::optional<std::string>& message, const fs::path& file) {
    return message.value_or("(written)") + "\n" + Contents(file) + "\n" +
           Listing(file.parent_path());
}

} // namespace

class TestFileIo : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fs::path folder_;

    fs::path Path(const char* name) const { return folder_ / name; }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        folder_ = fs::path(dir_.path().toStdString());
        for (const auto& entry : fs::directory_iterator(folder_)) {
            fs::remove_all(entry.path());
        }
    }

    void writesANewFile() {
        const fs::path file = Path("birth.selmarind");
        const std::optional<std::string> fault = WriteFileAtomically(file, "new text\n");
        QVERIFY2(!fault, fault ? fault->c_str() : "");
        QCOMPARE(Text(Contents(file)), QString("new text\n"));
        QCOMPARE(Text(Listing(folder_)), QString("birth.selmarind"));
        // A new file gets 0666 less the umask, not the 0600 of a private
        // temporary file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        QCOMPARE(fs::status(file).permissions(), fs::perms(0666 & ~mask));
    }

    void replacesAFileKeepingItsPermissions() {
        const fs::path file = Path("birth.selmarind");
        Put(file, "old text, longer than the new one\n");
        fs::permissions(file, fs::perms(0640));
        const std::optional<std::string> fault = WriteFileAtomically(file, "new\n");
        QVERIFY2(!fault, fault ? fault->c_str() : "");
        QCOMPARE(Text(Contents(file)), QString("new\n"));
        QCOMPARE(fs::status(file).permissions(), fs::perms(0640));
        QCOMPARE(Text(Listing(folder_)), QString("birth.selmarind"));
    }

    void writesThroughASymbolicLink() {
        const fs::path target = Path("records") / "birth.selmarind";
        fs::create_directory(Path("records"));
        Put(target, "old\n");
        const fs::path link = Path("latest.selmarind");
        fs::create_symlink(target, link);
        const std::optional<std::string> fault = WriteFileAtomically(link, "new\n");
        QVERIFY2(!fault, fault ? fault->c_str() : "");
        QVERIFY(fs::is_symlink(link));
        QCOMPARE(Text(Contents(target)), QString("new\n"));
    }

    void refusesAMissingFolder() {
        const fs::path file = Path("missing") / "birth.selmarind";
        const std::optional<std::string> fault = WriteFileAtomically(file, "text\n");
        QVERIFY(fault);
        QCOMPARE(Text(*fault),
                 SaveFault(file, qPrintable("the folder \"" + Text(Path("missing").string()) +
                                            "\" does not exist")));
        QCOMPARE(Text(Listing(folder_)), QString());
    }

    void refusesAFolder() {
        const fs::path folder = Path("birth.selmarind");
        fs::create_directory(folder);
        const std::optional<std::string> fault = WriteFileAtomically(folder, "text\n");
        QVERIFY(fault);
        QCOMPARE(Text(*fault), SaveFault(folder, "it is a folder"));
        QVERIFY(fs::is_directory(folder));
        QCOMPARE(Text(Listing(folder_)), QString("birth.selmarind"));
    }

    // A pipe stands for every file that is not a regular one, /dev/full
    // among them: renaming over it would replace the device with a file.
    void refusesAPipe() {
        const fs::path pipe = Path("birth.selmarind");
        QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
        const std::optional<std::string> fault = WriteFileAtomically(pipe, "text\n");
        QVERIFY(fault);
        QCOMPARE(Text(*fault), SaveFault(pipe, "it is a named pipe (FIFO), not a file"));
        QVERIFY(fs::is_fifo(pipe));
        QCOMPARE(Text(Listing(folder_)), QString("birth.selmarind"));
    }

    // The write stops half-way: the old file stays whole and the part
    // written goes away.
    void keepsTheOldFileWhenAWriteFails() {
        const fs::path file = Path("birth.selmarind");
        Put(file, "old");
        const std::string report = InChild([&file] {
            std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return Report(WriteFileAtomically(file, std::string(5000, 'x')), file);
        });
        const QString expected =
            SaveFault(file, "the file would be larger than the system allows") +
            "\nold\nbirth.selmarind";
        QCOMPARE(Text(report), expected);
    }

    // Root writes anywhere: the child gives up root for the unprivileged
    // "nobody" before it tries.
    void keepsTheOldFileWithoutWritePermission() {
        const fs::path file = Path("birth.selmarind");
        Put(file, "old");
        fs::permissions(folder_, fs::perms(0555));
        const std::string report = InChild([&file] {
            constexpr uid_t kNobody = 65534;
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                return std::string("SKIP cannot become nobody: ") + std::strerror(errno);
            }
            return Report(WriteFileAtomically(file, "new\n"), file);
        });
        fs::permissions(folder_, fs::perms(0700));
        if (report.starts_with("SKIP")) {
            QSKIP(report.c_str());
        }
        const QString reason =
            "permission to write in the folder \"" + Text(folder_.string()) + "\" is denied";
        QCOMPARE(Text(report), SaveFault(file, qPrintable(reason)) + "\nold\nbirth.selmarind");
    }

    void keepsTheOldFileWhenTheDiskIsFull() {
        const fs::path file = Path("birth.selmarind");
        const std::string report = InChild([this, &file] {
            if (std::string skip = MountPrivateTmpfs(folder_, "64k"); !skip.empty()) {
                return skip;
            }
            Put(file, "old");
            // Fill the disk to its last byte.
            std::FILE* filler = std::fopen(Path("filler").c_str(), "wb");
            const std::string block(4096, 'f');
            while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
                   std::fflush(filler) == 0) {
            }
            std::fclose(filler);
            return Report(WriteFileAtomically(file, std::string(20000, 'x')), file);
        });
        if (report.starts_with("SKIP")) {
            QSKIP(report.c_str());
        }
        QCOMPARE(Text(report),
                 SaveFault(file, "the disk is full") + "\nold\nbirth.selmarind filler");
    }

    void keepsTheOldFileOnAReadOnlyDisk() {
        const fs::path file = Path("birth.selmarind");
        const std::string report = InChild([this, &file] {
            if (std::string skip = MountPrivateTmpfs(folder_, "64k"); !skip.empty()) {
                return skip;
            }
            Put(file, "old");
            if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
                return std::string("SKIP no read-only remount: ") + std::strerror(errno);
            }
            return Report(WriteFileAtomically(file, "new\n"), file);
        });
        if (report.starts_with("SKIP")) {
            QSKIP(report.c_str());
        }
        QCOMPARE(Text(report), SaveFault(file, "the disk is read-only") + "\nold\nbirth.selmarind");
    }

    void savedRecordOpensAgain() {
        const fs::path file = Path("ananya.selmarind");
        const std::string text = WriteBirthRecord(BengaluruContents());
        QVERIFY(!WriteFileAtomically(file, text));
        const RecordOrFault read = ReadBirthRecordFile(file);
        QVERIFY2(read.contents, read.message.c_str());
        const QString difference = ContentsDifference(*read.contents, BengaluruContents());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void recordFilesThatCannotBeRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<RecordFault>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.selmarind" << RecordFault::Unreadable
                                 << "cannot be read: it does not exist.";
        QTest::newRow("a folder") << "folder.selmarind" << RecordFault::Unreadable
                                  << "cannot be read: it is a folder.";
        QTest::newRow("2 MiB, mostly holes")
            << "huge.selmarind" << RecordFault::NotARecord
            << "This file is not a Selmarind birth record: it is larger than 1 MiB.";
        QTest::newRow("exactly 1 MiB of blanks")
            << "blanks.selmarind" << RecordFault::NotARecord
            << "This file is not a Selmarind birth record: it is empty.";
    }
    void recordFilesThatCannotBeRead() {
        QFETCH(QString, name);
        QFETCH(RecordFault, fault);
        QFETCH(QString, reason);
        fs::create_directory(Path("folder.selmarind"));
        Put(Path("huge.selmarind"), "{");
        fs::resize_file(Path("huge.selmarind"), 2 * 1024 * 1024);
        Put(Path("blanks.selmarind"), std::string(kBirthRecordMaxBytes, ' '));
        const fs::path file = folder_ / name.toStdString();
        const RecordOrFault read = ReadBirthRecordFile(file);
        QVERIFY(!read.contents);
        QCOMPARE(read.fault, fault);
        const QString message = Text(read.message);
        QVERIFY2(message.endsWith(reason), qPrintable(message));
        if (fault == RecordFault::Unreadable) {
            QVERIFY2(message.startsWith("The file \"" + Text(file.string()) + "\""),
                     qPrintable(message));
        }
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "test_file_io.moc"
