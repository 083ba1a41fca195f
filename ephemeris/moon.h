// The Moon's geocentric position and its phase.
#pragma once

#include <cstdint>

// Geocentric position of the Moon: geometric, mean ecliptic and equinox of date (add the
// nutation in longitude for the true equinox).
struct MoonPosition {
  double jd;         // Julian Ephemeris Day (TD) it was filled for
  double longitude;  // rad in [0, 2pi)
  double latitude;   // rad
  double distance;   // centre of the Earth to centre of the Moon, km
};

// The Moon's illumination as seen from the centre of the Earth.
struct MoonPhase {
  double phaseAngle;           // angle Sun-Moon-Earth, rad in [0, pi]; 0 at full Moon
  double illuminatedFraction;  // illuminated fraction of the disk, 0 (new) to 1 (full)
  int32_t waxing;              // 1 while the Moon is east of the Sun (new to full), else 0
};

// Fills `position` for Julian Ephemeris Day `jde` (TD) by the abridged ELP-2000/82 theory of
// Meeus, Astronomical Algorithms, ch. 47: 60 terms each of longitude, distance and latitude,
// with the eccentricity factor E and the additive terms A1..A3. Good to about 10 arcseconds in
// longitude, 4 arcseconds in latitude and a few tens of km in distance.
void computeMoonPosition(MoonPosition& position, double jde);

// Fills `phase` for Julian Ephemeris Day `jde` (TD) from the Moon above and the Sun of the
// abridged VSOP87D Earth series corrected for aberration, both of the mean equinox of date:
// the elongation psi, the phase angle from tan i = R sin(psi) / (Delta - R cos(psi)) and the
// fraction (1 + cos i) / 2 (Meeus, ch. 48).
void computeMoonPhase(MoonPhase& phase, double jde);
