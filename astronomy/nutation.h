// Nutation in longitude and obliquity (IAU 1980) and the obliquity of the ecliptic.
#pragma once

#include "../ephemeris/constants.h"

namespace dockorrery {

// Nutation of the equinox and of the obliquity, in rad.
struct Nutation {
  double longitude;  // delta psi, nutation in longitude, within +-25"
  double obliquity;  // delta epsilon, nutation in obliquity, within +-15"
};

// Fills `nutation` for Julian Day `jdTt` (TT): the 63 terms of the IAU 1980 theory with their T
// terms and the fundamental arguments as cubic polynomials in T (Meeus, Astronomical Algorithms,
// ch. 22). Good to about 0.001 arcsecond of that theory. Against Astronomy Engine's IAU 2000B,
// which keeps its five largest terms (the rest add up to 0.34" and 0.105"), at 10000 instants from
// 1900 to 2100: nutation in longitude within 0.26" and nutation in obliquity within 0.084", bounds
// the reference sets. False, both NaN, outside the library's span (kFirstJd, kEndJd) or for a
// non-finite day.
[[nodiscard]] bool computeNutation(Nutation& nutation, double jdTt);

// Mean obliquity of the ecliptic, rad, at Julian Day `jdTt` (TT): the IAU 1980 (Lieske) cubic in
// T, good to 0.01 arcsecond within a few centuries of 2000, to some arcseconds at the span's ends.
// Against Astronomy Engine's IAU 2006 obliquity (0.042" + 0.022" T below this one) from 1900 to
// 2100: mean obliquity within 0.07". NaN outside the library's span or for a non-finite day.
double meanObliquity(double jdTt);

// True obliquity of the ecliptic, rad: the mean obliquity plus the nutation in obliquity, at
// Julian Day `jdTt` (TT). Against Astronomy Engine from 1900 to 2100, the two differences above
// together: true obliquity within 0.13". NaN outside the library's span or for a non-finite day.
double trueObliquity(double jdTt);

}  // namespace dockorrery
