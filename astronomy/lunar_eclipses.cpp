// Eclipses of the Moon from the library's own apparent places of the Moon and the Sun.
#include "astronomy/lunar_eclipses.h"

#include <cmath>

#include "astronomy/apparent.h"
#include "astronomy/moon_phases.h"
#include "astronomy/detail/next_event.h"
#include "astronomy/detail/roots.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kEarthRadiusKm = kEarthEquatorialRadiusKm;
constexpr double kSunRadiusKm = 696000.0;
constexpr double kMoonRadiusKm = 1737.4;
// Danjon's enlargement of the Moon's parallax for the Earth's atmosphere.
constexpr double kDanjon = 1.01;

// The full Moon of lunation k + 1/2 of the book's mean phases (k = 0 at the new Moon of 2000
// January 6): its mean argument of latitude F (rad), from which the Moon's distance from a node
// follows.
constexpr double kMeanNewMoon2000 = 2451550.09766;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kLunationsPerCentury = 1236.85;
double meanArgumentOfLatitude(double fullMoonJdTt) {
  const double k = std::round((fullMoonJdTt - kMeanNewMoon2000) / kSynodicMonth - 0.5) + 0.5;
  const double T = k / kLunationsPerCentury;
  const double degrees = std::fmod(390.67050284 * k, 360.0) + 160.7108 +
                         T * T * (-0.0016118 + T * (-0.00000227 + T * 0.000000011));
  return degrees * kDegree;
}
// Beyond this |sin F| at the full Moon the Moon passes too far from the node to touch the
// penumbra (the book's 0.36, widened for the mean elements' drift far from 2000: searched without
// it, the 19259 eclipses of the whole span reach 0.352).
constexpr double kNodeLimit = 0.38;

// The instants of the places, days either side of the full Moon: the peak lies within 0.03 day
// of it and the last contact within 0.13 day of the peak, where the quadratic through the
// three places keeps to 0.1" (the Moon's third derivative in longitude is 0.13 deg/day^3).
constexpr double kStep = 0.12;

// The Moon against the shadow near one full Moon: quadratics in x = (t - centre) / kStep through
// the places at x = -1, 0, 1.
struct ShadowModel {
  double centreJdTt;
  // Moon's longitude less the shadow's (rad), the Moon's and the shadow's latitudes (rad), the
  // Moon's and the Sun's distances (km): value at 0, first and second coefficient.
  double c[5][3];
};

struct Geometry {
  double distance;      // the Moon's centre from the shadow's axis, rad
  double northward;     // the Moon's latitude less the shadow's, rad
  double moonKm;        // the Moon's distance from the Earth's centre
  double umbra, penumbra, moonSemidiameter;  // rad
};

Geometry geometryAt(const ShadowModel& model, double jdTt) {
  const double x = (jdTt - model.centreJdTt) / kStep;
  double v[5];
  for (int i = 0; i < 5; ++i) v[i] = model.c[i][0] + x * (model.c[i][1] + x * model.c[i][2]);
  Geometry g;
  const double dLat = v[1] - v[2];
  const double sLat = std::sin(0.5 * dLat), sLon = std::sin(0.5 * v[0]);
  const double haversine = sLat * sLat + std::cos(v[1]) * std::cos(v[2]) * sLon * sLon;
  g.distance = 2.0 * std::asin(std::sqrt(std::fmin(haversine, 1.0)));
  g.northward = dLat;
  g.moonKm = v[3];
  const double moonParallax = std::asin(kEarthRadiusKm / v[3]);
  const double sunParallax = std::asin(kEarthRadiusKm / v[4]);
  const double sunSemidiameter = std::asin(kSunRadiusKm / v[4]);
  g.umbra = kDanjon * moonParallax + sunParallax - sunSemidiameter;
  g.penumbra = kDanjon * moonParallax + sunParallax + sunSemidiameter;
  g.moonSemidiameter = std::asin(kMoonRadiusKm / v[3]);
  return g;
}

// The Moon's centre from the shadow's axis in km at the Moon, whose least value is the peak.
double axisDistanceKm(const ShadowModel& model, double jdTt) {
  const Geometry g = geometryAt(model, jdTt);
  return g.moonKm * std::sin(g.distance);
}

// The model from the places at the three instants; false where a place fails.
bool buildModel(ShadowModel& model, double centreJdTt) {
  model.centreJdTt = centreJdTt;
  double samples[5][3];
  for (int j = 0; j < 3; ++j) {
    ApparentPlace moon, sun;
    const double jd = centreJdTt + (j - 1) * kStep;
    detail::searchPlaces += 2;
    if (!computeApparentPlace(moon, Body::Moon, jd) || !computeApparentPlace(sun, Body::Sun, jd)) {
      return false;
    }
    samples[0][j] = std::remainder(moon.ecliptic.longitude - sun.ecliptic.longitude - kPi, kTwoPi);
    samples[1][j] = moon.ecliptic.latitude;
    samples[2][j] = -sun.ecliptic.latitude;
    samples[3][j] = moon.distanceAu * kAstronomicalUnitKm;
    samples[4][j] = sun.distanceAu * kAstronomicalUnitKm;
  }
  for (int i = 0; i < 5; ++i) {
    model.c[i][0] = samples[i][1];
    model.c[i][1] = 0.5 * (samples[i][2] - samples[i][0]);
    model.c[i][2] = 0.5 * (samples[i][2] - 2.0 * samples[i][1] + samples[i][0]);
  }
  return true;
}

// The resolution of a peak, days: the model, and so its least distance, moves with the instant it
// is centred on; centred anywhere within 0.03 day of the full Moon, a peak (every one of five
// stretches of two centuries from -1500 to 5400) comes out within 0.12 s of itself.
constexpr double kPeakResolution = 1.0 / kSecondsPerDay;

// The least distance from the axis: Newton's steps on the model's slope, from the instant the
// Moon's straight path passes closest to the axis.
double peakOf(const ShadowModel& model) {
  const double* lon = model.c[0];
  const double* lat = model.c[1];
  const double* axisLat = model.c[2];
  // Rates per unit of x at x = 0 and the straight path's closest approach.
  const double x0 = lon[0], y0 = lat[0] - axisLat[0];
  const double vx = lon[1], vy = lat[1] - axisLat[1];
  return detail::polishedMinimum([&](double jd) { return axisDistanceKm(model, jd); },
                                 model.centreJdTt -
                                     kStep * (x0 * vx + y0 * vy) / (vx * vx + vy * vy));
}

// The contact where the distance from the axis equals the shadow's radius plus `moonSide` times
// the Moon's semidiameter, on the side `direction` (-1 before, +1 after) of the peak, where the
// distance is less, on the model.
double contactOf(const ShadowModel& model, double peakJdTt, bool umbral, double moonSide,
                 double direction) {
  const auto excess = [&](double jd) {
    const Geometry g = geometryAt(model, jd);
    return g.distance - ((umbral ? g.umbra : g.penumbra) + moonSide * g.moonSemidiameter);
  };
  return detail::bracketedRoot(excess, peakJdTt, peakJdTt + direction * 0.25);
}

// Half the time between the two contacts of a phase, minutes; NaN where the phase does not occur.
double semiDuration(const ShadowModel& model, double peakJdTt, bool umbral, double moonSide) {
  const double first = contactOf(model, peakJdTt, umbral, moonSide, -1.0);
  const double last = contactOf(model, peakJdTt, umbral, moonSide, 1.0);
  return 0.5 * (last - first) * 1440.0;
}

void clear(LunarEclipse& eclipse) {
  eclipse.kind = LunarEclipseKind::Invalid;
  double* const fields[] = {&eclipse.peakJdTt,
                            &eclipse.peakJdUt,
                            &eclipse.umbralMagnitude,
                            &eclipse.penumbralMagnitude,
                            &eclipse.penumbralSemiDurationMinutes,
                            &eclipse.partialSemiDurationMinutes,
                            &eclipse.totalSemiDurationMinutes,
                            &eclipse.gamma};
  for (double* field : fields) *field = NAN;
}

}  // namespace

bool computeNextLunarEclipse(LunarEclipse& eclipse, double jdTt) {
  clear(eclipse);
  if (!detail::withinSpan(jdTt)) return false;
  // A peak may come before its full Moon: start the full Moons a little before the instant.
  double from = std::fmax(jdTt - 0.1, kFirstJd);
  // Eclipse seasons come every 173 days and a lunar eclipse of some kind in nearly every one;
  // forty lunations is far more than the longest gap.
  for (int lunation = 0; lunation < 40; ++lunation) {
    MoonPhases phases;
    if (!computeNextMoonPhases(phases, from)) return false;
    const double fullMoon = phases.fullMoonJdTt;
    from = fullMoon + 1.0;
    if (std::fabs(std::sin(meanArgumentOfLatitude(fullMoon))) > kNodeLimit) continue;
    if (fullMoon - kStep < kFirstJd) continue;  // its first place would lie before the span

    ShadowModel model;
    if (!buildModel(model, fullMoon)) return false;
    const double peak = peakOf(model);
    if (!detail::followsStart(peak, jdTt, kPeakResolution)) continue;
    const Geometry g = geometryAt(model, peak);
    const double diameter = 2.0 * g.moonSemidiameter;
    const double penumbralMagnitude = (g.penumbra + g.moonSemidiameter - g.distance) / diameter;
    if (!(penumbralMagnitude > 0.0)) continue;

    const double umbralMagnitude = (g.umbra + g.moonSemidiameter - g.distance) / diameter;
    const double peakJdUt = universalTime(peak);
    if (!std::isfinite(peakJdUt)) return false;
    eclipse.peakJdTt = peak;
    eclipse.peakJdUt = peakJdUt;
    eclipse.penumbralMagnitude = penumbralMagnitude;
    eclipse.umbralMagnitude = umbralMagnitude;
    eclipse.gamma = std::copysign(g.moonKm * std::sin(g.distance) / kEarthRadiusKm, g.northward);
    eclipse.penumbralSemiDurationMinutes = semiDuration(model, peak, false, 1.0);
    eclipse.kind = LunarEclipseKind::Penumbral;
    if (umbralMagnitude > 0.0) {
      eclipse.kind = LunarEclipseKind::Partial;
      eclipse.partialSemiDurationMinutes = semiDuration(model, peak, true, 1.0);
    }
    if (umbralMagnitude >= 1.0) {
      eclipse.kind = LunarEclipseKind::Total;
      eclipse.totalSemiDurationMinutes = semiDuration(model, peak, true, -1.0);
    }
    return true;
  }
  return false;
}

}  // namespace dockorrery
