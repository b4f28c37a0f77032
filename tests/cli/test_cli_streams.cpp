// What selmarind-chart does with its streams and files: output that cannot
// be written, CSV quotes and long lines, files that are not regular files,
// echoed text and input beyond what the form's fields hold.
#include "cli/chart_tool.h"
#include "cli/csv_reader.h"
#include "cli/echo_text.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <random>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace selmarind::cli;

namespace {

const QString kTool = QStringLiteral(SELMARIND_CHART_TOOL);

struct ToolRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the built tool; `stdoutFile` set sends its standard output there.
ToolRun RunTool(const QStringList& args, const QByteArray& input = {},
                const QString& stdoutFile = {}) {
    QProcess process;
    if (!stdoutFile.isEmpty()) {
        process.setStandardOutputFile(stdoutFile);
    }
    process.start(kTool, args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-2, {}, QStringLiteral("the tool did not finish")};
    }
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

ToolRun RunLibrary(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunChartTool(args, in, out, err);
    return {status, QByteArray::fromStdString(out.str()), QString::fromStdString(err.str())};
}

const QStringList kBirth = {"--name", "Ravi", "--date", "1980-03-15", "--time", "01:00",
                            "--zone", "34",   "--lat",  "28N36",      "--lon",  "77E13"};
const std::string kHeader = "name,date,time,zone,lat,lon,city\n";
const std::string kGoodLine = "Ravi,1980-03-15,01:00,34,28N36,77E13,Delhi\n";

// The line numbers of the batch output with a chart, and those with an error.
struct BatchLines {
    std::set<int> charts;
    std::set<int> errors;
};

BatchLines LinesOf(const QByteArray& out) {
    BatchLines lines;
    for (const QByteArray& text : out.split('\n')) {
        if (text.isEmpty()) {
            continue;
        }
        const QJsonObject object = QJsonDocument::fromJson(text).object();
        (object.contains("error") ? lines.errors : lines.charts)
            .insert(object.value("line").toInt());
    }
    return lines;
}

// A stream of `count` zero bytes that holds none of them in memory.
class ZeroBytes : public std::streambuf {
public:
    explicit ZeroBytes(long long count, std::string tail) : left_(count), tail_(std::move(tail)) {}

protected:
    int_type underflow() override {
        if (left_ > 0) {
            const long long n = std::min<long long>(left_, static_cast<long long>(block_.size()));
            left_ -= n;
            setg(block_.data(), block_.data(), block_.data() + n);
            return 0;
        }
        if (!tailDone_) {
            tailDone_ = true;
            setg(tail_.data(), tail_.data(), tail_.data() + tail_.size());
            return tail_.empty() ? traits_type::eof() : traits_type::to_int_type(tail_[0]);
        }
        return traits_type::eof();
    }

private:
    long long left_;
    std::string tail_;
    bool tailDone_ = false;
    std::array<char, 1 << 16> block_{};
};

long MaxResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestCliStreams : public QObject {
    Q_OBJECT
private slots:
    // Every mode checks its output: a full device is status 1 with the
    // reason, not a silent loss.
    void outputToAFullDevice_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("report") << kBirth;
        QTest::newRow("json") << kBirth + QStringList{"--json"};
        QTest::newRow("batch") << QStringList{"--batch", "-"};
        QTest::newRow("find-place") << QStringList{"--find-place", "Delhi"};
        QTest::newRow("list-zones") << QStringList{"--list-zones"};
        QTest::newRow("help") << QStringList{"--help"};
    }
    void outputToAFullDevice() {
        QFETCH(QStringList, args);
        const ToolRun run = RunTool(args, QByteArray::fromStdString(kHeader + kGoodLine),
                                    QStringLiteral("/dev/full"));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QString("selmarind-chart: cannot write the output: No space left on "
                                  "device\n"));
    }

    // A closed standard output, and a folder as standard input.
    void standardStreamsThatFail() {
        QProcess process;
        process.start("sh", {"-c", "\"$0\" --list-zones >&-", kTool});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError(),
                 QByteArray("selmarind-chart: cannot write the output: Bad file descriptor\n"));
        process.start("sh", {"-c", "\"$0\" --batch - < /", kTool});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError(),
                 QByteArray("selmarind-chart: cannot read the batch: Is a directory\n"));
    }

    // A batch into a file system that fills up on the way: the tool stops
    // with status 1 at the first window it cannot write.
    void batchIntoAFullSmallFileSystem() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        std::string csv = kHeader;
        for (int i = 0; i < 300; ++i) {
            csv += kGoodLine;
        }
        QFile batch(dir.filePath("b.csv"));
        QVERIFY(batch.open(QIODevice::WriteOnly));
        batch.write(csv.data(), static_cast<qint64>(csv.size()));
        batch.close();
        QDir(dir.path()).mkdir("small");
        // A private mount namespace leaves nothing mounted behind.
        const QString script = "mount -t tmpfs -o size=64k tmpfs \"$1\" 2>/dev/null || exit 77; "
                               "\"$0\" --batch \"$2\" --jobs 1 > \"$1/out.jsonl\"; s=$?; "
                               "wc -c < \"$1/out.jsonl\" >&2; exit $s";
        QProcess process;
        process.start("unshare", {"-m", "sh", "-c", script, kTool, dir.filePath("small"),
                                  dir.filePath("b.csv")});
        if (!process.waitForStarted(5000) || !process.waitForFinished(60000) ||
            process.exitStatus() != QProcess::NormalExit || process.exitCode() == 77) {
            QSKIP("cannot mount a small tmpfs here (needs root and unshare -m); the full "
                  "device cases above still run");
        }
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(err.startsWith("selmarind-chart: cannot write the output: No space left on "
                                "device\n"),
                 qPrintable(err));
        // Output stopped near the limit, not after the whole batch.
        QVERIFY2(err.section('\n', 1, 1).toLong() <= 64 * 1024, qPrintable(err));
    }

    // A quote opens a quoted field only at the start of a field; a line that
    // leaves one open fails alone.
    void csvQuotes_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("fields"); // empty: the quote is left open
        QTest::newRow("inch mark")
            << QByteArray("5\" Main Street,x") << QStringList{"5\" Main Street", "x"};
        QTest::newRow("apostrophe typed as a quote")
            << QByteArray("O\"BRIEN,1") << QStringList{"O\"BRIEN", "1"};
        QTest::newRow("quoted comma and doubled quote")
            << QByteArray("\"a,\"\"b\"\"\",c") << QStringList{"a,\"b\"", "c"};
        QTest::newRow("text after the closing quote")
            << QByteArray("\"ab\"cd\"e,f") << QStringList{"abcd\"e", "f"};
        QTest::newRow("blank before a quote is text")
            << QByteArray("a, \"b\"") << QStringList{"a", " \"b\""};
        QTest::newRow("empty fields") << QByteArray(",\"\",") << QStringList{"", "", ""};
        QTest::newRow("open quote") << QByteArray("a,\"b,c") << QStringList{};
        QTest::newRow("CR LF") << QByteArray("a,b\r") << QStringList{"a", "b"};
    }
    void csvQuotes() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, fields);
        std::istringstream in(line.toStdString() + "\nnext,line\n");
        CsvReader reader(in);
        const auto first = reader.Next();
        QVERIFY(first);
        QCOMPARE(first->line, 1);
        QCOMPARE(first->unterminatedQuote, fields.isEmpty());
        QStringList got;
        for (const std::string& field : first->fields) {
            got << QString::fromStdString(field);
        }
        QCOMPARE(got, fields);
        const auto second = reader.Next();
        QVERIFY(second);
        QCOMPARE(second->line, 2);
        QCOMPARE(second->fields, (std::vector<std::string>{"next", "line"}));
        QVERIFY(!reader.Next());
    }

    // A line longer than 1 MiB fails alone, holding no more than 1 MiB; the
    // limit itself is a line like any other.
    void longLinesFailAloneInBoundedMemory() {
        std::string atLimit(kCsvMaxLineBytes, 'x');
        std::istringstream in(atLimit + "\r\n" + atLimit + "y\nlast\n");
        CsvReader reader(in);
        auto record = reader.Next();
        QVERIFY(record && !record->tooLong && record->fields.front().size() == kCsvMaxLineBytes);
        record = reader.Next();
        QVERIFY(record && record->tooLong && record->line == 2 && record->fields.empty());
        record = reader.Next();
        QVERIFY(record && record->line == 3 && record->fields.front() == "last");

        // 48 MiB of zero bytes without a line break, as /dev/zero gives.
        const long before = MaxResidentKb();
        ZeroBytes zeros(48LL << 20, "\nafter\n");
        std::istream stream(&zeros);
        CsvReader zeroReader(stream);
        record = zeroReader.Next();
        QVERIFY(record && record->tooLong);
        record = zeroReader.Next();
        QVERIFY(record && record->line == 2 && record->fields.front() == "after");
        QVERIFY2(MaxResidentKb() - before < 16 * 1024,
                 qPrintable(QString::number(MaxResidentKb() - before) + " KiB more"));

        // In a batch: the error names the line and the next line is charted.
        const ToolRun run =
            RunLibrary({"--batch", "-"},
                       kHeader + "A," + std::string(kCsvMaxLineBytes, 'x') + "\n" + kGoodLine);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out.left(run.out.indexOf('\n')),
                 QByteArray("{\"line\":2,\"error\":\"The line is longer than 1 MiB (1048576 "
                            "bytes)\"}"));
        QCOMPARE(LinesOf(run.out).charts, (std::set<int>{3}));
    }

    // One stray quote in a large batch costs that line alone.
    void strayQuoteInALargeBatch() {
        // The reader on 100,001 lines.
        std::string big = kHeader;
        for (int i = 0; i < 100'001; ++i) {
            big += i == 777 ? "O\"BRIEN,1980-03-15,01:00,34,28N36,77E13,x\n" : kGoodLine;
        }
        {
            std::istringstream in(big);
            CsvReader reader(in);
            int records = 0;
            while (const auto record = reader.Next()) {
                QVERIFY(!record->unterminatedQuote && record->fields.size() == 7);
                ++records;
            }
            QCOMPARE(records, 100'002);
        }
        // The tool on 2,001 of them: every chart but the name's error.
        std::string batch = kHeader;
        for (int i = 0; i < 2'001; ++i) {
            batch += i == 777 ? "O\"BRIEN,1980-03-15,01:00,34,28N36,77E13,x\n"
                              : "A,1980-03-15,01:00,34,28N36,77E13,5\" Main Street\n";
        }
        const ToolRun run =
            RunTool({"--batch", "-", "--jobs", "2"}, QByteArray::fromStdString(batch));
        QCOMPARE(run.status, 2);
        const BatchLines lines = LinesOf(run.out);
        QCOMPARE(lines.charts.size(), std::size_t{2'000});
        QCOMPARE(lines.errors, (std::set<int>{779}));
        QVERIFY(run.out.contains("{\"line\":779,\"error\":\"Please Enter only Letters\"}"));
    }

    // For files drawn from a fixed seed, mixing good lines with stray and
    // open quotes, long and short lines: every line that gives a chart on
    // its own still gives its chart in the file.
    void noGoodLineIsLost() {
        std::mt19937 random(20261209);
        const std::vector<std::string> pieces = {
            kGoodLine,
            "Anna,1990-07-15,12:00,29,51N30,0W7,\"London, UK\"\n",
            "\"Open,1980-03-15,01:00,34,28N36,77E13,x\n",
            "A,1980-03-15,01:00,34,28N36,77E13,\"unclosed\n",
            "B,1980-03-15,01:00,34,28N36,77E13,5\" Main Street\n",
            "C,1980-03-15,01:00,34,95N0,77E13,x\n",
            "D,1980-03-15,\"01:00\",34,28N36,77E13,\"a\"\"b\"\n",
            "\"\n",
            "\n",
            "E,1980-03-15,01:00,34,28N36,77E13,x\r\n",
            "F,1980-03-15,01:00,34,28N36,77E13,x,extra\n",
            "G\"H,1980-03-15,01:00,34,28N36,77E13,\"\"\n",
        };
        for (int file = 0; file < 40; ++file) {
            std::string csv = kHeader;
            std::vector<std::string> lines;
            const int count = 2 + static_cast<int>(random() % 12);
            for (int i = 0; i < count; ++i) {
                std::string line = pieces[random() % pieces.size()];
                if (random() % 8 == 0) {
                    line.insert(random() % line.size(), "\"");
                }
                lines.push_back(line);
                csv += line;
            }
            const BatchLines whole = LinesOf(RunLibrary({"--batch", "-", "--jobs", "1"}, csv).out);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const BatchLines alone =
                    LinesOf(RunLibrary({"--batch", "-", "--jobs", "1"}, kHeader + lines[i]).out);
                if (alone.charts.count(2) != 0) {
                    const int lineNumber = static_cast<int>(i) + 2;
                    QVERIFY2(whole.charts.count(lineNumber) != 0,
                             qPrintable(QString("file %1, line %2 lost: %3")
                                            .arg(file)
                                            .arg(lineNumber)
                                            .arg(QString::fromStdString(csv))));
                }
            }
        }
    }

    // Anything but a regular file is refused at once, naming what it is.
    void filesThatAreNotRegularFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        const QString fifoPath = dir.filePath("fifo");
        // A bound socket: opening it fails (ENXIO), which must not stand for
        // what it is.
        const QString socketPath = dir.filePath("socket");
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketName = QFile::encodeName(socketPath);
        QVERIFY(static_cast<std::size_t>(socketName.size()) < sizeof address.sun_path);
        std::memcpy(address.sun_path, socketName.constData(), socketName.size());
        QCOMPARE(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        struct Case {
            QStringList args;
            QString message;
        };
        const QList<Case> cases = {
            {{"--batch", fifoPath}, "cannot read " + fifoPath + ": it is a FIFO (named pipe)"},
            {{"--record", fifoPath}, "cannot read " + fifoPath + ": it is a FIFO (named pipe)"},
            {{"--batch", dir.path()}, "cannot read " + dir.path() + ": it is a folder"},
            {{"--record", dir.path()}, "cannot read " + dir.path() + ": it is a folder"},
            {{"--batch", "/dev/zero"}, "cannot read /dev/zero: it is a device"},
            {{"--batch", socketPath}, "cannot read " + socketPath + ": it is a socket"},
            {{"--batch", dir.filePath("none.csv")},
             "cannot read " + dir.filePath("none.csv") + ": No such file or directory"},
            // A regular file whose read fails: the reason is said once.
            {{"--record", "/proc/self/mem"}, "cannot read /proc/self/mem: Input/output error"},
        };
        for (const Case& c : cases) {
            const ToolRun run = RunTool(c.args);
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err, "selmarind-chart: " + c.message + "\n");
            QVERIFY(run.out.isEmpty());
        }
        ::close(listener);
    }

    void echoedText() {
        QCOMPARE(QString::fromStdString(EchoText("a\x1b[31mb\tc\x7f")),
                 QString("a\\x1b[31mb\\x09c\\x7f"));
        // C1 controls as UTF-8, a stray byte, and text kept as it stands.
        QCOMPARE(QString::fromStdString(EchoText("\xc2\x9b"
                                                 "1m\xff São")),
                 QString::fromUtf8("\\u009b1m\\xff São"));
        // Cut after 200 characters, not bytes.
        std::string long_;
        for (int i = 0; i < 300; ++i) {
            long_ += "é";
        }
        const QString cut = QString::fromStdString(EchoText(long_));
        QCOMPARE(cut.size(), 203);
        QVERIFY(cut.endsWith("é..."));

        ToolRun run = RunTool({"--find-place", "\x1b[31mZzqx"});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith("No place of the atlas matches \"\\x1b[31mZzqx\""),
                 qPrintable(run.err));
        run = RunTool({"--batch", QString::fromUtf8("/nonexistent/\x1b]0;x\x07")});
        QCOMPARE(run.err, QString("selmarind-chart: cannot read /nonexistent/\\x1b]0;x\\x07: No "
                                  "such file or directory\n"));
        run = RunTool({"--\x1b[2J"});
        QVERIFY(run.err.startsWith("selmarind-chart: unknown option --\\x1b[2J\n"));
        run = RunTool(kBirth.mid(0, 6) +
                      QStringList{"--lat", "1N1", "--lon", "1E1", "--tz", "\x1b[2J"});
        QCOMPARE(run.err, QString("The time zone \"\\x1b[2J\" is not known.\n"));
    }

    // Texts the form's fields could not hold are refused here too.
    void inputBeyondTheFormsFields() {
        const QString full(32767, QChar(0xE9)); // é: one UTF-16 unit each
        const QString outsideBmp = QString::fromUtf8("\xF0\x9F\x98\x80"); // two units
        ToolRun run = RunTool(kBirth + QStringList{"--city", full, "--json"});
        QCOMPARE(run.status, 0);
        run = RunTool(kBirth + QStringList{"--city", full.left(32766) + outsideBmp});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, QString("The city is longer than the form's field holds (32767 "
                                  "characters).\n"));
        run = RunTool(kBirth + QStringList{"--country", full + "x"});
        QVERIFY(run.err.startsWith("The country is longer"));
        run = RunTool(kBirth + QStringList{"--name", QString(32768, 'A')});
        QVERIFY(run.err.startsWith("The name is longer"));
        run = RunTool({"--find-place", QString(32768, 'a')});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith("The place is longer"));

        // Bytes that are not UTF-8: a query cut inside a character.
        run = RunLibrary({"--find-place", "Delh\xc3"}, "");
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, QString("The place is not UTF-8 text.\n"));
        run = RunLibrary({"--batch", "-"}, "name,date,time,place\n"
                                           "A,1980-03-15,01:00,Delh\xc3\n");
        QCOMPARE(run.out, QByteArray("{\"line\":2,\"error\":\"The place is not UTF-8 text.\"}\n"));
        run = RunLibrary({"--batch", "-"}, kHeader + "A,1980-03-15,01:00,34,28N36,77E13,\xff\n");
        QCOMPARE(run.out, QByteArray("{\"line\":2,\"error\":\"The city is not UTF-8 text.\"}\n"));
    }

    void noArgumentsPrintsTheUsage() {
        const ToolRun run = RunTool({});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("Usage:\n  selmarind-chart --name NAME"), qPrintable(run.err));
        QVERIFY(run.err.endsWith("Try 'selmarind-chart --help'.\n"));
    }

    // A batch line's message names its columns, not the options.
    void batchMessagesNameTheColumns() {
        const ToolRun run =
            RunLibrary({"--batch", "-"}, "name,date,time,lat,lon,tz,dst\n"
                                         "A,2021-03-14,02:30,40N43,74W0,America/New_York,0\n"
                                         "A,2021-01-15,12:00,40N43,74W0,America/New_York,1\n");
        const QList<QByteArray> lines = run.out.split('\n');
        QVERIFY2(lines[0].contains("give utc-offset with one of them or dst for the"),
                 lines[0].constData());
        QVERIFY2(lines[1].contains("; leave out dst\"}"), lines[1].constData());
        QVERIFY(!run.out.contains("--"));
    }
};

QTEST_APPLESS_MAIN(TestCliStreams)
#include "test_cli_streams.moc"
