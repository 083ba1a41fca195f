#include "precession.h"

#include <cmath>
#include <limits>

#include "angles.h"

namespace dockorrery {

bool precessEquatorial(EquatorialCoordinates& to, const EquatorialCoordinates& from,
                       double fromJdTt, double toJdTt) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  to = {kNaN, kNaN};
  if (!std::isfinite(from.rightAscension) || !std::isfinite(from.declination) ||
      !detail::withinSpan(fromJdTt) || !detail::withinSpan(toJdTt)) {
    return false;
  }
  // Eq. 21.2: T from J2000.0 to the first epoch, t from the first epoch to the second, in
  // Julian centuries; the angles in arcseconds.
  const double T = (fromJdTt - kJ2000Epoch) / kJulianCentury;
  const double t = (toJdTt - fromJdTt) / kJulianCentury;
  const double a = 2306.2181 + (1.39656 - 0.000139 * T) * T;
  const double zeta = (a + ((0.30188 - 0.000344 * T) + 0.017998 * t) * t) * t * kArcsecond;
  const double z = (a + ((1.09468 + 0.000066 * T) + 0.018203 * t) * t) * t * kArcsecond;
  const double theta = ((2004.3109 - (0.85330 + 0.000217 * T) * T) -
                        ((0.42665 + 0.000217 * T) + 0.041833 * t) * t) *
                       t * kArcsecond;
  // Eq. 21.4, as a rotation of the unit vector so that the poles need no special case.
  const double cd = std::cos(from.declination), sd = std::sin(from.declination);
  const double ca = std::cos(from.rightAscension + zeta), sa = std::sin(from.rightAscension + zeta);
  const double ct = std::cos(theta), st = std::sin(theta);
  const double A = cd * sa;
  const double B = ct * cd * ca - st * sd;
  const double C = st * cd * ca + ct * sd;
  const double declination = std::atan2(C, std::hypot(A, B));
  const double rightAscension = reduceAngle(std::atan2(A, B) + z);
  if (!std::isfinite(rightAscension) || !std::isfinite(declination)) return false;
  to = {rightAscension, declination};
  return true;
}

}  // namespace dockorrery
