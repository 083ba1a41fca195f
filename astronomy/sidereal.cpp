// Sidereal time at Greenwich from the IAU 1982 expression and the IAU 1980 nutation.
#include "astronomy/sidereal.h"

#include <cmath>
#include <cstdint>

#include "astronomy/angles.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/sidereal.h"
#include "astronomy/nutation.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

double meanSiderealTime(double jdUt) {
  if (!detail::withinSpan(jdUt)) return NAN;
  const double days = jdUt - kJ2000Epoch;
  const double T = days / kJulianCentury;
  // 360.98564736629 deg per day, split so that the whole turns of the 360 deg part drop out
  // exactly: 360 * days by its fraction of a day, the remaining 0.98564736629 deg per day as is.
  // Within the span the day counts fit an int64_t, whose conversions are exact and cheaper than
  // fmod.
  const double fraction = days - static_cast<double>(static_cast<int64_t>(days));
  const double degrees = 280.46061837 + fraction * 360.0 + 0.98564736629 * days +
                         0.000387933 * T * T - T * T * T / 38710000.0;
  // Reduced in degrees, where whole turns drop out exactly (the subtraction of a multiple of 360
  // within a factor 2 of the angle is exact), then converted: a remainder a hair below 360 may
  // round up to 2pi on the way, the same direction as 0.
  double reduced =
      degrees - 360.0 * static_cast<double>(static_cast<int64_t>(degrees / 360.0));
  if (reduced < 0.0) reduced += 360.0;
  if (reduced >= 360.0) reduced -= 360.0;
  const double angle = reduced * kDegree;
  return angle < kTwoPi ? angle + 0.0 : 0.0;  // + 0.0 turns -0.0 into 0.0
}

double apparentSiderealTime(double jdUt) {
  detail::OfDate ofDate;
  if (!detail::ofDateAt(ofDate, jdUt)) return NAN;
  return detail::apparentSiderealTime(jdUt, ofDate);
}

double detail::apparentSiderealTime(double jdUt, const OfDate& ofDate) {
  return reduceAngle(meanSiderealTime(jdUt) +
                     ofDate.nutation.longitude * std::cos(ofDate.trueObliquity));
}

}  // namespace dockorrery
