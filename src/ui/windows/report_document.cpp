#include "ui/windows/report_document.h"

#include "chart/sign_tables.h"
#include "engine/name_tables.h"
#include "input/time_zones.h"
#include "report/chart_details.h"
#include "ui/widgets/app_style.h"
#include "ui/windows/chart_drawing_painter.h"
#include "ui/windows/dasha_tab.h"
#include "ui/windows/navamsa_tab.h"
#include "ui/windows/result_form_parts.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <optional>

namespace selmarind {

namespace {

// Printed type: a sans serif that every Debian desktop has.
QFont PaperFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Any letter spacing turns off ligatures, so that "benefit" is copied
    // and found as typed rather than with one "fi" glyph; 0.02 pixel is
    // invisible at every resolution.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);
    return font;
}

// Whether position i (body order) is a planet the chart marks retrograde.
bool IsRetrograde(const ChartValues& chart, std::size_t body) {
    const std::optional<std::size_t> slot = RetrogradeSlot(body);
    return slot && chart.retrogradeFlags[*slot];
}

QString PositionText(const ChartResult& result, std::size_t body) {
    QString text = Utf8Text(result.form.planet[body]);
    if (IsRetrograde(result.chart, body)) {
        text += QStringLiteral("  (R)");
    }
    return text;
}

// The report's flow down the pages: each block is measured, moved to a new
// page when it does not fit, and drawn. Lengths in device pixels; `pt`
// turns typographic points into them.
class PageFlow {
public:
    PageFlow(QPainter& painter, QPagedPaintDevice& device, QString footer)
        : painter_(painter), device_(device), footer_(std::move(footer)),
          dpi_(device.logicalDpiY()) {
        const double footerRoom = pt(24);
        area_ = QRectF(0, 0, device.width(), device.height() - footerRoom);
        y_ = area_.top();
    }

    double pt(double points) const { return points * dpi_ / 72.0; }
    double dpi() const { return dpi_; }
    double width() const { return area_.width(); }
    double y() const { return y_; }

    // Room for `height` below the cursor, on a new page when this one is full.
    void need(double height) {
        if (y_ + height > area_.bottom() && y_ > area_.top()) {
            finishPage();
            device_.newPage();
            ++page_;
            y_ = area_.top();
        }
    }

    void skip(double height) { y_ += height; }

    // Word-wrapped text from `left` across `width` (the whole width when 0).
    double textHeight(const QString& text, const QFont& font, double left = 0,
                      double width = 0) const {
        painter_.setFont(font);
        const double w = width > 0 ? width : area_.width() - left;
        return painter_.boundingRect(QRectF(left, 0, w, 1e7), Qt::TextWordWrap, text).height();
    }

    void text(const QString& text, const QFont& font, double left = 0, double width = 0) {
        const double height = textHeight(text, font, left, width);
        need(height);
        drawAt(text, font, left, width, height);
        y_ += height;
    }

    // Draws without moving the cursor: the left column of a row.
    void drawAt(const QString& text, const QFont& font, double left, double width, double height) {
        painter_.setFont(font);
        const double w = width > 0 ? width : area_.width() - left;
        painter_.drawText(QRectF(left, y_, w, height), Qt::TextWordWrap, text);
    }

    // "Caption :" in a column of `captionWidth`, the value beside it.
    void row(const QString& caption, const QString& value, double captionWidth, const QFont& font) {
        const double valueLeft = captionWidth + pt(6);
        const double height = std::max(textHeight(caption, font, 0, captionWidth),
                                       textHeight(value, font, valueLeft));
        need(height);
        drawAt(caption, font, 0, captionWidth, height);
        drawAt(value, font, valueLeft, 0, height);
        y_ += height + pt(2);
    }

    void heading(const QString& title) {
        const QFont font = PaperFont(12, true);
        // A heading stays with at least two lines of what follows it.
        need(textHeight(title, font) + pt(40));
        skip(pt(10));
        text(title, font);
        painter_.drawLine(QPointF(0, y_ + pt(1)), QPointF(area_.width(), y_ + pt(1)));
        skip(pt(5));
    }

    void finishPage() {
        const QFont font = PaperFont(8);
        painter_.setFont(font);
        const QRectF foot(0, area_.bottom() + pt(8), area_.width(), pt(14));
        painter_.drawLine(QPointF(0, foot.top() - pt(2)),
                          QPointF(area_.width(), foot.top() - pt(2)));
        painter_.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, footer_);
        painter_.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                          QStringLiteral("Page %1").arg(page_));
    }

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    QString footer_;
    double dpi_;
    QRectF area_;
    double y_ = 0;
    int page_ = 1;
};

// The zone as the birth-data form's list showed it.
std::string ZoneText(const BirthEntries& entries) {
    if (entries.cmbTimeZoneIndex == kExactZoneIndex && entries.exactZone) {
        return entries.exactZone->label;
    }
    if (entries.cmbTimeZoneIndex >= 0 && entries.cmbTimeZoneIndex < kTimeZoneCount) {
        return std::string(
            TimeZoneList()[static_cast<std::size_t>(entries.cmbTimeZoneIndex)].itemText);
    }
    return {};
}

// The rows of a detail section as the report prints them. The classic
// positions have a sunrise rule too, their own, which the section leaves
// unsaid; the ayanamsa has its own line elsewhere.
std::vector<DetailRow> ReportRows(const DetailSection& section, const ChartValues& chart) {
    std::vector<DetailRow> rows;
    for (const DetailRow& row : section.rows) {
        if (section.kind == DetailSectionKind::Source && row.caption == "Ayanamsa") {
            continue;
        }
        rows.push_back(row);
    }
    if (section.kind == DetailSectionKind::Source && chart.positions == PositionSource::Classic) {
        rows.push_back({"Sunrise convention", "upper limb, with standard refraction"});
    }
    return rows;
}

// The Navamsa chart in `look`'s style (without the birth chart's points),
// the D9 sign of each body beside it, and the sentence naming its Torvi
// Lagna.
void PaintNavamsaSection(PageFlow& flow, QPainter& painter, const ChartValues& chart,
                         const ChartLook& look) {
    const double side = std::min(flow.pt(200), flow.width() * 0.5);
    // The heading stays on the page of the chart.
    flow.need(flow.pt(40) + side);
    flow.heading(QStringLiteral("Navamsa (D9)"));
    const QRectF square(0, flow.y() + flow.pt(2), side, side);
    DrawingSizes sizes;
    sizes.sidePx = side;
    sizes.bodyPx = flow.pt(8);
    sizes.numberPx = flow.pt(6.5);
    sizes.markerPx = flow.pt(6.5);
    sizes.minTextPx = flow.pt(4);
    sizes.paddingPx = flow.pt(2.5);
    const FontTextMeasure measure(PaperFont(8), painter.device());
    const ChartDrawing drawing = DrawChart(NavamsaContents(chart), look.style, sizes, measure);
    PaintChartDrawing(painter, drawing, square.topLeft(), measure, PaperChartColours(flow.pt(0.8)));

    // Body and D9 sign beside the chart, for reading and searching.
    const QFont body = PaperFont(9.5);
    const double left = side + flow.pt(18);
    const double captionWidth = flow.pt(110);
    const double rowHeight = flow.textHeight(QStringLiteral("X"), body);
    const double top = flow.y();
    flow.skip(flow.pt(2));
    for (std::size_t b = 0; b < kBodyCount; ++b) {
        const int sign = chart.navamsa.signs[b];
        if (sign < 0 || sign > 11) {
            continue;
        }
        QString name = Utf8Text(kPlanetCaptions[b]);
        if (IsRetrograde(chart, b)) {
            name += QStringLiteral(" (R)");
        }
        flow.drawAt(name + QStringLiteral(" :"), body, left, captionWidth, rowHeight);
        flow.drawAt(Utf8Text(kSignNames[static_cast<std::size_t>(sign)]), body, left + captionWidth,
                    0, rowHeight);
        flow.skip(rowHeight + flow.pt(2));
    }
    flow.skip(std::max(0.0, top + side + flow.pt(6) - flow.y()));
    flow.text(QStringLiteral("%1 chart. ").arg(Utf8Text(ChartStyleTitle(look.style))) +
                  NavamsaTorviLagnaSentence(chart),
              body);
}

// The nine periods from the birth, and the nine sub-periods of the one
// running at `now`, dated at the birth's UTC offset; the running ones are
// marked in bold and with words.
void PaintDashaSection(PageFlow& flow, const ChartValues& chart, const QDateTime& now) {
    if (chart.dasha.empty()) {
        return;
    }
    const QFont body = PaperFont(9.5);
    const QFont bold = PaperFont(9.5, true);
    const double dateWidth = flow.pt(90);
    const double endLeft = flow.width() - dateWidth;
    const double startLeft = endLeft - dateWidth;
    const auto row = [&](const QString& period, const QString& start, const QString& end,
                         bool marked) {
        const QFont& font = marked ? bold : body;
        const double height = flow.textHeight(period, font, 0, startLeft - flow.pt(6));
        flow.need(height);
        flow.drawAt(period, font, 0, startLeft - flow.pt(6), height);
        flow.drawAt(start, font, startLeft, dateWidth, height);
        flow.drawAt(end, font, endLeft, dateWidth, height);
        flow.skip(height + flow.pt(2));
    };
    const auto date = [&chart](UtInstant instant) {
        return QString::fromStdString(DateTextAtOffset(instant, chart.utcOffsetSeconds));
    };
    const auto lord = [](Body b) { return Utf8Text(kBodyNames[Index(b)]); };

    const UtInstant today = UtInstantOfUnixTime(now.toSecsSinceEpoch());
    const std::optional<DashaPosition> running = RunningDasha(chart.dasha, today);
    const QString todayText =
        QLocale(QLocale::English).toString(now.date(), QStringLiteral("d MMMM yyyy"));

    // Each table stays on one page.
    const double tableHeight = 10 * (flow.textHeight(QStringLiteral("X"), body) + flow.pt(2));
    flow.need(flow.pt(54) + tableHeight);
    flow.heading(QStringLiteral("Vimshottari Dasha"));
    flow.text(QStringLiteral("Dates in the birth's UTC offset (%1); a year of 365.25 days. "
                             "Today: %2.")
                  .arg(UtcOffsetLabel(chart.utcOffsetSeconds), todayText),
              PaperFont(8));
    flow.skip(flow.pt(4));
    row(QStringLiteral("Period"), QStringLiteral("Start"), QStringLiteral("End"), true);
    for (std::size_t p = 0; p < chart.dasha.size(); ++p) {
        const DashaPeriod& period = chart.dasha[p];
        const bool now = running && running->period == p;
        row(lord(period.lord) + (now ? QStringLiteral(" (running today)") : QString()),
            date(period.start), date(period.end), now);
    }
    if (!running) {
        flow.skip(flow.pt(4));
        flow.text(QStringLiteral("No period of this chart runs today."), body);
        return;
    }
    const DashaPeriod& current = chart.dasha[running->period];
    flow.need(flow.pt(24) + tableHeight);
    flow.skip(flow.pt(8));
    flow.text(QStringLiteral("Sub-periods of the %1 period").arg(lord(current.lord)),
              PaperFont(10, true));
    for (std::size_t s = 0; s < current.sub.size(); ++s) {
        const DashaPeriod& sub = current.sub[s];
        const bool now = running->sub == s;
        row(lord(current.lord) + QStringLiteral(" / ") + lord(sub.lord) +
                (now ? QStringLiteral(" (running today)") : QString()),
            date(sub.start), date(sub.end), now);
    }
}

} // namespace

QString ReportFooter(const QDate& printedOn) {
    return QStringLiteral("%1 %2, printed %3")
        .arg(kApplicationTitle, QStringLiteral(SELMARIND_VERSION),
             QLocale(QLocale::English).toString(printedOn, QStringLiteral("d MMMM yyyy")));
}

QPageSize::PageSizeId LocalPaperSize(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::MetricSystem ||
                   locale.measurementSystem() == QLocale::ImperialUKSystem
               ? QPageSize::A4
               : QPageSize::Letter;
}

void PaintReportChart(QPainter& painter, const QRectF& square, const ChartResult& result,
                      const ChartLook& look, double dotsPerInch) {
    const auto pt = [dotsPerInch](double points) { return points * dotsPerInch / 72.0; };
    DrawingSizes sizes;
    sizes.sidePx = square.width();
    sizes.bodyPx = pt(8);
    sizes.numberPx = pt(6.5);
    sizes.markerPx = pt(6.5);
    sizes.minTextPx = pt(4);
    sizes.paddingPx = pt(2.5);
    const FontTextMeasure measure(PaperFont(8), painter.device());
    const ChartDrawing drawing =
        DrawChart(ContentsOfChart(result, look.showPoints), look.style, sizes, measure);
    PaintChartDrawing(painter, drawing, square.topLeft(), measure, PaperChartColours(pt(0.8)));
}

void PaintChartReport(QPainter& painter, QPagedPaintDevice& device, const ChartResult& result,
                      const BirthEntries& entries, const QString& footer, const ChartLook& look) {
    const ResultFormTexts& form = result.form;
    PageFlow flow(painter, device, footer);
    painter.setPen(Qt::black);
    const QFont body = PaperFont(9.5);
    const double captionWidth = flow.pt(120);

    flow.text(QStringLiteral("Torvi Lagna Chart"), PaperFont(18, true));
    flow.text(Utf8Text(form.lblName), PaperFont(14, true));
    flow.skip(flow.pt(6));

    // The details on the left, the chart on the right of the same band.
    const double chartSide = std::min(flow.pt(250), flow.width() * 0.55);
    flow.heading(QStringLiteral("Your Details"));
    const QRectF square(flow.width() - chartSide, flow.y() + flow.pt(2), chartSide, chartSide);
    const std::string zone = ZoneText(entries);
    const std::string summerHour = entries.chkDST ? "Yes" : "No";
    const std::array<std::pair<const char*, const std::string*>, 10> details = {{
        {"Name", &form.lblName},
        {"Date of Birth", &form.lblDOB},
        {"Time of Birth", &form.lblTOB},
        {"Latitude", &form.lblLatitude},
        {"Longitude", &form.lblLongitude},
        {"City", &form.lblCity},
        {"State", &form.lblState},
        {"Country", &form.lblCountry},
        {"Time Zone", &zone},
        {"Daylight Saving", &summerHour},
    }};
    // The rows keep to the left of the chart.
    const double detailsWidth = flow.width() - chartSide - flow.pt(14);
    for (const auto& [caption, value] : details) {
        const QString captionText = QString::fromLatin1(caption) + QStringLiteral(" :");
        const double valueLeft = flow.pt(102);
        const QString valueText = Utf8Text(*value);
        const double height =
            std::max(flow.textHeight(captionText, body, 0, flow.pt(100)),
                     flow.textHeight(valueText, body, valueLeft, detailsWidth - valueLeft));
        flow.drawAt(captionText, body, 0, flow.pt(100), height);
        flow.drawAt(valueText, body, valueLeft, detailsWidth - valueLeft, height);
        flow.skip(height + flow.pt(2));
    }
    PaintReportChart(painter, square, result, look, flow.dpi());
    flow.skip(std::max(0.0, square.bottom() - flow.y()));
    flow.skip(flow.pt(3));
    flow.text(
        QString::fromUtf8(ChartStyleTitle(look.style).data()) + QStringLiteral(" chart") +
            (look.showPoints ? QStringLiteral(" with the special points and arudhas") : QString()),
        PaperFont(8));
    if (look.showPoints) {
        QStringList legend;
        for (const std::string& line : ContentsOfChart(result, true).legend) {
            legend << Utf8Text(line);
        }
        flow.text(legend.join(QStringLiteral("; ")), PaperFont(8));
    }

    // How the chart was made, and what it computes beyond the result form.
    for (const DetailSection& section : ChartDetailSections(result, entries)) {
        if (section.kind == DetailSectionKind::Sunrise ||
            section.kind == DetailSectionKind::Positions) {
            continue;
        }
        flow.heading(Utf8Text(section.title));
        for (const DetailRow& row : ReportRows(section, result.chart)) {
            flow.row(Utf8Text(row.caption) + QStringLiteral(" :"), Utf8Text(row.value),
                     captionWidth, body);
        }
    }

    flow.heading(QStringLiteral("Vedic Planetary Position"));
    bool anyRetrograde = false;
    for (std::size_t i = 0; i < form.planet.size(); ++i) {
        anyRetrograde = anyRetrograde || IsRetrograde(result.chart, i);
        flow.row(QString::fromLatin1(kPlanetCaptions[i]), PositionText(result, i), captionWidth,
                 body);
    }
    if (anyRetrograde) {
        flow.text(QStringLiteral("(R): retrograde"), PaperFont(8));
    }
    flow.text(QStringLiteral("Ayanamsa: ") + Utf8Text(result.chart.ayanamsaName) +
                  QStringLiteral(", ") + Utf8Text(AyanamsaDmsText(result.chart)),
              PaperFont(8));

    flow.heading(QStringLiteral("Torvi Lagna"));
    // kAttributeControls[0] is "Torvi Lagna Present In Sign".
    flow.row(QStringLiteral("Sign :"), Utf8Text(form.attributes[0]), captionWidth, body);
    flow.row(QStringLiteral("House :"), QString::number(result.chart.torviLagnaHouse), captionWidth,
             body);
    flow.skip(flow.pt(3));
    flow.text(Utf8Text(form.lblHoraDesc), body);

    flow.heading(QStringLiteral("Attributes of the Sign"));
    for (std::size_t i = 1; i < kAttributeControls.size(); ++i) {
        if (!kAttributeControls[i].isParagraph) {
            flow.row(Utf8Text(kAttributeControls[i].caption) + QStringLiteral(" :"),
                     Utf8Text(form.attributes[i]), captionWidth, body);
        }
    }

    flow.heading(QStringLiteral("Predictions"));
    for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
        if (kAttributeControls[i].isParagraph) {
            const QFont caption = PaperFont(10, true);
            flow.need(flow.textHeight(QStringLiteral("X"), caption) + flow.pt(30));
            flow.skip(flow.pt(4));
            flow.text(Utf8Text(kAttributeControls[i].caption), caption);
            flow.text(Utf8Text(form.attributes[i]), body);
        }
    }
    PaintNavamsaSection(flow, painter, result.chart, look);
    PaintDashaSection(flow, result.chart, QDateTime::currentDateTimeUtc());
    flow.finishPage();
}

QByteArray ChartReportPdf(const ChartResult& result, const BirthEntries& entries,
                          QPageSize::PageSizeId paper, const QString& footer,
                          const ChartLook& look) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(paper));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(Utf8Text(result.form.lblName) + QStringLiteral(" - Torvi Lagna Chart"));
        writer.setCreator(kApplicationTitle + QStringLiteral(" " SELMARIND_VERSION));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return {};
        }
        PaintChartReport(painter, writer, result, entries, footer, look);
        painter.end();
    }
    buffer.close();
    return bytes;
}

} // namespace selmarind
