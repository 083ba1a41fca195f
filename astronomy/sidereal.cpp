// Sidereal time at Greenwich from the IAU 1982 expression and the IAU 1980 nutation.
#include "astronomy/sidereal.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/nutation.h"
#include "astronomy/time_scales.h"

double meanSiderealTime(double jdUt) {
  if (!withinSpan(jdUt)) return NAN;
  const double days = jdUt - kJ2000Epoch;
  const double T = days / kJulianCentury;
  // 360.98564736629 deg per day, split so that the whole turns of the 360 deg part drop out
  // exactly: 360 * days by its fraction of a day, the remaining 0.98564736629 deg per day as is.
  const double turns = std::fmod(days, 1.0) * 360.0;
  const double degrees = 280.46061837 + turns + 0.98564736629 * days + 0.000387933 * T * T -
                         T * T * T / 38710000.0;
  return reduceAngle(std::fmod(degrees, 360.0) * kDegree);
}

double apparentSiderealTime(double jdUt) {
  Nutation nutation;
  if (!computeNutation(nutation, jdUt)) return NAN;
  const double epsilon = meanObliquity(jdUt) + nutation.obliquity;
  return reduceAngle(meanSiderealTime(jdUt) + nutation.longitude * std::cos(epsilon));
}
