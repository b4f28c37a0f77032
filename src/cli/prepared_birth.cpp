#include "cli/prepared_birth.h"

#include "cli/echo_text.h"
#include "cli/find_place.h"
#include "cli/input_file.h"
#include "cli/tool_text.h"
#include "records/file_io.h"
#include "records/record_checks.h"

#include <cstring>

namespace selmarind::cli {

namespace {

constexpr const char* kNotComputedMessage = "The chart could not be computed from these entries";

PreparedBirth Refused(int status, std::string message) {
    PreparedBirth out;
    out.status = status;
    out.message = std::move(message);
    return out;
}

// Reads --positions, --sunrise and --ayanamsa (or their columns); empty
// leaves them unset.
bool ReadChoices(const std::string& positions, const std::string& sunrise,
                 const std::string& ayanamsa, PreparedBirth& out) {
    if (const std::string name = Lower(Trimmed(positions)); !name.empty()) {
        out.positionsGiven = PositionSourceOfName(name);
        if (!out.positionsGiven) {
            out = Refused(kExitInvalidInput, "Please Enter the Positions as classic or precise");
            return false;
        }
    }
    if (const std::string name = Lower(Trimmed(sunrise)); !name.empty()) {
        out.sunriseGiven = SunriseConventionOfName(name);
        if (!out.sunriseGiven) {
            out = Refused(kExitInvalidInput, "Please Enter the Sunrise as limb or centre");
            return false;
        }
    }
    if (const std::string key = Lower(Trimmed(ayanamsa)); !key.empty()) {
        AyanamsaOrError read = AyanamsaOfKey(key);
        if (!read.choice) {
            out = Refused(kExitInvalidInput, EchoText(read.error));
            return false;
        }
        out.ayanamsaGiven = read.choice;
    }
    return true;
}

// Fills the options from the choices; false, with the birth refused, for
// an ayanamsa the classic source cannot give.
bool SetOptions(PreparedBirth& out) {
    out.options = {out.positionsGiven.value_or(PositionSource::Classic),
                   out.sunriseGiven.value_or(SunriseConvention::Limb),
                   out.ayanamsaGiven.value_or(AyanamsaChoice{})};
    if (std::string fault = CheckChartOptions(out.options); !fault.empty()) {
        out = Refused(kExitInvalidInput, std::move(fault));
        return false;
    }
    return true;
}

} // namespace

PreparedBirth PrepareFromFields(BirthFields fields, const PlaceRequest& where,
                                const std::string& positions, const std::string& sunrise,
                                const std::string& ayanamsa) {
    PreparedBirth out;
    if (!ReadChoices(positions, sunrise, ayanamsa, out) || !SetOptions(out)) {
        return out;
    }
    if (!where.place.empty() &&
        (!fields.lat.empty() || !fields.lon.empty() || !fields.zone.empty() || !where.tz.empty())) {
        return Refused(kExitInvalidInput, "A place from the atlas gives the coordinates and the "
                                          "zone: give no lat, lon, zone or tz with it");
    }
    if (!fields.zone.empty() && (!where.tz.empty() || !where.utcOffset.empty())) {
        return Refused(kExitInvalidInput,
                       "Give the zone either as a list entry (zone) or as tz / utc-offset");
    }
    if (fields.dst && !where.utcOffset.empty()) {
        return Refused(kExitInvalidInput, "A UTC offset is the whole offset in force, daylight "
                                          "saving included: give no dst with it");
    }
    if (auto fault = PlaceQueryFault(where.place)) {
        return Refused(kExitInvalidInput, std::move(*fault));
    }
    // No zone name needs a character that the echo would change.
    if (!where.tz.empty() && EchoText(where.tz) != where.tz) {
        return Refused(kExitInvalidInput,
                       "The time zone \"" + EchoText(where.tz) + "\" is not known.");
    }
    std::optional<PlaceMatch> match;
    if (!where.place.empty()) {
        PlaceLookup lookup = FindBestPlace(where.place);
        if (lookup.status == PlaceStatus::Unavailable) {
            return Refused(kExitFailure, UnavailableMessage("the atlas", lookup.message));
        }
        if (!lookup.match) {
            return Refused(kExitInvalidInput, lookup.message);
        }
        match = std::move(lookup.match);
        fields.lat = LatitudeText(match->latitude);
        fields.lon = LongitudeText(match->longitude);
        fields.city = fields.city.empty() ? match->name : fields.city;
        fields.state = fields.state.empty() ? match->division : fields.state;
        fields.country = fields.country.empty() ? match->country : fields.country;
        out.atlasPlace = AtlasPlace{match->geonameId, match->zoneId};
    }
    EntriesOrFault entries =
        EntriesFromFields(fields, BirthYears(out.options.positions), where.Any());
    if (!entries.entries) {
        return Refused(kExitInvalidInput, entries.message);
    }
    out.entries = std::move(*entries.entries);
    if (where.Any()) {
        ZoneSettlement zone = SettleZone(where, match, fields.dst, entries.clock, out.entries);
        if (zone.status == PlaceStatus::Unavailable) {
            return Refused(kExitFailure,
                           UnavailableMessage("the time-zone database", zone.message));
        }
        if (!zone.summary) {
            return Refused(kExitInvalidInput, zone.message);
        }
        out.place = std::move(zone.summary);
    }
    return out;
}

PreparedBirth PrepareFromRecord(const std::string& path, const std::string& positions,
                                const std::string& sunrise, const std::string& ayanamsa) {
    PreparedBirth out;
    if (!ReadChoices(positions, sunrise, ayanamsa, out)) {
        return out;
    }
    // The record is opened and read once, so a fault is worded once, as
    // for any file the tool reads.
    const InputFileOrFault file = OpenInputFile(path);
    if (!file.file) {
        return Refused(kExitFailure, UnavailableMessage(EchoText(path), file.reason));
    }
    // One byte beyond the limit is enough for ReadBirthRecord to refuse the
    // size.
    std::string bytes(kBirthRecordMaxBytes + 1, '\0');
    const std::streamsize got =
        file.file->sgetn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.file->Error() != 0) {
        return Refused(kExitFailure,
                       UnavailableMessage(EchoText(path), std::strerror(file.file->Error())));
    }
    bytes.resize(static_cast<std::size_t>(got));
    RecordOrFault record = ReadBirthRecord(bytes);
    if (!record.contents) {
        return Refused(kExitInvalidInput, record.message);
    }
    BirthRecordContents& contents = *record.contents;
    // Options given on the command line win over the record's choices.
    out.positionsGiven = out.positionsGiven ? out.positionsGiven : contents.positions;
    out.sunriseGiven = out.sunriseGiven ? out.sunriseGiven : contents.sunrise;
    out.ayanamsaGiven = out.ayanamsaGiven ? out.ayanamsaGiven : contents.ayanamsa;
    if (!SetOptions(out)) {
        return out;
    }
    out.atlasPlace = contents.place;
    out.chartStyle = contents.chartStyle;
    out.entries = std::move(contents.entries);
    if (auto fault =
            ExactZoneBoxFault(out.entries, out.atlasPlace ? out.atlasPlace->timeZone : "")) {
        return Refused(kExitInvalidInput, *fault);
    }
    return out;
}

Computed Compute(const PreparedBirth& birth) {
    Computed out;
    ChartOrFailure chart = CalculateChart(birth.entries, birth.options);
    if (!chart) {
        const ChartFailure& failure = chart.failure();
        out.message = failure.fault ? failure.fault->message
                      : failure.reason.empty()
                          ? std::string(kNotComputedMessage)
                          : UnavailableMessage("the ephemeris data", failure.reason);
        return out;
    }
    out.chart = *std::move(chart);
    return out;
}

std::optional<std::string> SaveRecord(const std::string& path, const PreparedBirth& birth) {
    BirthRecordContents contents;
    contents.entries = birth.entries;
    if (birth.entries.cmbTimeZoneIndex == kExactZoneIndex && birth.entries.exactZone) {
        contents.exactZone =
            ExactZoneOffset{static_cast<std::int32_t>(birth.entries.exactZone->utcOffsetSeconds),
                            birth.entries.exactZone->label};
    }
    contents.place = birth.atlasPlace;
    contents.positions = birth.positionsGiven;
    contents.sunrise = birth.sunriseGiven;
    contents.ayanamsa = birth.ayanamsaGiven;
    contents.chartStyle = birth.chartStyle;
    if (auto fault = CheckBirthRecord(contents)) {
        return "a birth record cannot hold this birth: " + *fault;
    }
    return WriteFileAtomically(path, WriteBirthRecord(contents));
}

} // namespace selmarind::cli
