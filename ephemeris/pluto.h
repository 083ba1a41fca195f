// Pluto's heliocentric position.
#pragma once

// Span of Pluto's series, Julian Ephemeris Days: from 1885 January 1, 0h TD, up to (not
// including) 2100 January 1, 0h TD.
constexpr double kPlutoFirstJde = 2409542.5;
constexpr double kPlutoEndJde = 2488069.5;

// Heliocentric position of Pluto, geometric, mean ecliptic and equinox of J2000.0.
struct PlutoPosition {
  double jd;  // Julian Ephemeris Day (TD) it was filled for
  double L;   // ecliptic longitude, rad in [0, 2pi)
  double B;   // ecliptic latitude, rad
  double R;   // radius vector, AU
};

// Fills `position` for Julian Ephemeris Day `jde` (TD) from the 43 periodic terms of Chapront and
// Francou's fit to DE200 (Meeus, Astronomical Algorithms, ch. 37), good to a few 0.1 arcsecond
// and 2e-5 AU. The fit holds from kPlutoFirstJde up to kPlutoEndJde only: outside that
// span L, B and R are all 0.0, as the series give for a body outside their tables.
void computePlutoPosition(PlutoPosition& position, double jde);
