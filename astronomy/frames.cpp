#include "astronomy/frames.h"

#include <cmath>
#include <limits>

#include "astronomy/angles.h"

namespace dockorrery {

bool angularSeparation(double& separation, double& positionAngle,
                       const EquatorialCoordinates& first, const EquatorialCoordinates& second) {
  separation = positionAngle = std::numeric_limits<double>::quiet_NaN();
  if (!std::isfinite(first.rightAscension + first.declination + second.rightAscension +
                     second.declination)) {
    return false;
  }
  const double d = second.rightAscension - first.rightAscension;
  const double c1 = std::cos(first.declination), s1 = std::sin(first.declination);
  const double c2 = std::cos(second.declination), s2 = std::sin(second.declination);
  const double cd = std::cos(d);
  const double east = c2 * std::sin(d);
  const double north = c1 * s2 - s1 * c2 * cd;
  // Both parts lie within [-1, 1], so the plain square root neither overflows nor underflows
  // where it matters.
  separation = std::atan2(std::sqrt(east * east + north * north), s1 * s2 + c1 * c2 * cd);
  if (east == 0.0 && north == 0.0) {
    positionAngle = 0.0;
  } else {
    const double angle = std::atan2(east, north);
    positionAngle = angle < 0.0 ? reduceAngle(angle + kTwoPi) : angle;
  }
  return true;
}

}  // namespace dockorrery
