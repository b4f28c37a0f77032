// The data folder, the fallback and failure it leads to, and the library's
// per-thread state: results must not depend on which thread computes them,
// on what was computed before, or on folders set and set back.

#include "ephemeris/data_folder.h"
#include "ephemeris/precise_ascendant.h"
#include "ephemeris/precise_positions.h"
#include "ephemeris/sun_events.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace selmarind::ephemeris;

namespace {

const Place kNewDelhi{28.6, 77.2};

// Everything one chart asks of the source at one instant.
struct ChartValues {
    std::vector<BodyPosition> bodies;
    AngleResult ayanamsa;
    AngleResult ascendant;
    SunEventResult sunrise;
    SunEventResult sunset;

    // Exact equality: the same inputs must give the same bits.
    bool operator==(const ChartValues& other) const {
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            const BodyPosition& a = bodies[i];
            const BodyPosition& b = other.bodies[i];
            if (a.longitudeDeg != b.longitudeDeg || a.speedDegPerDay != b.speedDegPerDay ||
                a.source != b.source || a.error != b.error) {
                return false;
            }
        }
        return bodies.size() == other.bodies.size() && ayanamsa.degrees == other.ayanamsa.degrees &&
               ascendant.degrees == other.ascendant.degrees && sunrise.jdUt == other.sunrise.jdUt &&
               sunset.jdUt == other.sunset.jdUt && sunrise.source == other.sunrise.source &&
               sunrise.error == other.sunrise.error;
    }
};

ChartValues ComputeChart(double jdUt) {
    ChartValues v;
    for (Body body : kChartBodies) {
        v.bodies.push_back(SiderealPosition(body, jdUt));
    }
    v.ayanamsa = AyanamsaAt(jdUt);
    v.ascendant = SiderealAscendant(jdUt, kNewDelhi);
    const double midnight = std::floor(jdUt - 0.5) + 0.5 - kNewDelhi.longitudeDeg / 360.0;
    v.sunrise = SunEventBetween(midnight, midnight + 1, kNewDelhi, SunEvent::Rise,
                                SunHorizon::UpperLimbRefracted);
    v.sunset = SunEventBetween(midnight, midnight + 1, kNewDelhi, SunEvent::Set,
                               SunHorizon::CentreWithoutRefraction);
    return v;
}

QByteArray Describe(const ChartValues& v) {
    QString text;
    for (std::size_t i = 0; i < v.bodies.size(); ++i) {
        const BodyPosition& p = v.bodies[i];
        text += QString("%1 %2 %3 %4 '%5'; ")
                    .arg(QString::fromUtf8(BodyName(kChartBodies[i]).data()))
                    .arg(p.longitudeDeg, 0, 'f', 9)
                    .arg(p.speedDegPerDay, 0, 'f', 9)
                    .arg(QString::fromUtf8(SourceName(p.source).data()))
                    .arg(QString::fromStdString(p.error));
    }
    text += QString("ayanamsa %1; ascendant %2; sunrise %3 %4; sunset %5")
                .arg(v.ayanamsa.degrees, 0, 'f', 9)
                .arg(v.ascendant.degrees, 0, 'f', 9)
                .arg(v.sunrise.jdUt.value_or(0), 0, 'f', 9)
                .arg(QString::fromStdString(v.sunrise.error))
                .arg(v.sunset.jdUt.value_or(0), 0, 'f', 9);
    return text.toUtf8();
}

int OpenFileDescriptors() {
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size());
}

std::string DefaultFolder() {
    return std::string(DefaultDataFolder());
}

// A copy of the lunar file next to the planetary file cut to `bytes`.
void WriteDamagedFolder(const QString& folder, qint64 bytes) {
    const QString source = QString::fromStdString(DefaultFolder());
    QFile planets(source + "/sepl_18.se1");
    QVERIFY(planets.open(QIODevice::ReadOnly));
    QFile cut(folder + "/sepl_18.se1");
    QVERIFY(cut.open(QIODevice::WriteOnly));
    QCOMPARE(cut.write(planets.read(bytes)), bytes);
    QVERIFY(QFile::copy(source + "/semo_18.se1", folder + "/semo_18.se1"));
}

} // namespace

class TestEphemerisState : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qunsetenv("SE_EPHE_PATH"); }

    void cleanup() {
        qunsetenv("SE_EPHE_PATH");
        QCOMPARE(SetDataFolder(DefaultFolder()), std::string());
    }

    void refusedFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("empty: the library's own list, working directory first") << QString();
        QTest::newRow("colon: a list of two folders") << "/usr/share/libswe/ephe:/tmp";
        QTest::newRow("semicolon: a list of two folders") << "/tmp;/usr/share/libswe/ephe";
        QTest::newRow("243 characters: the library would drop it silently")
            << "/" + QString(242, 'a');
    }

    void refusedFolders() {
        QFETCH(QString, folder);
        const std::string before = DataFolder();
        const std::string error = SetDataFolder(folder.toStdString());
        QVERIFY2(!error.empty(), qPrintable(folder));
        QCOMPARE(DataFolder(), before);
        QCOMPARE(SiderealPosition(Body::Sun, 2451545.0).source, Source::Files);
    }

    // The longest folder the library takes is taken, and honoured: being
    // absent it gives the analytical fallback, not the library's default
    // list (which would find the files).
    void longestFolderIsHonoured() {
        const std::string folder = "/" + std::string(241, 'b');
        QCOMPARE(SetDataFolder(folder), std::string());
        QCOMPARE(DataFolder(), folder);
        QCOMPARE(EffectiveDataFolder(), folder);
        QCOMPARE(SiderealPosition(Body::Sun, 2451545.0).source, Source::Analytical);
    }

    // Without the files every body, the ayanamsa, the ascendant and the
    // Sun's events are still computed, by the analytical ephemeris, which is
    // reported; its positions agree with the files' to its own accuracy
    // (about 1" for the Sun and planets, a few for the Moon).
    void missingFilesFallBackToTheAnalyticalEphemeris_data() {
        QTest::addColumn<QStringList>("filesPresent");
        QTest::addColumn<bool>("planetaryAnalytical");
        QTest::addColumn<bool>("lunarAnalytical");
        QTest::newRow("folder missing") << QStringList{"(no folder)"} << true << true;
        QTest::newRow("folder empty") << QStringList{} << true << true;
        // The Moon's apparent place needs the Earth from the planetary file.
        QTest::newRow("lunar file only") << QStringList{"semo_18.se1"} << true << true;
        QTest::newRow("planetary file only") << QStringList{"sepl_18.se1"} << false << true;
    }

    void missingFilesFallBackToTheAnalyticalEphemeris() {
        QFETCH(QStringList, filesPresent);
        QFETCH(bool, planetaryAnalytical);
        QFETCH(bool, lunarAnalytical);
        const double jdUt = 2451545.0 + 123.4567;
        const ChartValues withFiles = ComputeChart(jdUt);

        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        QString folder = temporary.path() + "/ephe";
        if (filesPresent != QStringList{"(no folder)"}) {
            QVERIFY(QDir().mkpath(folder));
            for (const QString& file : filesPresent) {
                QVERIFY(QFile::copy(QString::fromStdString(DefaultFolder()) + "/" + file,
                                    folder + "/" + file));
            }
        }
        QCOMPARE(SetDataFolder(folder.toStdString()), std::string());
        const ChartValues fallback = ComputeChart(jdUt);
        for (std::size_t i = 0; i < kChartBodies.size(); ++i) {
            const Body body = kChartBodies[i];
            const BodyPosition& p = fallback.bodies[i];
            const bool lunar = body == Body::Moon || body == Body::MeanNode;
            const Source expected = (lunar ? lunarAnalytical : planetaryAnalytical)
                                        ? Source::Analytical
                                        : Source::Files;
            QVERIFY2(p.Ok() && p.source == expected, Describe(fallback));
            const double errorArcsec =
                std::fabs(
                    std::remainder(p.longitudeDeg - withFiles.bodies[i].longitudeDeg, 360.0)) *
                3600.0;
            QVERIFY2(errorArcsec < (body == Body::Moon ? 5.0 : 2.0),
                     Describe(fallback) + "\n" + Describe(withFiles));
        }
        QCOMPARE(fallback.ayanamsa.degrees, withFiles.ayanamsa.degrees);
        QCOMPARE(fallback.ascendant.degrees, withFiles.ascendant.degrees);
        const Source sunSource = planetaryAnalytical ? Source::Analytical : Source::Files;
        QVERIFY2(fallback.sunrise.Ok() && fallback.sunrise.source == sunSource &&
                     fallback.sunset.source == sunSource,
                 Describe(fallback));
        QVERIFY2(std::fabs(*fallback.sunrise.jdUt - *withFiles.sunrise.jdUt) < 1.0 / 86400,
                 Describe(fallback) + "\n" + Describe(withFiles));
    }

    // A damaged data file is an error with the library's message, never a
    // quiet fallback; setting a sound folder again recovers the very same
    // results as before.
    void damagedFileIsAnError_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("empty file") << qint64(0);
        QTest::newRow("header only, 300 bytes") << qint64(300);
        QTest::newRow("cut at 100000 of 484055 bytes") << qint64(100000);
    }

    void damagedFileIsAnError() {
        QFETCH(qint64, bytes);
        const double jdUt = 2451545.0;
        const ChartValues before = ComputeChart(jdUt);
        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        WriteDamagedFolder(temporary.path(), bytes);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(SetDataFolder(temporary.path().toStdString()), std::string());

        for (Body body : {Body::Sun, Body::Moon, Body::Mercury, Body::Saturn, Body::MeanNode}) {
            const BodyPosition p = SiderealPosition(body, jdUt);
            QVERIFY2(!p.Ok() && p.error.find("damaged") != std::string::npos &&
                         p.error.find("sepl_18.se1") != std::string::npos && p.longitudeDeg == 0,
                     qPrintable(QString("%1: '%2'")
                                    .arg(QString::fromUtf8(BodyName(body).data()))
                                    .arg(QString::fromStdString(p.error))));
        }
        const SunEventResult rise = SunEventBetween(jdUt, jdUt + 1, kNewDelhi, SunEvent::Rise,
                                                    SunHorizon::UpperLimbRefracted);
        QVERIFY2(!rise.Ok() && !rise.jdUt && rise.error.find("damaged") != std::string::npos,
                 rise.error.c_str());
        // Formulas alone: unaffected.
        QVERIFY(AyanamsaAt(jdUt).Ok());
        QVERIFY(SiderealAscendant(jdUt, kNewDelhi).Ok());

        QCOMPARE(SetDataFolder(DefaultFolder()), std::string());
        const ChartValues after = ComputeChart(jdUt);
        QVERIFY2(after == before, Describe(after) + "\n" + Describe(before));
    }

    // SE_EPHE_PATH, read when a folder is applied, wins over the folder set.
    void environmentOverridesTheFolder() {
        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        const QString missing = temporary.path() + "/nothing";
        qputenv("SE_EPHE_PATH", missing.toUtf8());
        QCOMPARE(SetDataFolder(DefaultFolder()), std::string());
        QCOMPARE(EffectiveDataFolder(), missing.toStdString());
        QCOMPARE(DataFolder(), DefaultFolder());
        QCOMPARE(SiderealPosition(Body::Sun, 2451545.0).source, Source::Analytical);

        qunsetenv("SE_EPHE_PATH");
        QCOMPARE(SetDataFolder(DefaultFolder()), std::string());
        QCOMPARE(EffectiveDataFolder(), DefaultFolder());
        QCOMPARE(SiderealPosition(Body::Sun, 2451545.0).source, Source::Files);
    }

    // A thread starts with the library's defaults (another ayanamsa among
    // them); its results must still be the main thread's, bit for bit,
    // several threads at once included.
    void otherThreadsComputeTheSame() {
        std::vector<double> instants;
        for (int i = 0; i < 40; ++i) {
            instants.push_back(2415020.5 + i * 1187.37);
        }
        std::vector<ChartValues> expected;
        for (double jd : instants) {
            expected.push_back(ComputeChart(jd));
        }
        std::vector<std::future<std::vector<ChartValues>>> workers;
        for (int t = 0; t < 4; ++t) {
            workers.push_back(std::async(std::launch::async, [&instants, t] {
                std::vector<ChartValues> values;
                // Each thread takes the instants in another order.
                for (std::size_t i = 0; i < instants.size(); ++i) {
                    values.push_back(ComputeChart(instants[(i * (2 * t + 1)) % instants.size()]));
                }
                return values;
            }));
        }
        for (int t = 0; t < 4; ++t) {
            const std::vector<ChartValues> values = workers[t].get();
            for (std::size_t i = 0; i < instants.size(); ++i) {
                const ChartValues& want = expected[(i * (2 * t + 1)) % instants.size()];
                QVERIFY2(values[i] == want, Describe(values[i]) + "\n" + Describe(want));
            }
        }
    }

    // Calls in any order give the same results: the library's cache of the
    // last position of each body must never leak into the next call.
    void alternatingCallsGiveTheSameResults() {
        const double a = 2451545.0;
        const double b = 2469807.25;
        const ChartValues firstA = ComputeChart(a);
        const ChartValues firstB = ComputeChart(b);
        for (int round = 0; round < 3; ++round) {
            QVERIFY2(ComputeChart(a) == firstA, "A after B");
            QVERIFY2(ComputeChart(b) == firstB, "B after A");
        }
        // And across folder changes: files, none, files, none.
        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        QCOMPARE(SetDataFolder(temporary.path().toStdString()), std::string());
        const ChartValues analyticalA = ComputeChart(a);
        QCOMPARE(analyticalA.bodies[0].source, Source::Analytical);
        QCOMPARE(SetDataFolder(DefaultFolder()), std::string());
        QVERIFY2(ComputeChart(a) == firstA, "A with files again");
        QCOMPARE(SetDataFolder(temporary.path().toStdString()), std::string());
        QVERIFY2(ComputeChart(a) == analyticalA, "A without files again");
    }

    // A folder set on one thread reaches a thread that was already
    // configured, at its next call.
    void folderChangeReachesARunningThread() {
        std::promise<void> changed;
        std::promise<Source> firstSource;
        std::future<Source> first = firstSource.get_future();
        std::future<Source> second = std::async(std::launch::async, [&] {
            firstSource.set_value(SiderealPosition(Body::Sun, 2451545.0).source);
            changed.get_future().wait();
            return SiderealPosition(Body::Sun, 2451545.0).source;
        });
        QCOMPARE(first.get(), Source::Files);
        QTemporaryDir temporary;
        QVERIFY(temporary.isValid());
        QCOMPARE(SetDataFolder(temporary.path().toStdString()), std::string());
        changed.set_value();
        QCOMPARE(second.get(), Source::Analytical);
    }

    // Each thread opens the data files for itself; they are closed when the
    // thread ends, so a program that computes on short-lived threads does
    // not run out of file descriptors.
    void endedThreadsCloseTheirFiles() {
        if (!QDir("/proc/self/fd").exists()) {
            QSKIP("needs /proc/self/fd");
        }
        ComputeChart(2451545.0);
        const int before = OpenFileDescriptors();
        for (int i = 0; i < 20; ++i) {
            std::thread([] { ComputeChart(2451545.0 + 31.0); }).join();
        }
        const int after = OpenFileDescriptors();
        QVERIFY2(
            after <= before,
            qPrintable(QString("%1 descriptors open before, %2 after").arg(before).arg(after)));
    }
};

QTEST_APPLESS_MAIN(TestEphemerisState)
#include "test_ephemeris_state.moc"
