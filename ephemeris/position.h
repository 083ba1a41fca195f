// Geometric heliocentric positions, mean ecliptic and equinox of date, from the tables of series.h.
// Time is a Julian Day of Terrestrial Time (TT; the series' own dynamical time differs from it by
// under 2 ms): a day number of the calendar goes in as it is, with no correction from UT (no
// delta T).
#pragma once

#include "constants.h"

#include <cstdint>

#include "body.h"

namespace dockorrery {

// Body indices: 0 Sun, 1 Mercury, 2 Venus, 3 Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus,
// 8 Neptune: the values of Body::Sun to Body::Neptune (ephemeris/body.h).
struct BodyPosition {
  int32_t body;  // body index the record was filled for
  double jd;     // Julian Day it was filled for
  double R;      // radius vector, AU
  double L;      // ecliptic longitude, rad, reduced by normalizeRadians: in [0, 2pi]
  double B;      // ecliptic latitude, rad
};

// Fills every field of `position` for `body` at Julian Day `jd` (TT, used directly as the time
// argument). The applet's entry: any index outside 1..8 gives the Sun's place, the origin.
void computeBodyPosition(BodyPosition& position, int body, double jd);

// Fills `position` for `body` at Julian Day `jdTt` (TT): geometric heliocentric L, B (mean
// ecliptic and equinox of date, rad; L in [0, 2pi]) and R (AU) from the abridged VSOP87D series,
// the Sun at the origin. False, with L, B and R NaN, for a body the series do not hold (the Moon,
// Pluto, a value outside the enumeration), outside the library's span (kFirstJd, kEndJd) and
// for a day that is not a number.
[[nodiscard]] bool computeHeliocentricPosition(BodyPosition& position, Body body, double jdTt);

// Coordinate 0 (L, rad), 1 (B, rad) or 2 (R, AU) of `body` at T Julian centuries (TT) from J2000.0;
// 0.0 for a body outside 1..8 or a coordinate above 2.
double seriesCoordinate(int body, unsigned coordinate, double T);

// Reduces an angle in rad into [0, 2pi] by fmod. An angle whose remainder lies less than half an
// ulp of 2pi below zero (-1e-20, say) comes back as exactly 2pi, the same direction as 0; -0.0
// stays -0.0.
double normalizeRadians(double angle);

}  // namespace dockorrery
