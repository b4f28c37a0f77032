// Fuzzes the chart geometry and the SVG writer with any cell contents and
// sizes.
//
// Input (FuzzedDataProvider): the style, six sizes (each a designed value, a
// hostile one: 0, negative, NaN, infinite, tiny, huge, or any double by its
// bits), the ascendant (any int or none), then texts for the cells (bodies,
// markers, points: any bytes, empty, long, not UTF-8), the legend and the
// header's name and place.
//
// Every drawing has finite coordinates, twelve cells and every placed text
// inside its cell's outline; a cell that says it is not shortened shows all
// its texts unabbreviated, in order. The SVG of the drawing, and of a chart
// whose cell texts are the same bytes, is well-formed XML 1.0: only XML
// characters, valid UTF-8, balanced elements, quoted attributes, known
// references, and finite numbers in every coordinate.
#include "drawing/chart_geometry.h"
#include "drawing/svg_writer.h"
#include "fuzz_checks.h"
#include "input/utf8_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace selmarind;
using selmarind::fuzz::Require;

namespace {

double SizeOf(FuzzedDataProvider& in, double designed) {
    switch (in.ConsumeIntegralInRange<int>(0, 11)) {
    case 0:
        return 0;
    case 1:
        return -designed;
    case 2:
        return std::nan("");
    case 3:
        return INFINITY;
    case 4:
        return 1e-300;
    case 5:
        return 1e300;
    case 6: {
        const auto bits = in.ConsumeIntegral<std::uint64_t>();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 7:
        return in.ConsumeFloatingPointInRange<double>(0, 10 * designed);
    case 8:
        return designed * in.ConsumeIntegralInRange<int>(1, 40) / 4;
    default:
        return designed;
    }
}

std::vector<std::string> TextsOf(FuzzedDataProvider& in, std::size_t most) {
    std::vector<std::string> texts(in.ConsumeIntegralInRange<std::size_t>(0, most));
    for (std::string& text : texts) {
        text = in.ConsumeRandomLengthString(64);
    }
    return texts;
}

bool Finite(const Box& b) {
    return std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.width) &&
           std::isfinite(b.height) && b.width >= 0 && b.height >= 0;
}

void CheckDrawing(const ChartContents& contents, const ChartDrawing& drawing) {
    Require(std::isfinite(drawing.width) && drawing.width > 0 && drawing.height == drawing.width,
            "a drawing that is not a square of finite size");
    for (const Segment& line : drawing.lines) {
        Require(std::isfinite(line.from.x) && std::isfinite(line.from.y) &&
                    std::isfinite(line.to.x) && std::isfinite(line.to.y),
                "a line that is not finite");
    }
    for (std::size_t s = 0; s < 12; ++s) {
        const ChartCell& cell = drawing.cells[s];
        const CellContents& given = contents.cells[s];
        Require(cell.sign == static_cast<int>(s), "cells out of sign order");
        Require(cell.outline.size() >= 3, "a cell without an outline");
        // The tolerance of the fitting, in proportion to the drawing.
        const double tolerance = 1e-9 * drawing.width + 1e-6;
        for (const PlacedText& text : cell.texts) {
            if (!(Finite(text.box) && std::isfinite(text.baselineY) && std::isfinite(text.sizePx) &&
                  text.sizePx >= 0)) {
                std::fprintf(stderr, "text size %g box %g %g %g %g\n", text.sizePx, text.box.x,
                             text.box.y, text.box.width, text.box.height);
            }
            Require(Finite(text.box) && std::isfinite(text.baselineY) &&
                        std::isfinite(text.sizePx) && text.sizePx >= 0,
                    "a placed text that is not finite");
            Require(BoxInOutline(cell.outline, text.box, tolerance), "a text outside its cell");
        }
        // No two texts of a cell on each other (a text of no extent hides nothing).
        for (std::size_t i = 0; i < cell.texts.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                const Box& a = cell.texts[i].box;
                const Box& b = cell.texts[j].box;
                const bool apart =
                    a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0 ||
                    a.x + a.width <= b.x + tolerance || b.x + b.width <= a.x + tolerance ||
                    a.y + a.height <= b.y + tolerance || b.y + b.height <= a.y + tolerance;
                if (!apart) {
                    std::fprintf(stderr,
                                 "cell %zu style %d: role %d (%zu bytes) %g %g %g %g on role %d "
                                 "(%zu bytes) %g %g %g %g\n",
                                 s, static_cast<int>(drawing.style),
                                 static_cast<int>(cell.texts[i].role), cell.texts[i].text.size(),
                                 a.x, a.y, a.width, a.height, static_cast<int>(cell.texts[j].role),
                                 cell.texts[j].text.size(), b.x, b.y, b.width, b.height);
                }
                Require(apart, "two texts of a cell on each other");
            }
        }
        Require(cell.sentence == CellSentence(contents, static_cast<int>(s)),
                "a cell's sentence not its contents'");
        if (!cell.shortened) {
            std::vector<std::string> expected = {std::to_string(s + 1)};
            expected.insert(expected.end(), given.markers.begin(), given.markers.end());
            expected.insert(expected.end(), given.bodies.begin(), given.bodies.end());
            expected.insert(expected.end(), given.points.begin(), given.points.end());
            Require(cell.texts.size() == expected.size(), "a cell not shortened that lacks texts");
            for (std::size_t i = 0; i < expected.size(); ++i) {
                Require(cell.texts[i].text == expected[i],
                        "a cell not shortened that changed a text");
            }
        }
    }
}

// ---- A small XML 1.0 well-formedness check of what the writer emits ----

bool IsXmlChar(std::string_view sequence) {
    const auto c = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) {
        return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
    }
    return sequence != "\xEF\xBF\xBE" && sequence != "\xEF\xBF\xBF";
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == ':' || c == '.';
}

// Character data or an attribute value: every & starts a known reference,
// no < (and no " inside an attribute).
void CheckCharacterData(std::string_view text, bool attribute) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        Require(text[i] != '<', "a raw < in character data");
        Require(!attribute || text[i] != '"', "a raw quote in an attribute");
        if (text[i] == '&') {
            const std::string_view rest = text.substr(i);
            Require(rest.starts_with("&amp;") || rest.starts_with("&lt;") ||
                        rest.starts_with("&gt;") || rest.starts_with("&quot;") ||
                        rest.starts_with("&apos;"),
                    "an unknown reference");
        }
    }
}

// Attributes that hold numbers: nothing but a finite number's characters.
void CheckNumbers(std::string_view name, std::string_view value) {
    if (name != "x" && name != "y" && name != "width" && name != "height" && name != "viewBox" &&
        name != "font-size" && name != "points" && name != "d") {
        return;
    }
    if (value == "100%") {
        return;
    }
    for (const char c : value) {
        Require((c >= '0' && c <= '9') || c == '.' || c == '-' || c == ' ' || c == ',' ||
                    c == 'M' || c == 'L',
                "a coordinate that is not a finite number");
    }
}

bool OnlySpace(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void CheckXml(std::string_view xml) {
    Require(IsValidUtf8(xml), "an SVG that is not UTF-8");
    for (std::size_t i = 0; i < xml.size();) {
        const std::size_t length = Utf8SequenceLength(xml, i);
        Require(IsXmlChar(xml.substr(i, length)), "a character XML 1.0 cannot hold");
        i += length;
    }
    constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Require(xml.starts_with(kDeclaration), "an SVG without its declaration");
    std::vector<std::string_view> open;
    bool root = false;
    std::size_t i = kDeclaration.size();
    while (i < xml.size()) {
        const std::size_t lt = xml.find('<', i);
        CheckCharacterData(xml.substr(i, lt - i), false);
        Require(!open.empty() || OnlySpace(xml.substr(i, lt - i)), "text outside the root element");
        if (lt == std::string_view::npos) {
            break;
        }
        i = lt + 1;
        const bool closing = i < xml.size() && xml[i] == '/';
        i += closing ? 1 : 0;
        const std::size_t nameStart = i;
        while (i < xml.size() && IsNameChar(xml[i])) {
            ++i;
        }
        const std::string_view name = xml.substr(nameStart, i - nameStart);
        Require(!name.empty(), "a tag without a name");
        if (closing) {
            Require(!open.empty() && open.back() == name && i < xml.size() && xml[i] == '>',
                    "an end tag that closes no open element");
            open.pop_back();
            ++i;
            continue;
        }
        Require(open.empty() ? !root : true, "a second root element");
        root = true;
        for (;;) {
            while (i < xml.size() && xml[i] == ' ') {
                ++i;
            }
            Require(i < xml.size(), "a tag that does not end");
            if (xml[i] == '>' || xml.substr(i).starts_with("/>")) {
                break;
            }
            const std::size_t attributeStart = i;
            while (i < xml.size() && IsNameChar(xml[i])) {
                ++i;
            }
            const std::string_view attribute = xml.substr(attributeStart, i - attributeStart);
            Require(!attribute.empty() && xml.substr(i).starts_with("=\""),
                    "an attribute without a quoted value");
            i += 2;
            const std::size_t end = xml.find('"', i);
            Require(end != std::string_view::npos, "an attribute value that does not end");
            CheckCharacterData(xml.substr(i, end - i), true);
            CheckNumbers(attribute, xml.substr(i, end - i));
            i = end + 1;
        }
        if (xml[i] == '>') {
            open.push_back(name);
            ++i;
        } else {
            i += 2;
        }
    }
    Require(root && open.empty(), "elements left open");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const ChartStyle style = kChartStyles[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
    const DrawingSizes designed;
    DrawingSizes sizes;
    sizes.sidePx = SizeOf(in, designed.sidePx);
    sizes.bodyPx = SizeOf(in, designed.bodyPx);
    sizes.numberPx = SizeOf(in, designed.numberPx);
    sizes.markerPx = SizeOf(in, designed.markerPx);
    sizes.minTextPx = SizeOf(in, designed.minTextPx);
    sizes.paddingPx = SizeOf(in, designed.paddingPx);

    ChartContents contents;
    if (in.ConsumeBool()) {
        contents.ascendantSign =
            in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 11) : in.ConsumeIntegral<int>();
    }
    for (CellContents& cell : contents.cells) {
        cell.bodies = TextsOf(in, 12);
        cell.markers = TextsOf(in, 3);
        cell.points = TextsOf(in, 14);
    }
    contents.legend = TextsOf(in, 12);

    ChartResult result;
    result.form.lblName = in.ConsumeRandomLengthString(80);
    result.form.lblCity = in.ConsumeRandomLengthString(80);
    result.form.lblLatitude = in.ConsumeRandomLengthString(16);
    result.chart.ayanamsaName = in.ConsumeRandomLengthString(40);
    result.chart.positions = in.ConsumeBool() ? PositionSource::Precise : PositionSource::Classic;
    result.chart.ayanamsa = in.ConsumeFloatingPointInRange<double>(-360, 360);

    if (std::getenv("FUZZ_SHOW_SIZES")) {
        std::fprintf(stderr, "sizes %g %g %g %g %g %g\n", sizes.sidePx, sizes.bodyPx,
                     sizes.numberPx, sizes.markerPx, sizes.minTextPx, sizes.paddingPx);
    }
    const EstimatedTextMeasure measure;
    const ChartDrawing drawing = DrawChart(contents, style, sizes, measure);
    CheckDrawing(contents, drawing);
    CheckXml(ChartSvgOfDrawing(result, drawing));

    // The same bytes as a chart's cell texts, through the contents of a chart.
    for (std::size_t s = 0; s < 12; ++s) {
        for (const std::string& body : contents.cells[s].bodies) {
            result.form.signCells[s] += body + "\n";
        }
        for (const std::string& marker : contents.cells[s].markers) {
            result.form.lblArudha[s] += marker + "\r\n";
        }
    }
    // Any int as the sign number, 1..12 when the contents had a sign.
    const int ascendant = contents.ascendantSign.value_or(-1);
    result.chart.ascendantSignNumber =
        ascendant >= 0 && ascendant <= 11 ? ascendant + 1 : ascendant;
    CheckXml(ChartSvg(result, style, in.ConsumeBool()));
    return 0;
}
