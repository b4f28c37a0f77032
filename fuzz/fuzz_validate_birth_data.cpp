// Fuzzes the checks of the birth-data entries and the chart calculation
// behind them.
//
// Input: the first byte is a separator; the rest, split on it, gives the
// entries in the order of BirthEntries:
//   name, month index, day, year, hour, minute, second, city, state, country,
//   latD, latM, south, lonD, lonM, east, zone index, dst
// Texts are taken byte for byte. An index written as a decimal int is that
// int; any other bytes give an int built from them, so every int, out of
// range or not, can be reached. A flag is set when its first byte is odd
// ('1', 'y'). Entries left out keep their defaults.
//
// Every entry set is validated and calculated: a refused one gives no chart,
// and any chart that comes back is finished. Entries the form's fields and
// lists can hold must in addition give a chart whenever validation accepts
// them. Texts no form field holds ("12abc" degrees, a year beyond the list)
// may pass validation and still give no chart, by design of the calculation.
#include "chart/chart_driver.h"
#include "fuzz_checks.h"
#include "input/key_filters.h"
#include "input/time_zones.h"
#include "input/validation.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace selmarind;
using selmarind::fuzz::Require;

namespace {

int IntOf(std::string_view field) {
    int value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (!field.empty() && result.ec == std::errc() && result.ptr == field.data() + field.size()) {
        return value;
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, field.data(), std::min(field.size(), sizeof bits));
    return static_cast<int>(bits);
}

bool FlagOf(std::string_view field) {
    return !field.empty() && (static_cast<unsigned char>(field.front()) & 1u) != 0;
}

BirthEntries EntriesOf(const std::uint8_t* data, std::size_t size) {
    BirthEntries e;
    if (size == 0) {
        return e;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char separator = static_cast<char>(data[0]);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }

    std::string* const texts[] = {&e.txtName, nullptr,    &e.cboDate,  &e.cboYear,   &e.cboHH,
                                  &e.cboMM,   &e.cboSS,   &e.txtMCity, &e.txtMState, &e.txtMCountry,
                                  &e.txtLatD, &e.txtLatM, nullptr,     &e.txtLonD,   &e.txtLonM};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string_view f = fields[i];
        if (i < std::size(texts) && texts[i]) {
            texts[i]->assign(f);
        } else if (i == 1) {
            e.cboMonthIndex = IntOf(f);
        } else if (i == 12) {
            e.optLatSouth = FlagOf(f);
        } else if (i == 15) {
            e.optLongEast = FlagOf(f);
        } else if (i == 16) {
            e.cmbTimeZoneIndex = IntOf(f);
        } else if (i == 17) {
            e.chkDST = FlagOf(f);
        }
    }
    return e;
}

// Whether a list of numbers first..last, as the form fills it, holds the text.
bool IsListItem(const std::string& text, int first, int last) {
    for (int n = first; n <= last; ++n) {
        if (text == std::to_string(n)) {
            return true;
        }
    }
    return false;
}

std::u32string Widened(const std::string& text) {
    return std::u32string(text.begin(), text.end());
}

bool HoldsName(const std::string& text) {
    const TextFilterResult r = FilterNameText(Widened(text));
    return r.verdict == TextVerdict::Accepted && r.text == Widened(text);
}

bool HoldsCoordinate(const std::string& text, std::size_t maxLength) {
    return FilterCoordinateText(Widened(text), maxLength).verdict == TextVerdict::Accepted;
}

// Whether the birth-data form's fields and lists can hold these entries. The
// place names are free text.
bool FormCanHold(const BirthEntries& e) {
    return HoldsName(e.txtName) && e.cboMonthIndex >= 0 && e.cboMonthIndex <= 11 &&
           IsListItem(e.cboDate, 1, 31) && IsListItem(e.cboYear, 1901, 2050) &&
           IsListItem(e.cboHH, 0, 23) && IsListItem(e.cboMM, 0, 59) && IsListItem(e.cboSS, 0, 59) &&
           HoldsCoordinate(e.txtLatD, kLatitudeDegreesMaxLength) &&
           HoldsCoordinate(e.txtLatM, kLatitudeMinutesMaxLength) &&
           HoldsCoordinate(e.txtLonD, kLongitudeDegreesMaxLength) &&
           HoldsCoordinate(e.txtLonM, kLongitudeMinutesMaxLength) && e.cmbTimeZoneIndex >= 0 &&
           e.cmbTimeZoneIndex < kTimeZoneCount;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BirthEntries entries = EntriesOf(data, size);
    const std::optional<ValidationFault> fault = ValidateBirthData(entries);
    const std::optional<ChartResult> chart = CalculateChart(entries);
    if (fault) {
        Require(!fault->message.empty(), "a refusal without a message");
        Require(!chart, "a chart from refused entries");
        return 0;
    }
    if (chart) {
        fuzz::RequireFinishedChart(*chart);
    } else {
        Require(!FormCanHold(entries), "accepted entries the form can hold give no chart");
    }
    return 0;
}
