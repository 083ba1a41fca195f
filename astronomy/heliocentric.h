// Geometric heliocentric positions of the Sun and the eight planets, mean ecliptic and equinox of
// date, from the abridged VSOP87D series.
#pragma once

#include "../base/constants.h"

#include "../base/body.h"

namespace dockorrery {

// The geometric heliocentric place of the Sun (the origin) or a planet, from the abridged
// VSOP87D series.
//   Given:    body       Body::Sun to Body::Neptune
//             jdTt       Julian Day (TT; the series' own dynamical time differs from it by under
//                        2 ms)
//   Returned: position   L and B, rad, mean ecliptic and equinox of date, L in [0, 2pi); R, AU
//             (bool)     false, with L, B and R NaN, for a body the series do not hold (the Moon,
//                        Pluto, a value outside the enumeration), outside the library's span
//                        and for a day that is not a number
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: from 1800 to 2200, to 3.3" in L, 2.5" in B and 1.9e-4 AU in R of the full VSOP87D
//             series (the Earth to 0.9", 0.35" and 3e-6 AU), checked against the full published
//             series every 18.3 days, and against Meeus' example 32.a (Venus).
//   Source:   VSOP87, version D (Bretagnon and Francou, 1988), abridged to 2430 terms.
[[nodiscard]] bool computeHeliocentricPosition(BodyPosition& position, Body body, double jdTt);

}  // namespace dockorrery
