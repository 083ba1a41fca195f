// Minor planets and comets from the elements catalogues give: an orbit by its mean anomaly at an
// epoch, and the visual magnitude of an asteroid (H, G) or a comet (g, k) at an instant.
#pragma once

#include "orbits.h"

namespace dockorrery {

// The orbital elements of an ellipse given by its mean anomaly at an epoch.
//   Given:    epochJdTt             Julian Day (TT) of the osculation epoch
//             meanAnomaly           M at the epoch, rad (any finite angle)
//             semiMajorAxisAu       a, AU, positive, up to 1e6
//             eccentricity          e, 0 <= e < 1
//             inclination           i, rad, 0 to pi
//             argumentOfPerihelion  omega, rad (any finite angle)
//             ascendingNode         Omega, rad (any finite angle)
//   Returned: elements              q = a (1 - e) and the passage through perihelion nearest the
//                                   epoch, epoch - M / n with M taken into (-pi, pi]; e and i as
//                                   given, omega and Omega in [0, 2pi); ecliptic and equinox of
//                                   J2000.0 when the angles are
//             (bool)                false, and every field NaN, for a non-finite argument, the
//                                   epoch outside the library's span, a not positive or above
//                                   1e6 AU, e outside [0, 1) or i outside [0, pi]
//   Span:     an epoch from kFirstJd up to kEndJd (TT)
//   Accuracy: Exact but for rounding: the orbit's place at the epoch is where the mean anomaly
//             given puts it to 5e-10 day of its motion (a Julian Day's rounding) and of its
//             period 5e-15 / (1 - e) (the Kepler solution) and 4e-17 for each whole turn in the
//             anomaly given (taken out by a rounded 2 pi): a slow orbit is off by more than its
//             day, 1e-5 day at a = 3.5e5 AU and half a day there at a million radians. Measured
//             at eight million random orbits (a from 0.01 to 1e6 AU, e up to 1 - 1e-8,
//             anomalies up to 1e7 rad, epochs over the span) against Kepler's equation in long
//             double: 2.6e-15 / (1 - e) of the period beyond the day's rounding, and 3.9e-17 a
//             turn.
//   Notes:    The mean motion from Gauss' constant alone, n = k / a^1.5 rad a day,
//             k = 0.01720209895, as the Minor Planet Center's does (the body's own mass left
//             out).
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 33.
[[nodiscard]] bool orbitalElementsFromMeanAnomaly(OrbitalElements& elements, double epochJdTt,
                                                  double meanAnomaly, double semiMajorAxisAu,
                                                  double eccentricity, double inclination,
                                                  double argumentOfPerihelion,
                                                  double ascendingNode);

// How bright a minor planet or a comet is seen from the Earth, and the distances that make it.
struct MinorBodyBrightness {
  double jdTt;            // Julian Day (TT) it was filled for
  double magnitude;       // visual magnitude
  double heliocentricAu;  // r, from the Sun, where the light seen at jdTt left the body, AU
  double geocentricAu;    // Delta, the light's path to the centre of the Earth, AU
  double phaseAngle;      // Sun-body-Earth, rad in [0, pi]
};

// The visual magnitude of a minor planet by the H, G system.
//   Given:    elements            osculating elements, ecliptic and equinox of J2000.0
//             absoluteMagnitude   H, the magnitude at 1 AU from the Sun and the Earth at phase
//                                 angle 0, finite
//             slopeParameter      G, finite (the catalogues' are about -0.3 to 0.6; 0.15 when
//                                 unknown)
//             jdTt                Julian Day (TT)
//   Returned: brightness          the magnitude, r and Delta (AU) and the phase angle (rad)
//             (bool)              false, and every field but jdTt NaN, where
//                                 computeOrbitPosition fails, for a non-finite H or G, or where
//                                 the law gives no finite magnitude (the phase angle near 180
//                                 degrees or a G far outside the catalogues', where
//                                 (1 - G) Phi1 + G Phi2 is not positive)
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Against libnova at 180 instants of 1900 to 2100 on elliptic, parabolic and
//             hyperbolic orbits (the hyperbolas its solver holds): orbit geocentric distance
//             within 3e-6 AU (its Earth the full VSOP87, the library's the abridged series); the
//             law itself is the IAU's, checked at its closed values (phase angles 0 and 90
//             degrees) and at Ceres' opposition of 2025 (7.6 in the almanacs).
//   Notes:    H + 5 log10(r Delta) - 2.5 log10((1 - G) Phi1 + G Phi2), Phi1 = exp(-3.33
//             tan^0.63(beta / 2)), Phi2 = exp(-1.87 tan^1.22(beta / 2)), beta the phase angle;
//             the body where its light left it (light time, no aberration), the Earth's centre.
//             libnova's ln_get_asteroid_mag takes the Sun's distance for Delta, 0.187 for 1.87 and
//             a broken phase angle: it is no reference for this.
//   Source:   Bowell et al., in Asteroids II (1989), the IAU's system of 1985; Meeus,
//             Astronomical Algorithms, 2nd ed., eq. 33.14.
[[nodiscard]] bool computeAsteroidMagnitude(MinorBodyBrightness& brightness,
                                            const OrbitalElements& elements,
                                            double absoluteMagnitude, double slopeParameter,
                                            double jdTt);

// The total visual magnitude of a comet by the Minor Planet Center's law.
//   Given:    elements            osculating elements, ecliptic and equinox of J2000.0
//             absoluteMagnitude   g, the magnitude at 1 AU from the Sun and the Earth, finite
//             slopeParameter      k as the Minor Planet Center gives it (CometEls.txt and the
//                                 comet one-line elements): the law takes 2.5 k; finite
//             jdTt                Julian Day (TT)
//   Returned: brightness          the magnitude, r and Delta (AU) and the phase angle (rad)
//             (bool)              false, and every field but jdTt NaN, where
//                                 computeOrbitPosition fails, for a non-finite g or k, or where
//                                 the magnitude is not finite
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Against libnova at 120 instants of 1900 to 2100 on elliptic and parabolic
//             orbits (it has no hyperbolic one), its law with the Earth's distance put back where
//             it takes the Sun's: comet magnitude within 0.001 mag.
//   Notes:    g + 5 log10 Delta + 2.5 k log10 r; the book's kappa (and libnova's k) is 2.5 k.
//             The body where its light left it (light time, no aberration), the Earth's centre.
//             No phase term and no nucleus: the coma's total light.
//   Source:   Minor Planet Center, the export format for comet orbits; Meeus, Astronomical
//             Algorithms, 2nd ed., eq. 33.13.
[[nodiscard]] bool computeCometMagnitude(MinorBodyBrightness& brightness,
                                         const OrbitalElements& elements,
                                         double absoluteMagnitude, double slopeParameter,
                                         double jdTt);

}  // namespace dockorrery
