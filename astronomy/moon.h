// The Moon's geocentric position and its illumination (its phase angle and lit fraction).
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// Geocentric position of the Moon: geometric, mean ecliptic and equinox of date (add the
// nutation in longitude for the true equinox).
struct MoonPosition {
  double jdTt;        // Julian Day (TT) it was filled for
  double longitude;   // rad in [0, 2pi)
  double latitude;    // rad in [-pi/2, pi/2]
  double distanceKm;  // centre of the Earth to centre of the Moon, km
};

// The Moon's illumination as seen from the centre of the Earth.
struct MoonIllumination {
  double phaseAngle;           // angle Sun-Moon-Earth, rad in [0, pi]; 0 at full Moon
  double illuminatedFraction;  // illuminated fraction of the disk, 0 (new) to 1 (full)
  bool waxing;                 // the Moon east of the Sun, from new to full
};

// The Moon's geocentric position, geometric, mean ecliptic and equinox of date.
//   Given:    jdTt       Julian Day (TT)
//   Returned: position   longitude and latitude, rad; distance, km
//             (bool)     false, and longitude, latitude and distance NaN, outside the library's
//                        span or for a non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: About 10 arcseconds in longitude, 4 arcseconds in latitude and a few tens of km in
//             distance near 2000, less far from it: the 60 + 60 terms reach 18" from the full
//             ELP 2000-82B. Against Astronomy Engine's Moon (itself 8" from that theory) at 10000
//             instants from 1900 to 2100: Moon longitude within 16", Moon latitude within 6" and
//             Moon distance within 23 km, bounds this abridged theory sets.
//   Notes:    The abridged ELP-2000/82 theory: 60 terms each of longitude, distance and latitude,
//             with the eccentricity factor E and the additive terms A1..A3.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 47.
[[nodiscard]] bool computeMoonPosition(MoonPosition& position, double jdTt);

// The Moon's illumination seen from the centre of the Earth.
//   Given:    jdTt           Julian Day (TT)
//   Returned: illumination   phase angle, rad; illuminated fraction; waxing
//             (bool)         false, the angle and fraction NaN and waxing false, outside the
//                            library's span or for a non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Against Astronomy Engine at 10000 instants from 1900 to 2100: Moon phase angle
//             within 0.0083 degree and Moon illuminated fraction within 7.1e-5, which the Moon's
//             error and the Sun's aberration (20.5", applied here and not in the reference) set.
//   Notes:    From the Moon of computeMoonPosition and the Sun of the abridged VSOP87D Earth
//             series corrected for aberration, both of the mean equinox of date: the elongation
//             psi, the phase angle from tan i = R sin(psi) / (Delta - R cos(psi)) and the
//             fraction (1 + cos i) / 2.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 48.
[[nodiscard]] bool computeMoonIllumination(MoonIllumination& illumination, double jdTt);

}  // namespace dockorrery
