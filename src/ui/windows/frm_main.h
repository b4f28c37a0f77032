// frmMain, the birth-data window: the first window the user sees. It
// collects name, date and time, place, coordinates, time zone and daylight
// saving, checks them, and hands the finished chart to whoever shows it.
#pragma once

#include "chart/chart_driver.h"
#include "chart/chart_options.h"
#include "chart/chart_result.h"
#include "input/birth_entries.h"
#include "input/validation.h"
#include "records/record_contents.h"
#include "ui/windows/advert_label.h"
#include "ui/windows/place_zone_tracker.h"
#include "ui/windows/tools_menu.h"

#include <QMainWindow>
#include <QString>

#include <optional>
#include <string>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace selmarind {

class BirthRecordActions;
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

    // The atlas file Find Place reads (DataFilePath("atlas/places.tsv.gz")
    // unless set); it is loaded on the first use of Find Place.
    void setAtlasPath(const QString& path);

    // Sets every control as a user would leave it after entering `entries`,
    // which passed CheckBirthRecord; an exact zone (cmbTimeZoneIndex 71) is
    // appended to cmbTimeZone as its extra entry and selected.
    void setEntries(const BirthEntries& entries);

    // Appends the extra zone entry (index kExactZoneIndex) and selects it, or
    // removes it. Choosing another zone in the list removes it too.
    void setExactZone(const std::optional<ExactZoneEntry>& zone);

    // The atlas place the coordinates and zone came from, kept in a saved
    // record. Whoever fills the form from the atlas sets it; typing into the
    // city or a coordinate clears it, as the entries no longer are the atlas's.
    void setAtlasPlace(const std::optional<AtlasPlace>& place) { atlasPlace_ = place; }
    const std::optional<AtlasPlace>& atlasPlace() const { return atlasPlace_; }

    // What a chart of this form is computed with: what the Tools menu shows.
    // Opening a record that names its options sets the menu to them; a later
    // choice in the menu wins.
    ChartOptions chartOptions() const;

    // The birth record of the form as it stands, and the form filled from a
    // record that passed its checks.
    BirthRecordContents recordContents() const;
    void applyRecord(const BirthRecordContents& contents);

    BirthRecordActions* recordActions() const { return recordActions_; }

public slots:
    // Opens a birth record into the form (command line, drag and drop, a
    // second start of the program); a refused file leaves the form as it was
    // and says why. True when the form now shows the record.
    bool openBirthRecord(const QString& path);

signals:
    // A chart was computed from the entries (cmdRashi or its menu entry).
    void chartCalculated(const selmarind::ChartResult& result);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A record dragged over an entry field opens in the form rather than
    // landing in the field as the text of its address.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void showChartFailure(const ChartFailure& failure);
    QLineEdit* fieldOf(EntryField field) const;

    // Find Place and the zone it set (tools_menu.h, find_place_dialog.h).
    void findPlace();
    void applyZoneSetting(const ZoneSetting& setting);
    void zoneEntryChanged(int index);

    // The atlas place's zone following the date and time
    // (place_zone_tracker.h).
    void buildZoneByHandLine(QWidget* panel);
    void followBirthTime();
    bool refreshAttachedZone(bool askAgain, QString* fault = nullptr);
    void zoneSetByHand();
    void useAtlasZoneAgain();
    void attachRecordPlace(const std::string& zoneId);
    bool formShows(const ZoneSetting& setting) const;
    bool zoneReadyForChart();
    void showZoneState();

    QLineEdit* nameEdit_ = nullptr;
    QComboBox* monthCombo_ = nullptr;
    QComboBox* dayCombo_ = nullptr;
    QComboBox* yearCombo_ = nullptr;
    QComboBox* hourCombo_ = nullptr;
    QComboBox* minuteCombo_ = nullptr;
    QComboBox* secondCombo_ = nullptr;
    QLineEdit* cityEdit_ = nullptr;
    QLineEdit* stateEdit_ = nullptr;
    QLineEdit* countryEdit_ = nullptr;
    QPushButton* placeSearchButton_ = nullptr;
    QComboBox* timeZoneCombo_ = nullptr;
    QCheckBox* daylightSavingCheck_ = nullptr;
    QLineEdit* latitudeDegreesEdit_ = nullptr;
    QLineEdit* latitudeMinutesEdit_ = nullptr;
    QRadioButton* northOption_ = nullptr;
    QRadioButton* southOption_ = nullptr;
    QLineEdit* longitudeDegreesEdit_ = nullptr;
    QLineEdit* longitudeMinutesEdit_ = nullptr;
    QRadioButton* eastOption_ = nullptr;
    QRadioButton* westOption_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    LinkLabel* fullBrandAdvert_ = nullptr;
    LinkLabel* cobrandAdvert_ = nullptr;
    bool placed_ = false;

    QString atlasPath_;
    // The extra zone entry after the 71, while the list shows it.
    std::optional<ExactZoneEntry> exactZone_;
    // The zone of the atlas place, attached or by hand.
    PlaceZoneTracker zoneTracker_;
    QWidget* zoneByHandLine_ = nullptr;
    QLabel* zoneByHandLabel_ = nullptr;
    LinkLabel* atlasZoneAgainLink_ = nullptr;
    bool settingZone_ = false;
    BirthRecordActions* recordActions_ = nullptr;
    std::optional<AtlasPlace> atlasPlace_;
    ToolsMenu tools_;
};

} // namespace selmarind
