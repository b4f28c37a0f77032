#include "engine/civil_time.h"

namespace selmarind {

namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the given date,
// after H. Hinnant's days_from_civil; shifted so that 30 December 1899 is 0.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kSerialEpoch = -25569; // DaysFromCivil(1899, 12, 30)

} // namespace

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidCivilDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::int64_t SerialDay(const CivilDate& date) {
    return DaysFromCivil(date.year, static_cast<unsigned>(date.month),
                         static_cast<unsigned>(date.day)) -
           kSerialEpoch;
}

CivilDate CivilFromSerialDay(std::int64_t serialDay) {
    const std::int64_t z = serialDay + kSerialEpoch + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

int DayOfYear(const CivilDate& date) {
    return static_cast<int>(SerialDay(date) - SerialDay({date.year, 1, 1})) + 1;
}

int Weekday(const CivilDate& date) {
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(((SerialDay(date) + 6) % 7 + 7) % 7);
}

std::int64_t SerialSeconds(const CivilDateTime& t) {
    return SerialDay(t.date()) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilDateTime CivilFromSerialSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, 86400);
    const auto rest = static_cast<int>(seconds - days * 86400);
    const CivilDate d = CivilFromSerialDay(days);
    return {d.year, d.month, d.day, rest / 3600, rest / 60 % 60, rest % 60};
}

CivilDateTime AddMinutes(const CivilDateTime& t, std::int64_t minutes) {
    return CivilFromSerialSeconds(SerialSeconds(t) + minutes * 60);
}

const char* MonthName(int month) {
    static constexpr const char* kNames[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

} // namespace selmarind
