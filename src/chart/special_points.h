// The sunrise the birth is measured from, and the special points of the
// chart derived from it: three time-based ascendants advancing from the Sun's
// sunrise position at 1.25, 0.5 and 0.25 degrees per minute, a ninth-lord
// point, a parity point, the Moon and the Sun at sunrise, a nakshatra point
// and a vighati point. Each point marks its sign by appending "\r\n" (an
// empty marker line) to that sign's marker label.
#pragma once

#include "chart/chart_result.h"
#include "engine/ascendant.h"
#include "engine/birth_record.h"
#include "engine/civil_time.h"
#include "engine/moon.h"
#include "engine/planets.h"
#include "engine/special_lagna.h"
#include "engine/sunrise_sunset.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace selmarind {

// The three sunrise computations around the birth date and the sunrise the
// birth is measured from.
struct SunriseReference {
    SunEvents today;     // birth date
    SunEvents prevDay;   // the day before: its sunrise only
    SunEvents nextDay;   // the day after: its sunrise only
    CivilDateTime birth; // local clock time, seconds included

    // Nothing when a time needed to choose the reference does not exist:
    // today's sunrise always; today's sunset when the birth is not before
    // today's sunrise; the previous day's sunrise when it is; the next day's
    // sunrise when the birth is after today's sunset.
    std::optional<BirthPeriod> period;
    std::optional<CivilDateTime> sunrise; // local clock time, seconds zero
    bool sunriseIncludesSummerHour = false;
    // Minute and second boundaries crossed between the birth and the
    // reference sunrise, never negative.
    std::optional<long long> minutesFromSunrise;
    std::optional<long long> secondsFromSunrise;
};

// Computes sunrise and sunset on the birth date, the sunrise of the day
// before and of the day after (each with the birth's clock hour, which
// decides summer time), and chooses the reference. A birth exactly at
// today's sunrise or sunset is a day birth.
SunriseReference FindSunriseReference(const BirthRecord& birth);

// Counts of minute and of second boundaries crossed from `from` to `to`
// (negative when `to` is earlier). 19:26:01 to 04:24:00 the next day crosses
// 538 minute boundaries and 32279 second boundaries.
long long MinuteBoundariesBetween(const CivilDateTime& from, const CivilDateTime& to);
long long SecondBoundariesBetween(const CivilDateTime& from, const CivilDateTime& to);

// What the points are computed from. The sunrise values are nothing when
// the reference sunrise does not exist; the points that need them are then
// recorded as not computed and mark nothing.
struct SpecialPointInputs {
    std::optional<long long> MinutesFromSunrise;
    std::optional<long long> SecondsFromSunrise;
    std::optional<double> SunriseSunLongitude; // sidereal Sun at the reference sunrise, degrees
    std::string SunriseSunText;                // its chart text, e.g. "01 Pis 04"

    double AscendantDegree = 0;    // whole degrees of the sidereal ascendant, 0..359
    double AscendantSidereal = 0;  // degrees
    double MoonLongitude = 0;      // sidereal, degrees, birth instant
    double MoonNakshatraStart = 0; // start of the Moon's nakshatra, degrees
    std::string MoonChartText;     // chart text of the Moon, birth instant
    int InduStartSign = 0;         // the ascendant's sign number, 1..12
    int InduKalaFromLagna = 0;     // ninth-lord value of the ascendant's sign
    int InduKalaFromMoon = 0;      // ninth-lord value of the Moon's sign
};

// Marks the nine points in their order and returns them in that order.
std::vector<SpecialPoint> MarkSpecialPoints(const SpecialPointInputs& inputs,
                                            std::array<std::string, 12>& markerLabels);

struct SunrisePoints {
    SunriseReference reference;
    // The Sun at the reference sunrise; nothing without one.
    std::optional<SunriseSun> sunriseSun;
    std::vector<SpecialPoint> points; // in marking order
};

// The inputs of the points that do not need a sunrise, from the values of
// the birth instant: `moonChartText` is the Moon's chart text, `arudha` the
// state after the twelve houses.
SpecialPointInputs BirthPointInputs(const ChartValues& chart, const std::string& moonChartText,
                                    const ArudhaState& arudha);

// The whole sunrise step of a chart from the classic source: the reference
// sunrise, the Sun at that sunrise (the base of the time points, with the
// birth's `ayanamsa`) and the nine points marked on `markerLabels`. `in`
// holds the birth's inputs (BirthPointInputs).
SunrisePoints ComputeSunrisePoints(const BirthRecord& birth, double ayanamsa, SpecialPointInputs in,
                                   std::array<std::string, 12>& markerLabels);

// Sign index 0..11 of a longitude as its chart text shows it, after
// bringing the longitude into [0, 360); fills `chartText`.
std::optional<int> SignOfLongitude(double longitudeDeg, std::string& chartText);

} // namespace selmarind
