// The entries of the birth-data form, as texts and selections, exactly as
// the form holds them. The chart calculation and the command-line tool both
// start from this.
#pragma once

#include <optional>
#include <string>

namespace selmarind {

// An entry after the 71 zones of the list, for one birth whose UTC offset no
// list entry has (found by the atlas: Kathmandu +05:45, local mean time).
struct ExactZoneEntry {
    std::string label;          // as the list shows it, e.g. "Asia/Kathmandu, +05:45"
    long long utcOffsetSeconds; // local time minus universal time, east positive
    friend bool operator==(const ExactZoneEntry&, const ExactZoneEntry&) = default;
};

struct BirthEntries {
    std::string txtName;          // upper-case letters and spaces
    int cboMonthIndex = 0;        // 0 = January .. 11 = December
    std::string cboDate = "1";    // "1".."31"
    std::string cboYear = "1901"; // "1901".."2050"
    std::string cboHH = "0";      // "0".."23"
    std::string cboMM = "0";      // "0".."59"
    std::string cboSS = "0";      // "0".."59"
    std::string txtMCity;
    std::string txtMState;
    std::string txtMCountry;
    std::string txtLatD;       // digits, at most 2
    std::string txtLatM;       // digits, at most 2
    bool optLatSouth = false;  // optLat: index 0 North, index 1 South
    std::string txtLonD;       // digits, at most 3
    std::string txtLonM;       // digits, at most 2
    bool optLongEast = true;   // optLong: index 0 East, index 1 West
    int cmbTimeZoneIndex = 29; // index into TimeZoneList; 29 is Greenwich Mean Time
    bool chkDST = false;
    // The extra zone entry, which index kExactZoneIndex (71) selects.
    std::optional<ExactZoneEntry> exactZone;
};

} // namespace selmarind
