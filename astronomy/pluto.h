// Pluto's heliocentric position.
#pragma once

#include "../base/constants.h"

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

// Pluto's heliocentric position, geometric, mean ecliptic and equinox of J2000.0.
//   Given:    jdTt       Julian Day (TT)
//   Returned: position   longitude and latitude, rad; radius vector, AU
//             (bool)     false, with longitude, latitude and distance NaN, outside the fit's
//                        span and for a non-finite day
//   Span:     kPlutoFirstJd up to kPlutoEndJd (TT) only, 1885 up to 2100: the fit holds there
//   Accuracy: Good to a few 0.1 arcsecond and 2e-5 AU of that fit. Against Astronomy Engine's
//             Pluto, integrated from a modern orbit, at 10000 instants from 1900 to 2100: Pluto
//             longitude within 12", Pluto latitude within 1.7" and Pluto radius vector within
//             1.7e-3 AU, bounds DE200's Pluto sets (it parts from modern orbits away from 1990).
//   Notes:    The 43 periodic terms of Chapront and Francou's fit to DE200.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 37.
[[nodiscard]] bool computePlutoPosition(PlutoPosition& position, double jdTt);

}  // namespace dockorrery
