#include "cli/chart_json.h"
#include "report/report.h"

#include "chart/sign_tables.h"
#include "engine/name_tables.h"
#include "engine/retrogrades.h"

#include <cstdio>

namespace selmarind::cli {

namespace {

void OptionalClock(JsonWriter& w, const std::optional<ClockTime>& time) {
    if (time) {
        w.String(ClockText(*time));
    } else {
        w.Null();
    }
}

void OptionalInteger(JsonWriter& w, const std::optional<long long>& value) {
    if (value) {
        w.Integer(*value);
    } else {
        w.Null();
    }
}

std::string DateTimeText(const CivilDateTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return buffer;
}

const char* PeriodText(BirthPeriod period) {
    switch (period) {
    case BirthPeriod::Day:
        return "day";
    case BirthPeriod::BeforeSunrise:
        return "before sunrise";
    case BirthPeriod::AfterSunset:
        return "after sunset";
    }
    return "";
}

void WriteForm(JsonWriter& w, const ResultFormTexts& form) {
    w.BeginObject();
    w.Key("lblName");
    w.String(form.lblName);
    w.Key("lblDOB");
    w.String(form.lblDOB);
    w.Key("lblTOB");
    w.String(form.lblTOB);
    w.Key("lblLatitude");
    w.String(form.lblLatitude);
    w.Key("lblLongitude");
    w.String(form.lblLongitude);
    w.Key("lblCity");
    w.String(form.lblCity);
    w.Key("lblState");
    w.String(form.lblState);
    w.Key("lblCountry");
    w.String(form.lblCountry);
    w.Key("planet");
    w.BeginArray();
    for (const auto& text : form.planet) {
        w.String(text);
    }
    w.EndArray();
    for (std::size_t k = 0; k < form.signCells.size(); ++k) {
        w.Key(kSignCellNames[k]);
        w.String(form.signCells[k]);
    }
    w.Key("lblArudha");
    w.BeginArray();
    for (const auto& text : form.lblArudha) {
        w.String(text);
    }
    w.EndArray();
    w.Key("lblHoraDesc");
    w.String(form.lblHoraDesc);
    for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
        w.Key(kAttributeControls[c].objectName);
        w.String(form.attributes[c]);
    }
    w.EndObject();
}

void WriteSpecialPoint(JsonWriter& w, const SpecialPoint& point) {
    w.BeginObject();
    w.Key("name");
    w.String(point.name);
    w.Key("computed");
    w.Bool(point.computed);
    w.Key("longitude");
    if (point.computed && point.isLongitude) {
        w.Number(point.longitude);
    } else {
        w.Null();
    }
    w.Key("chartText");
    if (point.computed && !point.chartText.empty()) {
        w.String(point.chartText);
    } else {
        w.Null();
    }
    w.Key("sign");
    if (point.signIndex) {
        w.String(kSignAbbrevs[static_cast<std::size_t>(*point.signIndex)]);
    } else {
        w.Null();
    }
    w.EndObject();
}

std::string UniversalText(const CivilDateTime& t) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

void WritePlace(JsonWriter& w, const PlaceSummary& place) {
    w.BeginObject();
    const auto text = [&](const char* key, const std::optional<std::string>& value) {
        w.Key(key);
        w.OptionalString(value);
    };
    const PlaceMatch* match = place.atlasPlace ? &*place.atlasPlace : nullptr;
    text("name", match ? std::optional<std::string>(match->name) : std::nullopt);
    text("division", match ? std::optional<std::string>(match->division) : std::nullopt);
    text("country", match ? std::optional<std::string>(match->country) : std::nullopt);
    w.Key("latitude");
    w.Number(place.latitudeDeg);
    w.Key("longitude");
    w.Number(place.longitudeDeg);
    text("timeZone",
         place.timeZone.empty() ? std::nullopt : std::optional<std::string>(place.timeZone));
    w.Key("utcOffsetSeconds");
    w.Integer(place.utcOffsetSeconds);
    w.Key("zoneIndex");
    if (place.zoneIndex) {
        w.Integer(*place.zoneIndex);
    } else {
        w.Null();
    }
    w.Key("dst");
    if (place.dst) {
        w.Bool(*place.dst);
    } else {
        w.Null();
    }
    w.EndObject();
}

// Body name -> D9 sign abbreviation, then "TorviLagnaSign".
void WriteNavamsa(JsonWriter& w, const NavamsaChart& navamsa) {
    const auto sign = [&w](int index) {
        if (index >= 0 && index < 12) {
            w.String(kSignAbbrevs[static_cast<std::size_t>(index)]);
        } else {
            w.Null();
        }
    };
    w.BeginObject();
    for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
        w.Key(kBodyNames[i]);
        sign(navamsa.signs[i]);
    }
    w.Key("TorviLagnaSign");
    sign(navamsa.torviLagnaSign - 1);
    w.EndObject();
}

// A period as "lord", "start", "end" (ISO 8601 UT) and, for a period, "sub".
void WriteDashaPeriod(JsonWriter& w, const DashaPeriod& period, bool withSub) {
    w.BeginObject();
    w.Key("lord");
    w.String(kBodyNames[Index(period.lord)]);
    w.Key("start");
    w.String(IsoUtText(period.start));
    w.Key("end");
    w.String(IsoUtText(period.end));
    if (withSub) {
        w.Key("sub");
        w.BeginArray();
        for (const DashaPeriod& sub : period.sub) {
            WriteDashaPeriod(w, sub, false);
        }
        w.EndArray();
    }
    w.EndObject();
}

void WriteChart(JsonWriter& w, const ChartValues& chart, ChartStyle style, bool withDasha) {
    w.BeginObject();
    w.Key("positions");
    w.String(PositionSourceName(chart.positions));
    w.Key("ephemeris");
    w.String(chart.ephemeris);
    // The rule the sunrises were found with: the classic source always
    // takes the upper limb with standard refraction (90°50'), whatever was
    // asked for the precise one.
    w.Key("sunrise");
    w.String(SunriseConventionName(
        chart.positions == PositionSource::Classic ? SunriseConvention::Limb : chart.sunrise));
    w.Key("BirthUniversal");
    w.String(UniversalText(chart.birthUniversal));
    w.Key("FormatLongitude");
    w.BeginObject();
    for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
        w.Key(kBodyNames[i]);
        w.String(chart.dmsText[i]);
    }
    w.EndObject();
    w.Key("SiderealLongitude");
    w.BeginObject();
    for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
        w.Key(kBodyNames[i]);
        w.Number(chart.longitude[i]);
    }
    w.EndObject();
    w.Key("AscendantSidereal");
    w.Number(chart.ascendantSidereal);
    w.Key("Ayanamsa");
    w.Number(chart.ayanamsa);
    w.Key("MoonLongitude");
    w.Number(chart.moonLongitude);
    w.Key("MoonNakshatraStart");
    w.Number(chart.moonNakshatraStart);
    w.Key("AscendantSignNumber");
    w.Integer(chart.ascendantSignNumber);
    w.Key("TorviLagnaSign");
    w.Integer(chart.torviLagnaSign);
    w.Key("TorviLagnaHouse");
    w.Integer(chart.torviLagnaHouse);
    w.Key("RetrogradeFlags");
    w.BeginObject();
    for (std::size_t p = 0; p < kRetrogradePlanets.size(); ++p) {
        w.Key(kRetrogradePlanets[p]);
        w.Bool(chart.retrogradeFlags[p]);
    }
    w.EndObject();
    w.Key("SunriseToday");
    OptionalClock(w, chart.sunriseToday);
    w.Key("SunsetToday");
    OptionalClock(w, chart.sunsetToday);
    w.Key("SunrisePrevDay");
    OptionalClock(w, chart.sunrisePrevDay);
    w.Key("SunriseNextDay");
    OptionalClock(w, chart.sunriseNextDay);
    w.Key("ReferenceSunrise");
    w.OptionalString(chart.referenceSunrise
                         ? std::optional<std::string>(DateTimeText(*chart.referenceSunrise))
                         : std::nullopt);
    w.Key("ReferencePeriod");
    w.OptionalString(chart.referencePeriod
                         ? std::optional<std::string>(PeriodText(*chart.referencePeriod))
                         : std::nullopt);
    w.Key("MinutesFromSunrise");
    OptionalInteger(w, chart.minutesFromSunrise);
    w.Key("SecondsFromSunrise");
    OptionalInteger(w, chart.secondsFromSunrise);
    w.Key("SunriseSunLongitude");
    if (chart.sunriseSunLongitude) {
        w.Number(*chart.sunriseSunLongitude);
    } else {
        w.Null();
    }
    w.Key("SunriseSunText");
    w.OptionalString(chart.sunriseSunText.empty()
                         ? std::nullopt
                         : std::optional<std::string>(chart.sunriseSunText));
    w.Key("SpecialPoints");
    w.BeginArray();
    for (const auto& point : chart.specialPoints) {
        WriteSpecialPoint(w, point);
    }
    w.EndArray();
    w.Key("navamsa");
    WriteNavamsa(w, chart.navamsa);
    if (withDasha) {
        w.Key("dasha");
        w.BeginArray();
        for (const DashaPeriod& period : chart.dasha) {
            WriteDashaPeriod(w, period, true);
        }
        w.EndArray();
    }
    w.Key("style");
    w.String(ChartStyleName(style));
    w.EndObject();
}

} // namespace

void WriteChartMembers(JsonWriter& writer, const ChartResult& result,
                       const std::optional<PlaceSummary>& place, ChartStyle style, bool withDasha) {
    if (place) {
        writer.Key("place");
        WritePlace(writer, *place);
    }
    writer.Key("form");
    WriteForm(writer, result.form);
    writer.Key("chart");
    WriteChart(writer, result.chart, style, withDasha);
}

std::string ChartJson(const ChartResult& result, bool indented,
                      const std::optional<PlaceSummary>& place, ChartStyle style, bool withDasha) {
    JsonWriter writer(indented);
    writer.BeginObject();
    WriteChartMembers(writer, result, place, style, withDasha);
    writer.EndObject();
    return writer.Text();
}

} // namespace selmarind::cli
