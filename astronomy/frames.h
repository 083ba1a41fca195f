// Angles between two directions on the sky.
#pragma once

#include "../base/constants.h"
#include "coordinates.h"

namespace dockorrery {

// The angular separation of two directions and the position angle of the second from the first.
//   Given:    first           right ascension and declination (or longitude and latitude), rad
//             second          the same, in the same frame, rad
//   Returned: separation      angle between the two, rad, in [0, pi]
//             positionAngle   direction of the second seen from the first, from the north
//                             through the east, rad, in [0, 2pi); 0 when they coincide
//             (bool)          false, and both NaN, when an angle is not finite
//   Accuracy: The book's example of Arcturus and Spica: separation to the book's 0.0001 degree
//             (32.7930 degrees). libnova's at 400 pairs, anywhere on the sphere and from 1" to a
//             degree apart: the separation to 4e-8", the position angle to 0.002" (libnova's is
//             the first direction's seen from the second).
//   Notes:    Vincenty's form, atan2 of the cross and dot products, which keeps full precision
//             for tiny separations and for nearly opposite directions, where the book's
//             arccosine loses it.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 17, eq. 17.1 and 17.4.
[[nodiscard]] bool angularSeparation(double& separation, double& positionAngle,
                                     const EquatorialCoordinates& first,
                                     const EquatorialCoordinates& second);

}  // namespace dockorrery
