// The sharing entries of the result window's File menu: the chart exported
// as a PNG picture, an SVG drawing or a PDF report, printed (with the print
// dialog or from a preview), and copied as the plain-text report.
#pragma once

#include "chart/chart_result.h"
#include "input/birth_entries.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace selmarind {

class FrmDisplay;

class ChartExport : public QObject {
    Q_OBJECT

public:
    // `window` is the result window (the parent of dialogs and messages);
    // `display` the result form whose first tab the PNG shows.
    ChartExport(QWidget& window, FrmDisplay& display);

    // Puts "&Export Chart...", "&Print...", "Print Pre&view..." and "&Copy
    // Chart as Text" into `fileMenu` before `before`.
    void addTo(QMenu& fileMenu, QAction* before);

    // The chart on view and the entries it was computed from (for the
    // plain-text report and the suggested file names).
    void setChart(const ChartResult& result, const BirthEntries& entries);

    // Writes the chart to `path`, the kind of file chosen by its extension:
    // .png (the result form's first tab at twice the screen's pixel
    // density), .svg or .pdf. Any other extension, or a file that cannot be
    // written, gives a message and leaves an old file as it was. True when
    // the whole file is on the disk.
    bool exportTo(const QString& path);

    // Paints the report on `printer` (its paper and margins as set); false
    // with a message when the printer cannot be painted on.
    bool printTo(QPrinter& printer);

    // The plain-text report, as selmarind-chart prints it, on the clipboard.
    void copyAsText();

    // Through the dialogs.
    void chooseAndExport();
    void printWithDialog();
    void printWithPreview();

private:
    QWidget& window_;
    FrmDisplay& display_;
    std::optional<ChartResult> result_;
    BirthEntries entries_;
};

} // namespace selmarind
