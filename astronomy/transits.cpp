// Transits of Mercury and Venus from the library's own apparent places of the planet and the Sun.
#include "astronomy/detail/polynomials.h"
#include "astronomy/transits.h"

#include <cmath>

#include "astronomy/apparent.h"
#include "astronomy/detail/next_event.h"
#include "astronomy/detail/roots.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kSunRadiusKm = 695700.0;

// What sets each planet's transits: its mean inferior conjunctions (Meeus table 36.A: the first
// after J2000.0 and the mean synodic period, days), its radius, the longitude of its ascending
// node on the ecliptic of date (degrees, and per century), and how far from the node line the
// Sun's mean longitude may lie at a mean conjunction for a transit to be possible (the planet's
// reach in latitude, and the mean conjunction's own error of up to a few days for Mercury):
// searched without it, the transits of the whole span reach 7.2 degrees (Mercury, 1064) and 4.4
// (Venus, 98).
struct Planet {
  double firstConjunction, synodicPeriod;
  double radiusKm;
  double node, nodeRate;
  double reach;  // degrees
};
constexpr Planet kMercury{2451612.023, 115.8774771, 2439.7, 48.330893, 1.1861890, 14.0};
constexpr Planet kVenus{2451996.706, 583.921361, 6051.8, 76.679920, 0.9011190, 8.0};

// The planet's place against the Sun near a conjunction: quadratics in x = (t - centre) / kStep
// through the places at x = -1, 0, 1 of the longitude difference, the two latitudes (rad) and
// the two distances (km).
constexpr double kStep = 0.2;  // days; a transit lasts 8 hours at most
struct PathModel {
  double centreJdTt;
  double c[5][3];
};

struct Sample {
  double v[5];
};

bool sample(Sample& s, Body body, double jdTt) {
  ApparentPlace planet, sun;
  detail::searchPlaces += 2;
  if (!computeApparentPlace(planet, body, jdTt) || !computeApparentPlace(sun, Body::Sun, jdTt)) {
    return false;
  }
  s.v[0] = std::remainder(planet.ecliptic.longitude - sun.ecliptic.longitude, kTwoPi);
  s.v[1] = planet.ecliptic.latitude;
  s.v[2] = sun.ecliptic.latitude;
  s.v[3] = planet.distanceAu * kAstronomicalUnitKm;
  s.v[4] = sun.distanceAu * kAstronomicalUnitKm;
  return true;
}

struct Geometry {
  double separation, sunSemidiameter, planetSemidiameter;  // rad
};

Geometry geometryAt(const PathModel& model, double radiusKm, double jdTt) {
  const double x = (jdTt - model.centreJdTt) / kStep;
  double v[5];
  for (int i = 0; i < 5; ++i) v[i] = model.c[i][0] + x * (model.c[i][1] + x * model.c[i][2]);
  const double sLat = std::sin(0.5 * (v[1] - v[2])), sLon = std::sin(0.5 * v[0]);
  const double haversine = sLat * sLat + std::cos(v[1]) * std::cos(v[2]) * sLon * sLon;
  return {2.0 * std::asin(std::sqrt(std::fmin(haversine, 1.0))), std::asin(kSunRadiusKm / v[4]),
          std::asin(radiusKm / v[3])};
}

// The resolution of a peak, days (0.01 s): from mean conjunctions a day either side of the
// book's, a peak (every one of five stretches of four centuries from -1500 to 5600, Venus' of a
// millennium) comes out within 2e-9 day (0.2 ms) of itself.
constexpr double kPeakResolution = 0.01 / kSecondsPerDay;

double peakOf(const PathModel& model, double radiusKm) {
  const double x0 = model.c[0][0], y0 = model.c[1][0] - model.c[2][0];
  const double vx = model.c[0][1], vy = model.c[1][1] - model.c[2][1];
  return detail::polishedMinimum(
      [&](double jd) { return geometryAt(model, radiusKm, jd).separation; },
      model.centreJdTt - kStep * (x0 * vx + y0 * vy) / (vx * vx + vy * vy));
}

// The instant on side `direction` of the peak where the separation reaches the Sun's
// semidiameter plus `planetSide` times the planet's; NaN where it stays below (no such contact).
double contactOf(const PathModel& model, double radiusKm, double peakJdTt, double planetSide,
                 double direction) {
  const auto excess = [&](double jd) {
    const Geometry g = geometryAt(model, radiusKm, jd);
    return g.separation - (g.sunSemidiameter + planetSide * g.planetSemidiameter);
  };
  return detail::bracketedRoot(excess, peakJdTt, peakJdTt + direction * 0.3);
}

void clear(Transit& transit) {
  double* const fields[] = {&transit.firstContactJdTt, &transit.secondContactJdTt,
                            &transit.peakJdTt,         &transit.thirdContactJdTt,
                            &transit.lastContactJdTt,  &transit.leastSeparation};
  for (double* field : fields) *field = NAN;
}

}  // namespace

bool computeNextTransit(Transit& transit, Body body, double jdTt) {
  clear(transit);
  if (body != Body::Mercury && body != Body::Venus) return false;
  if (!detail::withinSpan(jdTt)) return false;
  const Planet& planet = body == Body::Mercury ? kMercury : kVenus;
  // From the mean conjunction a little before the instant (a peak may come before its
  // conjunction, and the mean one lies days from the true one): 130 conjunctions span more than
  // the 121.5 years between Venus' pairs of transits.
  double k = std::floor((jdTt - planet.firstConjunction) / planet.synodicPeriod) - 1.0;
  for (int i = 0; i < 130; ++i, k += 1.0) {
    double t = planet.firstConjunction + planet.synodicPeriod * k;
    if (t + 10.0 < jdTt) continue;
    const double T = detail::julianCenturies(t);
    const double sunMean = 280.46646 + 36000.76983 * T;
    const double node = planet.node + planet.nodeRate * T;
    if (std::fabs(std::sin((sunMean - node) * kDegree)) > std::sin(planet.reach * kDegree)) {
      continue;
    }
    // The conjunction in apparent longitude by secant steps.
    Sample s0, s1;
    double t0 = t, t1 = t + 0.5;
    if (!sample(s0, body, t0) || !sample(s1, body, t1)) return false;
    for (int step = 0; step < 12 && std::fabs(t1 - t0) > 1e-3; ++step) {
      const double t2 = t1 - s1.v[0] * (t1 - t0) / (s1.v[0] - s0.v[0]);
      t0 = t1;
      s0 = s1;
      t1 = t2;
      if (!sample(s1, body, t1)) return false;
    }
    // Too far from the Sun in latitude for any contact (the Sun's and the planet's
    // semidiameters together are 0.3 degree at most).
    if (std::fabs(s1.v[1] - s1.v[2]) > 0.5 * kDegree) continue;

    PathModel model;
    model.centreJdTt = t1;
    Sample before, after;
    if (!sample(before, body, t1 - kStep) || !sample(after, body, t1 + kStep)) return false;
    for (int j = 0; j < 5; ++j) {
      model.c[j][0] = s1.v[j];
      model.c[j][1] = 0.5 * (after.v[j] - before.v[j]);
      model.c[j][2] = 0.5 * (after.v[j] - 2.0 * s1.v[j] + before.v[j]);
    }
    const double peak = peakOf(model, planet.radiusKm);
    if (!detail::followsStart(peak, jdTt, kPeakResolution)) continue;
    const Geometry g = geometryAt(model, planet.radiusKm, peak);
    if (!(g.separation < g.sunSemidiameter + g.planetSemidiameter)) continue;
    transit.peakJdTt = peak;
    transit.leastSeparation = g.separation;
    transit.firstContactJdTt = contactOf(model, planet.radiusKm, peak, 1.0, -1.0);
    transit.lastContactJdTt = contactOf(model, planet.radiusKm, peak, 1.0, 1.0);
    transit.secondContactJdTt = contactOf(model, planet.radiusKm, peak, -1.0, -1.0);
    transit.thirdContactJdTt = contactOf(model, planet.radiusKm, peak, -1.0, 1.0);
    return true;
  }
  return false;
}

}  // namespace dockorrery
