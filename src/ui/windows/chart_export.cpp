#include "ui/windows/chart_export.h"

#include "drawing/svg_writer.h"
#include "report/report.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/save_file.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/report_document.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>

#include <algorithm>
#include <array>

namespace selmarind {

namespace {

const QString kFolderKind = QStringLiteral("exports");
// Index into kKinds of the kind last exported.
const QString kKindKey = QStringLiteral("fileDialogs/exports/lastKind");

struct ExportKind {
    const char* extension; // with the dot
    const char* filter;
};

constexpr std::array<ExportKind, 3> kKinds = {{
    {".pdf", "PDF report (*.pdf)"},
    {".png", "PNG picture (*.png)"},
    {".svg", "SVG drawing (*.svg)"},
}};

// The widget the PNG shows: the result form's first tab, the details, the
// positions and the chart square.
QWidget* PictureSource(FrmDisplay& display) {
    if (auto* tab = display.findChild<QWidget*>(QStringLiteral("tabChart"))) {
        return tab;
    }
    return &display;
}

QByteArray PngOf(QWidget& widget) {
    // The picture leaves out the link in the chart's centre: it cannot be
    // clicked there.
    QWidget* centreLink = widget.findChild<QWidget*>(QStringLiteral("Label7"));
    const bool linkShown = centreLink != nullptr && centreLink->isVisible();
    if (linkShown) {
        centreLink->hide();
    }
    // Twice the pixel density of the widget's screen, so that the picture
    // stays sharp when printed or shown on a denser screen.
    const qreal scale = 2 * widget.devicePixelRatioF();
    QImage image(widget.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        widget.render(&painter);
    }
    if (linkShown) {
        centreLink->show();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return {};
    }
    return bytes;
}

void PreparePrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(LocalPaperSize()));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

} // namespace

ChartExport::ChartExport(QWidget& window, FrmDisplay& display)
    : QObject(&window), window_(window), display_(display) {}

void ChartExport::addTo(QMenu& fileMenu, QAction* before) {
    const auto add = [&](const char* name, const QString& caption, const QKeySequence& keys,
                         void (ChartExport::*handler)()) {
        auto* action = new QAction(caption, &window_);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        fileMenu.insertAction(before, action);
    };
    add("mnuExportChart", QStringLiteral("&Export Chart..."), QKeySequence(Qt::CTRL | Qt::Key_E),
        &ChartExport::chooseAndExport);
    add("mnuPrintChart", QStringLiteral("&Print..."), QKeySequence::Print,
        &ChartExport::printWithDialog);
    add("mnuPrintPreview", QStringLiteral("Print Pre&view..."), QKeySequence(),
        &ChartExport::printWithPreview);
    add("mnuCopyChartText", QStringLiteral("&Copy Chart as Text"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &ChartExport::copyAsText);
}

void ChartExport::setChart(const ChartResult& result, const BirthEntries& entries) {
    result_ = result;
    entries_ = entries;
}

bool ChartExport::exportTo(const QString& path) {
    if (!result_) {
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QStringLiteral("pdf")) {
        bytes = ChartReportPdf(*result_, entries_, LocalPaperSize(),
                               ReportFooter(QDate::currentDate()), display_.chartLook());
    } else if (suffix == QStringLiteral("svg")) {
        const ChartLook& look = display_.chartLook();
        bytes = QByteArray::fromStdString(ChartSvg(*result_, look.style, look.showPoints));
    } else if (suffix == QStringLiteral("png")) {
        bytes = PngOf(*PictureSource(display_));
    } else {
        Dialogs().showMessage(&window_,
                              QStringLiteral("The chart can be exported as a PDF report (.pdf), "
                                             "a PNG picture (.png) or an SVG drawing (.svg); "
                                             "\"%1\" is none of these.")
                                  .arg(QFileInfo(path).fileName()),
                              DialogIcon::Stop);
        return false;
    }
    if (bytes.isEmpty()) {
        Dialogs().showMessage(&window_,
                              QStringLiteral("The chart could not be drawn for \"%1\"; nothing "
                                             "was saved.")
                                  .arg(QDir::toNativeSeparators(path)),
                              DialogIcon::Stop);
        return false;
    }
    if (const std::optional<QString> failure = SaveFileReplacing(path, bytes)) {
        Dialogs().showMessage(&window_, *failure, DialogIcon::Stop);
        return false;
    }
    return true;
}

bool ChartExport::printTo(QPrinter& printer) {
    if (!result_) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        Dialogs().showMessage(&window_, QStringLiteral("The printer could not be started."),
                              DialogIcon::Stop);
        return false;
    }
    PaintChartReport(painter, printer, *result_, entries_, ReportFooter(QDate::currentDate()),
                     display_.chartLook());
    return painter.end();
}

void ChartExport::copyAsText() {
    if (!result_) {
        return;
    }
    QApplication::clipboard()->setText(QString::fromStdString(PlainReport(*result_, entries_)));
}

void ChartExport::chooseAndExport() {
    if (!result_) {
        return;
    }
    QStringList filters;
    for (const ExportKind& kind : kKinds) {
        filters << QString::fromLatin1(kind.filter);
    }
    // The kind chosen last time is offered first; before any export a
    // report goes to the documents folder, a picture to the pictures folder.
    QSettings settings;
    const auto offered =
        static_cast<std::size_t>(std::clamp(settings.value(kKindKey, 0).toInt(), 0, 2));
    const bool picture = QString::fromLatin1(kKinds[offered].extension) != QStringLiteral(".pdf");
    QString filter = filters[static_cast<qsizetype>(offered)];
    QString path = FileDialogs().askSavePath(
        &window_, QStringLiteral("Export Chart"),
        QDir(LastFolder(kFolderKind, picture ? QStandardPaths::PicturesLocation
                                             : QStandardPaths::DocumentsLocation))
            .filePath(SuggestedFileName(entries_, QString::fromLatin1(kKinds[offered].extension))),
        filters, &filter);
    if (path.isEmpty()) {
        return;
    }

    // A name typed without one of the three endings gets the chosen filter's.
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool known = false;
    for (const ExportKind& kind : kKinds) {
        known = known || QString::fromLatin1(kind.extension + 1) == suffix;
    }
    if (!known) {
        for (const ExportKind& kind : kKinds) {
            if (filter == QString::fromLatin1(kind.filter)) {
                path += QString::fromLatin1(kind.extension);
            }
        }
    }
    RememberFolder(kFolderKind, path);
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (path.endsWith(QString::fromLatin1(kKinds[i].extension), Qt::CaseInsensitive)) {
            settings.setValue(kKindKey, static_cast<int>(i));
        }
    }
    exportTo(path);
}

void ChartExport::printWithDialog() {
    if (!result_) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(QStringLiteral("Print Chart"));
    if (dialog.exec() == QDialog::Accepted) {
        printTo(printer);
    }
}

void ChartExport::printWithPreview() {
    if (!result_) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, &window_);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printTo(*target); });
    preview.exec();
}

} // namespace selmarind
