// Find Place: the birth form's offline place finder. The user types a place,
// picks it from the atlas' matches, and sees what the form's zone list and
// daylight-saving box will be set to for the date and time on the form.
#pragma once

#include "atlas/atlas.h"
#include "atlas/zone_resolution.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace selmarind {

// The setting of the form's zone controls that gives one UTC offset: the
// list entry whose correction is the whole offset and whose abbreviation is
// the zone's (box unticked), or, where no entry has both, the extra entry
// after the 71 (exactLabel).
struct ZoneSetting {
    std::string zoneId; // "Asia/Kathmandu"
    ZoneOffset offset;
    std::optional<int> entryIndex; // 0..70; nothing for the extra entry
    std::string exactLabel;        // "Asia/Kathmandu, +05:45" when entryIndex is empty
};

ZoneSetting ZoneSettingFor(std::string_view zoneId, const ZoneOffset& offset);

// "14 August 1987 06:30" (seconds added when not zero).
QString LocalTimeText(const LocalDateTime& local);

// "+05:30 IST on 14 August 1987 06:30, daylight saving not in force", with
// a second sentence when the offset takes the extra entry.
QString DescribeZoneSetting(const ZoneSetting& setting, const LocalDateTime& local);

// The question put when the birth time was skipped or repeated in `zoneId`
// (resolution.kind is not Unique), and its two answers in the order of
// resolution.candidates: "-04:00 EDT, the first time". Find Place and the
// birth form ask the same way.
struct OffsetQuestion {
    QString text;
    std::array<QString, 2> answers;
};
OffsetQuestion OffsetQuestionFor(std::string_view zoneId, const LocalDateTime& local,
                                 const LocalTimeResolution& resolution);

// A place the user accepted, and the zone setting for the form's date and
// time; no zone setting when zones could not be resolved (no tz database,
// an impossible date on the form), in which case the zone stays as it is.
struct PlaceChoice {
    PlaceMatch place;
    std::optional<ZoneSetting> zone;
};

// The atlas at `path`, loaded on first use and kept for the life of the
// process (about 30 MB, read once). A file that failed to load is tried
// again next time, so installing it needs no restart; `message` then says
// what is wrong with it.
std::shared_ptr<const Atlas> CachedAtlas(const std::string& path, std::string& message);

// The process' zone resolver (the tz database is listed once).
const ZoneResolver& SharedZoneResolver();

class FindPlaceDialog : public QDialog {
    Q_OBJECT

public:
    FindPlaceDialog(const Atlas& atlas, const ZoneResolver& zones, const QString& query,
                    const LocalDateTime& birthTime, QWidget* parent = nullptr);

    // The accepted choice; nothing before acceptance or when nothing is
    // selected.
    std::optional<PlaceChoice> choice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void showSelectedPlace();
    void updateAcceptance();
    const PlaceMatch* selectedPlace() const;

    const Atlas& atlas_;
    const ZoneResolver& zones_;
    LocalDateTime birthTime_;
    std::vector<PlaceMatch> matches_;
    // For the selected place: how its zone reads at the birth time.
    std::optional<LocalTimeResolution> resolution_;

    QLineEdit* queryEdit_ = nullptr;
    QListWidget* resultList_ = nullptr;
    // "50 of 57 matches: ..." when the list is cut short; empty otherwise.
    QLabel* matchCountLabel_ = nullptr;
    QLabel* settingLabel_ = nullptr;
    QLabel* candidateCaption_ = nullptr;
    QComboBox* candidateList_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

} // namespace selmarind
