#include "report/report.h"

#include "chart/sign_tables.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"
#include "report/chart_details.h"
#include "report/dasha_text.h"
#include "report/navamsa_text.h"

#include <cstdio>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace selmarind {

namespace {

constexpr std::size_t kCellWidth = 14; // characters inside one chart cell
constexpr std::size_t kWrapWidth = 76;

// The non-empty lines of a caption with "\r\n" breaks, trailing spaces cut.
std::vector<std::string> CaptionLines(const std::string& caption) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= caption.size()) {
        std::size_t end = caption.find("\r\n", start);
        if (end == std::string::npos) {
            end = caption.size();
        }
        std::string line = caption.substr(start, end - start);
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        start = end + 2;
    }
    return lines;
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() > width) {
        text.resize(width);
    }
    text.append(width - text.size(), ' ');
    return text;
}

// Greedy word wrap with an indent; the text's own spacing is kept inside a line.
std::string Wrapped(const std::string& text, const std::string& indent) {
    std::string out;
    std::string line;
    bool open = false;
    const auto flush = [&] {
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        if (!line.empty()) {
            out += indent + line + "\n";
        }
        line.clear();
        open = false;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(start, end - start);
        if (open && !word.empty() && indent.size() + line.size() + 1 + word.size() > kWrapWidth) {
            flush();
        }
        if (open) {
            line += " " + word;
        } else if (!word.empty()) {
            line = word;
            open = true;
        }
        start = end + 1;
    }
    flush();
    return out;
}

std::string OptionalClockText(const std::optional<ClockTime>& time) {
    return time ? ClockText(*time) : "none";
}

void Field(std::ostringstream& out, std::string_view caption, std::string_view value) {
    out << "  " << Padded(std::string(caption), 28) << ": " << value << "\n";
}

// The Torvi Lagna's sign name; empty for a result whose sign is not 1..12
// (a default result), so no result can make the report read past the names.
std::string TorviLagnaSignName(const ChartValues& chart) {
    const std::optional<std::size_t> index = chart.TorviLagnaIndex();
    return index ? std::string(kSignNames[*index]) : std::string();
}

} // namespace

std::string SouthIndianChart(const std::array<std::string, 12>& signCells,
                             const std::array<std::string, 12>& markerLabels) {
    // Sign index of each cell of the 4 x 4 square, row by row; -1 is the middle.
    static constexpr int kLayout[4][4] = {
        {11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};

    const auto cellLines = [&](int sign) {
        std::vector<std::string> lines;
        if (sign < 0) {
            return lines;
        }
        const auto k = static_cast<std::size_t>(sign);
        lines.emplace_back(kSignAbbrevs[k]);
        for (auto& line : CaptionLines(signCells[k])) {
            lines.push_back(line);
        }
        for (auto& line : CaptionLines(markerLabels[k])) {
            lines.push_back(line);
        }
        return lines;
    };

    const std::string dashes(kCellWidth, '-');
    std::string border;
    for (int col = 0; col < 4; ++col) {
        border.append("+").append(dashes);
    }
    border.append("+\n");
    std::string middleBorder;
    middleBorder.append("+").append(dashes).append("+");
    middleBorder.append(2 * kCellWidth + 1, ' ');
    middleBorder.append("+").append(dashes).append("+\n");

    std::string out = border;
    for (int row = 0; row < 4; ++row) {
        std::vector<std::vector<std::string>> cells;
        std::size_t height = 3;
        for (int col = 0; col < 4; ++col) {
            cells.push_back(cellLines(kLayout[row][col]));
            height = std::max(height, cells.back().size());
        }
        const bool middleRow = row == 1 || row == 2;
        for (std::size_t l = 0; l < height; ++l) {
            for (int col = 0; col < 4; ++col) {
                const auto& lines = cells[static_cast<std::size_t>(col)];
                if (middleRow && col == 2) {
                    out.append(kCellWidth + 1, ' '); // the middle spans two cells
                    continue;
                }
                std::string text;
                if (l < lines.size()) {
                    text.append(" ").append(lines[l]);
                }
                out.append("|").append(Padded(std::move(text), kCellWidth));
            }
            out.append("|\n");
        }
        out.append(row == 1 ? middleBorder : border);
    }
    return out;
}

std::string ClockText(const ClockTime& time) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", time.hour, time.minute);
    return buffer;
}

std::string PlainReport(const ChartResult& result, const BirthEntries& entries, bool withDasha) {
    const ResultFormTexts& form = result.form;
    const ChartValues& chart = result.chart;
    std::ostringstream out;

    out << "Your Details\n";
    Field(out, "Name", form.lblName);
    Field(out, "Date of Birth", form.lblDOB);
    Field(out, "Time of Birth", form.lblTOB);
    Field(out, "Latitude", form.lblLatitude);
    Field(out, "Longitude", form.lblLongitude);
    Field(out, "City", form.lblCity);
    Field(out, "State", form.lblState);
    Field(out, "Country", form.lblCountry);
    // The zone, list or exact entry alike, with the universal time and the
    // UTC offset: the rows of the details tab, never worded twice.
    const std::vector<DetailSection> details = ChartDetailSections(result, entries);
    for (const DetailSection& section : details) {
        if (section.kind == DetailSectionKind::BirthInstant) {
            for (const DetailRow& row : section.rows) {
                Field(out, row.caption, row.value);
            }
        }
    }

    out << "\nVedic Planetary Position\n";
    for (std::size_t i = 0; i < form.planet.size(); ++i) {
        std::string line = "  " + Padded(kPlanetCaptions[i], 18) + form.planet[i];
        if (const auto slot = RetrogradeSlot(i); slot && chart.retrogradeFlags[*slot]) {
            line += "  (R) retrograde";
        }
        out << line << "\n";
    }

    out << "\nSunrise and Sunset\n";
    Field(out, "Sunrise on the birth date", OptionalClockText(chart.sunriseToday));
    Field(out, "Sunset on the birth date", OptionalClockText(chart.sunsetToday));
    Field(out, "Sunrise on the day before", OptionalClockText(chart.sunrisePrevDay));
    Field(out, "Sunrise on the day after", OptionalClockText(chart.sunriseNextDay));
    if (chart.referenceSunrise && chart.minutesFromSunrise && chart.secondsFromSunrise) {
        const CivilDateTime& r = *chart.referenceSunrise;
        Field(out, "Reference sunrise",
              std::string(MonthName(r.month)) + "/" + std::to_string(r.day) + "/" +
                  std::to_string(r.year) + " " + ClockText({r.hour, r.minute}));
        Field(out, "Birth to reference sunrise",
              SpanText(*chart.minutesFromSunrise, *chart.secondsFromSunrise));
    } else {
        Field(out, "Reference sunrise", "none (the Sun does not rise or set there then)");
    }

    // The computed values the designed report lacked, from the rows the
    // result form's details tab shows.
    for (const DetailSection& section : details) {
        if (section.kind == DetailSectionKind::Source ||
            section.kind == DetailSectionKind::SpecialPoints ||
            section.kind == DetailSectionKind::Arudhas) {
            out << "\n" << section.title << "\n";
            for (const DetailRow& row : section.rows) {
                Field(out, row.caption, row.value);
            }
        }
    }

    out << "\nHora\n" << SouthIndianChart(form.signCells, form.lblArudha);

    out << "\nTorvi Lagna\n";
    Field(out, "Sign", TorviLagnaSignName(chart));
    Field(out, "House from the ascendant", std::to_string(chart.torviLagnaHouse));
    out << "\nTorvi Lagna Present In House Significance\n" << Wrapped(form.lblHoraDesc, "  ");

    out << "\nTorvi Lagna Details\n";
    for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
        if (!kAttributeControls[c].isParagraph) {
            Field(out, kAttributeControls[c].caption, form.attributes[c]);
        }
    }
    for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
        if (kAttributeControls[c].isParagraph) {
            out << "\n"
                << kAttributeControls[c].caption << "\n"
                << Wrapped(form.attributes[c], "  ");
        }
    }

    out << "\nNavamsa\n";
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        const int sign = chart.navamsa.signs[i];
        std::string line =
            "  " + Padded(kPlanetCaptions[i], 18) +
            std::string(sign >= 0 && sign < 12 ? kSignNames[static_cast<std::size_t>(sign)]
                                               : std::string_view());
        if (const auto slot = RetrogradeSlot(i); slot && chart.retrogradeFlags[*slot]) {
            line += "  (R) retrograde";
        }
        out << line << "\n";
    }
    out << SouthIndianChart(NavamsaSignCells(chart), NavamsaMarkerLabels(chart))
        << Wrapped(NavamsaTorviLagnaSentence(chart), "  ");

    if (withDasha) {
        out << "\nVimshottari Dasha\n";
        const std::optional<DashaBalance> balance =
            chart.dasha.empty() ? std::nullopt
                                : VimshottariBalance(chart.longitude[Index(Body::Moon)]);
        if (balance) {
            Field(out, "Balance at birth", DashaBalanceText(*balance));
        }
        const std::string offset = UtcOffsetText(entries);
        out << "  Dates are in the birth's UTC offset"
            << (offset.empty() ? "" : " (" + offset + ")") << ".\n";
        const UtInstant birth{SerialSeconds(chart.birthUniversal)};
        for (const std::string& line : DashaLines(chart.dasha, birth, chart.utcOffsetSeconds)) {
            out << "  " << line << "\n";
        }
    }
    return out.str();
}

} // namespace selmarind
