// The polynomials in time the routines share: Julian centuries from J2000.0, and Horner's scheme.
// Internal to the library; not installed.
#pragma once

#include "base/constants.h"

namespace dockorrery::detail {

// Julian centuries from J2000.0 to Julian Day `jd`, in the time scale of `jd` (TT or UT).
constexpr double julianCenturies(double jd) { return (jd - kJ2000Epoch) / kJulianCentury; }

// A polynomial c0 + c1 T + c2 T^2 + ... by Horner's scheme; the coefficients lowest power first.
template <int N>
constexpr double polynomial(const double (&c)[N], double T) {
  double v = c[N - 1];
  for (int i = N - 2; i >= 0; --i) v = v * T + c[i];
  return v;
}

}  // namespace dockorrery::detail
