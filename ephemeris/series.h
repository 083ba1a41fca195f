// The abridged VSOP87D series of the eight planets, as constant data.
#pragma once

#include <cstdint>

namespace dockorrery {

// One periodic term, worth A * cos(B + C * tau) with tau in Julian millennia from J2000.0.
// A in 1e-8 rad (L, B) or 1e-8 AU (R); B in rad; C in rad per Julian millennium.
struct SeriesTerm {
  double A, B, C;
};

// The terms of one coordinate at one power of tau, in order of non-increasing amplitude.
struct Series {
  int32_t count;
  const SeriesTerm* terms;  // null when count is 0
};

// Eighteen series in coordinate-major order: L0..L5, B0..B5, R0..R5 (coordinate * 6 + power).
struct PlanetTheory {
  Series series[18];
};

// Mercury to Neptune; body index b (1..8) selects element b - 1.
extern const PlanetTheory kPlanetTheories[8];

}  // namespace dockorrery
