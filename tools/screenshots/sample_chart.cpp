#include "screenshots/sample_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

namespace selmarind {

BirthEntries SampleBirthEntries() {
    return BirthEntries{
        .txtName = "ANANYA RAO",
        .cboMonthIndex = 7,
        .cboDate = "14",
        .cboYear = "1987",
        .cboHH = "6",
        .cboMM = "30",
        .cboSS = "0",
        .txtMCity = "Bangalore",
        .txtMState = "Karnataka",
        .txtMCountry = "India",
        .txtLatD = "12",
        .txtLatM = "58",
        .optLatSouth = false,
        .txtLonD = "77",
        .txtLonM = "35",
        .optLongEast = true,
        .cmbTimeZoneIndex = 34, // Indian Time, IST, +5.3
        .chkDST = false,
        .exactZone = std::nullopt,
    };
}

BirthEntries LongNameBirthEntries() {
    BirthEntries entries = SampleBirthEntries();
    // 40 letters in all, spaces left out of the count.
    entries.txtName = "KRISHNAMOORTHY VENKATARAMANAH SUBRAHMANYAM";
    // 60 letters: a made-up place name of the length some atlases hold.
    entries.txtMCity = "Chikkaballapura Doddaballapura Devanahalli Hoskote Nelamangalapu";
    entries.txtMState = "Karnataka";
    entries.txtMCountry = "United Kingdom of Great Britain and Northern Ireland";
    return entries;
}

namespace {

void SetText(QWidget& form, const char* name, const std::string& text) {
    if (auto* field = form.findChild<QLineEdit*>(QString::fromLatin1(name))) {
        field->setText(QString::fromStdString(text));
    }
}

void SelectText(QWidget& form, const char* name, const std::string& text) {
    if (auto* list = form.findChild<QComboBox*>(QString::fromLatin1(name))) {
        list->setCurrentIndex(list->findText(QString::fromStdString(text)));
    }
}

void SelectIndex(QWidget& form, const char* name, int index) {
    if (auto* list = form.findChild<QComboBox*>(QString::fromLatin1(name))) {
        list->setCurrentIndex(index);
    }
}

void Check(QWidget& form, const char* name, bool checked) {
    if (auto* button = form.findChild<QAbstractButton*>(QString::fromLatin1(name))) {
        button->setChecked(checked);
    }
}

} // namespace

void EnterBirthData(QWidget& frmMain, const BirthEntries& entries) {
    SetText(frmMain, "txtName", entries.txtName);
    SelectIndex(frmMain, "cboMonth", entries.cboMonthIndex);
    SelectText(frmMain, "cboDate", entries.cboDate);
    SelectText(frmMain, "cboYear", entries.cboYear);
    SelectText(frmMain, "cboHH", entries.cboHH);
    SelectText(frmMain, "cboMM", entries.cboMM);
    SelectText(frmMain, "cboSS", entries.cboSS);
    SetText(frmMain, "txtMCity", entries.txtMCity);
    SetText(frmMain, "txtMState", entries.txtMState);
    SetText(frmMain, "txtMCountry", entries.txtMCountry);
    SetText(frmMain, "txtLatD", entries.txtLatD);
    SetText(frmMain, "txtLatM", entries.txtLatM);
    Check(frmMain, entries.optLatSouth ? "optLat_1" : "optLat_0", true);
    SetText(frmMain, "txtLonD", entries.txtLonD);
    SetText(frmMain, "txtLonM", entries.txtLonM);
    Check(frmMain, entries.optLongEast ? "optLong_0" : "optLong_1", true);
    SelectIndex(frmMain, "cmbTimeZone", entries.cmbTimeZoneIndex);
    Check(frmMain, "chkDST", entries.chkDST);
}

} // namespace selmarind
