#include "chart/chart_driver.h"

#include "chart/house_significance.h"
#include "chart/navamsa.h"
#include "chart/precise_chart.h"
#include "chart/sign_tables.h"
#include "chart/special_points.h"
#include "chart/vimshottari.h"
#include "engine/ascendant.h"
#include "engine/birth_record.h"
#include "engine/civil_time.h"
#include "engine/moon.h"
#include "engine/name_tables.h"
#include "engine/planets.h"
#include "engine/retrogrades.h"
#include "engine/special_lagna.h"
#include "engine/time_conventions.h"
#include "input/entry_number.h"
#include "input/time_zones.h"
#include "input/validation.h"

#include <cstdlib>
#include <string>
#include <utility>

namespace selmarind {

namespace {

// Reads one entry into a field when it converts and lies in [low, high].
bool ReadEntry(const std::string& text, int low, int high, int& field) {
    const auto value = EntryToInt16(text);
    if (!value || *value < low || *value > high) {
        return false;
    }
    field = *value;
    return true;
}

// The birth record of entries that passed validation; nothing when an entry
// does not convert or is not one the form can hold.
std::optional<BirthRecord> MakeBirthRecord(const BirthEntries& entries, YearRange years) {
    BirthRecord birth;
    birth.name = entries.txtName;

    const auto zone = SelectedZoneCorrection(entries);
    if (!zone) {
        return std::nullopt;
    }
    birth.zone = *zone;

    if (entries.cboMonthIndex < 0 || entries.cboMonthIndex > 11) {
        return std::nullopt;
    }
    birth.date.month = entries.cboMonthIndex + 1;
    GeoPlace& place = birth.place;
    const bool read = ReadEntry(entries.cboDate, 1, 31, birth.date.day) &&
                      ReadEntry(entries.cboYear, years.first, years.last, birth.date.year) &&
                      ReadEntry(entries.cboHH, 0, 23, birth.time.hour) &&
                      ReadEntry(entries.cboMM, 0, 59, birth.time.minute) &&
                      ReadEntry(entries.cboSS, 0, 59, birth.time.second) &&
                      ReadEntry(entries.txtLonD, 0, 179, place.longitudeDegrees) &&
                      ReadEntry(entries.txtLonM, 0, 59, place.longitudeMinutes) &&
                      ReadEntry(entries.txtLatD, 0, 89, place.latitudeDegrees) &&
                      ReadEntry(entries.txtLatM, 0, 59, place.latitudeMinutes);
    if (!read || !IsValidCivilDate(birth.date.year, birth.date.month, birth.date.day)) {
        return std::nullopt;
    }
    place.east = entries.optLongEast;
    place.south = entries.optLatSouth;
    birth.summerHour = entries.chkDST;
    return birth;
}

std::string Coordinate(int degrees, int minutes, const char* hemisphere) {
    return std::to_string(degrees) + std::string(kDegreeSign) + " " + std::to_string(minutes) +
           "'" + hemisphere;
}

void FillDetails(const BirthRecord& birth, const BirthEntries& entries, ResultFormTexts& form) {
    form.lblName = birth.name;
    form.lblDOB = std::string(MonthName(birth.date.month)) + "/" + std::to_string(birth.date.day) +
                  "/" + std::to_string(birth.date.year);
    form.lblTOB = std::to_string(birth.time.hour) + ":" + std::to_string(birth.time.minute);
    const GeoPlace& place = birth.place;
    form.lblLatitude =
        Coordinate(place.latitudeDegrees, place.latitudeMinutes, place.south ? " S" : " N");
    form.lblLongitude =
        Coordinate(place.longitudeDegrees, place.longitudeMinutes, place.east ? " E" : " W");
    form.lblCity = entries.txtMCity;
    form.lblState = entries.txtMState;
    form.lblCountry = entries.txtMCountry;
}

// Takes over the position texts of the planets, which nothing reads later.
void FillBirthValues(const AscendantResult& ascendant, const MoonResult& moon,
                     PlanetResult& planets, const RetrogradeMarks& marks, ChartValues& chart) {
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        if (const auto k = TheoryIndexOf(static_cast<Body>(i))) {
            chart.dmsText[i] = std::move(planets.PlanetDmsText[*k]);
            chart.longitude[i] = planets.SiderealLongitude[*k];
        }
    }
    const auto set = [&chart](Body body, std::string text, double longitude) {
        chart.dmsText[Index(body)] = std::move(text);
        chart.longitude[Index(body)] = longitude;
    };
    set(Body::Moon, moon.MoonPositionText, moon.MoonLongitude);
    set(Body::Rahu, std::move(planets.RahuDmsText), planets.RahuLongitude);
    set(Body::Ketu, std::move(planets.KetuDmsText), planets.KetuLongitude);
    set(Body::Ascendant, ascendant.AscendantText, ascendant.AscendantSidereal);
    chart.ascendantSidereal = ascendant.AscendantSidereal;
    chart.ascendantDegree = ascendant.AscendantDegree;
    chart.ayanamsa = ascendant.Ayanamsa;
    chart.moonLongitude = moon.MoonLongitude;
    chart.moonNakshatraStart = moon.MoonNakshatraStart;
    chart.retrogradeFlags = marks.RetrogradeFlags;
    chart.bodyNames = marks.BodyNames;
}

void FillSunriseValues(SunrisePoints&& sunrise, ChartValues& chart) {
    const SunriseReference& ref = sunrise.reference;
    chart.sunriseToday = ref.today.sunrise;
    chart.sunsetToday = ref.today.sunset;
    chart.sunrisePrevDay = ref.prevDay.sunrise;
    chart.sunriseNextDay = ref.nextDay.sunrise;
    chart.referenceSunrise = ref.sunrise;
    chart.referencePeriod = ref.period;
    chart.referenceIncludesSummerHour = ref.sunrise && ref.sunriseIncludesSummerHour;
    chart.minutesFromSunrise = ref.minutesFromSunrise;
    chart.secondsFromSunrise = ref.secondsFromSunrise;
    if (sunrise.sunriseSun) {
        chart.sunriseSunLongitude = sunrise.sunriseSun->Longitude;
        chart.sunriseSunText = sunrise.sunriseSun->Text;
    }
    chart.specialPoints = std::move(sunrise.points);
}

ChartFailure Failed(std::string reason = {}) {
    return ChartFailure{std::nullopt, std::move(reason)};
}

} // namespace

ChartOrFailure CalculateChart(const BirthEntries& entries, const ChartOptions& options) {
    if (std::optional<ValidationFault> fault = ValidateBirthData(entries)) {
        return ChartFailure{std::move(fault), {}};
    }
    if (std::string error = CheckChartOptions(options); !error.empty()) {
        return Failed(std::move(error));
    }
    const std::optional<BirthRecord> record =
        MakeBirthRecord(entries, BirthYears(options.positions));
    if (!record) {
        return Failed();
    }
    const BirthRecord& birth = *record;

    // Built in place: the result holds some sixty texts.
    std::optional<ChartResult> result(std::in_place);
    ResultFormTexts& form = result->form;
    ChartValues& chart = result->chart;
    chart.positions = options.positions;
    chart.sunrise = options.sunrise;
    chart.birthUniversal = BirthInstant(birth).Civil();

    const bool precise = options.positions == PositionSource::Precise;
    if (precise) {
        if (std::string error = FillPrecisePositions(birth, options.ayanamsa, chart, form.planet);
            !error.empty()) {
            return Failed(std::move(error));
        }
    } else {
        const AscendantResult ascendant = ComputeAscendant(birth);
        const MoonResult moon = ComputeMoon(birth);
        PlanetResult planets =
            ComputePlanetPositions(birth, PlanetInputs{ascendant.Ayanamsa, ascendant.AscendantText,
                                                       moon.MoonPositionText});
        const RetrogradeMarks marks = MarkRetrogrades(birth.date);
        FillBirthValues(ascendant, moon, planets, marks, chart);
        form.planet = std::move(planets.BodyPositionText);
    }
    FillDetails(birth, entries, form);

    // Each body goes into the cell of the sign its text shows, one line
    // each, in body order.
    std::array<std::optional<int>, kBodyCount> bodySigns;
    for (std::size_t i = 0; i < bodySigns.size(); ++i) {
        const std::optional<SignPosition> at = SignPositionOfLongitude(chart.longitude[i]);
        if (!at) {
            continue;
        }
        bodySigns[i] = at->sign;
        form.signCells[static_cast<std::size_t>(at->sign)] += "\r\n" + chart.bodyNames[i];
        if (i == Index(Body::Ascendant)) {
            chart.ascendantSignNumber = at->sign + 1;
        }
    }
    if (chart.ascendantSignNumber == 0) {
        return Failed(); // houses cannot be counted without the ascendant's sign
    }

    // The D9 chart and the periods read the same longitudes as the birth chart.
    const std::optional<NavamsaChart> navamsa = ComputeNavamsa(chart.longitude);
    if (!navamsa) {
        return Failed();
    }
    chart.navamsa = *navamsa;
    chart.utcOffsetSeconds = -ClockToUniversalSeconds(birth.zone, birth.summerHour);
    chart.dasha = VimshottariPeriods(chart.longitude[Index(Body::Moon)], BirthInstant(birth));

    // Twelve houses in order from the ascendant's sign; house 1 fixes the Torvi Lagna.
    ArudhaState arudha;
    const ArudhaBodies bodies = ReadArudhaBodies(bodySigns, chart.bodyNames);
    const int ascendantIndex = chart.ascendantSignNumber - 1;
    for (int house = 0; house < 12; ++house) {
        const int signIndex = (ascendantIndex + house) % 12;
        ComputeArudha(kSignLords[static_cast<std::size_t>(signIndex)], bodies, arudha,
                      form.lblArudha);
    }
    if (arudha.TorviLagnaSign < 1 || arudha.TorviLagnaSign > 12) {
        return Failed();
    }
    chart.torviLagnaSign = arudha.TorviLagnaSign;
    chart.arudhaSigns = arudha.ArudhaSigns;

    chart.torviLagnaHouse = TorviLagnaHouse(chart.torviLagnaSign, chart.ascendantSignNumber);
    form.lblHoraDesc = std::string(HouseSentence(chart.torviLagnaHouse));

    SpecialPointInputs in = BirthPointInputs(chart, form.planet[Index(Body::Moon)], arudha);
    if (precise) {
        if (std::string error =
                FillPreciseSunrise(birth, options.sunrise, options.ayanamsa, chart, in);
            !error.empty()) {
            return Failed(std::move(error));
        }
        chart.specialPoints = MarkSpecialPoints(in, form.lblArudha);
    } else {
        SunrisePoints sunrise =
            ComputeSunrisePoints(birth, chart.ayanamsa, std::move(in), form.lblArudha);
        FillSunriseValues(std::move(sunrise), chart);
    }

    const SignAttributeTables& tables = LoadSignTables();
    const std::size_t signIndex = *chart.TorviLagnaIndex(); // checked above
    for (std::size_t c = 0; c < kAttributeControls.size(); ++c) {
        const auto table = static_cast<std::size_t>(kAttributeControls[c].table);
        form.attributes[c] = std::string(tables[table][signIndex]);
    }
    return std::move(*result);
}

} // namespace selmarind
