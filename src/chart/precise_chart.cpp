#include "chart/precise_chart.h"

#include "engine/chart_text.h"
#include "engine/moon.h"
#include "engine/name_tables.h"
#include "engine/time_conventions.h"
#include "ephemeris/precise_ascendant.h"
#include "ephemeris/precise_positions.h"
#include "ephemeris/sun_events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace selmarind {

namespace {

namespace eph = ephemeris;

eph::Place PlaceOf(const BirthRecord& birth) {
    return {birth.place.LatitudeNorthDeg(), birth.place.LongitudeEastDeg()};
}

// Sun event of one local date on the birth's clock: nothing at polar day or night.
struct LocalEvent {
    std::optional<std::int64_t> utSeconds; // serial seconds, UT
};

std::string EventOfDate(const BirthRecord& birth, const CivilDate& date, eph::SunEvent event,
                        eph::SunHorizon horizon, eph::Source& source, LocalEvent& out) {
    const UtInstant dayStart =
        ToUniversal(CivilDateTime{date.year, date.month, date.day}, birth.zone, birth.summerHour);
    const double from = dayStart.JulianDay();
    const eph::SunEventResult r =
        eph::SunEventBetween(from, from + 1.0, PlaceOf(birth), event, horizon);
    if (!r.Ok()) {
        return r.error;
    }
    source = eph::WeakerSource(source, r.source);
    if (r.jdUt) {
        out.utSeconds = UtInstant::NearestToJulianDay(*r.jdUt).serialSeconds;
    }
    return {};
}

// The clock time of an event on the birth's clock, to the nearest minute.
std::optional<ClockTime> ClockOf(const BirthRecord& birth, const LocalEvent& e) {
    if (!e.utSeconds) {
        return std::nullopt;
    }
    // Half a minute later, then cut to the minute: rounded to the nearest.
    const CivilDateTime t = ToClock(UtInstant{*e.utSeconds + 30}, birth.zone, birth.summerHour);
    return ClockTime{t.hour, t.minute, 0};
}

} // namespace

std::string FillPrecisePositions(const BirthRecord& birth, const AyanamsaChoice& ayanamsa,
                                 ChartValues& chart,
                                 std::array<std::string, kBodyCount>& chartTexts) {
    const double jd = BirthInstant(birth).JulianDay();
    eph::Source source = eph::Source::Files;

    // The ephemeris bodies are the chart's first ones, Sun to Rahu; Ketu and
    // the ascendant follow.
    static_assert(Index(Body::Rahu) + 1 == eph::kChartBodies.size());
    std::array<double, kBodyCount> longitude{};
    std::array<bool, kBodyCount> retrograde{};
    for (std::size_t i = 0; i < eph::kChartBodies.size(); ++i) {
        const eph::BodyPosition p = eph::SiderealPosition(eph::kChartBodies[i], jd, ayanamsa);
        if (!p.Ok()) {
            return p.error;
        }
        source = eph::WeakerSource(source, p.source);
        longitude[i] = NormalizeForText(p.longitudeDeg);
        retrograde[i] = p.IsRetrograde();
    }
    longitude[Index(Body::Ketu)] = NormalizeForText(longitude[Index(Body::Rahu)] + 180);
    const eph::AngleResult ascendant = eph::SiderealAscendant(jd, PlaceOf(birth), ayanamsa);
    const eph::AngleResult ayanamsaDeg = eph::AyanamsaAt(jd, ayanamsa);
    if (!ascendant.Ok() || !ayanamsaDeg.Ok()) {
        return ascendant.Ok() ? ayanamsaDeg.error : ascendant.error;
    }
    longitude[Index(Body::Ascendant)] = NormalizeForText(ascendant.degrees);

    for (std::size_t i = 0; i < longitude.size(); ++i) {
        chart.longitude[i] = longitude[i];
        chart.dmsText[i] = FormatLongitude(longitude[i]);
        chartTexts[i] = ChartTextOfLongitude(longitude[i]);
        chart.bodyNames[i] = kBodyNames[i];
    }
    // Mercury .. Saturn, by the sign of their speed at the birth instant.
    for (std::size_t p = 0; p < chart.retrogradeFlags.size(); ++p) {
        const std::size_t body = Index(kRetrogradeBodies[p]);
        chart.retrogradeFlags[p] = retrograde[body];
        if (retrograde[body]) {
            chart.bodyNames[body] += kRetrogradeMarker;
        }
    }
    chart.ascendantSidereal = longitude[Index(Body::Ascendant)];
    chart.ascendantDegree = std::floor(chart.ascendantSidereal);
    chart.ayanamsa = -ayanamsaDeg.degrees;
    chart.ayanamsaName = AyanamsaTitle(ayanamsa);
    chart.moonLongitude = longitude[Index(Body::Moon)];
    // The nakshatra is found as the classic source finds it.
    const int n = static_cast<int>(std::floor(60 * chart.moonLongitude / 800));
    chart.moonNakshatraStart = NakshatraStarts[static_cast<std::size_t>(std::clamp(n, 0, 26))];
    chart.ephemeris = std::string(eph::SourceName(source));
    return {};
}

std::string FillPreciseSunrise(const BirthRecord& birth, SunriseConvention convention,
                               const AyanamsaChoice& ayanamsa, ChartValues& chart,
                               SpecialPointInputs& in) {
    const eph::SunHorizon horizon = convention == SunriseConvention::Centre
                                        ? eph::SunHorizon::CentreWithoutRefraction
                                        : eph::SunHorizon::UpperLimbRefracted;
    const CivilDate date = birth.date;
    const CivilDate prevDate = CivilFromSerialDay(SerialDay(date) - 1);
    const CivilDate nextDate = CivilFromSerialDay(SerialDay(date) + 1);

    eph::Source source =
        chart.ephemeris == "swiss-analytical" ? eph::Source::Analytical : eph::Source::Files;
    LocalEvent sunrise, sunset, prevSunrise, nextSunrise;
    struct Wanted {
        CivilDate date;
        eph::SunEvent event;
        LocalEvent* out;
    };
    for (const Wanted& w :
         {Wanted{date, eph::SunEvent::Rise, &sunrise}, Wanted{date, eph::SunEvent::Set, &sunset},
          Wanted{prevDate, eph::SunEvent::Rise, &prevSunrise},
          Wanted{nextDate, eph::SunEvent::Rise, &nextSunrise}}) {
        const std::string error = EventOfDate(birth, w.date, w.event, horizon, source, *w.out);
        if (!error.empty()) {
            return error;
        }
    }
    chart.sunriseToday = ClockOf(birth, sunrise);
    chart.sunsetToday = ClockOf(birth, sunset);
    chart.sunrisePrevDay = ClockOf(birth, prevSunrise);
    chart.sunriseNextDay = ClockOf(birth, nextSunrise);

    // The classic rule on the universal-time instants: a birth before
    // today's sunrise counts from the day before's, one after today's
    // sunset to the next day's, any other from today's.
    const std::int64_t birthUt = BirthInstant(birth).serialSeconds;
    std::optional<std::int64_t> reference;
    if (sunrise.utSeconds) {
        if (birthUt < *sunrise.utSeconds) {
            reference = prevSunrise.utSeconds;
            chart.referencePeriod = BirthPeriod::BeforeSunrise;
        } else if (sunset.utSeconds) {
            if (birthUt <= *sunset.utSeconds) {
                reference = sunrise.utSeconds;
                chart.referencePeriod = BirthPeriod::Day;
            } else {
                reference = nextSunrise.utSeconds;
                chart.referencePeriod = BirthPeriod::AfterSunset;
            }
        }
    }
    if (!reference) {
        chart.referencePeriod.reset();
        chart.ephemeris = std::string(eph::SourceName(source));
        return {};
    }
    const CivilDateTime referenceUt = CivilFromSerialSeconds(*reference);
    chart.referenceSunrise = ToClock(UtInstant{*reference}, birth.zone, birth.summerHour);
    chart.referenceIncludesSummerHour = birth.summerHour;
    chart.minutesFromSunrise =
        std::llabs(MinuteBoundariesBetween(referenceUt, chart.birthUniversal));
    chart.secondsFromSunrise =
        std::llabs(SecondBoundariesBetween(referenceUt, chart.birthUniversal));

    const eph::BodyPosition sun =
        eph::SiderealPosition(eph::Body::Sun, UtInstant{*reference}.JulianDay(), ayanamsa);
    if (!sun.Ok()) {
        return sun.error;
    }
    source = eph::WeakerSource(source, sun.source);
    chart.sunriseSunLongitude = NormalizeForText(sun.longitudeDeg);
    chart.sunriseSunText = ChartTextOfLongitude(*chart.sunriseSunLongitude);
    chart.ephemeris = std::string(eph::SourceName(source));

    in.MinutesFromSunrise = chart.minutesFromSunrise;
    in.SecondsFromSunrise = chart.secondsFromSunrise;
    in.SunriseSunLongitude = chart.sunriseSunLongitude;
    in.SunriseSunText = chart.sunriseSunText;
    return {};
}

} // namespace selmarind
