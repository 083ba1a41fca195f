// The constellation a direction lies in, by the boundaries the IAU adopted in 1930.
#pragma once

#include <cstdint>

#include "../base/constants.h"
#include "coordinates.h"

namespace dockorrery {

// B1875.0, the epoch of the boundaries' equator and equinox: Julian Day (TT).
constexpr double kB1875Epoch = 2405889.258550475;

// The number of the constellations.
constexpr int32_t kConstellationCount = 88;

// A constellation and the direction's place at B1875.0, where it was looked up.
struct Constellation {
  int32_t index;                // 0 to kConstellationCount - 1, in the alphabetical order of
                                // the abbreviations (ignoring case: And, Ant, ..., Vul); -1
                                // on failure
  char abbreviation[4];         // the IAU's three letters, "Ori"; "" on failure
  char name[20];                // the Latin name, "Orion"; "" on failure
  EquatorialCoordinates b1875;  // mean right ascension and declination of B1875.0, rad
};

// The constellation holding a direction given by its mean place at any epoch.
//   Given:    equatorial      mean right ascension and declination at jdTt, rad
//             jdTt            the epoch of `equatorial`, Julian Day (TT); kJ2000Epoch for J2000.0
//   Returned: constellation   its index, abbreviation and name, and the direction's place at
//                             B1875.0 (right ascension in [0, 2pi), declination in
//                             [-pi/2, pi/2])
//             (bool)          false for an angle that is not finite or an epoch outside the
//                             library's span; then index -1, empty names and NaN places
//   Span:     kFirstJd up to kEndJd (TT), precessEquatorial's
//   Accuracy: Astronomy Engine's Constellation at 2103 directions of J2000.0 (each
//             constellation among them, the poles and both sides of 0h at B1875.0), less those
//             within 30" of a boundary, since the reference looks places up on the true equator
//             of B1875.0 (its nutation moves them by about 10"): the same constellation at every
//             one. libnova's ln_get_constellation at 1012 places of B1875.0: the same at every
//             one.
//   Notes:    The place is precessed to B1875.0 (IAU 1976, as precessEquatorial) and looked up in
//             Roman's table of the boundaries (first zone that holds it). The boundaries are
//             arcs of the meridians and parallels of B1875.0, so that at another epoch a
//             direction within the precession's error of one (precessEquatorial's) may be given
//             either side. A place of date (apparent) should be the mean place: nutation and
//             aberration move a direction by up to 30".
//   Source:   Delporte, Delimitation scientifique des constellations (IAU 1930); Roman, PASP 99,
//             695 (1987), CDS catalogue VI/42; Meeus, Astronomical Algorithms, 2nd ed., ch. 21.
[[nodiscard]] bool findConstellation(Constellation& constellation,
                                     const EquatorialCoordinates& equatorial, double jdTt);

}  // namespace dockorrery
