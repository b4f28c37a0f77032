// Place queries: what the form's place field can hold, and --find-place.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace selmarind::cli {

// The fault of a place query (--place, --find-place, the place column) that
// the form's field could not hold, or nothing.
std::optional<std::string> PlaceQueryFault(const std::string& query);

// Prints the places matching `query`, best first; returns the exit status.
int FindPlaces(const std::string& query, std::ostream& out, std::ostream& err);

} // namespace selmarind::cli
