// A planet's heliocentric position and velocity from one pass over its series, for the light
// time of the library's apparent places. Internal to the library; not installed.
#pragma once

namespace dockorrery::detail {

// Rectangular heliocentric coordinates on the mean ecliptic and equinox of date: position in AU
// and velocity in AU per day (the velocity of the coordinates of date, the precession's share
// included, as the series give it).
struct Motion {
  double x, y, z;
  double vx, vy, vz;
};

// Fills `motion` for body index `body` (1 Mercury ... 8 Neptune) at Julian Day `jdTt` (TT) from
// the abridged VSOP87D series, each term's sine beside its cosine; the Sun (0) and any other
// index give the origin at rest.
void heliocentricMotion(int body, double jdTt, Motion& motion);

}  // namespace dockorrery::detail
