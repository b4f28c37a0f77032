// frmMain, the birth-data window: the first window the user sees. It
// collects name, date and time, place, coordinates, time zone and daylight
// saving, checks them, and hands the finished chart to whoever shows it.
#pragma once

#include "chart/chart_result.h"
#include "input/birth_entries.h"
#include "input/validation.h"
#include "ui/windows/advert_label.h"

#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace selmarind {

class LinkLabel;

class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmMain(QWidget* parent = nullptr);

    // The entries as the controls show them.
    BirthEntries entries() const;

    // Brings lblCobrand or lblFullBrand to the front; Unchanged leaves the
    // label in front as it is.
    void bringAdvertToFront(AdvertChoice choice);

signals:
    // A chart was computed from the entries (cmdRashi or its menu entry).
    void chartCalculated(const selmarind::ChartResult& result);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildHeader(QWidget* client);
    void buildEntryPanel(QWidget* client);
    void buildAdvertStrip(QWidget* client);
    void setTabOrder();
    void Form_Load();

    void cmdRashi_Click();
    void cmdBrowser_Click();
    void showFault(const ValidationFault& fault);
    QLineEdit* fieldOf(EntryField field) const;

    QLineEdit* txtName_ = nullptr;
    QComboBox* cboMonth_ = nullptr;
    QComboBox* cboDate_ = nullptr;
    QComboBox* cboYear_ = nullptr;
    QComboBox* cboHH_ = nullptr;
    QComboBox* cboMM_ = nullptr;
    QComboBox* cboSS_ = nullptr;
    QLineEdit* txtMCity_ = nullptr;
    QLineEdit* txtMState_ = nullptr;
    QLineEdit* txtMCountry_ = nullptr;
    QPushButton* cmdBrowser_ = nullptr;
    QComboBox* cmbTimeZone_ = nullptr;
    QCheckBox* chkDST_ = nullptr;
    QLineEdit* txtLatD_ = nullptr;
    QLineEdit* txtLatM_ = nullptr;
    QRadioButton* optLat_[2] = {};
    QLineEdit* txtLonD_ = nullptr;
    QLineEdit* txtLonM_ = nullptr;
    QRadioButton* optLong_[2] = {};
    QPushButton* cmdRashi_ = nullptr;
    LinkLabel* lblFullBrand_ = nullptr;
    LinkLabel* lblCobrand_ = nullptr;
    bool placed_ = false;
};

} // namespace selmarind
