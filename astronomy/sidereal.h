// Sidereal time at Greenwich.
#pragma once

#include "../ephemeris/constants.h"

namespace dockorrery {

// Greenwich mean sidereal time, rad in [0, 2pi), at Julian Day `jdUt` (UT): the IAU 1982
// expression in UT (Meeus, Astronomical Algorithms, eq. 12.4), good to a few 0.0001 s of time
// within a few centuries of 2000 (beyond the error of the UT given). Against Astronomy Engine's,
// from the Earth rotation angle and the IAU 2006 precession, at 10000 instants from 1900 to 2100:
// mean sidereal time within 0.02 s, which the IAU 1976 precession sets (0.3" a century faster than
// IAU 2006). NaN outside the library's span (kFirstJd, kEndJd) or for a non-finite day.
double meanSiderealTime(double jdUt);

// Greenwich apparent sidereal time, rad in [0, 2pi), at Julian Day `jdUt` (UT): the mean sidereal
// time plus the equation of the equinoxes, delta psi cos(epsilon) (IAU 1980 nutation and true
// obliquity). Nutation is evaluated at the UT instant itself: TT - UT moves it by far less than
// 0.0001 arcsecond over any delta T of the last centuries. Against Astronomy Engine as above, the
// nutations' difference added: apparent sidereal time within 0.033 s. NaN outside the library's
// span or for a non-finite day.
double apparentSiderealTime(double jdUt);

}  // namespace dockorrery
