#include "ephemeris/precise_ascendant.h"

#include "ephemeris/swiss_state.h"

#include <swephexp.h>

namespace selmarind::ephemeris {

AngleResult SiderealAscendant(double jdUt, const Place& place, const AyanamsaChoice& ayanamsa) {
    AngleResult result;
    result.error = detail::CheckInstant(jdUt);
    if (result.Ok()) {
        result.error = detail::CheckPlace(place);
    }
    if (result.Ok()) {
        result.error = CheckAyanamsa(ayanamsa);
    }
    if (!result.Ok()) {
        return result;
    }
    detail::PrepareThread();
    detail::ApplyAyanamsa(ayanamsa);

    // Equal houses never fail (Placidus and others do inside the polar
    // circles); only the ascendant is read. The library keeps the ascendant
    // on the rising side within the polar circles.
    double cusps[13] = {};
    double angles[10] = {};
    double cuspSpeeds[13] = {};
    double angleSpeeds[10] = {};
    char message[AS_MAXCH] = "";
    if (swe_houses_ex2(jdUt, SEFLG_SIDEREAL, place.latitudeDeg, place.longitudeDeg, 'E', cusps,
                       angles, cuspSpeeds, angleSpeeds, message) < 0) {
        result.error = detail::LibraryMessage(message);
        return result;
    }
    result.degrees = detail::NormalizeDegrees(angles[SE_ASC]);
    return result;
}

} // namespace selmarind::ephemeris
