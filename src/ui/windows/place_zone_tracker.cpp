#include "ui/windows/place_zone_tracker.h"

#include "ui/widgets/dialog_service.h"

#include <tuple>

namespace selmarind {

namespace {

bool SameTime(const LocalDateTime& a, const LocalDateTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) ==
           std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

} // namespace

QString BoxAgainstAtlasMessage(const ZoneSetting& setting, const LocalDateTime& local) {
    const QString entry =
        setting.entryIndex ? QStringLiteral("the zone entry") : QStringLiteral("the extra entry");
    return QStringLiteral("For %1 the atlas gives %2\n\nThe zone is set from the atlas, and %3 "
                          "already holds this whole offset, so \"Daylight Saving Time\" would "
                          "count an hour that was not kept. Untick \"Daylight Saving Time\", or "
                          "choose the zone by hand.")
        .arg(QString::fromStdString(setting.zoneId), DescribeZoneSetting(setting, local), entry);
}

void PlaceZoneTracker::attach(std::string zoneId) {
    state_ = State::Attached;
    if (zoneId != zoneId_) {
        answer_.reset();
    }
    zoneId_ = std::move(zoneId);
    applied_.reset();
}

void PlaceZoneTracker::applied(const ZoneSetting& setting, const LocalDateTime& local,
                               bool boxTicked) {
    applied_ = Applied{setting, local, boxTicked};
}

void PlaceZoneTracker::detachByHand() {
    if (state_ == State::Attached) {
        state_ = State::ByHand;
    }
    applied_.reset();
}

void PlaceZoneTracker::forget() {
    state_ = State::None;
    zoneId_.clear();
    applied_.reset();
    answer_.reset();
}

const PlaceZoneTracker::Applied* PlaceZoneTracker::appliedFor(const LocalDateTime& local) const {
    return applied_ && SameTime(applied_->local, local) ? &*applied_ : nullptr;
}

ZoneLookup PlaceZoneTracker::lookUp(QWidget* parent, const ZoneResolver& zones,
                                    const LocalDateTime& local, bool askAgain) {
    const ZoneResolutionOrFault resolved = zones.Resolve(zoneId_, local);
    if (!resolved.resolution) {
        return {std::nullopt, QString::fromStdString(resolved.message)};
    }
    const LocalTimeResolution& resolution = *resolved.resolution;
    if (resolution.kind == LocalTimeKind::Unique) {
        // Away from the change, a return to it asks afresh.
        answer_.reset();
        return {ZoneSettingFor(zoneId_, resolution.candidates.front()), {}};
    }
    if (answer_ && answer_->year == local.year && answer_->month == local.month &&
        answer_->day == local.day && answer_->resolution.kind == resolution.kind &&
        answer_->resolution.candidates == resolution.candidates && (answer_->chosen || !askAgain)) {
        if (!answer_->chosen) {
            return {};
        }
        return {ZoneSettingFor(zoneId_, resolution.candidates[*answer_->chosen]), {}};
    }
    const OffsetQuestion question = OffsetQuestionFor(zoneId_, local, resolution);
    const std::optional<int> chosen =
        Dialogs().askChoice(parent, question.text, {question.answers[0], question.answers[1]});
    if (!chosen || *chosen < 0 || *chosen > 1) {
        answer_ = Answer{local.year, local.month, local.day, resolution, std::nullopt};
        return {};
    }
    const auto index = static_cast<std::size_t>(*chosen);
    answer_ = Answer{local.year, local.month, local.day, resolution, index};
    return {ZoneSettingFor(zoneId_, resolution.candidates[index]), {}};
}

} // namespace selmarind
