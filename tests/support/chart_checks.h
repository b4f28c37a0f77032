// The chart invariants as the sweeps use them: the entries calculated, any
// fault described with the entries that caused it, the test failed on one.
#pragma once

#include "chart/chart_driver.h"
#include "chart/chart_invariants.h"
#include "input/birth_entries.h"
#include "input/time_zones.h"

#include <QString>
#include <QTest>

#include <optional>
#include <string_view>

namespace selmarind {

inline QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The entries in one line, as a failure message names them.
inline QString Describe(const BirthEntries& e) {
    return QString("%1-%2-%3 %4:%5:%6 lat %7%8%9 lon %10%11%12 zone %13 dst %14")
        .arg(Text(e.cboYear))
        .arg(e.cboMonthIndex + 1)
        .arg(Text(e.cboDate), Text(e.cboHH), Text(e.cboMM), Text(e.cboSS), Text(e.txtLatD),
             e.optLatSouth ? "S" : "N", Text(e.txtLatM))
        .arg(Text(e.txtLonD), e.optLongEast ? "E" : "W", Text(e.txtLonM))
        .arg(e.cmbTimeZoneIndex)
        .arg(e.chkDST);
}

// Calculates the chart of the entries; what is wrong with it, or nothing.
// A daylight, summer or war-time list entry with the summer-hour box is
// refused before any calculation: no chart is the right answer there.
inline QString ChartFault(const BirthEntries& e) {
    const std::optional<ChartResult> result = CalculateChart(e);
    if (e.chkDST && ListEntryIncludesDaylightSaving(e.cmbTimeZoneIndex)) {
        return result ? "a chart for a daylight entry with the box: " + Describe(e) : QString();
    }
    if (!result) {
        return "no chart for " + Describe(e);
    }
    const std::string fault = ChartResultFault(*result);
    return fault.empty() ? QString() : Text(fault) + " for " + Describe(e);
}

// Fails the running test when the entries give no chart or a faulty one.
inline void CheckChart(const BirthEntries& e) {
    const QString fault = ChartFault(e);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

} // namespace selmarind
