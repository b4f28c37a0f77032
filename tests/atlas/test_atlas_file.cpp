// Loading the atlas file: the committed file's form, and every way a file
// can be missing or damaged, which must give a fault and never a partly
// loaded atlas.
#include "atlas/atlas.h"

#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace selmarind;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Gzip(const std::string& text) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A small atlas in the layout of src/atlas/atlas_format.h: two places by
// id step (1277333, then 1277335), a place in a country's empty division,
// a former name, and the search texts of every name, alternates included.
const std::string kSmallAtlas = "# a comment\n"
                                "selmarind-atlas 2\n"
                                "zones\t2\n"
                                "Asia/Kolkata\n"
                                "Europe/London\n"
                                "countries\t2\n"
                                "GB\tBritain (UK)\t\n"
                                "IN\tIndia\t\n"
                                "divisions\t3\n"
                                "0\t\t\n"
                                "1\t\t\n"
                                "1\tKarnataka\t\n"
                                "places\t3\n"
                                "1277333\tBengaluru\t\t2\t1297194\t7759369\t8443675\t0\n"
                                "2\tBēngal Hamlet\tBengal Hamlet\t1\t-1297000\t-7760000\t12\t0\n"
                                "10\tLondon\t\t0\t5150853\t-12574\t8961989\t1\n"
                                "former\t1\n"
                                "Bangalore\t\t1277333\n"
                                "names\t6\n"
                                "bangalore\t0\t0\n"
                                "bengal hamlet\t1\t\n"
                                "bengaluru\t0\t\n"
                                "london\t2\t\n"
                                "londres\t2\ta\n"
                                "\u0CAC\u0CC6\u0C82\u0C97\u0CB3\u0CC2\u0CB0\u0CC1\t0\ta\n"
                                "end\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        qFatal("test text lacks \"%s\"", from.c_str());
    }
    return text.replace(at, from.size(), to);
}

} // namespace

class TestAtlasFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

    AtlasOrFault loadText(const std::string& text) const {
        const std::string file = path("atlas.tsv.gz");
        WriteBytes(file, Gzip(text));
        return LoadAtlas(file);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // The committed file is gzip with a fixed header (no time, no name) so
    // that regenerating it gives the same bytes, and says how it was made.
    void committedFileHasAFixedHeaderAndSaysHowItWasMade() {
        const std::string bytes = ReadBytes(SELMARIND_ATLAS_FILE);
        QVERIFY(bytes.size() > 18);
        QCOMPARE(static_cast<unsigned char>(bytes[0]), 0x1f);
        QCOMPARE(static_cast<unsigned char>(bytes[1]), 0x8b);
        QCOMPARE(static_cast<unsigned char>(bytes[3]), 0);   // flags: no name, comment or extra
        QCOMPARE(bytes.substr(4, 4), std::string(4, '\0'));  // modification time
        QCOMPARE(static_cast<unsigned char>(bytes[9]), 255); // operating system: unknown

        std::string text(64 * 1024, '\0');
        z_stream stream{};
        inflateInit2(&stream, 15 + 16);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream.avail_in = static_cast<uInt>(bytes.size());
        stream.next_out = reinterpret_cast<Bytef*>(text.data());
        stream.avail_out = static_cast<uInt>(text.size());
        inflate(&stream, Z_SYNC_FLUSH);
        text.resize(stream.total_out);
        inflateEnd(&stream);
        const std::string firstLine = text.substr(0, text.find('\n'));
        QVERIFY2(firstLine.starts_with("# Generated by tools/atlas_generator"), firstLine.c_str());
        QVERIFY2(firstLine.find("do not edit by hand") != std::string::npos, firstLine.c_str());
        QVERIFY(text.find(std::string(kAtlasAttribution)) != std::string::npos);
    }

    void committedFileLoadsWithinItsMemoryBudget() {
        const AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        QVERIFY2(loaded.atlas.has_value(), loaded.message.c_str());
        QCOMPARE(loaded.fault, AtlasFault::None);
        QVERIFY(loaded.message.empty());
        QVERIFY(loaded.atlas->PlaceCount() > 190000);
        QVERIFY(loaded.atlas->FormerNameCount() >= 16);
        QVERIFY2(loaded.atlas->MemoryBytes() < 40u << 20,
                 qPrintable(QString("%1 bytes").arg(loaded.atlas->MemoryBytes())));
    }

    void smallAtlasLoadsAndSearches() {
        const AtlasOrFault loaded = loadText(kSmallAtlas);
        QVERIFY2(loaded.atlas.has_value(), loaded.message.c_str());
        QCOMPARE(loaded.atlas->PlaceCount(), std::size_t{3});
        const std::vector<PlaceMatch> bengal = loaded.atlas->Search("beng");
        QCOMPARE(bengal.size(), std::size_t{2});
        QCOMPARE(bengal[1].geonameId, std::int64_t{1277335});
        QCOMPARE(bengal[1].name, std::string("Bēngal Hamlet"));
        QCOMPARE(bengal[1].division, std::string());
        QCOMPARE(bengal[1].country, std::string("India"));
        QCOMPARE(bengal[1].latitudeDeg, -12.97);
        QCOMPARE(bengal[1].longitudeDeg, -77.6);
        const std::vector<PlaceMatch> former = loaded.atlas->Search("bangalore");
        QCOMPARE(former.size(), std::size_t{1});
        QCOMPARE(former[0].formerName, std::string("Bangalore"));
        QCOMPARE(loaded.atlas->Search("london, uk").size(), std::size_t{1});
        // Alternate names match whole, or by their start, but not by a later
        // word; own names by any word.
        QCOMPARE(loaded.atlas->Search("Londres").at(0).geonameId, std::int64_t{1277345});
        QVERIFY(loaded.atlas->Search("Londres").at(0).exactMatch);
        QCOMPARE(loaded.atlas->Search("lond").size(), std::size_t{1});
        QVERIFY(!loaded.atlas->Search("lond").at(0).exactMatch);
        QCOMPARE(loaded.atlas->Search("hamlet").size(), std::size_t{1});
        const std::vector<PlaceMatch> kannada =
            loaded.atlas->Search("\u0CAC\u0CC6\u0C82\u0C97\u0CB3\u0CC2\u0CB0\u0CC1");
        QCOMPARE(kannada.size(), std::size_t{1});
        QCOMPARE(kannada[0].name, std::string("Bengaluru"));
        QVERIFY(kannada[0].exactMatch);
    }

    void missingOrUnreadableFile() {
        const AtlasOrFault missing = LoadAtlas(path("no-such-file.tsv.gz"));
        QVERIFY(!missing.atlas.has_value());
        QCOMPARE(missing.fault, AtlasFault::Missing);
        QVERIFY2(missing.message.find("no-such-file.tsv.gz") != std::string::npos &&
                     missing.message.find("not found") != std::string::npos,
                 missing.message.c_str());

        const AtlasOrFault folder = LoadAtlas(dir_.path().toStdString());
        QVERIFY(!folder.atlas.has_value());
        QCOMPARE(folder.fault, AtlasFault::Unreadable);
        QVERIFY(!folder.message.empty());
    }

    // A FIFO without a writer and a device are refused at once, naming what
    // they are. Should the FIFO's open wait, a writer comes after 5 s and
    // the time taken fails the test.
    void fifoAndDeviceAreNotOpened() {
        const std::string fifo = path("fifo.tsv.gz");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        std::atomic<bool> done{false};
        std::thread rescuer([&] {
            for (int i = 0; i < 50 && !done; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                ::close(fd);
            }
        });
        const auto start = std::chrono::steady_clock::now();
        const AtlasOrFault pipe = LoadAtlas(fifo);
        const auto waited = std::chrono::steady_clock::now() - start;
        done = true;
        rescuer.join();
        QVERIFY(waited < std::chrono::seconds(2));
        QCOMPARE(pipe.fault, AtlasFault::Unreadable);
        QVERIFY2(pipe.message.ends_with("is a named pipe (FIFO), not a file."),
                 pipe.message.c_str());

        const AtlasOrFault device = LoadAtlas("/dev/zero");
        QCOMPARE(device.fault, AtlasFault::Unreadable);
        QVERIFY2(device.message.ends_with("is a character device, not a file."),
                 device.message.c_str());
    }

    // Damage to the compressed file itself.
    void damagedCompressedFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const std::string good = Gzip(kSmallAtlas);
        auto bytes = [](const std::string& s) {
            return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
        };
        QTest::newRow("empty file") << QByteArray() << "ends early";
        QTest::newRow("plain text") << bytes(kSmallAtlas) << "damaged";
        QTest::newRow("cut in half") << bytes(good.substr(0, good.size() / 2)) << "ends early";
        QTest::newRow("trailer cut off") << bytes(good.substr(0, good.size() - 8)) << "ends early";
        std::string flipped = good;
        flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x10);
        // Whether zlib finds this in the data or in the checksum, it is damage.
        QTest::newRow("a flipped bit") << bytes(flipped) << "is damaged";
        std::string badCrc = good;
        badCrc[badCrc.size() - 8] = static_cast<char>(badCrc[badCrc.size() - 8] ^ 1);
        QTest::newRow("wrong checksum") << bytes(badCrc) << "damaged";
        QTest::newRow("bytes after the data") << bytes(good + "junk") << "after";
        QTest::newRow("two gzip members") << bytes(good + good) << "after";
    }

    void damagedCompressedFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const std::string file = path("damaged.tsv.gz");
        WriteBytes(file, bytes.toStdString());
        const AtlasOrFault loaded = LoadAtlas(file);
        QVERIFY(!loaded.atlas.has_value());
        QCOMPARE(loaded.fault, AtlasFault::Corrupt);
        QVERIFY2(loaded.message.find(file) != std::string::npos &&
                     QString::fromStdString(loaded.message).contains(reason),
                 loaded.message.c_str());
    }

    // Text that unpacks cleanly but does not follow the layout. Each row
    // changes one thing in the small atlas and names the line the fault is
    // reported on.
    void damagedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        auto row = [](const char* name, const std::string& text, const char* reason) {
            QTest::newRow(name) << QString::fromStdString(text) << reason;
        };
        row("empty text", "", "ends early");
        row("only comments", "# nothing\n", "line 1: the file ends early");
        row("another layout", Replace(kSmallAtlas, "selmarind-atlas 2", "selmarind-atlas 1"),
            "line 2: not an atlas file");
        row("sections out of order", Replace(kSmallAtlas, "zones\t2", "countries\t2"),
            "line 3: expected the \"zones\" section");
        row("count beyond the lines", Replace(kSmallAtlas, "places\t3", "places\t4"),
            "line 17: expected 8 tab-separated fields");
        row("count short of the lines", Replace(kSmallAtlas, "places\t3", "places\t2"),
            "line 16: expected 2 tab-separated fields");
        row("missing field", Replace(kSmallAtlas, "\t8961989\t1\n", "\t8961989\n"),
            "line 16: expected 8 tab-separated fields");
        row("extra field", Replace(kSmallAtlas, "\t8961989\t1\n", "\t8961989\t1\t1\n"),
            "line 16: expected 8 tab-separated fields");
        row("zone beyond the table", Replace(kSmallAtlas, "\t8961989\t1\n", "\t8961989\t2\n"),
            "line 16: \"2\" is not a number from 0 to 1");
        row("division beyond the table", Replace(kSmallAtlas, "London\t\t0\t", "London\t\t3\t"),
            "line 16: \"3\" is not a number from 0 to 2");
        row("country beyond the table", Replace(kSmallAtlas, "1\tKarnataka", "2\tKarnataka"),
            "line 12: \"2\" is not a number from 0 to 1");
        row("latitude beyond the pole", Replace(kSmallAtlas, "5150853", "9000001"),
            "line 16: \"9000001\" is not a number from -9000000 to 9000000");
        row("longitude beyond the date line", Replace(kSmallAtlas, "-12574", "-18000001"),
            "line 16: \"-18000001\" is not a number");
        row("population not a number", Replace(kSmallAtlas, "8961989", "8,961,989"),
            "line 16: \"8,961,989\" is not a number");
        row("negative population", Replace(kSmallAtlas, "8961989", "-1"), "line 16");
        row("id steps backwards", Replace(kSmallAtlas, "2\tBēngal", "0\tBēngal"),
            "line 15: \"0\" is not a number from 1");
        row("ids beyond 32 bits",
            Replace(kSmallAtlas, "1277333\tBengaluru", "4294967296\tBengaluru"), "line 14");
        row("empty name", Replace(kSmallAtlas, "\tLondon\t", "\t\t"), "line 16: empty name");
        row("ASCII name that is not ASCII",
            Replace(kSmallAtlas, "Bēngal Hamlet\tBengal Hamlet", "Bēngal Hamlet\tBēngal Hamlet"),
            "line 15: the ASCII name");
        row("accented name without an ASCII name",
            Replace(kSmallAtlas, "Bēngal Hamlet\tBengal Hamlet", "Bēngal Hamlet\t"),
            "line 15: the ASCII name");
        row("bad country code", Replace(kSmallAtlas, "GB\tBritain", "GBR\tBritain"),
            "line 7: expected a two-letter country code");
        row("former name of no place",
            Replace(kSmallAtlas, "Bangalore\t\t1277333", "Bangalore\t\t1277334"),
            "line 18: no place has GeoNames id 1277334");
        row("no end", Replace(kSmallAtlas, "end\n", ""), "line 25: the file ends early");
        row("lines after the end", kSmallAtlas + "more\n", "line 26: there are lines after");
        // The search relies on the order of the names.
        row("names out of order", Replace(kSmallAtlas, "londres\t2", "lodres\t2"),
            "line 24: the names are not in order");
        row("a name twice", Replace(kSmallAtlas, "londres\t2", "london\t2"),
            "line 24: the names are not in order");
        row("name of no place", Replace(kSmallAtlas, "londres\t2", "londres\t3"),
            "line 24: \"3\" is not a number from 0 to 2");
        row("former name of another place",
            Replace(kSmallAtlas, "bangalore\t0\t0", "bangalore\t1\t0"),
            "line 20: a former name given to another place");
        row("unknown kind of name", Replace(kSmallAtlas, "londres\t2\ta", "londres\t2\tb"),
            "line 24: \"b\" is not a number");
        row("name with a space at its end", Replace(kSmallAtlas, "bengal hamlet", "bengal hamlet "),
            "line 21: \"bengal hamlet \" is not a search text");
        row("last line without its end", kSmallAtlas.substr(0, kSmallAtlas.size() - 1),
            "the last line has no line end");
        row("places without zones",
            Replace(kSmallAtlas, "zones\t2\nAsia/Kolkata\nEurope/London\n", "zones\t0\n"),
            "places without zones");
    }

    void damagedText() {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        const AtlasOrFault loaded = loadText(text.toStdString());
        QVERIFY2(!loaded.atlas.has_value(), qPrintable(reason));
        QCOMPARE(loaded.fault, AtlasFault::Corrupt);
        QVERIFY2(QString::fromStdString(loaded.message).contains(reason),
                 qPrintable("expected \"" + reason +
                            "\" in: " + QString::fromStdString(loaded.message)));
    }
};

QTEST_APPLESS_MAIN(TestAtlasFile)
#include "test_atlas_file.moc"
