#include "cli/place_input.h"

#include "atlas/zone_resolution.h"
#include "atlas/zone_suggestions.h"
#include "cli/echo_text.h"
#include "input/entry_number.h"
#include "input/time_zones.h"

#include <cstdlib>
#include <mutex>
#include <system_error>

namespace selmarind::cli {

namespace {

// Exact offsets lie within 18 hours of UT either way, as in the records.
constexpr int kMaxOffsetSeconds = 18 * 3600;

std::filesystem::path ExecutableFolder() {
    std::error_code ignored;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return self.empty() ? std::filesystem::current_path(ignored) : self.parent_path();
}

const ZoneResolver& SharedResolver() {
    static const ZoneResolver resolver;
    return resolver;
}

std::string ZoneOffsetText(const ZoneOffset& offset) {
    return FormatUtcOffset(offset.utcOffsetSeconds) +
           (IsLetterAbbreviation(offset.abbreviation) ? " " + offset.abbreviation : "") +
           (offset.daylightSaving ? " (daylight saving)" : " (standard time)");
}

std::string LocalText(const LocalDateTime& t) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

std::string CoordinateText(const DegreesMinutes& angle, char positive, char negative) {
    return std::to_string(angle.degrees) + (angle.negative ? negative : positive) +
           std::to_string(angle.minutes);
}

double EntryDegrees(const std::string& degrees, const std::string& minutes, bool negative) {
    const double value = std::atof(degrees.c_str()) + std::atof(minutes.c_str()) / 60.0;
    return negative ? -value : value;
}

} // namespace

std::filesystem::path DataFolder() {
    if (const char* folder = std::getenv("SELMARIND_DATA_DIR"); folder && *folder) {
        return folder;
    }
    return (ExecutableFolder() / SELMARIND_DATA_FROM_BIN_DIR).lexically_normal();
}

std::filesystem::path AtlasPath() {
    return DataFolder() / "atlas" / kAtlasFileName;
}

const Atlas* SharedAtlas(std::string& message) {
    static std::mutex mutex;
    static std::optional<AtlasOrFault> loaded;
    const std::lock_guard lock(mutex);
    if (!loaded) {
        loaded = LoadAtlas(AtlasPath());
    }
    if (!loaded->atlas) {
        message = loaded->message;
        return nullptr;
    }
    return &*loaded->atlas;
}

std::optional<int> ReadUtcOffset(std::string_view text) {
    if (text.starts_with("UTC") || text.starts_with("utc")) {
        text.remove_prefix(3);
    }
    if (text.empty() || (text[0] != '+' && text[0] != '-')) {
        return std::nullopt;
    }
    const int sign = text[0] == '-' ? -1 : 1;
    text.remove_prefix(1);
    int parts[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        const std::size_t colon = text.find(':');
        const auto value = DigitsValue(text.substr(0, colon), 2);
        if (!value) {
            return std::nullopt;
        }
        parts[count++] = *value;
        if (colon == std::string_view::npos) {
            text = {};
            break;
        }
        text.remove_prefix(colon + 1);
    }
    if (count < 2 || !text.empty() || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    const int seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    if (seconds > kMaxOffsetSeconds) {
        return std::nullopt;
    }
    return sign * seconds;
}

std::optional<std::string> ExactZoneBoxFault(const BirthEntries& entries, std::string_view zoneId) {
    return ExactZoneDaylightFault(entries, zoneId, SharedResolver());
}

std::string LatitudeText(const DegreesMinutes& latitude) {
    return CoordinateText(latitude, 'N', 'S');
}

std::string LongitudeText(const DegreesMinutes& longitude) {
    return CoordinateText(longitude, 'E', 'W');
}

PlaceLookup FindBestPlace(std::string_view query) {
    PlaceLookup out;
    std::string message;
    const Atlas* atlas = SharedAtlas(message);
    if (!atlas) {
        out.status = PlaceStatus::Unavailable;
        out.message = message;
        return out;
    }
    std::vector<PlaceMatch> near = atlas->Search(query, 5);
    if (!near.empty() && near.front().exactMatch) {
        out.match = near.front();
        return out;
    }
    // A name the query only begins ("Köl") is not taken for the place: the
    // chart would silently be of a place the user never named.
    const bool onlyBegun = !near.empty();
    // Near matches: the places the query begins the name of, else the name
    // without the parts that narrowed it away, else ever shorter starts of
    // the name (two characters at least).
    std::string name(query.substr(0, query.find(',')));
    if (near.empty()) {
        near = atlas->Search(name, 5);
    }
    while (near.empty() && name.size() > 2) {
        name.pop_back();
        near = atlas->Search(name, 5);
    }
    out.status = PlaceStatus::Refused;
    out.message = onlyBegun ? "No place of the atlas is named \"" + EchoText(query) +
                                  "\" as a whole; --place takes a whole name"
                            : "No place of the atlas matches \"" + EchoText(query) + "\"";
    if (near.empty()) {
        out.message += "; try --find-place with a shorter name";
    } else {
        out.message += ". Near matches:";
        for (const PlaceMatch& place : near) {
            out.message += "\n  " + PlaceDisplayLine(place);
        }
    }
    return out;
}

ZoneSettlement SettleZone(const PlaceRequest& request, const std::optional<PlaceMatch>& place,
                          bool daylightSaving, const CivilDateTime& clock, BirthEntries& entries) {
    ZoneSettlement out;
    const auto refuse = [&](PlaceStatus status, std::string message) {
        out.status = status;
        out.message = std::move(message);
        return out;
    };
    const std::string zoneId = place ? place->zoneId : request.tz;
    std::optional<int> givenOffset;
    if (!request.utcOffset.empty()) {
        givenOffset = ReadUtcOffset(request.utcOffset);
        if (!givenOffset) {
            return refuse(PlaceStatus::Refused,
                          "Please Enter the UTC Offset as +HH:MM or -HH:MM[:SS], at most 18 hours "
                          "(for example +05:45)");
        }
    }
    const LocalDateTime local{clock.year, clock.month,  clock.day,
                              clock.hour, clock.minute, clock.second};

    PlaceSummary summary;
    summary.timeZone = zoneId;
    ZoneOffset chosen;
    if (zoneId.empty()) {
        chosen.utcOffsetSeconds = *givenOffset;
    } else {
        const ZoneResolver& resolver = SharedResolver();
        if (!resolver.Available()) {
            return refuse(PlaceStatus::Unavailable, resolver.UnavailableMessage());
        }
        const ZoneResolutionOrFault resolved = resolver.Resolve(zoneId, local);
        if (!resolved.resolution) {
            std::string message = resolved.message;
            if (resolved.fault == ZoneFault::UnknownZone) {
                // A misspelt id: name the known ones closest to it.
                message += ZoneSuggestionText(ClosestZoneIds(zoneId, SystemZoneIds()));
            }
            return refuse(resolved.fault == ZoneFault::ZonesUnavailable ? PlaceStatus::Unavailable
                                                                        : PlaceStatus::Refused,
                          message);
        }
        const LocalTimeResolution& r = *resolved.resolution;
        const std::string when = LocalText(local) + " in " + zoneId;
        if (givenOffset) {
            bool found = false;
            for (const ZoneOffset& candidate : r.candidates) {
                if (candidate.utcOffsetSeconds == *givenOffset) {
                    chosen = candidate;
                    found = true;
                }
            }
            if (!found) {
                std::string used;
                for (const ZoneOffset& candidate : r.candidates) {
                    used += (used.empty() ? "" : " or ") + ZoneOffsetText(candidate);
                }
                return refuse(PlaceStatus::Refused,
                              "The UTC offset " + FormatUtcOffset(*givenOffset) +
                                  " was not in use at " + when + ", which used " + used);
            }
        } else if (r.kind == LocalTimeKind::Unique) {
            chosen = r.candidates.front();
            if (daylightSaving && !chosen.daylightSaving) {
                return refuse(PlaceStatus::Refused, "Daylight saving time was not in force at " +
                                                        when + " (" + ZoneOffsetText(chosen) +
                                                        "); leave out --dst");
            }
        } else {
            const ZoneOffset& first = r.candidates[0];
            const ZoneOffset& second = r.candidates[1];
            const bool skipped = r.kind == LocalTimeKind::Nonexistent;
            const ZoneOffset* summer =
                first.daylightSaving ? &first : (second.daylightSaving ? &second : nullptr);
            if (daylightSaving && summer) {
                chosen = *summer;
            } else {
                return refuse(PlaceStatus::Refused,
                              std::string(skipped ? "The local time " + when +
                                                        " did not exist (the clocks went "
                                                        "forward): "
                                                  : "The local time " + when +
                                                        " happened twice (the clocks went "
                                                        "back): ") +
                                  ZoneOffsetText(first) + " or " + ZoneOffsetText(second) +
                                  "; give --utc-offset with one of them" +
                                  (summer ? " or --dst for the daylight-saving one" : ""));
            }
        }
        summary.dst = chosen.daylightSaving;
    }

    summary.utcOffsetSeconds = chosen.utcOffsetSeconds;
    summary.zoneIndex = ZoneEntryForOffset(chosen.utcOffsetSeconds, chosen.abbreviation);
    entries.chkDST = false;
    if (summary.zoneIndex) {
        entries.cmbTimeZoneIndex = *summary.zoneIndex;
        entries.exactZone.reset();
    } else {
        entries.cmbTimeZoneIndex = kExactZoneIndex;
        entries.exactZone =
            ExactZoneEntry{zoneId.empty() ? "UTC" + FormatUtcOffset(chosen.utcOffsetSeconds)
                                          : ExactOffsetLabel(zoneId, chosen),
                           chosen.utcOffsetSeconds};
    }
    if (place) {
        summary.latitudeDeg = place->latitudeDeg;
        summary.longitudeDeg = place->longitudeDeg;
    } else {
        summary.latitudeDeg = EntryDegrees(entries.txtLatD, entries.txtLatM, entries.optLatSouth);
        summary.longitudeDeg = EntryDegrees(entries.txtLonD, entries.txtLonM, !entries.optLongEast);
    }
    summary.atlasPlace = place;
    out.summary = std::move(summary);
    return out;
}

} // namespace selmarind::cli
