// What every finished chart must hold, whatever the birth: the checks shared
// by the sweeps over the form's inputs.
#pragma once

#include "chart/chart_driver.h"
#include "chart/name_tables.h"
#include "input/birth_entries.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace selmarind {

// "dd Sgn mm": two-digit degrees below 30, a sign, two-digit minutes below 60.
inline bool IsChartText(std::string_view text) {
    if (text.size() != 9 || text[2] != ' ' || text[6] != ' ') {
        return false;
    }
    for (std::size_t i : {0u, 1u, 7u, 8u}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    const int degrees = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[7] - '0') * 10 + (text[8] - '0');
    const std::string_view sign = text.substr(3, 3);
    return degrees < 30 && minutes < 60 &&
           std::find(kSignAbbrevs.begin(), kSignAbbrevs.end(), sign) != kSignAbbrevs.end();
}

// The lines of a cell or marker text, which starts every line with "\r\n".
inline std::vector<std::string_view> CellLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t at = text.find("\r\n");
    while (at != std::string_view::npos) {
        const std::size_t start = at + 2;
        at = text.find("\r\n", start);
        lines.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    }
    return lines;
}

inline bool IsFiniteLongitude(double degrees) {
    return std::isfinite(degrees) && degrees >= 0 && degrees < 360;
}

inline QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every number of the values is finite and every longitude lies in [0, 360).
inline QString NumberFault(const ChartValues& c) {
    const std::pair<const char*, double> values[] = {
        {"AscendantSidereal", c.AscendantSidereal}, {"Ayanamsa", c.Ayanamsa},
        {"MoonLongitude", c.MoonLongitude},         {"MoonNakshatraStart", c.MoonNakshatraStart},
        {"AscendantDegree", c.AscendantDegree},
    };
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return QString("%1 is %2").arg(name).arg(value);
        }
    }
    for (std::size_t i = 0; i < c.longitude.size(); ++i) {
        if (!IsFiniteLongitude(c.longitude[i])) {
            return QString("longitude %1 is %2").arg(i).arg(c.longitude[i]);
        }
    }
    if (c.SunriseSunLongitude && !IsFiniteLongitude(*c.SunriseSunLongitude)) {
        return QString("the Sun at sunrise is at %1").arg(*c.SunriseSunLongitude);
    }
    for (const SpecialPoint& p : c.specialPoints) {
        if (!std::isfinite(p.longitude) ||
            (p.computed && p.isLongitude && !IsFiniteLongitude(p.longitude))) {
            return QString("%1 is at %2").arg(Text(p.name)).arg(p.longitude);
        }
    }
    return {};
}

// Each body stands on its own line in the cell of the sign its chart text
// names, under its display name, and the cells hold nothing else.
inline QString CellFault(const ChartResult& r) {
    std::vector<std::pair<int, std::string_view>> expected;
    for (std::size_t i = 0; i < r.form.planet.size(); ++i) {
        const std::string& name = r.chart.BodyNames[i];
        if (!name.starts_with(kBodyNames[i])) {
            return QString("body %1 is named '%2'").arg(i).arg(Text(name));
        }
        const auto sign = std::find(kSignAbbrevs.begin(), kSignAbbrevs.end(),
                                    std::string_view(r.form.planet[i]).substr(3, 3));
        expected.emplace_back(static_cast<int>(sign - kSignAbbrevs.begin()), name);
    }
    std::vector<std::pair<int, std::string_view>> found;
    for (int s = 0; s < 12; ++s) {
        for (std::string_view line : CellLines(r.form.signCells[static_cast<std::size_t>(s)])) {
            found.emplace_back(s, line);
        }
    }
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    if (found != expected) {
        QStringList cells;
        for (const auto& [sign, line] : found) {
            cells << QString("%1:%2").arg(Text(kSignAbbrevs[static_cast<std::size_t>(sign)]),
                                          Text(line));
        }
        return "the cells hold " + cells.join(", ");
    }
    return {};
}

// The Torvi Lagna is marked once, in the label of its own sign.
inline QString TorviMarkFault(const ChartResult& r) {
    const int sign = r.chart.TorviLagnaSign;
    if (sign < 1 || sign > 12 || r.chart.TorviLagnaHouse < 1 || r.chart.TorviLagnaHouse > 12) {
        return QString("Torvi Lagna sign %1, house %2").arg(sign).arg(r.chart.TorviLagnaHouse);
    }
    int marks = 0;
    for (int s = 0; s < 12; ++s) {
        for (std::string_view line : CellLines(r.form.lblArudha[static_cast<std::size_t>(s)])) {
            if (line.find("TL") != std::string_view::npos) {
                ++marks;
                if (s != sign - 1) {
                    return QString("TL marked in sign %1, Torvi Lagna sign %2")
                        .arg(s + 1)
                        .arg(sign);
                }
            }
        }
    }
    if (marks != 1) {
        return QString("%1 TL markers").arg(marks);
    }
    return {};
}

// Checks what every finished chart must hold; returns the first fault.
inline QString Fault(const ChartResult& r) {
    const ResultFormTexts& f = r.form;
    for (std::size_t i = 0; i < f.planet.size(); ++i) {
        if (!IsChartText(f.planet[i])) {
            return QString("planet %1 reads '%2'").arg(i).arg(Text(f.planet[i]));
        }
    }
    if (QString fault = NumberFault(r.chart); !fault.isEmpty()) {
        return fault;
    }
    if (QString fault = CellFault(r); !fault.isEmpty()) {
        return fault;
    }
    if (QString fault = TorviMarkFault(r); !fault.isEmpty()) {
        return fault;
    }
    if (f.lblHoraDesc.empty()) {
        return "no house sentence";
    }
    for (const std::string& attribute : f.attributes) {
        if (attribute.empty()) {
            return "an empty attribute";
        }
    }
    for (const SpecialPoint& p : r.chart.specialPoints) {
        if (p.computed && (!p.signIndex || *p.signIndex < 0 || *p.signIndex > 11)) {
            return QString("%1 marks sign %2")
                .arg(Text(p.name))
                .arg(p.signIndex ? QString::number(*p.signIndex) : "none");
        }
        if (p.computed && p.isLongitude && !IsChartText(p.chartText)) {
            return QString("%1 reads '%2'").arg(Text(p.name), Text(p.chartText));
        }
    }
    if (r.chart.SunriseToday && r.chart.SunsetToday && r.chart.SunrisePrevDay &&
        r.chart.SunriseNextDay && !r.chart.SunriseSunLongitude) {
        return "every sunrise exists but the Sun at sunrise was not computed";
    }
    return {};
}

// The entries in one line, as a failure message names them.
inline QString Describe(const BirthEntries& e) {
    return QString("%1-%2-%3 %4:%5:%6 lat %7%8%9 lon %10%11%12 zone %13 dst %14")
        .arg(Text(e.cboYear))
        .arg(e.cboMonthIndex + 1)
        .arg(Text(e.cboDate), Text(e.cboHH), Text(e.cboMM), Text(e.cboSS), Text(e.txtLatD),
             e.optLatSouth ? "S" : "N", Text(e.txtLatM))
        .arg(Text(e.txtLonD), e.optLongEast ? "E" : "W", Text(e.txtLonM))
        .arg(e.cmbTimeZoneIndex)
        .arg(e.chkDST);
}

// Calculates the chart of the entries; what is wrong with it, or nothing.
inline QString ChartFault(const BirthEntries& e) {
    const std::optional<ChartResult> result = CalculateChart(e);
    if (!result) {
        return "no chart for " + Describe(e);
    }
    const QString fault = Fault(*result);
    return fault.isEmpty() ? fault : fault + " for " + Describe(e);
}

// Fails the running test when the entries give no chart or a faulty one.
inline void CheckChart(const BirthEntries& e) {
    const QString fault = ChartFault(e);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

} // namespace selmarind
