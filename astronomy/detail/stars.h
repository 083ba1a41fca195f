// The Earth's motion the star places take. Internal to the library; not installed.
#pragma once

#include "astronomy/detail/heliocentric.h"

namespace dockorrery::detail {

// The Earth's heliocentric motion on the mean ecliptic and equinox of `jdTt` (TT), AU and AU per
// day, for the aberration and annual parallax of stars: the Earth-Moon barycentre on its
// Keplerian ellipse of date (the book's mean elements of the Sun, ch. 25), less the Earth's
// month about it (the Moon's two largest terms, ch. 47, on a circle). Against the series'
// Earth its velocity keeps to 1.7e-4 of itself within three centuries of 2000 and 4.2e-4 over
// the span (0.004" and 0.009" of aberration: the planets' pulls), its place to 5e-4 AU, at a
// twentieth of the series' cost.
Motion earthMotionForStars(double jdTt);

}  // namespace dockorrery::detail
