// The angle between two directions, for the astronomy tests that compare places and frames: from
// their equatorial coordinates by the haversine, and from their unit vectors, which holds at the
// poles as well.
#pragma once

#include <cmath>

#include "astronomy/coordinates.h"
#include "tests/support/fixture_table.h"

namespace directions {

// Angle between two directions, arcseconds.
inline double separation(const dockorrery::EquatorialCoordinates& a,
                         const dockorrery::EquatorialCoordinates& b) {
  const double sinD = std::sin((a.declination - b.declination) / 2.0);
  const double sinA = std::sin((a.rightAscension - b.rightAscension) / 2.0);
  const double h = sinD * sinD + std::cos(a.declination) * std::cos(b.declination) * sinA * sinA;
  return 2.0 * std::asin(std::sqrt(h)) * fixture::kArcsecondsPerRadian;
}

// The angle between two directions, rad, from their unit vectors: meaningful at the poles, where
// a right ascension is not.
inline double between(double lon1, double lat1, double lon2, double lat2) {
  const double a[3] = {std::cos(lat1) * std::cos(lon1), std::cos(lat1) * std::sin(lon1),
                       std::sin(lat1)};
  const double b[3] = {std::cos(lat2) * std::cos(lon2), std::cos(lat2) * std::sin(lon2),
                       std::sin(lat2)};
  const double cross = std::hypot(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                  a[0] * b[1] - a[1] * b[0]);
  return std::atan2(cross, a[0] * b[0] + a[1] * b[1] + a[2] * b[2]);
}

}  // namespace directions
