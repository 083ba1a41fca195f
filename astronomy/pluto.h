// Pluto's heliocentric position.
#pragma once

#include "../ephemeris/constants.h"

namespace dockorrery {

// Span of Pluto's series, Julian Days (TT): from 1885 January 1, 0h, up to (not including)
// 2100 January 1, 0h.
constexpr double kPlutoFirstJd = 2409542.5;
constexpr double kPlutoEndJd = 2488069.5;

// Heliocentric position of Pluto, geometric, mean ecliptic and equinox of J2000.0.
struct PlutoPosition {
  double jdTt;        // Julian Day (TT) it was filled for
  double longitude;   // rad in [0, 2pi)
  double latitude;    // rad in [-pi/2, pi/2]
  double distanceAu;  // radius vector, AU
};

// Fills `position` for Julian Day `jdTt` (TT) from the 43 periodic terms of Chapront and Francou's
// fit to DE200 (Meeus, Astronomical Algorithms, ch. 37), good to a few 0.1 arcsecond and 2e-5 AU
// of that fit. Against Astronomy Engine's Pluto, integrated from a modern orbit, at 10000 instants
// from 1900 to 2100: Pluto longitude within 12", Pluto latitude within 1.7" and Pluto radius
// vector within 1.7e-3 AU, bounds DE200's Pluto sets (it parts from modern orbits away from 1990).
// The fit holds from kPlutoFirstJd up to kPlutoEndJd only: outside that span, and for a non-finite
// day, false with longitude, latitude and distance NaN.
[[nodiscard]] bool computePlutoPosition(PlutoPosition& position, double jdTt);

}  // namespace dockorrery
