// The batch's thread pool: every line computed once and read back in input
// order whatever the threads' timing, and a refused line keeping its place.
#include "cli/chart_batch.h"
#include "cli/chart_tool.h"
#include "cli/line_pool.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <atomic>
#include <chrono>
#include <random>
#include <sstream>
#include <thread>

using namespace selmarind::cli;

class TestLinePool : public QObject {
    Q_OBJECT

private slots:
    // Windows of every size, one pool reused across them as a batch does;
    // each line sleeps a random while so the threads finish out of order.
    void everyLineOnceInItsPlace() {
        std::mt19937 random(22);
        for (const int jobs : {1, 2, 5}) {
            LinePool pool(jobs);
            for (const std::size_t count : {0, 1, 2, 3, 17, 64, 257, 2, 100}) {
                std::vector<std::atomic<int>> calls(count);
                std::vector<std::size_t> results(count, 0);
                std::vector<int> pauses(count);
                for (int& pause : pauses) {
                    pause = static_cast<int>(random() % 300);
                }
                pool.Run(count, [&](std::size_t i) {
                    std::this_thread::sleep_for(std::chrono::microseconds(pauses[i]));
                    results[i] = i * 7 + 1;
                    ++calls[i];
                });
                for (std::size_t i = 0; i < count; ++i) {
                    QVERIFY2(calls[i] == 1,
                             qPrintable(QString("jobs %1, window %2, line %3: %4 calls")
                                            .arg(jobs)
                                            .arg(count)
                                            .arg(i)
                                            .arg(calls[i].load())));
                    QCOMPARE(results[i], i * 7 + 1);
                }
            }
        }
    }

    // A batch of several windows on four threads: the output lines follow
    // the input lines, the refused one holds its error in its own place, the
    // lines after it are still computed, and the text is the one-thread text.
    void batchOrderAndOneRefusedLine() {
        std::string csv = "name,date,time,zone,lat,lon\n";
        const int lines = 300;
        const int refused = 177; // its CSV line number: header is line 1
        for (int i = 2; i < lines + 2; ++i) {
            const std::string month = i == refused ? "13" : std::to_string(1 + i % 12);
            csv += "A,19" + std::to_string(10 + i % 90) + "-" + month + "-0" +
                   std::to_string(1 + i % 9) + "," + std::to_string(i % 24) + ":0" +
                   std::to_string(i % 10) + "," + std::to_string(i % 71) + ",28N36,77E13\n";
        }
        std::string single;
        for (const int jobs : {4, 1}) {
            std::istringstream in(csv);
            std::ostringstream out;
            std::ostringstream err;
            QCOMPARE(RunBatch(in, "-", out, err, jobs), kExitInvalidInput);
            QVERIFY2(err.str().empty(), err.str().c_str());
            if (jobs == 1) {
                QCOMPARE(out.str(), single);
                break;
            }
            single = out.str();
            std::istringstream text(single);
            std::string row;
            int expected = 2;
            while (std::getline(text, row)) {
                const QJsonObject object =
                    QJsonDocument::fromJson(QByteArray::fromStdString(row)).object();
                QCOMPARE(object.value("line").toInt(), expected);
                QCOMPARE(object.contains("error"), expected == refused);
                if (expected != refused) {
                    QVERIFY(object.contains("chart"));
                }
                ++expected;
            }
            QCOMPARE(expected, lines + 2);
        }
    }
};

QTEST_APPLESS_MAIN(TestLinePool)
#include "test_line_pool.moc"
