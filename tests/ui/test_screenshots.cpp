// The screenshot tool writes one picture of every window, each a real
// rendering rather than an empty or one-coloured image.
#include "screenshots/screenshots.h"
#include "window_test_support.h"

#include <QFileInfo>
#include <QImage>

#include <set>

using namespace selmarind;
using namespace selmarind::test;

class TestScreenshots : public QObject {
    Q_OBJECT

private slots:
    void everyWindowIsRendered() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        UsePrivateSettings(dir);
        const QStringList files = WriteScreenshots(dir.filePath(QStringLiteral("shots")));
        QStringList names;
        for (const QString& file : files) {
            names << QFileInfo(file).fileName();
        }
        QCOMPARE(
            names,
            QStringList(
                {"frm_main.png", "frm_main_menu_bar.png", "frm_main_focused_button.png",
                 "frm_display_chart.png", "chart_style_south.png", "chart_style_north.png",
                 "chart_style_east.png", "frm_display_details.png", "frm_display_chart_details.png",
                 "frm_display_navamsa.png", "frm_display_dasha.png", "frm_display_long_names.png",
                 "frm_display_long_names_navamsa.png", "frm_display_long_names_dasha.png",
                 "mdi_maximized.png", "mdi_restored.png", "mdi_help_menu.png", "frm_about.png"}));
        for (const QString& file : files) {
            const QImage image(file);
            QVERIFY2(!image.isNull(), qPrintable(file));
            // The menu bar and the focused button are strips one line high.
            const int leastHeight = file.contains(QStringLiteral("_menu_bar")) ||
                                            file.contains(QStringLiteral("_focused_"))
                                        ? 18
                                        : 80;
            QVERIFY2(image.width() >= 150 && image.height() >= leastHeight, qPrintable(file));
            std::set<QRgb> colours;
            for (int y = 0; y < image.height(); y += 3) {
                for (int x = 0; x < image.width(); x += 3) {
                    colours.insert(image.pixel(x, y));
                }
            }
            QVERIFY2(colours.size() > 20, qPrintable(file));
        }
    }
};

SELMARIND_UI_TEST_MAIN(TestScreenshots)
#include "test_screenshots.moc"
