// Record contents for the record tests, and a description of where two
// contents differ for their failure messages.
#pragma once

#include "records/record_contents.h"

#include <QString>

namespace selmarind {

// The README's example: Bengaluru, 14 August 1987, 06:30 Indian Time, picked
// from the atlas, with both optional choices given.
inline BirthRecordContents BengaluruContents() {
    BirthRecordContents c;
    BirthEntries& e = c.entries;
    e.txtName = "ANANYA RAO";
    e.cboMonthIndex = 7;
    e.cboDate = "14";
    e.cboYear = "1987";
    e.cboHH = "6";
    e.cboMM = "30";
    e.cboSS = "0";
    e.txtMCity = "Bengaluru";
    e.txtMState = "Karnataka";
    e.txtMCountry = "India";
    e.txtLatD = "12";
    e.txtLatM = "58";
    e.optLatSouth = false;
    e.txtLonD = "77";
    e.txtLonM = "35";
    e.optLongEast = true;
    e.cmbTimeZoneIndex = 34; // "Indian Time, IST, +5.3"
    e.chkDST = false;
    c.place = AtlasPlace{1277333, "Asia/Kolkata"};
    c.positions = PositionSource::Classic;
    c.sunrise = SunriseConvention::Limb;
    return c;
}

// The first member in which the contents differ, with both values; empty
// when they are equal.
inline QString ContentsDifference(const BirthRecordContents& a, const BirthRecordContents& b) {
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    const auto differ = [](const char* what, const QString& x, const QString& y) {
        return QString("%1: \"%2\" against \"%3\"").arg(what, x.left(60), y.left(60));
    };
    const BirthEntries& x = a.entries;
    const BirthEntries& y = b.entries;
#define SELMARIND_COMPARE_TEXT(member)                                                             \
    if (x.member != y.member)                                                                      \
        return differ(#member, text(x.member), text(y.member));
#define SELMARIND_COMPARE_VALUE(member)                                                            \
    if (x.member != y.member)                                                                      \
        return differ(#member, QString::number(x.member), QString::number(y.member));
    SELMARIND_COMPARE_TEXT(txtName)
    SELMARIND_COMPARE_VALUE(cboMonthIndex)
    SELMARIND_COMPARE_TEXT(cboDate)
    SELMARIND_COMPARE_TEXT(cboYear)
    SELMARIND_COMPARE_TEXT(cboHH)
    SELMARIND_COMPARE_TEXT(cboMM)
    SELMARIND_COMPARE_TEXT(cboSS)
    SELMARIND_COMPARE_TEXT(txtMCity)
    SELMARIND_COMPARE_TEXT(txtMState)
    SELMARIND_COMPARE_TEXT(txtMCountry)
    SELMARIND_COMPARE_TEXT(txtLatD)
    SELMARIND_COMPARE_TEXT(txtLatM)
    SELMARIND_COMPARE_VALUE(optLatSouth)
    SELMARIND_COMPARE_TEXT(txtLonD)
    SELMARIND_COMPARE_TEXT(txtLonM)
    SELMARIND_COMPARE_VALUE(optLongEast)
    SELMARIND_COMPARE_VALUE(cmbTimeZoneIndex)
    SELMARIND_COMPARE_VALUE(chkDST)
#undef SELMARIND_COMPARE_TEXT
#undef SELMARIND_COMPARE_VALUE
    if (a.exactZone != b.exactZone) {
        return "exactZone differs";
    }
    if (a.place != b.place) {
        return "place differs";
    }
    if (a.positions != b.positions) {
        return "positions differ";
    }
    if (a.sunrise != b.sunrise) {
        return "sunrise differs";
    }
    if (a.chartStyle != b.chartStyle) {
        return "chart style differs";
    }
    return {};
}

} // namespace selmarind
