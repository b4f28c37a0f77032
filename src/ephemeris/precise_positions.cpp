#include "ephemeris/precise_positions.h"

#include "ephemeris/swiss_state.h"

#include <cmath>

#include <swephexp.h>

namespace selmarind::ephemeris {

namespace {

// Data files first (the library falls back by itself), speed wanted,
// sidereal by the mode PrepareThread set. Apparent positions by default.
constexpr int kPositionFlags = SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_SIDEREAL;

int LibraryBody(Body body) {
    switch (body) {
    case Body::Sun:
        return SE_SUN;
    case Body::Moon:
        return SE_MOON;
    case Body::Mercury:
        return SE_MERCURY;
    case Body::Venus:
        return SE_VENUS;
    case Body::Mars:
        return SE_MARS;
    case Body::Jupiter:
        return SE_JUPITER;
    case Body::Saturn:
        return SE_SATURN;
    case Body::MeanNode:
        return SE_MEAN_NODE;
    }
    return SE_SUN;
}

} // namespace

std::string_view BodyName(Body body) {
    switch (body) {
    case Body::Sun:
        return "Sun";
    case Body::Moon:
        return "Moon";
    case Body::Mercury:
        return "Mercury";
    case Body::Venus:
        return "Venus";
    case Body::Mars:
        return "Mars";
    case Body::Jupiter:
        return "Jupiter";
    case Body::Saturn:
        return "Saturn";
    case Body::MeanNode:
        return "Mean node";
    }
    return "?";
}

BodyPosition SiderealPosition(Body body, double jdUt, const AyanamsaChoice& ayanamsa) {
    BodyPosition position;
    position.error = detail::CheckInstant(jdUt);
    if (position.Ok()) {
        position.error = CheckAyanamsa(ayanamsa);
    }
    if (!position.Ok()) {
        return position;
    }
    detail::PrepareThread();
    detail::ApplyAyanamsa(ayanamsa);

    double values[6] = {};
    char message[AS_MAXCH] = "";
    const int returned = swe_calc_ut(jdUt, LibraryBody(body), kPositionFlags, values, message);
    if (returned < 0) {
        position.error = detail::LibraryMessage(message);
        return position;
    }
    Source source = detail::SourceOfReturnedFlags(returned);
    if (body == Body::MeanNode) {
        // The node's own flags always claim the files; the Moon tells which
        // ephemeris the lunar quantities come from. Setting the sidereal
        // mode above emptied the library's cache of finished positions, so
        // the Moon is computed again (about 1 % of a varied precise chart).
        double moon[6] = {};
        char moonMessage[AS_MAXCH] = "";
        const int moonReturned = swe_calc_ut(jdUt, SE_MOON, kPositionFlags, moon, moonMessage);
        if (moonReturned < 0) {
            position.error = detail::LibraryMessage(moonMessage);
            return position;
        }
        source = detail::SourceOfReturnedFlags(moonReturned);
    }
    // The library's flags claim the files whenever the planetary file
    // served, even when the lunar file is missing and the Moon came from the
    // analytical theory: it says so only in a warning, and not at all when
    // it answers again from its cache. The lunar file it has open tells.
    if ((body == Body::Moon || body == Body::MeanNode) && source == Source::Files &&
        !detail::DataFileCovers(detail::DataFile::Lunar, jdUt)) {
        source = Source::Analytical;
    }
    position.longitudeDeg = detail::NormalizeDegrees(values[0]);
    position.speedDegPerDay = values[3];
    position.source = source;
    return position;
}

AngleResult AyanamsaAt(double jdUt, const AyanamsaChoice& ayanamsa) {
    AngleResult result;
    result.error = detail::CheckInstant(jdUt);
    if (result.Ok()) {
        result.error = CheckAyanamsa(ayanamsa);
    }
    if (!result.Ok()) {
        return result;
    }
    detail::PrepareThread();
    detail::ApplyAyanamsa(ayanamsa);

    double degrees = 0;
    char message[AS_MAXCH] = "";
    // Without SEFLG_NONUT the value includes the nutation in longitude.
    if (swe_get_ayanamsa_ex_ut(jdUt, SEFLG_SWIEPH, &degrees, message) < 0) {
        result.error = detail::LibraryMessage(message);
        return result;
    }
    // The library gives 0..360: a user value near 0 moved back by precession
    // would read as 359-odd degrees rather than a little below zero.
    result.degrees = std::remainder(degrees, 360.0);
    return result;
}

} // namespace selmarind::ephemeris
