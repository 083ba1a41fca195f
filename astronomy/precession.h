// Precession of equatorial coordinates between two epochs.
#pragma once

#include "../ephemeris/constants.h"
#include "coordinates.h"

namespace dockorrery {

// The mean right ascension and declination of a direction at one epoch carried to another.
//   Given:    from          mean right ascension and declination at fromJdTt, rad
//             fromJdTt      the epoch of `from`, Julian Day (TT); kJ2000Epoch for J2000.0
//             toJdTt        the epoch wanted, Julian Day (TT)
//   Returned: to            mean right ascension in [0, 2pi) and declination in
//                           [-pi/2, pi/2] at toJdTt, rad
//             (bool)        false, and every field NaN, for an angle that is not finite or an
//                           epoch outside the library's span
//   Span:     kFirstJd up to kEndJd (TT) for both epochs; the angles' polynomials lose
//             accuracy far from 2000 (0.1" a century from it, more beyond)
//   Accuracy: The book's example of theta Persei from J2000.0 to 2028 November 13.19 TD, proper
//             motion applied first, to the book's 0.001s and 0.01".
//   Notes:    The IAU 1976 angles zeta, z and theta for arbitrary epochs, applied as the
//             rotation of the book's eq. 21.4 (no proper motion: apply it before). The
//             rotation's axis and angles make it exact at the poles.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21, eq. 21.2 and 21.4.
[[nodiscard]] bool precessEquatorial(EquatorialCoordinates& to, const EquatorialCoordinates& from,
                                     double fromJdTt, double toJdTt);

}  // namespace dockorrery
