// Geometric heliocentric positions of the Sun and the eight planets, mean ecliptic and equinox of
// date, from the abridged VSOP87D series.
#pragma once

#include "constants.h"

#include <cstdint>

#include "body.h"

namespace dockorrery {

// A heliocentric position: the body's index (Body::Sun = 0 to Body::Neptune = 8), the day it was
// filled for and its spherical coordinates on the mean ecliptic and equinox of date.
struct BodyPosition {
  int32_t body;  // body index the record was filled for
  double jd;     // Julian Day (TT) it was filled for
  double R;      // radius vector, AU
  double L;      // ecliptic longitude, rad
  double B;      // ecliptic latitude, rad
};

// Fills `position` for `body` at Julian Day `jdTt` (TT): geometric heliocentric L, B (mean
// ecliptic and equinox of date, rad; L in [0, 2pi)) and R (AU) from the abridged VSOP87D series,
// the Sun at the origin. False, with L, B and R NaN, for a body the series do not hold (the Moon,
// Pluto, a value outside the enumeration), outside the library's span (kFirstJd, kEndJd) and
// for a day that is not a number.
[[nodiscard]] bool computeHeliocentricPosition(BodyPosition& position, Body body, double jdTt);

}  // namespace dockorrery
