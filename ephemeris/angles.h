// Constants and small helpers shared by the Moon, Pluto, nutation, sidereal time, coordinate and
// rise-and-set routines: the epoch, the century, and conversions from degrees and arcseconds.
#pragma once

constexpr double kJ2000Epoch = 2451545.0;       // Julian Day of J2000.0 (2000 January 1, 12h)
constexpr double kJulianCentury = 36525.0;      // days
constexpr double kPi = 3.141592653589793;       // the double nearest to pi
constexpr double kDegree = kPi / 180.0;         // rad per degree
constexpr double kArcsecond = kDegree / 3600.0; // rad per arcsecond

// Julian centuries from J2000.0 to Julian Day `jd`, in the time scale of `jd`.
constexpr double julianCenturies(double jd) { return (jd - kJ2000Epoch) / kJulianCentury; }

// A polynomial c0 + c1 T + c2 T^2 + ... by Horner's scheme; the coefficients lowest power first.
template <int N>
constexpr double polynomial(const double (&c)[N], double T) {
  double v = c[N - 1];
  for (int i = N - 2; i >= 0; --i) v = v * T + c[i];
  return v;
}
