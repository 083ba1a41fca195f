// Where Jupiter's four large moons, Io, Europa, Ganymede and Callisto, appear beside the planet,
// and whether each is in front of its disk, behind it or in its shadow.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// One moon seen from the centre of the Earth, in Jupiter's equatorial radii (71398 km, the
// theory's unit), from the centre of Jupiter's disk.
struct JupiterMoon {
  double x;  // along Jupiter's equator on the sky, positive to the west
  double y;  // along Jupiter's axis on the sky, positive to its north
  double z;  // along the line of sight, positive when the moon is farther than Jupiter
  bool transit;        // in front of the disk, seen from the Earth
  bool occultation;    // behind the disk, hidden from the Earth
  bool eclipse;        // in Jupiter's shadow
  bool shadowTransit;  // its own shadow falls on Jupiter
};

// The four moons at one instant.
struct JupiterMoons {
  double jdTt;  // Julian Day (TT) it was filled for
  JupiterMoon io, europa, ganymede, callisto;
};

// The places of Io, Europa, Ganymede and Callisto beside Jupiter as seen from the centre of the
// Earth, and their transits, occultations, eclipses and shadow transits.
//   Given:    jdTt    Julian Day (TT)
//   Returned: moons   for each moon X, Y and Z in Jupiter's equatorial radii, and which of the
//                     four phenomena it is in (none: clear of the planet and its shadow); an
//                     occulted moon may be eclipsed as well
//             (bool)  false outside the library's span or for a non-finite day; then every
//                     coordinate NaN and every phenomenon false
//   Span:     kFirstJd up to kEndJd (TT); far from the twentieth century, whose observations the
//             theory was fitted to, its places are extrapolations: against the newer theory
//             below, Ganymede and Callisto part by 0.1 radius by 1500 and 2500 and by some 0.5
//             radius at the span's ends (Io and Europa by a quarter of that)
//   Accuracy: The book's example 44.b to its digits (X and Y to 0.0001 radius). Against Astronomy
//             Engine's JupiterMoons (the L1.2 theory of Lainey, Duriez and Vienne, turned to the
//             same axes with the IAU pole of Jupiter), measured at some 1.3 million random instants
//             of 1900 to 2100 (the test holds 300 of them and the six where the differences were
//             largest), each coordinate in Jupiter's radii: Io X, Y and Z within 0.013; Europa X, Y
//             and Z within 0.024; Ganymede X, Y and Z within 0.05; Callisto X, Y and Z within
//             0.065. The largest found, each in X or Z: Io 0.0120 (2097), Europa 0.0218 (2058),
//             Ganymede 0.0452 (2098), Callisto 0.0589 (2099); in Y, along Jupiter's axis, 0.0084 at
//             most. The theory's mean motions part from the newer one's, Ganymede's and Callisto's
//             by some 0.1 degree of their longitudes by 2100. The transits, occultations, eclipses
//             and shadow transits the reference's places make agree 20 minutes either side of their
//             contacts. Against the contacts the IMCCE published for 2016 January 1 to 5 (26 of all
//             four kinds and moons): Jovian moon contact within 2.5 min, the two theories and the
//             published ones' definitions (the half of the light of an eclipsed moon, the limb
//             across the middle of its disk).
//   Notes:    The book's higher-accuracy method, from Lieske's theory E5: the moons' periodic
//             terms in longitude, latitude and radius on Jupiter's equator of B1950 precessed to
//             the date, where the light that reaches the Earth left them; Jupiter's place from
//             the VSOP87 series; the corrections for the moons' own light time and for
//             perspective. A phenomenon is that of the moon's centre: the disk and the shadow
//             are Jupiter's flattened outline (polar radius 0.9351 of the equatorial), the shadow
//             cast from the centre of the Sun.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 44 (example 44.b).
[[nodiscard]] bool computeJupiterMoons(JupiterMoons& moons, double jdTt);

}  // namespace dockorrery
