// The random draw: numbers in [0, 1) from the seeded generator, and the
// replacement that tests use to fix a draw.
#include "ui/widgets/random_draw.h"

#include <QTest>

using namespace selmarind;

class TestRandomDraw : public QObject {
    Q_OBJECT

private slots:
    // Every draw lies in [0, 1) and the draws spread over the whole range:
    // each tenth of it is hit, and the mean is near one half.
    void drawsAreUniformInHalfOpenUnitInterval() {
        SeedRandomDraw();
        int tenths[10] = {};
        double sum = 0;
        const int count = 20000;
        for (int i = 0; i < count; ++i) {
            const double r = NextRandomDraw();
            QVERIFY2(r >= 0.0 && r < 1.0, qPrintable(QString::number(r, 'g', 17)));
            ++tenths[static_cast<int>(r * 10)];
            sum += r;
        }
        for (int hits : tenths) {
            QVERIFY(hits > count / 20);
        }
        QVERIFY(qAbs(sum / count - 0.5) < 0.02);
    }

    // A replaced source decides the draw; an empty one restores the generator.
    void replacedSourceDecidesTheDraw() {
        SetRandomDrawSource([] { return 0.25; });
        QCOMPARE(NextRandomDraw(), 0.25);
        QCOMPARE(NextRandomDraw(), 0.25);
        SetRandomDrawSource({});
        const double a = NextRandomDraw();
        const double b = NextRandomDraw();
        QVERIFY(a != b);
    }
};

QTEST_APPLESS_MAIN(TestRandomDraw)
#include "test_random_draw.moc"
