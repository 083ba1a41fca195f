// The library's checked entry to the planetary series, apart from the applet's own so that the
// applet links none of it.
#include "astronomy/heliocentric.h"

#include <cmath>

#include "astronomy/detail/heliocentric.h"
#include "base/constants.h"
#include "ephemeris/position.h"
#include "ephemeris/series.h"

namespace dockorrery {

bool computeHeliocentricPosition(BodyPosition& position, Body body, double jdTt) {
  position.body = static_cast<int32_t>(body);
  position.jd = jdTt;
  if (body < Body::Sun || body > Body::Neptune || !detail::withinSpan(jdTt)) {
    position.R = position.L = position.B = NAN;
    return false;
  }
  computeBodyPosition(position, static_cast<int>(body), jdTt);
  // normalizeRadians may give 2pi itself for a longitude a hair below 0, and keeps -0.0.
  position.L = position.L >= kTwoPi ? 0.0 : position.L + 0.0;
  return true;
}

namespace {

constexpr double kSeriesUnit = 1e-8;           // the tables hold 1e-8 rad or 1e-8 AU
constexpr double kDaysPerMillennium = 365250.0;
constexpr int kPowers = 6;

// One coordinate of the series (L, B or R) and its rate per millennium at tau millennia (TT)
// from J2000.0.
void coordinateAndRate(const Series* series, double tau, double& value, double& rate) {
  value = rate = 0.0;
  double power = 1.0, lower = 0.0;  // tau^p and p tau^(p-1)
  for (int p = 0; p < kPowers; ++p) {
    double sum = 0.0, sumRate = 0.0;
    for (int32_t i = 0; i < series[p].count; ++i) {
      const SeriesTerm& term = series[p].terms[i];
      const double argument = term.C * tau + term.B;
      sum += term.A * std::cos(argument);
      sumRate -= term.A * term.C * std::sin(argument);
    }
    value += sum * power;
    rate += sum * lower + sumRate * power;
    lower = (p + 1) * power;
    power *= tau;
  }
  value *= kSeriesUnit;
  rate *= kSeriesUnit;
}

}  // namespace

void detail::heliocentricMotion(int body, double jdTt, Motion& motion) {
  motion = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  if (body < 1 || body > 8) return;
  const double tau = (jdTt - kJ2000Epoch) / (10.0 * kJulianCentury);
  const Series* series = kPlanetTheories[body - 1].series;
  double L, B, R, dL, dB, dR;
  coordinateAndRate(series, tau, L, dL);
  coordinateAndRate(series + kPowers, tau, B, dB);
  coordinateAndRate(series + 2 * kPowers, tau, R, dR);
  dL /= kDaysPerMillennium;
  dB /= kDaysPerMillennium;
  dR /= kDaysPerMillennium;
  const double cL = std::cos(L), sL = std::sin(L), cB = std::cos(B), sB = std::sin(B);
  motion.x = R * cB * cL;
  motion.y = R * cB * sL;
  motion.z = R * sB;
  motion.vx = dR * cB * cL - R * sB * dB * cL - R * cB * sL * dL;
  motion.vy = dR * cB * sL - R * sB * dB * sL + R * cB * cL * dL;
  motion.vz = dR * sB + R * cB * dB;
}

}  // namespace dockorrery
