#include "engine/retrogrades.h"

#include "engine/name_tables.h"
#include "engine/station_tables.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace selmarind {

namespace {

constexpr bool PlanetsFollowChartOrder() {
    for (std::size_t p = 0; p < kRetrogradePlanets.size(); ++p) {
        if (kBodyNames[Index(kRetrogradeBodies[p])] != kRetrogradePlanets[p]) {
            return false;
        }
    }
    return true;
}
static_assert(PlanetsFollowChartOrder());

// A number that orders calendar days as they follow one another.
constexpr int DayKey(int year, int month, int day) {
    return (year * 16 + month) * 32 + day;
}

int DayKey(const CivilDateTime& t) {
    return DayKey(t.year, t.month, t.day);
}

int DayKey(const CivilDate& d) {
    return DayKey(d.year, d.month, d.day);
}

} // namespace

std::span<const StationPeriod> LoadStationTable(std::string_view planet) {
    const auto it = std::find(kRetrogradePlanets.begin(), kRetrogradePlanets.end(), planet);
    if (it == kRetrogradePlanets.end()) {
        return {};
    }
    return kStationTables[static_cast<std::size_t>(it - kRetrogradePlanets.begin())];
}

bool IsRetrograde(const CivilDate& birth, std::string_view planet) {
    const std::span<const StationPeriod> table = LoadStationTable(planet);
    const int birthDay = DayKey(birth);
    // Periods are chronological and never overlap, so only the last period
    // starting on an earlier day can contain the birth day.
    const auto next = std::partition_point(table.begin(), table.end(), [&](const StationPeriod& p) {
        return DayKey(p.StationStart) < birthDay;
    });
    if (next == table.begin()) {
        return false;
    }
    return DayKey(std::prev(next)->StationEnd) > birthDay;
}

RetrogradeMarks MarkRetrogrades(const CivilDate& birth) {
    RetrogradeMarks marks;
    for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
        marks.BodyNames[i] = kBodyNames[i];
    }
    for (std::size_t p = 0; p < kRetrogradePlanets.size(); ++p) {
        marks.RetrogradeFlags[p] = IsRetrograde(birth, kRetrogradePlanets[p]);
        if (marks.RetrogradeFlags[p]) {
            marks.BodyNames[Index(kRetrogradeBodies[p])] += kRetrogradeMarker;
        }
    }
    return marks;
}

} // namespace selmarind
