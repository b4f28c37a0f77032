#include "atlas/zone_suggestions.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace selmarind {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view LastPart(std::string_view id) {
    const std::size_t slash = id.rfind('/');
    return slash == std::string_view::npos ? id : id.substr(slash + 1);
}

} // namespace

std::vector<KnownZoneId> ReadZoneIds(std::istream& tzdataZi) {
    std::vector<KnownZoneId> ids;
    std::string line;
    while (std::getline(tzdataZi, line)) {
        std::istringstream words(line);
        std::string kind;
        std::string first;
        std::string second;
        words >> kind >> first;
        if (kind == "Z" && !first.empty()) {
            ids.push_back({first, first});
        } else if (kind == "L" && !first.empty() && (words >> second)) {
            ids.push_back({second, first});
        }
    }
    return ids;
}

std::vector<KnownZoneId> SystemZoneIds(const std::filesystem::path& folder) {
    std::ifstream file(folder / "tzdata.zi");
    if (!file) {
        return {};
    }
    return ReadZoneIds(file);
}

int ZoneIdDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment over three rows.
    const std::size_t n = b.size();
    std::vector<int> before(n + 1);
    std::vector<int> previous(n + 1);
    std::vector<int> current(n + 1);
    for (std::size_t j = 0; j <= n; ++j) {
        previous[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= n; ++j) {
            const int cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            int best = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1])) {
                best = std::min(best, before[j - 2] + 1);
            }
            current[j] = best;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[n];
}

std::vector<std::string> ClosestZoneIds(std::string_view typed,
                                        const std::vector<KnownZoneId>& known, std::size_t most) {
    // A typed text of hundreds of bytes is no zone id: no suggestion.
    if (typed.empty() || typed.size() > 64 || most == 0) {
        return {};
    }
    const int allowed = std::max(2, static_cast<int>(typed.size()) / 4);
    const bool bare = typed.find('/') == std::string_view::npos;
    // Best distance of each canonical zone over its own id and its links.
    std::map<std::string, int> best;
    // The distance is at least the difference in length: most ids are
    // passed over without computing it.
    const auto within = [&](std::string_view id) {
        const auto gap = static_cast<long>(id.size()) - static_cast<long>(typed.size());
        return (gap < 0 ? -gap : gap) <= allowed ? ZoneIdDistance(typed, id) : allowed + 1;
    };
    for (const KnownZoneId& zone : known) {
        int distance = within(zone.id);
        if (bare) {
            distance = std::min(distance, within(LastPart(zone.id)));
        }
        if (distance > allowed) {
            continue;
        }
        const auto [at, inserted] = best.emplace(zone.canonical, distance);
        if (!inserted) {
            at->second = std::min(at->second, distance);
        }
    }
    std::vector<std::pair<int, std::string>> ranked;
    for (const auto& [id, distance] : best) {
        ranked.emplace_back(distance, id);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> closest;
    for (const auto& [distance, id] : ranked) {
        if (closest.size() == most) {
            break;
        }
        closest.push_back(id);
    }
    return closest;
}

std::string ZoneSuggestionText(const std::vector<std::string>& suggestions) {
    if (suggestions.empty()) {
        return {};
    }
    std::string text = " Did you mean ";
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        if (i > 0) {
            text += i + 1 == suggestions.size() ? " or " : ", ";
        }
        text += suggestions[i];
    }
    return text + "?";
}

} // namespace selmarind
