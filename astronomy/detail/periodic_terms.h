// The published periodic terms of the Moon, nutation, Pluto and Jupiter's moons, as constant
// data. Each term is a row of small integer multiples of the fundamental arguments and the
// coefficients of the sine and cosine of their sum, in the units of the published tables (stated
// per record).
#pragma once

#include <cstdint>

namespace dockorrery {

// The factor E by which the periodic terms of the Moon with the Sun's mean anomaly M scale (E^2
// for 2M), for the eccentricity of the Earth's orbit decreasing: 1 - 0.002516 T - 0.0000074 T^2,
// T in Julian centuries (TT) from J2000.0, lowest power first (Meeus, eq. 47.6).
constexpr double kEccentricityFactor[] = {1.0, -0.002516, -0.0000074};

// The Moon's longitude and distance: argument D*D + M*M + Mp*M' + F*F; sigmaL * sin(argument)
// in 1e-6 degree of longitude, sigmaR * cos(argument) in 0.001 km of distance.
struct MoonLongitudeTerm {
  int8_t D, M, Mp, F;
  int32_t sigmaL, sigmaR;
};

// The Moon's latitude: sigmaB * sin(D*D + M*M + Mp*M' + F*F) in 1e-6 degree.
struct MoonLatitudeTerm {
  int8_t D, M, Mp, F;
  int32_t sigmaB;
};

// Nutation (IAU 1980): with the argument D*D + M*M + Mp*M' + F*F + omega*Omega,
// (psiSin + psiSinT * T) * sin(argument) of longitude and (epsCos + epsCosT * T) * cos(argument)
// of obliquity, in 0.0001 arcsecond; T in Julian centuries (TT) from J2000.0.
struct NutationTerm {
  int8_t D, M, Mp, F, omega;
  double psiSin, psiSinT, epsCos, epsCosT;
};
// The multiples of the arguments the table holds, from the lowest to the highest (IAU 1980: -2
// to 3), which the nutation's sums take as powers of e^(i X).
constexpr int kLowestNutationMultiple = -2;
constexpr int kHighestNutationMultiple = 3;

// Pluto: with the argument J*J + S*S + P*P, the sine and cosine coefficients of the
// heliocentric longitude and latitude (1e-6 degree) and of the radius vector (1e-7 AU).
struct PlutoTerm {
  int8_t J, S, P;
  int32_t lSin, lCos, bSin, bCos, rSin, rCos;
};

// Jupiter's moons (index 1 Io to 4 Callisto): with the argument the sum of the multiples of the
// theory's angles (mean longitudes l, perijoves pi, nodes omega, the node psi of Jupiter's
// equator, Jupiter's and Saturn's mean anomalies G and G', Jupiter's perihelion Pi and the free
// libration phi) plus phase, degrees, coefficient * sin(argument) of the moon's longitude,
// degrees, or coefficient * cos(argument) of its radius vector, in its mean distance. The
// multiples are held as doubles, ready for the sum of products each argument takes.
struct JupiterMoonTerm {
  int32_t moon;
  double l1, l2, l3, l4, pi1, pi2, pi3, pi4, omega1, omega2, omega3, omega4;
  double psi, G, Gs, Pi, phi;
  double phase, coefficient;
};

}  // namespace dockorrery
