#include "drawing/svg_writer.h"

#include "input/utf8_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace selmarind {

namespace {

constexpr double kMarginPx = 16;
constexpr double kHeaderPx = 13;                          // header lines
constexpr double kHeaderNamePx = 16;                      // the person's name
constexpr double kLegendPx = 12;                          // legend lines
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// A coordinate with at most two decimals, independent of the locale.
std::string Number(double value) {
    std::array<char, 32> buffer{};
    const double rounded = std::round(value * 100) / 100;
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded == 0 ? 0.0 : rounded,
                      std::chars_format::fixed, 2);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text.empty() ? "0" : text;
}

std::string TwoDigits(int value) {
    std::string text = value < 10 ? "0" : "";
    text += std::to_string(value);
    return text;
}

std::string PositionSourceLine(const ChartValues& chart) {
    std::string text = "Positions: ";
    if (chart.positions == PositionSource::Classic) {
        return text + "classic";
    }
    text += chart.ephemeris == "swiss-files" ? "Swiss Ephemeris (data files)"
                                             : "Swiss Ephemeris (analytical)";
    // chart.ayanamsa holds the ayanamsa negated.
    text += ", " + AyanamsaNoteText(chart.ayanamsaName, -chart.ayanamsa);
    if (chart.sunrise == SunriseConvention::Centre) {
        text += ", sunrise at the disc centre";
    }
    return text;
}

std::vector<std::string> HeaderLines(const ChartResult& result, ChartStyle style) {
    const ResultFormTexts& form = result.form;
    const CivilDateTime& ut = result.chart.birthUniversal;
    std::vector<std::string> lines;
    lines.push_back(form.lblName);
    lines.push_back("Born " + form.lblDOB + " at " + form.lblTOB + " (universal time " +
                    std::to_string(ut.year) + "-" + TwoDigits(ut.month) + "-" + TwoDigits(ut.day) +
                    " " + TwoDigits(ut.hour) + ":" + TwoDigits(ut.minute) + ":" +
                    TwoDigits(ut.second) + ")");
    std::string place;
    for (const std::string* part : {&form.lblCity, &form.lblState, &form.lblCountry}) {
        if (!part->empty()) {
            if (!place.empty()) {
                place += ", ";
            }
            place += *part;
        }
    }
    if (!form.lblLatitude.empty() || !form.lblLongitude.empty()) {
        if (!place.empty()) {
            place += ' ';
        }
        place += '(';
        place += form.lblLatitude;
        place += ", ";
        place += form.lblLongitude;
        place += ')';
    }
    lines.push_back(place);
    lines.push_back(PositionSourceLine(result.chart));
    lines.push_back(std::string(ChartStyleTitle(style)) + " chart");
    return lines;
}

std::string_view RoleClass(TextRole role) {
    switch (role) {
    case TextRole::SignNumber:
        return "number";
    case TextRole::Marker:
        return "marker";
    case TextRole::Point:
        return "point";
    case TextRole::Body:
        break;
    }
    return "body";
}

void Text(std::string& out, double x, double y, double sizePx, bool bold, std::string_view cls,
          std::string_view text) {
    out += "<text class=\"";
    out += cls;
    out += "\" x=\"";
    out += Number(x);
    out += "\" y=\"";
    out += Number(y);
    out += "\" font-size=\"";
    out += Number(sizePx);
    out += '"';
    if (bold) {
        out += " font-weight=\"bold\"";
    }
    out += '>';
    out += XmlEscaped(text);
    out += "</text>\n";
}

} // namespace

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        const std::string_view sequence = text.substr(i, length);
        i += length;
        const auto c = static_cast<unsigned char>(sequence[0]);
        if (length == 1) {
            switch (c) {
            case '&':
                out += "&amp;";
                continue;
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '"':
                out += "&quot;";
                continue;
            case '\'':
                out += "&apos;";
                continue;
            case '\t':
            case '\n':
            case '\r':
                out += sequence;
                continue;
            default:
                out += c < 0x20 || c == 0x7F ? kReplacement : sequence;
                continue;
            }
        }
        // U+FFFE and U+FFFF are not XML characters.
        if (sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF") {
            out += kReplacement;
            continue;
        }
        out += sequence;
    }
    return out;
}

std::string ChartSvgOfDrawing(const ChartResult& result, const ChartDrawing& drawing) {
    const EstimatedTextMeasure measure;
    const std::vector<std::string> header = HeaderLines(result, drawing.style);

    double width = drawing.width;
    for (std::size_t i = 0; i < header.size(); ++i) {
        width =
            std::max(width, measure.Width(header[i], i == 0 ? kHeaderNamePx : kHeaderPx, i == 0));
    }
    for (const std::string& line : drawing.legend) {
        width = std::max(width, measure.Width(line, kLegendPx, false));
    }
    width += 2 * kMarginPx;
    const double headerHeight =
        measure.LineHeight(kHeaderNamePx) +
        static_cast<double>(header.size() - 1) * measure.LineHeight(kHeaderPx);
    const double chartX = kMarginPx;
    const double chartY = kMarginPx + headerHeight + kMarginPx / 2;
    double height = chartY + drawing.height + kMarginPx;
    if (!drawing.legend.empty()) {
        height += static_cast<double>(drawing.legend.size()) * measure.LineHeight(kLegendPx) +
                  kMarginPx / 2;
    }

    std::string title = "Birth chart";
    if (!result.form.lblName.empty()) {
        title += " of " + result.form.lblName;
    }
    title += ", ";
    title += ChartStyleTitle(drawing.style);
    title += " style";

    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) + "\" height=\"" +
           Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) +
           "\" role=\"img\" aria-labelledby=\"chart-title\" data-style=\"" +
           std::string(ChartStyleName(drawing.style)) + "\">\n";
    out += "<title id=\"chart-title\">" + XmlEscaped(title) + "</title>\n";
    out += "<style>text{font-family:Verdana,\"DejaVu Sans\",sans-serif;fill:#000}"
           ".number{fill:#800000}.marker,.point{fill:#000080}"
           ".cell-outline{fill:#fff;stroke:none}.lines{fill:none;stroke:#000;stroke-width:1}"
           "</style>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";

    out += "<g class=\"header\">\n";
    double y = kMarginPx;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const double size = i == 0 ? kHeaderNamePx : kHeaderPx;
        Text(out, kMarginPx, y + measure.Ascent(size), size, i == 0, i == 0 ? "name" : "detail",
             header[i]);
        y += measure.LineHeight(size);
    }
    out += "</g>\n";

    out += "<g class=\"chart\">\n";
    for (const ChartCell& cell : drawing.cells) {
        out += "<g class=\"cell\" data-sign=\"" + std::to_string(cell.sign + 1) + "\"";
        if (cell.house) {
            out += " data-house=\"" + std::to_string(*cell.house) + "\"";
        }
        out += " role=\"group\" aria-label=\"" + XmlEscaped(cell.sentence) + "\">\n";
        out += "<polygon class=\"cell-outline\" points=\"";
        for (std::size_t i = 0; i < cell.outline.size(); ++i) {
            if (i != 0) {
                out += ' ';
            }
            out += Number(chartX + cell.outline[i].x);
            out += ',';
            out += Number(chartY + cell.outline[i].y);
        }
        out += "\"/>\n";
        for (const PlacedText& text : cell.texts) {
            Text(out, chartX + text.box.x, chartY + text.baselineY, text.sizePx, text.bold,
                 RoleClass(text.role), text.text);
        }
        out += "</g>\n";
    }
    out += "<path class=\"lines\" d=\"";
    for (std::size_t i = 0; i < drawing.lines.size(); ++i) {
        const Segment& line = drawing.lines[i];
        out += (i == 0 ? "M" : " M") + Number(chartX + line.from.x) + " " +
               Number(chartY + line.from.y) + " L" + Number(chartX + line.to.x) + " " +
               Number(chartY + line.to.y);
    }
    out += "\"/>\n</g>\n";

    if (!drawing.legend.empty()) {
        out += "<g class=\"legend\">\n";
        y = chartY + drawing.height + kMarginPx / 2;
        for (const std::string& line : drawing.legend) {
            Text(out, kMarginPx, y + measure.Ascent(kLegendPx), kLegendPx, false, "legend", line);
            y += measure.LineHeight(kLegendPx);
        }
        out += "</g>\n";
    }
    out += "</svg>\n";
    return out;
}

std::string ChartSvg(const ChartResult& result, ChartStyle style, bool withPoints) {
    const EstimatedTextMeasure measure;
    return ChartSvgOfDrawing(
        result, DrawChart(ContentsOfChart(result, withPoints), style, DrawingSizes{}, measure));
}

} // namespace selmarind
