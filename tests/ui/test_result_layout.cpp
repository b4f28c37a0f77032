// The result window on small and scaled screens: the Chart Details tab fits
// the form with no scroll bar of its own and its rows packed, and every
// designed control of the result form can be scrolled into view through the
// frame's one scroll area. Run by CTest on a 1366 × 768 screen, on 1024 × 600,
// and on 1600 × 1000 at scale 1.5 and 2 (SELMARIND_TEST_SCREEN,
// QT_SCALE_FACTOR).
#include "window_test_support.h"

#include "chart/chart_driver.h"
#include "screenshots/sample_chart.h"
#include "support/sample_entries.h"
#include "ui/app/mdi.h"
#include "ui/widgets/twips.h"
#include "ui/windows/frm_display.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

using namespace selmarind;
using namespace selmarind::test;

Q_DECLARE_METATYPE(selmarind::BirthEntries)

namespace {

QString Describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect RectIn(const QWidget* widget, const QWidget* ancestor) {
    return {widget->mapTo(ancestor, QPoint()), widget->size()};
}

} // namespace

class TestResultLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(QGuiApplication::primaryScreen());
        qInfo("screen %s at scale %s",
              qPrintable(Describe(QGuiApplication::primaryScreen()->geometry())),
              qgetenv("QT_SCALE_FACTOR").constData());
    }

    void chartDetailsFitTheTab_data() {
        QTest::addColumn<BirthEntries>("entries");
        QTest::addColumn<bool>("precise");
        QTest::newRow("sample, classic") << SampleBirthEntries() << false;
        // The most rows: the sunrise convention, and the longest values.
        QTest::newRow("polar night, precise")
            << FormEntries(1991, 11, 20, 12, 0, 0, "89", "59", false, "0", "0", true, 29) << true;
    }
    void chartDetailsFitTheTab() {
        QFETCH(BirthEntries, entries);
        QFETCH(bool, precise);
        ChartOptions options;
        if (precise) {
            options.positions = PositionSource::Precise;
        }
        const auto result = CalculateChart(entries, options);
        QVERIFY(result);
        Mdi frame;
        frame.display()->showResult(*result, entries);
        frame.showMaximized();
        frame.display()->tabs()->setCurrentIndex(2);
        Settle();

        QWidget* page = frame.display()->findChild<QWidget*>(QStringLiteral("tabChartDetails"));
        QVERIFY(page && page->isVisible());
        QVERIFY(page->findChildren<QAbstractScrollArea*>().isEmpty());
        QVERIFY(page->findChildren<QScrollBar*>().isEmpty());

        const QList<QGroupBox*> groups = page->findChildren<QGroupBox*>();
        QCOMPARE(groups.size(), 6);
        const QRect pageRect = page->rect();
        int rows = 0;
        for (QGroupBox* group : groups) {
            const QRect box = RectIn(group, page);
            QVERIFY2(pageRect.contains(box), qPrintable(group->title() + " at " + Describe(box) +
                                                        " outside " + Describe(pageRect)));
            // Packed: each row starts the designed spacing below the one
            // above it.
            auto* grid = qobject_cast<QGridLayout*>(group->layout());
            QVERIFY(grid);
            const int spacing = TwipsToPixels(45);
            int previousBottom = -1;
            for (int row = 0; row < grid->rowCount(); ++row) {
                QWidget* caption = grid->itemAtPosition(row, 0)->widget();
                QWidget* value = grid->itemAtPosition(row, 1)->widget();
                QVERIFY2(value->isVisible() && box.contains(RectIn(value, page)),
                         qPrintable(value->accessibleName()));
                const int top = std::min(caption->y(), value->y());
                if (previousBottom >= 0) {
                    QVERIFY2(top - previousBottom <= spacing + 1,
                             qPrintable(QStringLiteral("%1: %2 px above it")
                                            .arg(value->accessibleName())
                                            .arg(top - previousBottom)));
                }
                previousBottom =
                    std::max(caption->geometry().bottom(), value->geometry().bottom()) + 1;
                ++rows;
            }
        }
        QVERIFY(rows >= 40);
    }

    // Through the frame's client area alone, every designed control of
    // every tab comes fully into view; no other scroll area shows a bar.
    void everyControlCanBeScrolledIntoView() {
        const auto result = CalculateChart(SampleBirthEntries());
        QVERIFY(result);
        Mdi frame;
        frame.display()->showResult(*result, SampleBirthEntries());
        frame.showMaximized();
        Settle();
        const QRect screen = frame.screen()->availableGeometry();
        QVERIFY2(screen.contains(frame.geometry()),
                 qPrintable(Describe(frame.geometry()) + " off " + Describe(screen)));
        auto* client = frame.findChild<QScrollArea*>(QStringLiteral("mdiClient"));
        QVERIFY(client);
        QWidget* viewport = client->viewport();

        QTabWidget* tabs = frame.display()->tabs();
        int checked = 0;
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            Settle();
            for (QWidget* widget : frame.display()->findChildren<QWidget*>()) {
                if (!widget->isVisible() || widget->objectName().isEmpty() ||
                    widget->objectName().startsWith(QStringLiteral("qt_"))) {
                    continue;
                }
                // By its whole rectangle: ensureWidgetVisible would aim a
                // text box's cursor only.
                const QRect onCanvas = RectIn(widget, client->widget());
                client->ensureVisible(onCanvas.center().x(), onCanvas.center().y(),
                                      onCanvas.width() / 2 + 1, onCanvas.height() / 2 + 1);
                Settle();
                const QRect shown = RectIn(widget, viewport);
                const bool fits =
                    widget->width() <= viewport->width() && widget->height() <= viewport->height();
                QVERIFY2(fits ? viewport->rect().contains(shown)
                              : viewport->rect().intersects(shown),
                         qPrintable(widget->objectName() + " at " + Describe(shown) +
                                    " in a viewport of " + Describe(viewport->rect())));
                ++checked;
            }
        }
        QVERIFY(checked > 60);
        // Restored, the frame is no larger than the screen either.
        frame.showNormal();
        Settle();
        QVERIFY2(frame.width() <= screen.width() && frame.height() <= screen.height(),
                 qPrintable(Describe(frame.geometry()) + " restored on " + Describe(screen)));
        for (QScrollArea* area : frame.findChildren<QScrollArea*>()) {
            if (area != client) {
                QVERIFY2(!area->verticalScrollBar()->isVisible() &&
                             !area->horizontalScrollBar()->isVisible(),
                         qPrintable(area->objectName()));
            }
        }
    }
};

// The screen comes from SELMARIND_TEST_SCREEN ("1600x1000"), else the
// laptop screen of the other window tests.
int main(int argc, char* argv[]) {
    UseScreenFromEnvironment();
    QApplication app(argc, argv);
    TestResultLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_result_layout.moc"
