// The applet's own entry to the planetary series and the helpers it is built from (the library's
// checked entry is astronomy/heliocentric.h): geometric heliocentric positions, mean ecliptic and equinox of
// date, from the tables of series.h. Time is a Julian Day of Terrestrial Time (TT; the series' own dynamical time differs from it by
// under 2 ms): a day number of the calendar goes in as it is, with no correction from UT (no
// delta T).
#pragma once

#include "../base/constants.h"

#include <cstdint>

#include "../base/body.h"

namespace dockorrery {

// The applet's entry: fills every field of `position` for body index `body` (0 Sun, 1 Mercury
// ... 8 Neptune, the values of Body::Sun to Body::Neptune) at Julian Day `jd` (TT, used directly as
// the time argument), L reduced by normalizeRadians into [0, 2pi]. Any index outside 1..8 gives
// the Sun's place, the origin. Not bound by the library's span.
void computeBodyPosition(BodyPosition& position, int body, double jd);

// Coordinate 0 (L, rad), 1 (B, rad) or 2 (R, AU) of `body` at T Julian centuries (TT) from J2000.0;
// 0.0 for a body outside 1..8 or a coordinate above 2.
double seriesCoordinate(int body, unsigned coordinate, double T);

// Reduces an angle in rad into [0, 2pi] by fmod. An angle whose remainder lies less than half an
// ulp of 2pi below zero (-1e-20, say) comes back as exactly 2pi, the same direction as 0; -0.0
// stays -0.0.
double normalizeRadians(double angle);

}  // namespace dockorrery
