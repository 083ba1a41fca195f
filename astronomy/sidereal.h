// Sidereal time at Greenwich.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// Greenwich mean sidereal time.
//   Given:    jdUt       Julian Day (UT)
//   Returned: (double)   rad in [0, 2pi); NaN outside the library's span or for a non-finite
//                        day
//   Span:     kFirstJd up to kEndJd (UT)
//   Accuracy: Good to a few 0.0001 s of time within a few centuries of 2000 (beyond the error of
//             the UT given). Against Astronomy Engine's, from the Earth rotation angle and the
//             IAU 2006 precession, at 10000 instants from 1900 to 2100: mean sidereal time
//             within 0.02 s, which the IAU 1976 precession sets (0.3" a century faster than IAU
//             2006).
//   Notes:    The IAU 1982 expression in UT.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., eq. 12.4.
double meanSiderealTime(double jdUt);

// Greenwich apparent sidereal time: the mean sidereal time plus the equation of the equinoxes.
//   Given:    jdUt       Julian Day (UT)
//   Returned: (double)   rad in [0, 2pi); NaN outside the library's span or for a non-finite
//                        day
//   Span:     kFirstJd up to kEndJd (UT)
//   Accuracy: Against Astronomy Engine as above, the nutations' difference added: apparent
//             sidereal time within 0.033 s.
//   Notes:    The equation of the equinoxes is delta psi cos(epsilon) (IAU 1980 nutation and
//             true obliquity). Nutation is evaluated at the UT instant itself: TT - UT moves it
//             by less than 0.0002" over the delta T of the last centuries (0.24" a day at most), by
//             up to 0.15" in longitude (0.009 s of sidereal time) at the span's ends, where
//             delta T nears 0.6 day.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 12.
double apparentSiderealTime(double jdUt);

}  // namespace dockorrery
