// Birth entries as the birth-data form holds them, for tests and benchmarks.
#pragma once

#include "engine/birth_record.h"
#include "input/birth_entries.h"

#include <string>

namespace selmarind {

inline constexpr int kIndianTimeZoneIndex = 34;

inline BirthEntries FormEntries(int year, int month, int day, int hour, int minute, int second,
                                const char* latD, const char* latM, bool south, const char* lonD,
                                const char* lonM, bool east, int zoneIndex, bool dst = false) {
    BirthEntries e;
    e.txtName = "RAVI KUMAR";
    e.cboMonthIndex = month - 1;
    e.cboDate = std::to_string(day);
    e.cboYear = std::to_string(year);
    e.cboHH = std::to_string(hour);
    e.cboMM = std::to_string(minute);
    e.cboSS = std::to_string(second);
    e.txtLatD = latD;
    e.txtLatM = latM;
    e.optLatSouth = south;
    e.txtLonD = lonD;
    e.txtLonM = lonM;
    e.optLongEast = east;
    e.cmbTimeZoneIndex = zoneIndex;
    e.chkDST = dst;
    return e;
}

// 15 March 1980, 01:00 Indian Time, New Delhi (28° 36' N, 77° 13' E).
inline BirthEntries Delhi1980Entries() {
    BirthEntries e = FormEntries(1980, 3, 15, 1, 0, 0, "28", "36", false, "77", "13", true,
                                 kIndianTimeZoneIndex);
    e.txtMCity = "New Delhi";
    e.txtMState = "Delhi";
    e.txtMCountry = "India";
    return e;
}

// The birth record the calculation makes of New Delhi entries (28° 36' N,
// 77° 13' E, Indian Time) in March 1980; Delhi1980Entries by default.
inline BirthRecord Delhi1980Record(int day = 15, int hour = 1, int minute = 0, int second = 0) {
    BirthRecord b;
    b.name = "RAVI KUMAR";
    b.date = {1980, 3, day};
    b.time = {hour, minute, second};
    b.zone = {-5, -30, 0};
    b.place = {28, 36, false, 77, 13, true};
    return b;
}

} // namespace selmarind
