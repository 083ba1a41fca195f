// Nutation in longitude and obliquity (IAU 1980) and the obliquity of the ecliptic.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// Nutation of the equinox and of the obliquity, in rad.
struct Nutation {
  double longitude;  // delta psi, nutation in longitude, within +-25"
  double obliquity;  // delta epsilon, nutation in obliquity, within +-15"
};

// Nutation in longitude and in obliquity, IAU 1980.
//   Given:    jdTt       Julian Day (TT)
//   Returned: nutation   delta psi and delta epsilon, rad
//             (bool)     false, both NaN, outside the library's span or for a non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Good to about 0.001 arcsecond of that theory. Against Astronomy Engine's IAU 2000B,
//             which keeps its five largest terms (the rest add up to 0.34" and 0.105"), at 10000
//             instants from 1900 to 2100: nutation in longitude within 0.26" and nutation in
//             obliquity within 0.084", bounds the reference sets.
//   Notes:    The 63 terms of the IAU 1980 theory with their T terms and the fundamental
//             arguments as cubic polynomials in T.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 22.
[[nodiscard]] bool computeNutation(Nutation& nutation, double jdTt);

// Mean obliquity of the ecliptic.
//   Given:    jdTt       Julian Day (TT)
//   Returned: (double)   rad; NaN outside the library's span or for a non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Good to 0.01 arcsecond within a few centuries of 2000, to some arcseconds at the
//             span's ends. Against Astronomy Engine's IAU 2006 obliquity (0.042" + 0.022" T below
//             this one) from 1900 to 2100: mean obliquity within 0.07".
//   Notes:    The IAU 1980 (Lieske) cubic in T.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 22.
double meanObliquity(double jdTt);

// True obliquity of the ecliptic: the mean obliquity plus the nutation in obliquity.
//   Given:    jdTt       Julian Day (TT)
//   Returned: (double)   rad; NaN outside the library's span or for a non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Against Astronomy Engine from 1900 to 2100, the two differences above together:
//             true obliquity within 0.13".
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 22.
double trueObliquity(double jdTt);

}  // namespace dockorrery
