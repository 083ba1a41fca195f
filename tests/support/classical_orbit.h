// A body's distance and true anomaly on a Keplerian orbit by the classical equation of each kind
// of orbit, in long double, for the tests of the orbits: an independent solution of the problem
// the library solves in the universal anomaly. Near a parabola the equations' differences of
// nearly equal terms, (1 - e) E + e (E - sin E) and (e - 1) H + e (sinh H - H), are taken with
// 1 - e exact and E - sin E, sinh H - H by their series, so that no digits are lost there.
#pragma once

#include <cmath>

namespace classical {

constexpr double kGauss = 0.01720209895;  // k of Gauss, rad per day at 1 AU
constexpr long double kMu = 0.01720209895L * 0.01720209895L;  // k^2 of Gauss, AU^3 per day^2
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// x - sin x, or sinh x - x when `hyperbolic`, by the series below 0.5.
inline long double oddRemainder(long double x, bool hyperbolic) {
  if (std::fabs(x) > 0.5L) return hyperbolic ? std::sinh(x) - x : x - std::sin(x);
  const long double sign = hyperbolic ? 1.0L : -1.0L;
  long double term = x * x * x / 6.0L, sum = 0.0L;
  for (int k = 1; k < 30 && term != 0.0L; ++k) {
    sum += term;
    term *= sign * x * x / ((2 * k + 2) * (2 * k + 3));
  }
  return sum;
}

// The root of f, rising, in [lo, hi]: Newton's method kept in the bracket by bisection.
template <typename F>
long double bracketedRoot(F f, long double lo, long double hi) {
  long double x = 0.5L * (lo + hi);
  for (int i = 0; i < 400; ++i) {
    long double value, rate;
    f(x, value, rate);
    if (value == 0.0L) break;
    (value > 0.0L ? hi : lo) = x;
    long double next = x - value / rate;
    if (!(next > lo && next < hi)) next = 0.5L * (lo + hi);
    if (next == x || hi - lo <= 1e-19L * std::fabs(x)) break;
    x = next;
  }
  return x;
}

// The distance (AU) and true anomaly (rad, in (-pi, pi]) of an ellipse of semi-major axis a
// (AU) and eccentricity e < 1 at mean anomaly m (rad).
inline void ellipse(long double a, double e, long double m, long double& r, long double& nu) {
  const long double oneMinusE = 1.0L - static_cast<long double>(e);  // exact
  m = std::remainder(m, 2.0L * kPi);
  // Kepler: M = (1 - e) E + e (E - sin E)
  const long double E = bracketedRoot(
      [&](long double x, long double& value, long double& rate) {
        value = oneMinusE * x + e * oddRemainder(x, false) - m;
        rate = 1.0L - e * std::cos(x);
      },
      -kPi, kPi);
  const long double h = std::sin(E / 2.0L);
  r = a * (oneMinusE + 2.0L * e * h * h);
  nu = 2.0L * std::atan2(std::sqrt(1.0L + e) * h, std::sqrt(oneMinusE) * std::cos(E / 2.0L));
}

// The distance (AU) and true anomaly (rad, in (-pi, pi]) at `dt` days from perihelion, for
// perihelion distance q (AU) and eccentricity e.
inline void solve(double q, double e, double dt, long double& r, long double& nu) {
  const long double oneMinusE = 1.0L - static_cast<long double>(e);  // exact
  if (e < 1.0) {
    const long double a = q / oneMinusE;
    ellipse(a, e, std::sqrt(kMu / (a * a * a)) * dt, r, nu);
  } else if (e == 1.0) {  // Barker: W = S + S^3 / 3, S = tan(nu / 2)
    const long double w = std::sqrt(kMu / (2.0L * q * q * q)) * dt;
    // |S| is below both |W| and (3 |W|)^(1/3).
    const long double bound =
        1.0001L * std::fmin(std::fabs(w), std::cbrt(3.0L * std::fabs(w)));
    const long double s = bracketedRoot(
        [&](long double x, long double& value, long double& rate) {
          value = x + x * x * x / 3.0L - w;
          rate = 1.0L + x * x;
        },
        -bound, bound);
    r = q * (1.0L + s * s);
    nu = 2.0L * std::atan(s);
  } else {  // the hyperbola: M = (e - 1) H + e (sinh H - H)
    const long double eMinusOne = -oneMinusE;
    const long double a = q / eMinusOne, n = std::sqrt(kMu / (a * a * a));
    const long double m = n * dt;
    // |H| is below both asinh(|M| / (e - 1)) and (6 |M|)^(1/3), as sinh H - H >= H^3 / 6.
    const long double bound =
        1.0001L * std::fmin(std::asinh(std::fabs(m) / eMinusOne), std::cbrt(6.0L * std::fabs(m)));
    const long double H = bracketedRoot(
        [&](long double x, long double& value, long double& rate) {
          value = eMinusOne * x + e * oddRemainder(x, true) - m;
          rate = e * std::cosh(x) - 1.0L;
        },
        -bound, bound);
    const long double h = std::sinh(H / 2.0L);
    r = a * (eMinusOne + 2.0L * e * h * h);
    nu = 2.0L * std::atan(std::sqrt((e + 1.0L) / eMinusOne) * std::tanh(H / 2.0L));
  }
}

}  // namespace classical
