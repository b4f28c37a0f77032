// The chart laid out for paper: the South Indian chart as vector lines with
// its cell texts, the other styles through the chart drawing, and the
// printed report (PDF and printer) with the details, the positions, the
// Torvi Lagna and its sign. Black on white, whatever the screen's theme;
// every text is drawn as text, so that a PDF can be searched and copied from.
#pragma once

#include "chart/chart_result.h"
#include "input/birth_entries.h"
#include "ui/widgets/chart_look.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace selmarind {

// "Selmarind 1.25, printed 8 December 2026": the footer of every page.
QString ReportFooter(const QDate& printedOn);

// The paper of the locale: Letter where the locale measures in inches (the
// United States and the like), A4 everywhere else.
QPageSize::PageSizeId LocalPaperSize(const QLocale& locale = QLocale::system());

// Draws the chart into `square` (device units) in `look`: the drawing of
// drawing/chart_geometry.h, as the window and the SVG draw it, in black on
// white, its legend left to the caller. `dotsPerInch` is the device's
// resolution, for line widths and type sizes.
void PaintReportChart(QPainter& painter, const QRectF& square, const ChartResult& result,
                      const ChartLook& look, double dotsPerInch);

// Paints the whole report on `device`, which `painter` is active on,
// starting a new page where the next block does not fit; `footer` stands at
// the foot of every page with the page number. `entries` are those the chart
// was computed from: they give the zone and the daylight-saving choice.
// Beside the result form's texts the report says how the chart was made
// (position source, sunrise rule, universal time, UTC offset and zone) and
// lists the special points and the arudhas; its chart is drawn in `look`.
void PaintChartReport(QPainter& painter, QPagedPaintDevice& device, const ChartResult& result,
                      const BirthEntries& entries, const QString& footer,
                      const ChartLook& look = {});

// The report as a PDF file on `paper` with 15 mm margins, or empty when
// it could not be made.
QByteArray ChartReportPdf(const ChartResult& result, const BirthEntries& entries,
                          QPageSize::PageSizeId paper, const QString& footer,
                          const ChartLook& look = {});

} // namespace selmarind
