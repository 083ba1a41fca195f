// The bodies of the program and its astronomy library, and the record of a heliocentric position
// that the applet's series and the library's both fill.
#pragma once

#include "constants.h"

#include <cstdint>

namespace dockorrery {

// The Sun and the eight planets carry the body indices of the planetary series (0 Sun,
// 1 Mercury ... 8 Neptune), the values BodyPosition records; the Moon and Pluto follow.
enum class Body : int32_t {
  Sun = 0, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune, Moon, Pluto
};

// A heliocentric position: the body's index (Body::Sun = 0 to Body::Neptune = 8), the day it was
// filled for and its spherical coordinates on the mean ecliptic and equinox of date.
struct BodyPosition {
  int32_t body;  // body index the record was filled for
  double jd;     // Julian Day (TT) it was filled for
  double R;      // radius vector, AU
  double L;      // ecliptic longitude, rad
  double B;      // ecliptic latitude, rad
};

}  // namespace dockorrery
