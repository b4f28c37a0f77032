// Fuzzes the birth-record reader with any bytes as a file's contents.
//
// Either the record opens in full or there is a message, never both. A
// record that opens:
//   - passes CheckBirthRecord, the checks a window runs before saving;
//   - written and read again gives the same contents, and writing those
//     gives the same bytes (save, open, save is stable);
//   - gives a finished chart when its zone is an entry of the list: what the
//     form holds and accepts always gives a chart.
// A refusal names its kind and gives a UTF-8 message; anything beyond the
// size limit is refused unread.
#include "chart/chart_driver.h"
#include "fuzz_checks.h"
#include "records/record_checks.h"
#include "records/record_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

using namespace selmarind;
using selmarind::fuzz::Require;

namespace {

auto Members(const BirthEntries& e) {
    return std::tie(e.txtName, e.cboMonthIndex, e.cboDate, e.cboYear, e.cboHH, e.cboMM, e.cboSS,
                    e.txtMCity, e.txtMState, e.txtMCountry, e.txtLatD, e.txtLatM, e.optLatSouth,
                    e.txtLonD, e.txtLonM, e.optLongEast, e.cmbTimeZoneIndex, e.chkDST);
}

bool SameContents(const BirthRecordContents& a, const BirthRecordContents& b) {
    return Members(a.entries) == Members(b.entries) && a.exactZone == b.exactZone &&
           a.place == b.place && a.positions == b.positions && a.sunrise == b.sunrise;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RecordOrFault read = ReadBirthRecord(bytes);
    if (!read.contents) {
        Require(read.fault != RecordFault::None, "a refusal without its kind");
        Require(!read.message.empty(), "a refusal without a message");
        Require(IsValidUtf8(read.message), "a message that is not UTF-8");
        Require(size <= kBirthRecordMaxBytes || read.fault == RecordFault::NotARecord,
                "a file beyond the size limit read");
        return 0;
    }
    Require(read.fault == RecordFault::None && read.message.empty(),
            "an opened record with a message");
    const BirthRecordContents& contents = *read.contents;
    Require(!CheckBirthRecord(contents), "an opened record the checks refuse");

    const std::string written = WriteBirthRecord(contents);
    Require(written.size() <= kBirthRecordMaxBytes, "a written record beyond the size limit");
    const RecordOrFault again = ReadBirthRecord(written);
    Require(again.contents.has_value(), "a written record that does not open");
    Require(SameContents(*again.contents, contents), "a record that changes when saved and opened");
    Require(WriteBirthRecord(*again.contents) == written, "a second save that differs");

    // The record's own choices, as the windows and the tool compute it; an
    // exact zone is carried by the entries.
    const ChartOptions options{contents.positions.value_or(PositionSource::Classic),
                               contents.sunrise.value_or(SunriseConvention::Limb),
                               contents.ayanamsa.value_or(AyanamsaChoice{})};
    // An ayanamsa the classic source cannot give is refused, as the tool refuses it.
    if (!CheckChartOptions(options).empty()) {
        Require(!contents.positions, "a record whose own choices do not go together");
        return 0;
    }
    const auto chart = CalculateChart(contents.entries, options);
    Require(chart.has_value(), "an opened record that gives no chart");
    fuzz::RequireFinishedChart(*chart);
    return 0;
}
