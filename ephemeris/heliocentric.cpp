// The library's checked entry to the planetary series, apart from the applet's own so that the
// applet links none of it.
#include <cmath>

#include "ephemeris/constants.h"
#include "ephemeris/heliocentric.h"
#include "ephemeris/position.h"

namespace dockorrery {

bool computeHeliocentricPosition(BodyPosition& position, Body body, double jdTt) {
  position.body = static_cast<int32_t>(body);
  position.jd = jdTt;
  if (body < Body::Sun || body > Body::Neptune || !detail::withinSpan(jdTt)) {
    position.R = position.L = position.B = NAN;
    return false;
  }
  computeBodyPosition(position, static_cast<int>(body), jdTt);
  // normalizeRadians may give 2pi itself for a longitude a hair below 0, and keeps -0.0.
  position.L = position.L >= kTwoPi ? 0.0 : position.L + 0.0;
  return true;
}

}  // namespace dockorrery
