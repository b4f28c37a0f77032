#include "report/chart_details.h"

#include "engine/name_tables.h"
#include "input/time_zones.h"
#include "report/report.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace selmarind {

namespace {

constexpr std::string_view kMinusSign = "\xE2\x88\x92"; // U+2212

// The special points in marking order under the names the code gives them,
// with the names astrologers know them by. The three time points advance
// from the Sun at sunrise at 1.25, 0.5 and 0.25 degrees a minute.
struct PointName {
    std::string_view codeName;
    std::string_view usualName;
};
constexpr std::array<PointName, 9> kPointNames = {{
    {"first time point", "Ghati Lagna"},
    {"second time point", "Hora Lagna"},
    {"third time point", "Bhava Lagna"},
    {"ninth-lord point", "Indu Lagna"},
    {"parity point", "Varnada Lagna"},
    {"Moon", "Moon"},
    {"Sun at sunrise", "Sun at sunrise"},
    {"nakshatra point", "Sri Lagna"},
    {"vighati point", "Vighati Lagna"},
}};

std::string UsualPointName(const std::string& codeName) {
    for (const PointName& name : kPointNames) {
        if (name.codeName == codeName) {
            return std::string(name.usualName);
        }
    }
    return codeName;
}

std::string SignName(int signIndex) {
    if (signIndex < 0 || signIndex > 11) {
        return {};
    }
    return std::string(kSignNames[static_cast<std::size_t>(signIndex)]);
}

std::string DateText(int year, int month, int day) {
    return std::string(MonthName(month)) + "/" + std::to_string(day) + "/" + std::to_string(year);
}

std::string OptionalClock(const std::optional<ClockTime>& time) {
    return time ? ClockText(*time) : "none";
}

std::string ZoneEntryText(const BirthEntries& entries) {
    const int index = entries.cmbTimeZoneIndex;
    if (index >= 0 && index < kTimeZoneCount) {
        return std::string(TimeZoneList()[static_cast<std::size_t>(index)].itemText);
    }
    if (index == kExactZoneIndex && entries.exactZone) {
        return entries.exactZone->label;
    }
    return "none";
}

std::string PointValue(const SpecialPoint& point) {
    if (!point.computed) {
        return kNotDefinedText;
    }
    if (!point.signIndex) {
        return "no sign";
    }
    const std::string sign = SignName(*point.signIndex);
    return point.chartText.empty() ? sign : point.chartText + " (" + sign + ")";
}

} // namespace

std::string UtcOffsetText(const BirthEntries& entries) {
    const std::optional<ZoneCorrection> zone = SelectedZoneCorrection(entries);
    if (!zone) {
        return {};
    }
    // The correction counts west of Greenwich positive; the offset east.
    const long long offsetSeconds = -zone->TotalSeconds() + (entries.chkDST ? 3600 : 0);
    const long long magnitude = std::llabs(offsetSeconds);
    char digits[48];
    std::snprintf(digits, sizeof digits, "%02lld:%02lld", magnitude / 3600, magnitude / 60 % 60);
    std::string text = "UTC";
    text += offsetSeconds < 0 ? std::string(kMinusSign) : std::string("+");
    text += digits;
    if (magnitude % 60 != 0) {
        std::snprintf(digits, sizeof digits, ":%02lld", magnitude % 60);
        text += digits;
    }
    if (entries.chkDST) {
        text += " with daylight saving";
    }
    return text;
}

std::string AngleDmsText(double angleDeg) {
    if (!std::isfinite(angleDeg)) {
        return {};
    }
    // Truncated, as FormatLongitude truncates: a shown second has passed.
    const auto totalSeconds = static_cast<long long>(std::floor(std::fabs(angleDeg) * 3600 + 1e-7));
    // The marks of the positions to the second beside it: ° ' ".
    return std::to_string(totalSeconds / 3600) + std::string(kDegreeSign) + " " +
           std::to_string(totalSeconds / 60 % 60) + "' " + std::to_string(totalSeconds % 60) + "\"";
}

std::string AyanamsaDmsText(const ChartValues& chart) {
    // chart.ayanamsa holds the ayanamsa negated; a user value near 0 makes
    // the ayanamsa a little negative before J2000.
    const std::string magnitude = AngleDmsText(chart.ayanamsa);
    const bool negative = chart.ayanamsa > 0 && magnitude != AngleDmsText(0);
    return (negative ? std::string(kMinusSign) : std::string()) + magnitude;
}

std::string GroupedNumber(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return value < 0 ? std::string(kMinusSign) + digits : digits;
}

std::string SpanText(long long minutes, long long seconds) {
    const long long magnitude = minutes < 0 ? -minutes : minutes;
    std::string text = minutes < 0 ? std::string(kMinusSign) : std::string();
    if (magnitude >= 60) {
        text += std::to_string(magnitude / 60) + " h ";
    }
    text += std::to_string(magnitude % 60) + " min (" + GroupedNumber(seconds) + " s)";
    return text;
}

std::string PositionSourceText(const ChartValues& chart) {
    if (chart.positions == PositionSource::Classic) {
        return "classic";
    }
    if (chart.ephemeris == "swiss-files") {
        return "Swiss Ephemeris (data files)";
    }
    return "Swiss Ephemeris (analytical)";
}

std::string PositionsNoteText(const ChartValues& chart) {
    // Texts are appended, never prepended to a temporary: GCC 12 misreads
    // "literal" + std::string&& as an overlapping copy (-Wrestrict) at -O3.
    std::string text = "Positions: ";
    text += PositionSourceText(chart);
    if (chart.positions == PositionSource::Classic) {
        text += ", built-in ayanamsa";
    } else {
        // chart.ayanamsa holds the ayanamsa negated.
        text += ", ";
        text += AyanamsaNoteText(chart.ayanamsaName, -chart.ayanamsa);
        if (chart.sunrise == SunriseConvention::Centre) {
            text += ", sunrise at the disc centre";
        }
    }
    return text;
}

std::vector<DetailSection> ChartDetailSections(const ChartResult& result,
                                               const BirthEntries& entries) {
    const ChartValues& chart = result.chart;
    std::vector<DetailSection> sections;

    {
        const CivilDateTime& ut = chart.birthUniversal;
        char clock[32];
        std::snprintf(clock, sizeof clock, " %d:%02d:%02d UT", ut.hour, ut.minute, ut.second);
        sections.push_back({DetailSectionKind::BirthInstant,
                            "Birth Instant",
                            {{"Universal time", DateText(ut.year, ut.month, ut.day) + clock},
                             {"Time zone", ZoneEntryText(entries)},
                             {"Daylight Saving Time", entries.chkDST ? "yes" : "no"},
                             {"UTC offset", UtcOffsetText(entries)}}});
    }

    {
        DetailSection source{DetailSectionKind::Source, "Positions and Ayanamsa", {}};
        source.rows.push_back({"Position source", PositionSourceText(chart)});
        if (chart.positions == PositionSource::Precise) {
            source.rows.push_back(
                {"Sunrise convention", chart.sunrise == SunriseConvention::Centre
                                           ? "disc centre, without refraction"
                                           : "upper limb, with standard refraction"});
        }
        source.rows.push_back({"Ayanamsa in force", chart.ayanamsaName});
        source.rows.push_back({"Ayanamsa", AyanamsaDmsText(chart)});
        sections.push_back(std::move(source));
    }

    {
        DetailSection sunrise{DetailSectionKind::Sunrise, "Sunrise and Sunset", {}};
        sunrise.rows.push_back({"Sunrise on the birth date", OptionalClock(chart.sunriseToday)});
        sunrise.rows.push_back({"Sunset on the birth date", OptionalClock(chart.sunsetToday)});
        sunrise.rows.push_back({"Sunrise on the day before", OptionalClock(chart.sunrisePrevDay)});
        sunrise.rows.push_back({"Sunrise on the day after", OptionalClock(chart.sunriseNextDay)});
        if (chart.referenceSunrise && chart.minutesFromSunrise && chart.secondsFromSunrise) {
            const CivilDateTime& r = *chart.referenceSunrise;
            sunrise.rows.push_back(
                {"Reference sunrise (birth's clock)",
                 DateText(r.year, r.month, r.day) + " " + ClockText({r.hour, r.minute, 0})});
            sunrise.rows.push_back(
                {"Time from the reference sunrise",
                 SpanText(*chart.minutesFromSunrise, *chart.secondsFromSunrise)});
        } else {
            sunrise.rows.push_back({"Reference sunrise (birth's clock)", "none"});
            sunrise.rows.push_back({"Time from the reference sunrise", "none"});
        }
        sections.push_back(std::move(sunrise));
    }

    {
        DetailSection points{DetailSectionKind::SpecialPoints, "Special Points", {}};
        for (const SpecialPoint& point : chart.specialPoints) {
            points.rows.push_back({UsualPointName(point.name), PointValue(point)});
        }
        sections.push_back(std::move(points));
    }

    {
        DetailSection arudhas{DetailSectionKind::Arudhas, "Arudhas of the Houses", {}};
        for (int house = 1; house <= 12; ++house) {
            const int sign = chart.ArudhaSignOfHouse(house);
            std::string name = "A";
            name += std::to_string(house);
            if (house == 1) {
                name += " = Arudha Lagna";
            }
            arudhas.rows.push_back(
                {std::move(name), sign >= 1 && sign <= 12 ? SignName(sign - 1) : "none"});
        }
        sections.push_back(std::move(arudhas));
    }

    {
        DetailSection positions{DetailSectionKind::Positions, "Positions to the Second", {}};
        for (std::size_t i = 0; i < chart.dmsText.size(); ++i) {
            std::string value = chart.dmsText[i];
            if (const auto slot = RetrogradeSlot(i); slot && chart.retrogradeFlags[*slot]) {
                value += " (R) retrograde";
            }
            positions.rows.push_back({kPlanetCaptions[i], std::move(value)});
        }
        sections.push_back(std::move(positions));
    }
    return sections;
}

} // namespace selmarind
