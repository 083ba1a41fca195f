// The Moon's geocentric position and its illumination (its phase angle and lit fraction).
#pragma once

#include "../ephemeris/constants.h"

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

// Fills `position` for Julian Day `jdTt` (TT) by the abridged ELP-2000/82 theory of Meeus,
// Astronomical Algorithms, ch. 47: 60 terms each of longitude, distance and latitude, with the
// eccentricity factor E and the additive terms A1..A3. Good to about 10 arcseconds in longitude, 4
// arcseconds in latitude and a few tens of km in distance near 2000, less far from it: the 60 + 60
// terms reach 18" from the full ELP 2000-82B. Against Astronomy Engine's Moon (itself 8" from that
// theory) at 10000 instants from 1900 to 2100: Moon longitude within 16", Moon latitude within 6"
// and Moon distance within 23 km, bounds this abridged theory sets. False, and longitude, latitude
// and distance NaN, outside the library's span (kFirstJd, kEndJd) or for a non-finite day.
[[nodiscard]] bool computeMoonPosition(MoonPosition& position, double jdTt);

// Fills `illumination` for Julian Day `jdTt` (TT) from the Moon above and the Sun of the abridged
// VSOP87D Earth series corrected for aberration, both of the mean equinox of date: the elongation
// psi, the phase angle from tan i = R sin(psi) / (Delta - R cos(psi)) and the fraction
// (1 + cos i) / 2 (Meeus, ch. 48). Against Astronomy Engine at 10000 instants from 1900 to 2100: Moon phase angle
// within 0.0083 degree and Moon illuminated fraction within 7.1e-5, which the Moon's error and the
// Sun's aberration (20.5", applied here and not in the reference) set. False, the angle and
// fraction NaN and waxing false, outside the library's span or for a non-finite day.
[[nodiscard]] bool computeMoonIllumination(MoonIllumination& illumination, double jdTt);

}  // namespace dockorrery
