// A root of a function bracketed on an interval and the polish of a minimum, shared by the
// searches of contacts and peaks (eclipses, transits). Internal to the library; not installed.
#pragma once

#include <cmath>

namespace dockorrery::detail {

// The root of `f` between `a` and `b`, where f(a) < 0 < f(b) (a may lie on either side of b),
// by the Illinois variant of false position, to 1e-9 of the argument (a day: 0.1 ms); NaN when
// the ends do not bracket a root that way.
template <typename F>
double bracketedRoot(F f, double a, double b) {
  double fa = f(a), fb = f(b);
  if (!(fa < 0.0 && fb > 0.0)) return NAN;
  int side = 0;
  for (int i = 0; i < 60; ++i) {
    const double c = (a * fb - b * fa) / (fb - fa);
    const double fc = f(c);
    if (std::fabs(c - a) < 1e-9 || std::fabs(c - b) < 1e-9 || fc == 0.0) return c;
    if (fc < 0.0) {
      a = c;
      fa = fc;
      if (side == -1) fb *= 0.5;
      side = -1;
    } else {
      b = c;
      fb = fc;
      if (side == 1) fa *= 0.5;
      side = 1;
    }
  }
  return 0.5 * (a + b);
}

// The least value of `f` near `t`, a smooth function with a minimum there: up to four steps of
// Newton's method on its slope, both derivatives by central differences 1e-3 apart (days), to
// 1e-8; it stops where the curvature is not positive.
template <typename F>
double polishedMinimum(F f, double t) {
  constexpr double h = 1e-3;
  for (int i = 0; i < 4; ++i) {
    const double before = f(t - h), at = f(t), after = f(t + h);
    const double curvature = after - 2.0 * at + before;
    if (!(curvature > 0.0)) break;
    const double step = 0.5 * h * (after - before) / curvature;
    t -= step;
    if (std::fabs(step) < 1e-8) break;
  }
  return t;
}

}  // namespace dockorrery::detail
