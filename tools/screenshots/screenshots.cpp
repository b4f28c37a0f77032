#include "screenshots/screenshots.h"

#include "chart/chart_driver.h"
#include "screenshots/sample_chart.h"
#include "ui/app/mdi.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace selmarind {

namespace {

// Lets pending layout, scroll-bar and paint work finish.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

} // namespace

QStringList WriteScreenshots(const QString& outDir) {
    QDir dir(outDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        return {};
    }
    QStringList written;
    auto save = [&](QWidget& widget, const QString& name) {
        Settle();
        const QString path = dir.filePath(name);
        if (widget.grab().save(path)) {
            written << path;
        }
    };

    FrmMain frmMain;
    frmMain.show();
    EnterBirthData(frmMain, SampleBirthEntries());
    save(frmMain, QStringLiteral("frm_main.png"));
    save(*frmMain.menuBar(), QStringLiteral("frm_main_menu_bar.png"));
    // The calculate button with the keyboard focus on it, and a few pixels
    // of the ground around it, where a focus ring would show.
    if (auto* button = frmMain.findChild<QPushButton*>(QStringLiteral("cmdRashi"))) {
        frmMain.activateWindow();
        button->setFocus(Qt::TabFocusReason);
        Settle();
        const QRect around = button->geometry().adjusted(-6, -6, 6, 6);
        const QString path = dir.filePath(QStringLiteral("frm_main_focused_button.png"));
        if (button->parentWidget()->grab(around).save(path)) {
            written << path;
        }
    }

    const std::optional<ChartResult> result = CalculateChart(frmMain.entries());
    Mdi frame;
    // The designed chart, whatever the settings hold.
    frame.display()->setChartLook({});
    if (result) {
        frame.display()->showResult(*result, frmMain.entries());
    }
    frame.showMaximized();
    save(*frame.display(), QStringLiteral("frm_display_chart.png"));
    // The chart in each style, with the points and their legend.
    if (auto* chart = frame.display()->findChild<QGroupBox*>(QStringLiteral("fraBirthchart"))) {
        for (const ChartStyle style : kChartStyles) {
            frame.display()->setChartLook({style, true});
            save(*chart, QStringLiteral("chart_style_%1.png")
                             .arg(QString::fromUtf8(ChartStyleName(style).data())));
        }
        frame.display()->setChartLook({});
    }
    frame.display()->tabs()->setCurrentIndex(1);
    save(*frame.display(), QStringLiteral("frm_display_details.png"));
    frame.display()->tabs()->setCurrentIndex(2);
    save(*frame.display(), QStringLiteral("frm_display_chart_details.png"));
    frame.display()->tabs()->setCurrentIndex(3);
    save(*frame.display(), QStringLiteral("frm_display_navamsa.png"));
    frame.display()->tabs()->setCurrentIndex(4);
    save(*frame.display(), QStringLiteral("frm_display_dasha.png"));
    frame.display()->tabs()->setCurrentIndex(0);
    const BirthEntries longEntries = LongNameBirthEntries();
    if (const std::optional<ChartResult> longResult = CalculateChart(longEntries)) {
        frame.display()->showResult(*longResult, longEntries);
        save(*frame.display(), QStringLiteral("frm_display_long_names.png"));
        frame.display()->tabs()->setCurrentIndex(3);
        save(*frame.display(), QStringLiteral("frm_display_long_names_navamsa.png"));
        frame.display()->tabs()->setCurrentIndex(4);
        save(*frame.display(), QStringLiteral("frm_display_long_names_dasha.png"));
        frame.display()->tabs()->setCurrentIndex(0);
        if (result) {
            frame.display()->showResult(*result, frmMain.entries());
        }
    }
    save(frame, QStringLiteral("mdi_maximized.png"));
    frame.showNormal();
    save(frame, QStringLiteral("mdi_restored.png"));

    if (auto* help = frame.menuBar()->findChild<QMenu*>(QStringLiteral("mnuHelp"))) {
        help->popup(frame.mapToGlobal(QPoint(0, 0)));
        save(*help, QStringLiteral("mdi_help_menu.png"));
        help->hide();
    }

    FrmAbout about(&frame);
    about.show();
    save(about, QStringLiteral("frm_about.png"));
    return written;
}

} // namespace selmarind
