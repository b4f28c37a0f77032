// The replaceable service under the message boxes, the link opener, the
// random draw and the reminder's clock: which one answers, who owns a
// replacement, and that the real one keeps its state across a replacement.
#include "ui/widgets/replaceable_service.h"

#include <QTest>

using namespace selmarind;

namespace {

class Counter {
public:
    virtual ~Counter() = default;
    virtual int next() = 0;
};

class RealCounter final : public Counter {
public:
    explicit RealCounter(int start) : value_(start) {}
    int next() override { return value_++; }

private:
    int value_;
};

// Counts its live copies, so that the test sees when the service lets one go.
class FixedCounter final : public Counter {
public:
    static inline int alive = 0;
    explicit FixedCounter(int value) : value_(value) { ++alive; }
    ~FixedCounter() override { --alive; }
    FixedCounter(const FixedCounter&) = delete;
    FixedCounter& operator=(const FixedCounter&) = delete;
    int next() override { return value_; }

private:
    int value_;
};

} // namespace

class TestReplaceableService : public QObject {
    Q_OBJECT

private slots:
    // The real service answers until a replacement is installed, and again
    // after nullptr; its count goes on where it stopped. A replacement lives
    // exactly as long as it is installed.
    void realReplacedAndRestored() {
        ReplaceableService<Counter, RealCounter> service(10);
        QCOMPARE(service.get().next(), 10);
        QCOMPARE(service.get().next(), 11);

        service.replace(std::make_unique<FixedCounter>(-1));
        QCOMPARE(FixedCounter::alive, 1);
        QCOMPARE(service.get().next(), -1);
        QCOMPARE(service.get().next(), -1);

        service.replace(std::make_unique<FixedCounter>(-2));
        QCOMPARE(FixedCounter::alive, 1);
        QCOMPARE(service.get().next(), -2);

        service.replace(nullptr);
        QCOMPARE(FixedCounter::alive, 0);
        QCOMPARE(service.get().next(), 12);
    }

    // A function service: a function replaces the real one, an empty
    // function restores it.
    void functionReplacedAndRestored() {
        int realCalls = 0;
        ReplaceableService<std::function<int()>> service([&realCalls] { return ++realCalls; });
        QCOMPARE(service.get()(), 1);
        service.replace(FunctionReplacement(std::function<int()>([] { return 42; })));
        QCOMPARE(service.get()(), 42);
        service.replace(FunctionReplacement(std::function<int()>()));
        QCOMPARE(service.get()(), 2);
        QCOMPARE(realCalls, 2);
    }
};

QTEST_APPLESS_MAIN(TestReplaceableService)
#include "test_replaceable_service.moc"
