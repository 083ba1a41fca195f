// Nutation in longitude and obliquity (IAU 1980) and the obliquity of the ecliptic.
#pragma once

// Nutation of the equinox and of the obliquity, in rad.
struct Nutation {
  double longitude;  // delta psi, nutation in longitude
  double obliquity;  // delta epsilon, nutation in obliquity
};

// Fills `nutation` for Julian Ephemeris Day `jde` (TD): the 63 terms of the IAU 1980 theory with
// their T terms and the fundamental arguments as cubic polynomials in T (Meeus, Astronomical
// Algorithms, ch. 22). Good to about 0.001 arcsecond of that theory.
void computeNutation(Nutation& nutation, double jde);

// Mean obliquity of the ecliptic, rad, at Julian Ephemeris Day `jde` (TD): the IAU 1980 (Lieske)
// cubic in T, good to 0.01 arcsecond within a few centuries of 2000.
double meanObliquity(double jde);

// True obliquity of the ecliptic, rad: the mean obliquity plus the nutation in obliquity, at
// Julian Ephemeris Day `jde` (TD).
double trueObliquity(double jde);
