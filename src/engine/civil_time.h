// Calendar arithmetic on the proleptic Gregorian calendar.
//
// Dates are counted as serial day numbers: day 0 is 30 December 1899, so
// 1 January 1900 is day 2 and 1 January 2000 is day 36526. A date-time is a
// civil date with a clock time; nothing here knows about time zones.
#pragma once

#include <cstdint>

namespace selmarind {

struct CivilDate {
    int year = 1900; // Gregorian year
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// A clock time of day; which clock (local, universal) the user of the value says.
struct ClockTime {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

struct CivilDateTime {
    int year = 1900;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    CivilDate date() const { return {year, month, day}; }
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// a / b rounded toward negative infinity (b != 0).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b);

// True for a Gregorian leap year.
bool IsLeapYear(int year);

// True when year-month-day names a real calendar day.
bool IsValidCivilDate(int year, int month, int day);

// Number of days in the month (28..31).
int DaysInMonth(int year, int month);

// Serial day number of a civil date (0 = 30 December 1899).
std::int64_t SerialDay(const CivilDate& date);

// Civil date of a serial day number.
CivilDate CivilFromSerialDay(std::int64_t serialDay);

// Day of the year, 1 for 1 January.
int DayOfYear(const CivilDate& date);

// Weekday, 0 = Sunday, 1 = Monday, ..., 6 = Saturday.
int Weekday(const CivilDate& date);

// Seconds since 30 December 1899 00:00:00 of a date-time.
std::int64_t SerialSeconds(const CivilDateTime& t);

// The date-time of a count of seconds since 30 December 1899 00:00:00.
CivilDateTime CivilFromSerialSeconds(std::int64_t seconds);

// Adds whole minutes (of either sign) with carry across days, months and years.
CivilDateTime AddMinutes(const CivilDateTime& t, std::int64_t minutes);

// Full English month name, "January" .. "December"; empty outside 1..12.
const char* MonthName(int month);

} // namespace selmarind
