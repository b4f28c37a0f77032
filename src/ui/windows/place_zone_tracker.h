// The zone of an atlas place on the birth form. While the place is attached,
// the form's zone entry and daylight-saving box are what the place's IANA
// zone gives for the date and time on the form, and every change of the date
// or time sets them again. Choosing a zone entry or typing coordinates puts
// the zone by hand; one click attaches it again.
#pragma once

#include "atlas/zone_resolution.h"
#include "ui/windows/find_place_dialog.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace selmarind {

struct ZoneLookup {
    std::optional<ZoneSetting> setting; // set when resolved and, if asked, answered
    QString fault; // why it could not be resolved; empty when resolved or the user declined
};

// The message shown when the daylight-saving box is ticked against what the
// atlas gives for `local`: the offset, whether daylight saving was in force,
// and what to do.
QString BoxAgainstAtlasMessage(const ZoneSetting& setting, const LocalDateTime& local);

class PlaceZoneTracker {
public:
    enum class State {
        None,     // no atlas place, or the form was filled from entries
        Attached, // the zone follows the date and time
        ByHand,   // the user set the zone or the coordinates; zoneId is kept
    };

    // What the form was set to while attached.
    struct Applied {
        ZoneSetting setting;
        LocalDateTime local; // the date and time it was resolved for
        bool boxTicked = false;
    };

    State state() const { return state_; }
    bool attached() const { return state_ == State::Attached; }
    const std::string& zoneId() const { return zoneId_; }

    // Follows `zoneId` from now on; nothing is applied until applied().
    void attach(std::string zoneId);
    // The form now shows `setting` for `local` (box as ticked by the form).
    void applied(const ZoneSetting& setting, const LocalDateTime& local, bool boxTicked);
    // The form's time changed and its zone could not be set for it.
    void stale() { applied_.reset(); }
    // The zone is by hand; the place's zone is kept for attaching again.
    void detachByHand();
    // No place any more.
    void forget();

    // What was applied, if it was applied for `local`.
    const Applied* appliedFor(const LocalDateTime& local) const;

    // The setting of the place's zone at the wall-clock time `local`. A time
    // the clocks skipped or repeated is put to the user through the dialog
    // service with Find Place's question; the answer holds while the form
    // stays within the same change on that day, so stepping the hour and
    // then the minute asks once. A refusal holds the same way, unless
    // `askAgain` (the user wants a chart now).
    ZoneLookup lookUp(QWidget* parent, const ZoneResolver& zones, const LocalDateTime& local,
                      bool askAgain);

private:
    struct Answer {
        int year, month, day;
        LocalTimeResolution resolution;
        std::optional<std::size_t> chosen; // nothing: refused
    };

    State state_ = State::None;
    std::string zoneId_;
    std::optional<Applied> applied_;
    std::optional<Answer> answer_;
};

} // namespace selmarind
