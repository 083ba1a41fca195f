// Comets and minor planets from their osculating elements: heliocentric and apparent places on an
// elliptic, parabolic or hyperbolic orbit about the Sun.
#pragma once

#include "apparent.h"

namespace dockorrery {

// Osculating elements of a body moving about the Sun, referred to the ecliptic and equinox of
// J2000.0. An orbit given by its mean anomaly M at an epoch and its semi-major axis a (e < 1)
// has perihelionDistanceAu = a (1 - e) and perihelionJdTt = epoch - M / n, n = k / a^1.5 rad per
// day (k = 0.01720209895, Gauss).
struct OrbitalElements {
  double perihelionJdTt;        // Julian Day (TT) of the passage through perihelion
  double perihelionDistanceAu;  // q, AU, positive
  double eccentricity;          // e, 0 <= e; below 1 an ellipse, 1 a parabola, above a hyperbola
  double inclination;           // i, rad, 0 to pi
  double argumentOfPerihelion;  // omega, rad
  double ascendingNode;         // longitude of the ascending node, Omega, rad
};

// Where a body is on its orbit about the Sun, and how fast it moves.
struct OrbitPosition {
  double jdTt;                 // Julian Day (TT) it was filled for
  double x, y, z;              // heliocentric, ecliptic and equinox of J2000.0, AU
  double vx, vy, vz;           // AU per day, same frame
  double distanceAu;           // from the Sun, AU
  double trueAnomaly;          // rad, in (-pi, pi]
};

// The heliocentric position and velocity of a body on a Keplerian orbit.
//   Given:    elements   osculating elements, ecliptic and equinox of J2000.0
//             jdTt       Julian Day (TT)
//   Returned: position   x, y, z, AU and vx, vy, vz, AU per day, ecliptic and equinox of
//                        J2000.0; the distance from the Sun, AU; the true anomaly, rad in
//                        (-pi, pi]
//             (bool)     false, and every field but jdTt NaN, outside the library's span, for a
//                        non-finite element or day, q not positive, e negative or above 100, or
//                        an inclination outside [0, pi]
//   Span:     kFirstJd up to kEndJd (TT), for any time from perihelion within it
//   Accuracy: Against the classical solutions (Kepler's, Barker's and the hyperbolic equation,
//             in long double, their near-parabolic differences by series), measured at four
//             million random orbits (q from 0.01 to 100 AU, e from 0 to 20 and within 1e-10 of 1
//             either side, a hyperbola's mean anomaly up to 1e6 rad) up to 550 years from
//             perihelion and tested at 100000: the distance to 3e-12 (n + 1) of itself and the
//             true anomaly (the direction in the orbit's plane) to 7e-12 (n + 1) rad, n the
//             turns of an ellipse from perihelion, 0 on a parabola or hyperbola (the whole
//             periods taken out of an ellipse's time cost that much a turn: 4e-10 and 2e-9 rad
//             at 33000 turns); across e = 1 the position is continuous in e. Against libnova's
//             heliocentric places at 180 instants of 1900 to 2100 on elliptic, parabolic and
//             hyperbolic orbits: orbit heliocentric position within 1e-8 AU, libnova's own
//             Kepler solution the larger part.
//   Notes:    One formulation for every eccentricity: Kepler's equation in the universal
//             anomaly s (ds/dt = 1/r) with the Stumpff functions, started at perihelion, solved
//             by Newton's method held inside a bracket that bisection keeps; an ellipse's time is
//             first reduced to within half a period of perihelion. No perturbations; the Sun's
//             mass alone (Gauss' constant).
//   Source:   Danby, Fundamentals of Celestial Mechanics, 2nd ed., ch. 6.9; Meeus,
//             Astronomical Algorithms, 2nd ed., ch. 30, 33, 34 and 35.
[[nodiscard]] bool computeOrbitPosition(OrbitPosition& position, const OrbitalElements& elements,
                                        double jdTt);

// The apparent geocentric place of a body on a Keplerian orbit.
//   Given:    elements   osculating elements, ecliptic and equinox of J2000.0
//             jdTt       Julian Day (TT)
//   Returned: place      true ecliptic and true equator and equinox of date, rad; the distance
//                        from the centre of the Earth, AU, the true one at jdTt
//             (bool)     false, and every angle and the distance NaN, where
//                        computeOrbitPosition fails
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: The book's comet Encke (example 33.a): the geocentric place of J2000.0 within
//             0.3"; otherwise as the Earth of the library's series (0.9") and the orbit itself.
//   Notes:    The light time by iteration on the body's own orbit; the body where its light left
//             it less the Earth where it was a light time before (light time and annual
//             aberration together, as computeApparentPlace), turned from the ecliptic of
//             J2000.0 to that of date (IAU 1976), then the nutation (IAU 1980) and the true
//             obliquity.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 33 (example 33.a), 21 and 22.
[[nodiscard]] bool computeOrbitApparentPlace(ApparentPlace& place,
                                             const OrbitalElements& elements, double jdTt);

}  // namespace dockorrery
