#include "ui/widgets/place_search.h"

#include "ui/widgets/link_opener.h"

#include <QByteArray>

namespace selmarind {

std::optional<PlaceFault> CheckPlaceEntries(const QString& city, const QString& state,
                                            const QString& country) {
    if (city.isEmpty()) {
        return PlaceFault{PlaceField::City, QStringLiteral("Please Enter City")};
    }
    if (state.isEmpty()) {
        return PlaceFault{PlaceField::State, QStringLiteral("Please Enter State")};
    }
    if (country.isEmpty()) {
        return PlaceFault{PlaceField::Country, QStringLiteral("Please Enter Country")};
    }
    return std::nullopt;
}

QString PlaceSearchText(const QString& city, const QString& state, const QString& country) {
    return city + u' ' + state + u' ' + country + QStringLiteral(" Latitude Longitude");
}

QUrl PlaceSearchAddress(const QString& searchText) {
    // Everything but the unreserved characters is escaped, so "&", "#", "+"
    // and "=" in a place name stay part of the query value.
    return QUrl::fromEncoded(QByteArrayLiteral("https://www.openstreetmap.org/search?query=") +
                                 QUrl::toPercentEncoding(searchText),
                             QUrl::StrictMode);
}

void OpenPlaceSearch(const QString& searchText) {
    OpenWebPage(PlaceSearchAddress(searchText));
}

} // namespace selmarind
