// Galactic coordinates: the IAU 1958 system, from and to the mean equator and equinox of J2000.0.
#pragma once

#include "../base/constants.h"
#include "coordinates.h"

namespace dockorrery {

// Galactic longitude, from the galactic centre towards the direction of the Galaxy's rotation
// (through Cygnus), and galactic latitude, north positive, rad.
struct GalacticCoordinates {
  double longitude;  // [0, 2pi)
  double latitude;   // [-pi/2, pi/2]
};

// The galactic pole and origin on the mean equator of J2000.0 (FK5): the north galactic pole at
// right ascension 192.85948 and declination +27.12825 degrees, and the north celestial pole at
// galactic longitude 122.93192 degrees (the ascending node of the galactic equator at 32.93192).
constexpr double kGalacticPoleRightAscension = 192.85948 * kDegree;
constexpr double kGalacticPoleDeclination = 27.12825 * kDegree;
constexpr double kGalacticLongitudeOfCelestialPole = 122.93192 * kDegree;

// Galactic coordinates of a direction given on the mean equator and equinox of J2000.0.
//   Given:    equatorial   mean right ascension and declination of J2000.0 (FK5 or ICRS), rad;
//                          precessEquatorial brings a place of another epoch there
//   Returned: galactic     galactic longitude in [0, 2pi) and latitude in [-pi/2, pi/2], rad
//             (bool)       false, and every field NaN, when an angle is not finite
//   Accuracy: Exact to rounding in its frame; the galactic centre at the Hipparcos catalogue's
//             17h45m37.20s -28d56'10.2" to 0.1". At 300 directions each way: libnova's
//             ln_get_gal_from_equ2000 and ln_get_equ2000_from_gal, which precess to B1950 with
//             their truncated precession and take the B1950 pole and origin without the FK4 to
//             FK5 corrections, galactic coordinates by libnova within 0.21"; Astronomy Engine's
//             Rotation_EQJ_GAL and Rotation_GAL_EQJ, whose matrix puts the pole 1.8" and the
//             origin 8" from the definition's, galactic coordinates by Astronomy Engine within
//             8.8".
//   Notes:    Any finite angles name a direction. The IAU defined the system in 1958 by the
//             B1950.0 pole 12h49m +27.4 degrees and the longitude 123 degrees of the celestial
//             pole; the J2000.0 values above are those of the Hipparcos catalogue, the same
//             system carried to FK5 (the book's eq. 13.7 and 13.8 are the B1950 form).
//   Source:   ESA, The Hipparcos and Tycho Catalogues (1997), vol. 1, sec. 1.5.3; Meeus,
//             Astronomical Algorithms, 2nd ed., ch. 13.
[[nodiscard]] bool equatorialToGalactic(GalacticCoordinates& galactic,
                                        const EquatorialCoordinates& equatorial);

// Mean right ascension and declination of J2000.0 of a direction given in galactic coordinates;
// the inverse of equatorialToGalactic.
//   Given:    galactic     galactic longitude and latitude, rad
//   Returned: equatorial   mean right ascension in [0, 2pi) and declination in [-pi/2, pi/2] of
//                          J2000.0, rad
//             (bool)       false, and every field NaN, when an angle is not finite
//   Accuracy: Exact to rounding in its frame: with equatorialToGalactic, every direction of a
//             grid over the sphere comes back within 2e-15 rad. libnova and Astronomy Engine as
//             for equatorialToGalactic.
//   Notes:    Any finite angles name a direction.
//   Source:   As equatorialToGalactic.
[[nodiscard]] bool galacticToEquatorial(EquatorialCoordinates& equatorial,
                                        const GalacticCoordinates& galactic);

}  // namespace dockorrery
