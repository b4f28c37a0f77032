#include "ephemeris/sun_events.h"

#include "ephemeris/swiss_state.h"

#include <swephexp.h>

namespace selmarind::ephemeris {

namespace {

// Standard conditions of the refraction formulae (Bennett; Meeus ch. 16).
constexpr double kPressureHpa = 1013.25;
constexpr double kTemperatureCelsius = 10;

// The library's answer when the Sun stays above or below the horizon.
constexpr int kCircumpolar = -2;

} // namespace

SunEventResult SunEventBetween(double jdUtFrom, double jdUtTo, const Place& place, SunEvent event,
                               SunHorizon horizon) {
    SunEventResult result;
    result.error = detail::CheckInstant(jdUtFrom);
    if (result.Ok()) {
        result.error = detail::CheckInstant(jdUtTo);
    }
    if (result.Ok()) {
        result.error = detail::CheckPlace(place);
    }
    if (!result.Ok() || jdUtTo <= jdUtFrom) {
        return result;
    }
    detail::PrepareThread();

    int mode = event == SunEvent::Rise ? SE_CALC_RISE : SE_CALC_SET;
    if (horizon == SunHorizon::CentreWithoutRefraction) {
        mode |= SE_BIT_HINDU_RISING;
    }
    double observer[3] = {place.longitudeDeg, place.latitudeDeg, 0};
    double found = 0;
    char message[AS_MAXCH] = "";
    const int status = swe_rise_trans(jdUtFrom, SE_SUN, nullptr, SEFLG_SWIEPH, mode, observer,
                                      kPressureHpa, kTemperatureCelsius, &found, message);
    if (status < 0 && status != kCircumpolar) {
        result.error = detail::LibraryMessage(message);
        return result;
    }
    const bool inWindow = status == 0 && found >= jdUtFrom && found < jdUtTo;

    // The search does not say which ephemeris served; the planetary file it
    // read, if any, does.
    const double servedJdUt = inWindow ? found : jdUtFrom;
    result.source = detail::DataFileCovers(detail::DataFile::Planetary, servedJdUt)
                        ? Source::Files
                        : Source::Analytical;
    if (inWindow) {
        result.jdUt = found;
    }
    return result;
}

} // namespace selmarind::ephemeris
