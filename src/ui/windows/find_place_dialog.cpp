#include "ui/windows/find_place_dialog.h"

#include "engine/civil_time.h"
#include "ui/widgets/app_style.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>
#include <mutex>

namespace selmarind {

namespace {

// Results shown for one query: enough to find a small place among its
// namesakes by scrolling, few enough to read.
constexpr std::size_t kMaxMatches = 50;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "+05:30 IST": the offset, then the zone's abbreviation where it is a
// name; the tz database writes some abbreviations as the offset itself
// ("+0545"), which would only repeat it.
QString OffsetText(const ZoneOffset& offset) {
    QString text = FromUtf8(FormatUtcOffset(offset.utcOffsetSeconds));
    const std::string& abbreviation = offset.abbreviation;
    if (!abbreviation.empty() && abbreviation.front() != '+' && abbreviation.front() != '-') {
        text += QLatin1Char(' ') + FromUtf8(abbreviation);
    }
    return text;
}

QString DaylightText(const ZoneOffset& offset) {
    return offset.daylightSaving ? QStringLiteral("daylight saving in force")
                                 : QStringLiteral("daylight saving not in force");
}

QString ClockText(const LocalDateTime& local) {
    QString text = TwoDigits(local.hour) + QLatin1Char(':') + TwoDigits(local.minute);
    if (local.second != 0) {
        text += QLatin1Char(':') + TwoDigits(local.second);
    }
    return text;
}

template <typename T> T* Named(T* widget, const char* name, const QString& accessibleName) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

ZoneSetting ZoneSettingFor(std::string_view zoneId, const ZoneOffset& offset) {
    ZoneSetting setting;
    setting.zoneId = std::string(zoneId);
    setting.offset = offset;
    setting.entryIndex = ZoneEntryForOffset(offset.utcOffsetSeconds, offset.abbreviation);
    if (!setting.entryIndex) {
        setting.exactLabel = ExactOffsetLabel(zoneId, offset);
    }
    return setting;
}

QString LocalTimeText(const LocalDateTime& local) {
    return QString::number(local.day) + QLatin1Char(' ') +
           QString::fromLatin1(MonthName(local.month)) + QLatin1Char(' ') +
           QString::number(local.year) + QLatin1Char(' ') + ClockText(local);
}

QString DescribeZoneSetting(const ZoneSetting& setting, const LocalDateTime& local) {
    QString text = OffsetText(setting.offset) + QStringLiteral(" on ") + LocalTimeText(local) +
                   QStringLiteral(", ") + DaylightText(setting.offset) + QLatin1Char('.');
    if (!setting.entryIndex) {
        text +=
            QStringLiteral(" No entry of the zone list has this offset and name: the entry \"") +
            FromUtf8(setting.exactLabel) +
            QStringLiteral("\" is added at the end of the list for this birth.");
    }
    return text;
}

OffsetQuestion OffsetQuestionFor(std::string_view zoneId, const LocalDateTime& local,
                                 const LocalTimeResolution& resolution) {
    const bool ambiguous = resolution.kind == LocalTimeKind::Ambiguous;
    const QString pattern =
        ambiguous ? QStringLiteral("%1 happened twice in %2: the clocks went back from %3 to %4 "
                                   "over it. Choose which of the two the birth was.")
                  : QStringLiteral("%1 did not exist in %2: the clocks went forward from %3 to %4 "
                                   "over it. Choose the offset the birth time was written in.");
    const QString before = OffsetText(resolution.candidates.at(0));
    const QString after = OffsetText(resolution.candidates.at(1));
    OffsetQuestion question;
    question.text = pattern.arg(LocalTimeText(local), FromUtf8(zoneId), before, after);
    question.answers =
        ambiguous ? std::array<QString, 2>{before + QStringLiteral(", the first time"),
                                           after + QStringLiteral(", the second time")}
                  : std::array<QString, 2>{before + QStringLiteral(", as before the change"),
                                           after + QStringLiteral(", as after the change")};
    return question;
}

std::shared_ptr<const Atlas> CachedAtlas(const std::string& path, std::string& message) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const Atlas>> loaded;
    const std::lock_guard lock(mutex);
    if (const auto found = loaded.find(path); found != loaded.end()) {
        return found->second;
    }
    AtlasOrFault result = LoadAtlas(path);
    if (!result.atlas) {
        message = result.message;
        return nullptr;
    }
    auto atlas = std::make_shared<const Atlas>(std::move(*result.atlas));
    loaded.emplace(path, atlas);
    return atlas;
}

const ZoneResolver& SharedZoneResolver() {
    static const ZoneResolver resolver;
    return resolver;
}

FindPlaceDialog::FindPlaceDialog(const Atlas& atlas, const ZoneResolver& zones,
                                 const QString& query, const LocalDateTime& birthTime,
                                 QWidget* parent)
    : QDialog(parent), atlas_(atlas), zones_(zones), birthTime_(birthTime) {
    setObjectName(QStringLiteral("frmFindPlace"));
    setWindowTitle(QStringLiteral("Find Place"));
    setModal(true);
    ApplyAppStyle(this);

    auto* layout = new QVBoxLayout(this);
    auto* queryCaption = new QLabel(QStringLiteral("&Place (name, then \", state\" or \", "
                                                   "country\" to narrow it):"),
                                    this);
    queryCaption->setObjectName(QStringLiteral("lblFindPlaceCaption"));
    queryEdit_ = Named(new QLineEdit(query, this), "txtFindPlace", QStringLiteral("Place to find"));
    queryCaption->setBuddy(queryEdit_);
    queryEdit_->installEventFilter(this);

    auto* listCaption = new QLabel(QStringLiteral("&Matches:"), this);
    listCaption->setObjectName(QStringLiteral("lblPlacesCaption"));
    resultList_ = Named(new QListWidget(this), "lstPlaces", QStringLiteral("Places found"));
    resultList_->setMinimumSize(560, 220);
    // A long line wraps rather than hiding its zone off to the right behind
    // a scroll bar along the list's foot.
    resultList_->setWordWrap(true);
    resultList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resultList_->setTextElideMode(Qt::ElideNone);
    listCaption->setBuddy(resultList_);

    matchCountLabel_ = new QLabel(this);
    matchCountLabel_->setObjectName(QStringLiteral("lblMatchCount"));
    matchCountLabel_->setWordWrap(true);
    matchCountLabel_->setTextFormat(Qt::PlainText);
    // One line kept for it, so that the dialog does not jump while typing.
    matchCountLabel_->setMinimumHeight(matchCountLabel_->fontMetrics().lineSpacing());

    // The sentence itself is the label's accessible name (a label without a
    // name of its own is read by its text, and says when it changes); what it
    // is about goes in the description.
    settingLabel_ = Named(new QLabel(this), "lblZoneSetting", QString());
    settingLabel_->setAccessibleDescription(QStringLiteral("Zone for the birth time"));
    settingLabel_->setWordWrap(true);
    settingLabel_->setTextFormat(Qt::PlainText);
    settingLabel_->setMinimumHeight(settingLabel_->fontMetrics().lineSpacing() * 4);

    candidateCaption_ = new QLabel(QStringLiteral("&Offset the birth time was written in:"), this);
    candidateCaption_->setObjectName(QStringLiteral("lblZoneCandidateCaption"));
    candidateList_ = Named(new QComboBox(this), "cboZoneCandidate",
                           QStringLiteral("Offset the birth time was written in"));
    candidateCaption_->setBuddy(candidateList_);

    auto* attribution = Named(new QLabel(FromUtf8(kAtlasAttribution), this), "lblAtlasAttribution",
                              FromUtf8(kAtlasAttribution));

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName(QStringLiteral("fraFindPlaceButtons"));
    QPushButton* use = buttons_->button(QDialogButtonBox::Ok);
    use->setText(QStringLiteral("&Use This Place"));
    Named(use, "cmdUsePlace", QStringLiteral("Use This Place"));
    Named(buttons_->button(QDialogButtonBox::Cancel), "cmdCancelPlace", QStringLiteral("Cancel"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (QWidget* widget : std::initializer_list<QWidget*>{
             queryCaption, queryEdit_, listCaption, resultList_, matchCountLabel_, settingLabel_,
             candidateCaption_, candidateList_, attribution, buttons_}) {
        layout->addWidget(widget);
    }

    connect(queryEdit_, &QLineEdit::textChanged, this, [this] { search(); });
    connect(resultList_, &QListWidget::currentRowChanged, this, [this] { showSelectedPlace(); });
    connect(resultList_, &QListWidget::itemActivated, this, [this] {
        if (buttons_->button(QDialogButtonBox::Ok)->isEnabled()) {
            accept();
        }
    });
    connect(candidateList_, &QComboBox::currentIndexChanged, this, [this] { updateAcceptance(); });

    search();
    queryEdit_->setFocus();
    queryEdit_->selectAll();
}

bool FindPlaceDialog::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the search field walk the matches, so a place is found
    // and chosen without leaving the field.
    if (watched == queryEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && resultList_->count() > 0) {
            const int step = key == Qt::Key_Up ? -1 : 1;
            const int row =
                std::clamp(resultList_->currentRow() + step, 0, resultList_->count() - 1);
            resultList_->setCurrentRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindPlaceDialog::search() {
    const QByteArray query = queryEdit_->text().trimmed().toUtf8();
    std::size_t total = 0;
    matches_ =
        atlas_.Search(std::string_view(query.constData(), static_cast<std::size_t>(query.size())),
                      kMaxMatches, &total);
    // Only a list cut short has a word to say about its length.
    matchCountLabel_->setText(
        total > matches_.size() ? FromUtf8(MatchCountNote(matches_.size(), total)) : QString());
    resultList_->clear();
    for (const PlaceMatch& place : matches_) {
        resultList_->addItem(FromUtf8(PlaceDisplayLine(place)));
    }
    if (!matches_.empty()) {
        resultList_->setCurrentRow(0);
    }
    showSelectedPlace();
}

const PlaceMatch* FindPlaceDialog::selectedPlace() const {
    const int row = resultList_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= matches_.size()) {
        return nullptr;
    }
    return &matches_[static_cast<std::size_t>(row)];
}

void FindPlaceDialog::showSelectedPlace() {
    resolution_.reset();
    candidateList_->clear();
    candidateCaption_->hide();
    candidateList_->hide();
    const PlaceMatch* place = selectedPlace();
    if (!place) {
        settingLabel_->setText(queryEdit_->text().trimmed().isEmpty()
                                   ? QStringLiteral("Type the name of the place of birth.")
                                   : QStringLiteral("No place of that name is in the atlas."));
        updateAcceptance();
        return;
    }
    const ZoneResolutionOrFault resolved = zones_.Resolve(place->zoneId, birthTime_);
    if (!resolved.resolution) {
        settingLabel_->setText(FromUtf8(resolved.message) +
                               QStringLiteral(" The coordinates will be set; the zone and the "
                                              "daylight-saving box stay as they are."));
        updateAcceptance();
        return;
    }
    resolution_ = resolved.resolution;
    if (resolution_->kind == LocalTimeKind::Unique) {
        settingLabel_->setText(DescribeZoneSetting(
            ZoneSettingFor(place->zoneId, resolution_->candidates.front()), birthTime_));
    } else {
        const OffsetQuestion question = OffsetQuestionFor(place->zoneId, birthTime_, *resolution_);
        settingLabel_->setText(question.text);
        // The first item chooses nothing: the dialog does not accept until
        // the user has picked one of the two.
        candidateList_->addItem(QStringLiteral("(choose one)"));
        for (std::size_t i = 0; i < 2; ++i) {
            const ZoneOffset& offset = resolution_->candidates[i];
            const ZoneSetting setting = ZoneSettingFor(place->zoneId, offset);
            QString item = question.answers[i] + QStringLiteral(", ") + DaylightText(offset);
            if (!setting.entryIndex) {
                item += QStringLiteral(" (extra entry \"") + FromUtf8(setting.exactLabel) +
                        QStringLiteral("\")");
            }
            candidateList_->addItem(item);
        }
        candidateCaption_->show();
        candidateList_->show();
    }
    updateAcceptance();
}

void FindPlaceDialog::updateAcceptance() {
    bool ready = selectedPlace() != nullptr;
    if (ready && resolution_ && resolution_->kind != LocalTimeKind::Unique) {
        ready = candidateList_->currentIndex() > 0;
    }
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(ready);
}

std::optional<PlaceChoice> FindPlaceDialog::choice() const {
    const PlaceMatch* place = selectedPlace();
    if (result() != QDialog::Accepted || !place) {
        return std::nullopt;
    }
    PlaceChoice chosen{*place, std::nullopt};
    if (resolution_) {
        if (resolution_->kind == LocalTimeKind::Unique) {
            chosen.zone = ZoneSettingFor(place->zoneId, resolution_->candidates.front());
        } else {
            const int picked = candidateList_->currentIndex();
            if (picked < 1) {
                return std::nullopt;
            }
            chosen.zone = ZoneSettingFor(
                place->zoneId, resolution_->candidates[static_cast<std::size_t>(picked - 1)]);
        }
    }
    return chosen;
}

} // namespace selmarind
