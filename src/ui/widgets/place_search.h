// The place look-up of the birth-data form: a web map search for the
// coordinates of the typed city, state and country.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace selmarind {

enum class PlaceField { City, State, Country };

// The first empty place field and the message that asks for it. A text of
// spaces counts as filled.
struct PlaceFault {
    PlaceField field;
    QString message; // "Please Enter City", "... State" or "... Country"
};

std::optional<PlaceFault> CheckPlaceEntries(const QString& city, const QString& state,
                                            const QString& country);

// city + " " + state + " " + country + " Latitude Longitude", texts as typed.
QString PlaceSearchText(const QString& city, const QString& state, const QString& country);

// The map search page for `searchText`, the text percent-encoded as UTF-8.
QUrl PlaceSearchAddress(const QString& searchText);

// Shows the user web search results for a place: opens the default browser
// on a map search through the program's link opener. What the user finds is
// not read back; the coordinates are typed in by hand.
void OpenPlaceSearch(const QString& searchText);

} // namespace selmarind
