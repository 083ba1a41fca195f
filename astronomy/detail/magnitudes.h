// The magnitude laws of minor planets and comets at given distances, for the library's routines
// and its tests. Internal to the library.
#pragma once

namespace dockorrery::detail {

// H, G: H + 5 log10(r Delta) - 2.5 log10((1 - G) Phi1 + G Phi2), phase angle in rad; NaN where
// the phase function is not positive.
double asteroidMagnitude(double h, double g, double r, double delta, double phaseAngle);

// The Minor Planet Center's comet law, g + 5 log10 Delta + 2.5 k log10 r.
double cometMagnitude(double g, double k, double r, double delta);

}  // namespace dockorrery::detail
