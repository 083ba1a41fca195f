// Angle reductions.
#pragma once

#include <cmath>

#include "../base/constants.h"

namespace dockorrery {

// An angle reduced into [0, 2pi).
//   Given:    angle      rad
//   Returned: (double)   rad in [0, 2pi); NaN for a non-finite angle
//   Notes:    Unlike normalizeRadians, which may give exactly 2pi for an angle a hair below a
//             multiple of it, and keeps -0.0, the result never leaves the half-open range: such
//             an angle gives 0, and -0.0 gives 0.0.
inline double reduceAngle(double angle) {
  double r = std::fmod(angle, kTwoPi);
  if (r < 0.0) r += kTwoPi;
  // A remainder a hair below 0 rounds up to 2pi itself, the same direction as 0.
  return r >= kTwoPi ? 0.0 : r + 0.0;  // + 0.0 turns -0.0 into 0.0
}

// An angle reduced into (-pi, pi].
//   Given:    angle      rad
//   Returned: (double)   rad in (-pi, pi]; NaN for a non-finite angle
inline double signedAngle(double angle) {
  const double a = reduceAngle(angle);
  return a > kPi ? a - kTwoPi : a;
}

// What the library's own routines share, not part of its interface.
}  // namespace dockorrery
