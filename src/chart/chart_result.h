// The result of one chart calculation: every text the result form shows,
// under the names of its controls, and the values computed on the way.
#pragma once

#include "chart/chart_options.h"
#include "chart/navamsa.h"
#include "chart/vimshottari.h"
#include "engine/civil_time.h"
#include "engine/name_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

// The values of one chart. Sign numbers count 1..12 from Aries; sign
// indices (as in the form's arrays) count 0..11.
struct ChartValues {
    PositionSource positions = PositionSource::Classic;
    SunriseConvention sunrise = SunriseConvention::Limb; // the precise source's rule
    std::string ephemeris = "built-in"; // "built-in", "swiss-files" or "swiss-analytical"
    CivilDateTime birthUniversal;       // the birth instant, UT, to the second
    std::array<std::string, kBodyCount>
        dmsText;                                // FormatLongitude texts, body order (birth instant)
    std::array<double, kBodyCount> longitude{}; // sidereal longitudes, body order (birth instant)
    double ascendantSidereal = 0;
    double ayanamsa = 0;
    // The ayanamsa in force, as shown: AyanamsaTitle of the precise source's
    // choice, or kClassicAyanamsaName.
    std::string ayanamsaName = std::string(kClassicAyanamsaName);
    double moonLongitude = 0;
    double moonNakshatraStart = 0;
    int ascendantSignNumber = 0; // 1..12
    int torviLagnaSign = 0;      // 1..12
    int torviLagnaHouse = 0;     // 1..12, counted from the ascendant's sign
    std::array<bool, kRetrogradeBodies.size()>
        retrogradeFlags{};                         // Mercury, Venus, Mars, Jupiter, Saturn
    std::array<std::string, kBodyCount> bodyNames; // display names, " (R) " on retrograde planets
    std::optional<ClockTime> sunriseToday, sunsetToday, sunrisePrevDay, sunriseNextDay;
    // The sunrise the special points count from, local clock time; nothing
    // when a sunrise or sunset needed to choose it does not exist.
    std::optional<CivilDateTime> referenceSunrise;
    std::optional<BirthPeriod> referencePeriod;
    bool referenceIncludesSummerHour = false; // the sunrise time carries the summer-time hour
    // Minute and second boundaries crossed between the birth and the reference.
    std::optional<long long> minutesFromSunrise, secondsFromSunrise;
    std::optional<double> sunriseSunLongitude; // sidereal Sun at the reference sunrise, degrees
    std::string sunriseSunText;                // its chart text; empty without a reference
    double ascendantDegree = 0;                // floor(ascendantSidereal)
    std::array<int, 12> arudhaSigns{};         // arudha sign (1..12) of houses 1..12, house order
    std::vector<SpecialPoint> specialPoints;   // in marking order
    // The birth's clock less UT, seconds, positive east, the summer hour
    // included: the offset at which the periods' dates are shown.
    std::int64_t utcOffsetSeconds = 0;
    NavamsaChart navamsa;           // D9 signs of the ten bodies and its Torvi Lagna
    std::vector<DashaPeriod> dasha; // the nine Vimshottari periods from the Moon at birth

    // Sign index 0..11 of the Torvi Lagna; nothing while its sign is outside 1..12.
    std::optional<std::size_t> TorviLagnaIndex() const {
        if (torviLagnaSign < 1 || torviLagnaSign > 12) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(torviLagnaSign - 1);
    }
    // Arudha sign of house 1..12; 0 for a house outside 1..12 or not worked.
    int ArudhaSignOfHouse(int house) const {
        return house >= 1 && house <= 12 ? arudhaSigns[static_cast<std::size_t>(house - 1)] : 0;
    }
    friend bool operator==(const ChartValues&, const ChartValues&) = default;
};

struct ChartResult {
    ResultFormTexts form;
    ChartValues chart;
    friend bool operator==(const ChartResult&, const ChartResult&) = default;
};

} // namespace selmarind
