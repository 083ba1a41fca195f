// Heliocentric positions from the abridged VSOP87D series. The operations and their order are
// fixed, so every build gives the same last bits: T by a subtraction then a division, each
// argument as C * tau + B, the sums in table order, the powers of tau by repeated products.
#include "ephemeris/position.h"

#include <cmath>

#include "base/constants.h"
#include "ephemeris/series.h"

namespace dockorrery {

namespace {

constexpr double kCenturiesPerMillennium = 10.0;
constexpr double kSeriesUnit = 1e-8;          // the tables hold 1e-8 rad or 1e-8 AU
constexpr int kPowers = 6;

// Sum of A * cos(C * tau + B) over a series, in table order; 0.0 when it is empty.
double sumSeries(const Series& series, double tau) {
  double sum = 0.0;
  for (int32_t i = 0; i < series.count; ++i) {
    const SeriesTerm& term = series.terms[i];
    sum += term.A * std::cos(term.C * tau + term.B);
  }
  return sum;
}

}  // namespace

void computeBodyPosition(BodyPosition& position, int body, double jd) {
  position.jd = jd;
  position.body = body;
  const double T = (jd - kJ2000Epoch) / kJulianCentury;
  position.L = seriesCoordinate(body, 0, T);
  position.B = seriesCoordinate(body, 1, T);
  position.R = seriesCoordinate(body, 2, T);
}

double seriesCoordinate(int body, unsigned coordinate, double T) {
  // The Sun (body 0) is the origin; anything else outside the tables is neutral as well.
  if (body < 1 || body > 8 || coordinate > 2) return 0.0;

  const double tau = T / kCenturiesPerMillennium;
  const Series* series = &kPlanetTheories[body - 1].series[coordinate * kPowers];
  double s[kPowers];
  for (int k = 0; k < kPowers; ++k) s[k] = sumSeries(series[k], tau);

  // Lowest power first, powers by repeated products rather than Horner's scheme.
  double v = s[0];
  v = v + s[1] * tau;
  const double t2 = tau * tau;
  v = v + s[2] * t2;
  const double t3 = t2 * tau;
  v = v + s[3] * t3;
  const double t4 = t3 * tau;
  v = v + s[4] * t4;
  const double t5 = t4 * tau;
  v = v + s[5] * t5;
  v = v * kSeriesUnit;

  return coordinate == 0 ? normalizeRadians(v) : v;
}

double normalizeRadians(double angle) {
  double r = std::fmod(angle, kTwoPi);  // exact, with the sign of the angle
  // A remainder less than half an ulp of 2pi below zero rounds up to exactly 2pi here: the same
  // angle as 0, and harmless to every caller, so it is left as it comes. -0.0 stays -0.0.
  if (r < 0.0) r += kTwoPi;
  return r;
}

}  // namespace dockorrery
