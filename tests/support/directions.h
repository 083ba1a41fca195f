// The angle between two directions, for the astronomy tests that compare places: from their
// equatorial coordinates by the haversine.
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

}  // namespace directions
