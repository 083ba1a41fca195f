// The precession as rotations of rectangular vectors, for the routines that carry places as
// vectors. Internal to the library; not installed.
#pragma once

#include "astronomy/detail/vector.h"

namespace dockorrery::detail {

// The IAU 1976 precession from the mean equator and equinox of `fromJdTt` to those of `toJdTt`
// (TT), eq. 21.2 and 21.4 of Meeus as a matrix.
Matrix equatorialPrecession(double fromJdTt, double toJdTt);

// A rectangular vector on the ecliptic and equinox of J2000.0 turned to the mean ecliptic and
// equinox of `jdTt` (TT), and back (IAU 1976 precession, Meeus eq. 21.5 and 21.6).
Vector precessEclipticFromJ2000(const Vector& v, double jdTt);
Vector precessEclipticToJ2000(const Vector& v, double jdTt);

}  // namespace dockorrery::detail
