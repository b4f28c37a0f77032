// Time and angle conventions shared by the engine: universal time of the
// birth, day counts, the sign abbreviations and the degree-minute-second
// text of a longitude.
#pragma once

#include "engine/civil_time.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kJ2000DayNumber = 2451545;
inline constexpr double kDaysPerJulianCentury = 36525;

// Abbreviation of sign k (0..11, kSignAbbrevs); empty outside that range.
std::string_view SignAbbreviation(int k);

// Sign index 0..11 of a three-letter abbreviation, or -1 when it is none.
int SignIndexOfAbbreviation(std::string_view abbreviation);

// Julian Day Number (the day count at noon) of a Gregorian civil date, as a
// double holding a whole number; 2451545 for 1 January 2000.
double JulianDayNumber(const CivilDate& date);

// Julian centuries of 36525 days from J2000.0 (UT time scale):
// T = (jdn - 2451545 + utHours / 24 - 0.5) / 36525.
double JulianCenturies(double jdn, double utHours);

// Degree-minute-second text of a longitude in degrees: whole degrees within
// the sign, "° ", minutes, "' ", truncated seconds, '"', a space and the
// sign abbreviation, e.g. 123.456 gives 3° 27' 21" Leo. The sign of the
// argument is dropped; for 360 and above the abbreviation is empty. Empty for
// an infinite or NaN argument.
std::string FormatLongitude(double angleDeg);

// Where a longitude's text places it: the sign index 0..11, whole degrees
// within the sign 0..29 and whole minutes 0..59, each truncated as
// FormatLongitude truncates them: the sign comes from the whole degrees, so
// 29° 59' 59.9" is still in sign 0, and nothing is rounded up into the next.
struct SignPosition {
    int sign = 0;
    int degrees = 0;
    int minutes = 0;
};

// The sign position that the text of angleDeg names; nothing when the text
// names no sign (360 and above, infinite or NaN). The sign of the argument is
// dropped as in FormatLongitude.
std::optional<SignPosition> SignPositionOfLongitude(double angleDeg);

// The chart text of a longitude, "DD Sgn MM": ToChartText(FormatLongitude(angleDeg)).
std::string ChartTextOfLongitude(double angleDeg);

// Brings a longitude into [0, 360) for display. Positions are reduced with
// this before they become texts, so that no text loses its sign.
double NormalizeForText(double longitudeDeg);

} // namespace selmarind
