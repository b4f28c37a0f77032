// The result of one chart calculation: every text the result form shows,
// under the names of its controls, and the values computed on the way.
#pragma once

#include "chart/chart_options.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace selmarind {

// Every text of the result form that a calculation writes. Chart cells and
// marker labels use "\r\n" line breaks, as the form shows them.
struct ResultFormTexts {
    std::string lblName;
    std::string lblDOB;       // e.g. "January/5/1980"
    std::string lblTOB;       // e.g. "9:5"
    std::string lblLatitude;  // e.g. "12° 58' N"
    std::string lblLongitude; // e.g. "77° 13' E"
    std::string lblCity;
    std::string lblState;
    std::string lblCountry;
    std::array<std::string, kBodyCount> planet; // chart texts, indexed with Index(Body)
    std::array<std::string, 12> signCells;      // lblAries .. lblPisces, sign index order
    std::array<std::string, 12> lblArudha;      // marker labels, sign index order
    std::string lblHoraDesc;                    // sentence of the Torvi Lagna house
    // Attribute controls, paired by index with kAttributeControls (sign_tables.h).
    std::array<std::string, 28> attributes;
    friend bool operator==(const ResultFormTexts&, const ResultFormTexts&) = default;
};

// objectName of the sign cell of sign index 0..11 (lblAries .. lblPisces).
inline constexpr std::array<const char*, 12> kSignCellNames = {
    "lblAries", "lblTaurus",  "lblGemini",      "lblCancer",    "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// Caption beside each planet label, body order.
inline constexpr std::array<const char*, kBodyCount> kPlanetCaptions = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

// One special point of the chart and the sign it marks.
struct SpecialPoint {
    std::string name;             // e.g. "first time point"
    bool computed = false;        // false where it needs a sunrise that does not exist
    bool isLongitude = false;     // true when the point is a longitude (not a bare sign)
    double longitude = 0;         // degrees in [0, 360), where the point is a longitude
    std::string chartText;        // chart text, where the point is a longitude
    std::optional<int> signIndex; // sign marked, 0..11
    friend bool operator==(const SpecialPoint&, const SpecialPoint&) = default;
};

// Where the birth lies against the sunrise and sunset of its date.
enum class BirthPeriod {
    Day,           // from today's sunrise to today's sunset, both included
    BeforeSunrise, // measured from the previous day's sunrise
    AfterSunset,   // measured to the next day's sunrise
};

struct ChartValues {
    PositionSource Positions = PositionSource::Classic;
    SunriseConvention Sunrise = SunriseConvention::Limb; // the precise source's rule
    std::string Ephemeris = "built-in"; // "built-in", "swiss-files" or "swiss-analytical"
    CivilDateTime BirthUniversal;       // the birth instant, UT, to the second
    std::array<std::string, kBodyCount>
        dmsText;                                // FormatLongitude texts, body order (birth instant)
    std::array<double, kBodyCount> longitude{}; // sidereal longitudes, body order (birth instant)
    double AscendantSidereal = 0;
    double Ayanamsa = 0;
    double MoonLongitude = 0;
    double MoonNakshatraStart = 0;
    int AscendantSignNumber = 0; // 1..12
    int TorviLagnaSign = 0;      // 1..12
    int TorviLagnaHouse = 0;     // 1..12, counted from the ascendant's sign
    std::array<bool, kRetrogradeBodies.size()>
        RetrogradeFlags{};                         // Mercury, Venus, Mars, Jupiter, Saturn
    std::array<std::string, kBodyCount> BodyNames; // display names, " (R) " on retrograde planets
    std::optional<ClockTime> SunriseToday, SunsetToday, SunrisePrevDay, SunriseNextDay;
    // The sunrise the special points count from, local clock time; nothing
    // when a sunrise or sunset needed to choose it does not exist.
    std::optional<CivilDateTime> ReferenceSunrise;
    std::optional<BirthPeriod> ReferencePeriod;
    bool ReferenceIncludesSummerHour = false; // the sunrise time carries the summer-time hour
    // Minute and second boundaries crossed between the birth and the reference.
    std::optional<long long> MinutesFromSunrise, SecondsFromSunrise;
    std::optional<double> SunriseSunLongitude; // sidereal Sun at the reference sunrise, degrees
    std::string SunriseSunText;                // its chart text; empty without a reference
    double AscendantDegree = 0;                // floor(AscendantSidereal)
    int TorviLagnaIndex = -1;                  // TorviLagnaSign - 1
    std::array<int, 13> ArudhaSignOfHouse{};   // index 1..12: arudha sign (1..12) of that house
    std::vector<SpecialPoint> specialPoints;   // in marking order
    friend bool operator==(const ChartValues&, const ChartValues&) = default;
};

struct ChartResult {
    ResultFormTexts form;
    ChartValues chart;
    friend bool operator==(const ChartResult&, const ChartResult&) = default;
};

} // namespace selmarind
