// Conversion of a time since sunrise, scaled so that one unit is one sign of
// 30 degrees, into a sign count and degrees, minutes and seconds of arc.
#pragma once

namespace selmarind {

// The parts of the vighati point (known as the pranapada), in signs and arc.
struct PranapadaParts {
    double PranapadaSigns = 0;   // floor(floor(|x|) / 15)
    double PranapadaDegrees = 0; // 0..29
    double PranapadaMinutes = 0; // 0..59
    double PranapadaSeconds = 0; // 0..59
};

PranapadaParts Vighati2Degree(double x);

} // namespace selmarind
