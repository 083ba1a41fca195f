// Solar eclipses from the shadow the Moon casts in the light of the apparent Sun: the book's
// elements pick the lunations and the first guess, the library's places give the geometry.
// Vectors are geocentric, km, on the true equator and equinox of date.
#include "astronomy/solar_eclipses.h"

#include <algorithm>
#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/next_event.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/detail/sidereal.h"
#include "astronomy/detail/solar_eclipses.h"
#include "astronomy/detail/vector.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kSunRadiusKm = 696000.0;
constexpr double kMoonRadiusKm = 1737.4;              // mean radius
constexpr double kPolarToEquatorial = 0.99664719;     // b / a of the IAU 1976 ellipsoid
constexpr double kSynodicMonth = 29.530588861;
constexpr double kNewMoonEpoch = 2451550.09766;       // mean new Moon of lunation 0, TT
constexpr double kLunationsPerCentury = 1236.85;
// How far the book's gamma may be from the true least distance of the axis, Earth radii.
constexpr double kElementsMargin = 0.03;

using detail::Vector;

Vector fromEquatorial(const EquatorialCoordinates& e, double distanceKm) {
  return detail::fromSpherical(e.rightAscension, e.declination, distanceKm);
}

// The Earth stretched along its axis into a sphere of the equatorial radius, and back.
Vector toSphere(const Vector& v) { return {v.x, v.y, v.z / kPolarToEquatorial}; }
Vector fromSphere(const Vector& v) { return {v.x, v.y, v.z * kPolarToEquatorial}; }

// The Moon's shadow at one instant.
struct Shadow {
  double jdTt;
  detail::OfDate ofDate;
  Vector moon;       // geocentric Moon, km
  Vector axis;       // unit vector from the Sun through the Moon
  double sunMoonKm;  // distance from the Sun to the Moon
  Vector nearest;    // the point of the axis nearest the Earth's centre, km
};

bool shadowAt(Shadow& s, double jdTt) {
  s.jdTt = jdTt;
  detail::searchPlaces += 2;
  ApparentPlace sun, moon;
  if (!detail::ofDateAt(s.ofDate, jdTt) || !detail::apparentPlace(sun, Body::Sun, s.ofDate) ||
      !detail::apparentPlace(moon, Body::Moon, s.ofDate)) {
    return false;
  }
  s.moon = fromEquatorial(moon.equatorial, moon.distanceAu * kAstronomicalUnitKm);
  const Vector sunToMoon =
      s.moon - fromEquatorial(sun.equatorial, sun.distanceAu * kAstronomicalUnitKm);
  s.sunMoonKm = length(sunToMoon);
  s.axis = (1.0 / s.sunMoonKm) * sunToMoon;
  s.nearest = s.moon - dot(s.moon, s.axis) * s.axis;
  return true;
}

// Radius of the umbra (positive; negative beyond its vertex, where the antumbra's radius is its
// magnitude) and of the penumbra at `point`'s distance behind the Moon along the axis, km.
double umbraRadius(const Shadow& s, const Vector& point) {
  const double behind = dot(point - s.moon, s.axis) / s.sunMoonKm;
  return kMoonRadiusKm - behind * (kSunRadiusKm - kMoonRadiusKm);
}
double penumbraRadius(const Shadow& s, const Vector& point) {
  const double behind = dot(point - s.moon, s.axis) / s.sunMoonKm;
  return kMoonRadiusKm + behind * (kSunRadiusKm + kMoonRadiusKm);
}

// The axis in the stretched frame, where the Earth is a sphere: the point of the axis nearest the
// centre and the axis' unit direction.
void stretchedAxis(const Shadow& s, Vector& nearest, Vector& direction) {
  const Vector moon = toSphere(s.moon);
  const Vector axis = toSphere(s.axis);
  direction = (1.0 / length(axis)) * axis;
  nearest = moon - dot(moon, direction) * direction;
}

SolarEclipseKind kindOf(double umbra) {
  return umbra > 0.0 ? SolarEclipseKind::Total : SolarEclipseKind::Annular;
}

void fillInvalid(GlobalSolarEclipse& e) {
  e.kind = SolarEclipseKind::Invalid;
  e.central = false;
  e.peakJdTt = e.peakJdUt = e.axisDistanceKm = e.gamma = e.latitude = e.longitude = NAN;
}

// The shadow `dt` days after `s`, its Moon and axis moved on by their rates (km and unit
// vectors per day): over the seconds of a last Newton step, to far below a metre.
void moveShadow(Shadow& s, double dt, const Vector& moonRate, const Vector& axisRate) {
  s.jdTt += dt;
  s.moon = s.moon + dt * moonRate;
  s.axis = s.axis + dt * axisRate;
  s.axis = (1.0 / length(s.axis)) * s.axis;
  s.nearest = s.moon - dot(s.moon, s.axis) * s.axis;
}

// The resolution of findPeak, days: guessed anywhere within 0.003 day (four minutes) of the
// book's instant, a peak (every one of five stretches of two centuries from -1500 to 5400) comes
// out within 0.21 s of itself.
constexpr double kPeakResolution = 1.0 / kSecondsPerDay;

// The peak of the eclipse near `guessJdTt`: the least distance of the axis from the Earth's
// centre. The nearest point moves nearly in a straight line over hours, so its velocity from two
// places an hour apart and a Newton step from there find the instant within seconds, and a
// second step, whose shadow is the first's moved on, to well under a second. False, with `none`
// set, when the straight motion already passes clear of the Earth by more than any penumbra
// reaches (its radius 0.56 Earth radii at most; the bending of an hour or two adds a few km).
bool findPeak(Shadow& peak, double guessJdTt, Vector& velocity, bool& none) {
  constexpr double kHalfStep = 0.02;  // days
  constexpr double kClear = 1.6 * kEarthEquatorialRadiusKm;
  none = false;
  Shadow before, after;
  if (!shadowAt(before, guessJdTt - kHalfStep) || !shadowAt(after, guessJdTt + kHalfStep)) {
    return false;
  }
  velocity = (0.5 / kHalfStep) * (after.nearest - before.nearest);
  const double speed2 = dot(velocity, velocity);
  const Vector middle = 0.5 * (after.nearest + before.nearest);
  const double step = -dot(middle, velocity) / speed2;
  if (length(middle + step * velocity) > kClear) {
    none = true;
    return false;
  }
  if (!shadowAt(peak, guessJdTt + step)) return false;
  moveShadow(peak, -dot(peak.nearest, velocity) / speed2,
             (0.5 / kHalfStep) * (after.moon - before.moon),
             (0.5 / kHalfStep) * (after.axis - before.axis));
  return true;
}

}  // namespace


bool detail::solarEclipseElements(SolarEclipseElements& elements, double k) {
  const double T = k / kLunationsPerCentury;
  const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  const auto deg = [](double a) { return std::fmod(a, 360.0) * kDegree; };
  const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;
  const double M = deg(2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3);
  const double Mp = deg(201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 -
                        0.000000058 * T4);
  const double F = deg(160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 +
                       0.000000011 * T4);
  const double Omega = deg(124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3);
  const double F1 = F - 0.02665 * kDegree * std::sin(Omega);
  const double A1 = deg(299.77 + 0.107408 * k - 0.009173 * T2);
  const double mean = kNewMoonEpoch + kSynodicMonth * k + 0.00015437 * T2 - 0.000000150 * T3 +
                      0.00000000073 * T4;
  elements.peakJdTt =
      mean - 0.4075 * std::sin(Mp) + 0.1721 * E * std::sin(M) + 0.0161 * std::sin(2 * Mp) -
      0.0097 * std::sin(2 * F1) + 0.0073 * E * std::sin(Mp - M) -
      0.0050 * E * std::sin(Mp + M) - 0.0023 * std::sin(Mp - 2 * F1) +
      0.0021 * E * std::sin(2 * M) + 0.0012 * std::sin(Mp + 2 * F1) +
      0.0006 * E * std::sin(2 * Mp + M) - 0.0004 * std::sin(3 * Mp) -
      0.0003 * E * std::sin(M + 2 * F1) + 0.0003 * std::sin(A1) -
      0.0002 * E * std::sin(M - 2 * F1) - 0.0002 * E * std::sin(2 * Mp - M) -
      0.0002 * std::sin(Omega);
  const double P = 0.2070 * E * std::sin(M) + 0.0024 * E * std::sin(2 * M) -
                   0.0392 * std::sin(Mp) + 0.0116 * std::sin(2 * Mp) -
                   0.0073 * E * std::sin(Mp + M) + 0.0067 * E * std::sin(Mp - M) +
                   0.0118 * std::sin(2 * F1);
  const double Q = 5.2207 - 0.0048 * E * std::cos(M) + 0.0020 * E * std::cos(2 * M) -
                   0.3299 * std::cos(Mp) - 0.0060 * E * std::cos(Mp + M) +
                   0.0041 * E * std::cos(Mp - M);
  const double W = std::fabs(std::cos(F1));
  elements.gamma = (P * std::cos(F1) + Q * std::sin(F1)) * (1.0 - 0.0048 * W);
  elements.u = 0.0059 + 0.0046 * E * std::cos(M) - 0.0182 * std::cos(Mp) +
               0.0004 * std::cos(2 * Mp) - 0.0005 * std::cos(M + Mp);
  const double g = std::fabs(elements.gamma);
  elements.magnitude = g > 0.9972 ? (1.5433 + elements.u - g) / (0.5461 + 2.0 * elements.u) : NAN;
  return std::fabs(std::sin(F)) <= 0.36 && g <= 1.5433 + elements.u;
}

namespace {

bool searchSolarEclipse(GlobalSolarEclipse& eclipse, double jdTt) {
  // From the lunation before jdTt's: a peak may follow jdTt though its new Moon precedes it. At
  // least two eclipses a year, at most six lunations apart: ten from there hold the next.
  const double k0 = std::floor((jdTt - kNewMoonEpoch) / kSynodicMonth) - 1.0;
  for (double k = k0; k < k0 + 10.0; k += 1.0) {
    detail::SolarEclipseElements elements;
    static_cast<void>(detail::solarEclipseElements(elements, k));
    const double g = std::fabs(elements.gamma);
    if (!(g <= 1.5433 + elements.u + kElementsMargin) ||
        !(elements.peakJdTt > jdTt - 0.5)) {
      continue;
    }
    Shadow peak;
    Vector velocity;
    bool none;
    if (!findPeak(peak, elements.peakJdTt, velocity, none)) {
      if (none) continue;
      return false;
    }
    if (!detail::followsStart(peak.jdTt, jdTt, kPeakResolution)) continue;
    Vector nearest, direction;
    stretchedAxis(peak, nearest, direction);
    const double miss = length(nearest);  // stretched distance of the axis from the centre
    const Vector centrePoint = fromSphere(nearest);
    // The shadow's radii, stretched as the frame stretches lengths towards the nearest point:
    // up to 10 km more near the poles, which decides the slightest partial eclipses.
    const double zShare = centrePoint.z / length(centrePoint);
    const double stretch = std::sqrt(
        1.0 + zShare * zShare * (1.0 / (kPolarToEquatorial * kPolarToEquatorial) - 1.0));
    if (miss >= kEarthEquatorialRadiusKm + stretch * penumbraRadius(peak, centrePoint)) continue;

    eclipse.peakJdTt = peak.jdTt;
    eclipse.peakJdUt = universalTime(peak.jdTt);
    eclipse.axisDistanceKm = length(peak.nearest);
    eclipse.gamma = eclipse.axisDistanceKm / kEarthEquatorialRadiusKm;
    if (miss >= kEarthEquatorialRadiusKm) {
      // Off the axis: the umbra (or antumbra) may still reach past the limb.
      const double umbra = umbraRadius(peak, centrePoint);
      eclipse.kind = miss < kEarthEquatorialRadiusKm + stretch * std::fabs(umbra) ? kindOf(umbra)
                                                                         : SolarEclipseKind::Partial;
      return std::isfinite(eclipse.peakJdUt);
    }
    eclipse.central = true;
    // The nearer of the axis' two points on the sphere faces the Moon.
    const double along = std::sqrt(kEarthEquatorialRadiusKm * kEarthEquatorialRadiusKm -
                                   miss * miss);
    const Vector surface = fromSphere(nearest - along * direction);
    const double proj = std::hypot(surface.x, surface.y) * kPolarToEquatorial * kPolarToEquatorial;
    eclipse.latitude = std::atan2(surface.z, proj);
    const double sidereal = detail::apparentSiderealTime(eclipse.peakJdUt, peak.ofDate);
    eclipse.longitude = std::remainder(std::atan2(surface.y, surface.x) - sidereal, kTwoPi);
    if (eclipse.longitude <= -kPi) eclipse.longitude += kTwoPi;
    const double umbra = umbraRadius(peak, surface);
    const SolarEclipseKind atPeak = kindOf(umbra);
    eclipse.kind = atPeak;
    // At the ends of the path the surface lies farther from the Moon than at the peak, by up to
    // the half chord: the umbra narrows by that times the cone's slope. The Moon's own distance
    // changes by a few km in the hours between, which the margin holds. Outside these bounds the
    // umbra keeps its sign along the whole path.
    constexpr double kUmbraMargin = 10.0;  // km
    const double narrowing = along * (kSunRadiusKm - kMoonRadiusKm) / peak.sunMoonKm;
    if (umbra < -kUmbraMargin || umbra > narrowing + kUmbraMargin) {
      return std::isfinite(eclipse.peakJdUt) && std::isfinite(eclipse.longitude);
    }
    // The ends of the path: where the nearest point, moving straight, leaves the sphere. There
    // the axis grazes the limb, nearly in the plane through the centre.
    Vector stretchedVelocity = toSphere(velocity);
    stretchedVelocity = stretchedVelocity - dot(stretchedVelocity, direction) * direction;
    const double v2 = dot(stretchedVelocity, stretchedVelocity);
    const double b = dot(nearest, stretchedVelocity) / v2;
    const double half = std::sqrt(b * b + along * along / v2);
    for (const double t : {peak.jdTt - b - half, peak.jdTt - b + half}) {
      Shadow end;
      if (!shadowAt(end, t)) return false;
      Vector endNearest, endDirection;
      stretchedAxis(end, endNearest, endDirection);
      if (kindOf(umbraRadius(end, fromSphere(endNearest))) != atPeak) {
        eclipse.kind = SolarEclipseKind::Hybrid;
      }
    }
    return std::isfinite(eclipse.peakJdUt) && std::isfinite(eclipse.longitude);
  }
  return false;
}

}  // namespace

bool computeNextSolarEclipse(GlobalSolarEclipse& eclipse, double jdTt) {
  fillInvalid(eclipse);
  if (detail::withinSpan(jdTt) && searchSolarEclipse(eclipse, jdTt)) return true;
  fillInvalid(eclipse);
  return false;
}

namespace {

// ---- Seen from one place ----

constexpr double kLocalHalfStep = 0.002;  // days, the pair of places a rate is taken from
// The last Newton or secant step of a local peak or contact, days (0.1 s), and so the local
// peak's resolution: from global peaks 0.01 day either side, a local peak (every one Berlin sees
// in five stretches of four centuries from -1500 to 5500) comes out within 0.007 s of itself.
constexpr double kContactTolerance = 0.1 / kSecondsPerDay;
constexpr double kMaxGlobalEclipses = 200.0;  // some 80 years of eclipses

Vector unitOf(const EquatorialCoordinates& e) { return fromEquatorial(e, 1.0); }

// The Sun and the Moon seen by the observer at one instant.
struct Sky {
  double jdUt;
  Vector relative;     // the Moon's direction less the Sun's, square to the Sun's
  double separation;   // of the centres, rad
  double sunRadius;    // apparent, rad
  double moonRadius;   // apparent, rad
  double sunAltitude;  // rad, no refraction
};

bool skyAt(Sky& sky, const Observer& observer, double jdUt, std::optional<double> deltaT) {
  sky.jdUt = jdUt;
  detail::searchPlaces += 2;
  TopocentricPlace sun, moon;
  if (!computeTopocentricPlace(sun, Body::Sun, jdUt, observer, deltaT) ||
      !computeTopocentricPlace(moon, Body::Moon, jdUt, observer, deltaT)) {
    return false;
  }
  const Vector s = unitOf(sun.equatorial), m = unitOf(moon.equatorial);
  const double c = dot(m, s);
  sky.relative = m - c * s;
  sky.separation = std::atan2(length(sky.relative), c);
  sky.sunRadius = std::asin(kSunRadiusKm / (sun.distanceAu * kAstronomicalUnitKm));
  sky.moonRadius = std::asin(kMoonRadiusKm / (moon.distanceAu * kAstronomicalUnitKm));
  sky.sunAltitude = sun.horizontal.altitude;
  return true;
}

// The rate of the relative direction about `jdUt` (per day), from a pair of places, and their
// mean.
bool rateAt(const Observer& observer, double jdUt, std::optional<double> deltaT, Vector& middle,
            Vector& rate) {
  Sky before, after;
  if (!skyAt(before, observer, jdUt - kLocalHalfStep, deltaT) ||
      !skyAt(after, observer, jdUt + kLocalHalfStep, deltaT)) {
    return false;
  }
  middle = 0.5 * (before.relative + after.relative);
  rate = (0.5 / kLocalHalfStep) * (after.relative - before.relative);
  return true;
}

// The area of the Sun's disc (radius r) the Moon's (radius m) covers with their centres d apart,
// as a fraction of the Sun's.
double obscurationOf(double r, double m, double d) {
  if (d >= r + m) return 0.0;
  if (d <= std::fabs(r - m)) return m >= r ? 1.0 : (m * m) / (r * r);
  const double a = std::acos(std::clamp((d * d + r * r - m * m) / (2.0 * d * r), -1.0, 1.0));
  const double b = std::acos(std::clamp((d * d + m * m - r * r) / (2.0 * d * m), -1.0, 1.0));
  const double lens = r * r * (a - std::sin(2.0 * a) / 2.0) + m * m * (b - std::sin(2.0 * b) / 2.0);
  return std::clamp(lens / (kPi * r * r), 0.0, 1.0);
}

// The contact where the separation less `radii(sky)` vanishes, from `guessJdUt`: secant steps,
// the first with `slope` (rad per day), to 0.1 s.
template <typename Radii>
bool contactAt(EclipseContact& contact, const Observer& observer, double guessJdUt, double slope,
               std::optional<double> deltaT, Radii radii) {
  Sky sky;
  double t0 = guessJdUt;
  if (!skyAt(sky, observer, t0, deltaT)) return false;
  double g0 = sky.separation - radii(sky);
  double t1 = t0 - g0 / slope;
  for (int i = 0; i < 12; ++i) {
    if (!skyAt(sky, observer, t1, deltaT)) return false;
    const double g1 = sky.separation - radii(sky);
    if (std::fabs(t1 - t0) < kContactTolerance || g1 == g0) break;
    const double t2 = t1 - g1 * (t1 - t0) / (g1 - g0);
    t0 = t1;
    g0 = g1;
    t1 = t2;
  }
  contact = {sky.jdUt, sky.sunAltitude};
  return std::fabs(t1 - t0) < 10.0 * kContactTolerance;
}

void fillInvalid(LocalSolarEclipse& e) {
  e.kind = SolarEclipseKind::Invalid;
  for (EclipseContact* c : {&e.partialBegin, &e.centralBegin, &e.peak, &e.centralEnd,
                            &e.partialEnd}) {
    *c = {NAN, NAN};
  }
  e.obscuration = e.magnitude = NAN;
}

// The eclipse near the global peak `globalJdUt` as the observer sees it; false with `none` set
// when the observer sees none of it.
bool localEclipse(LocalSolarEclipse& e, const Observer& observer, double globalJdUt,
                  std::optional<double> deltaT, bool& none) {
  none = false;
  // The least separation: Newton steps on the relative direction, which moves nearly straight
  // (the observer's turning with the Earth bends it by a quarter of a degree in three hours).
  double t = globalJdUt;
  Vector middle, rate;
  double speed = 0.0;
  for (int i = 0; i < 8; ++i) {
    if (!rateAt(observer, t, deltaT, middle, rate)) return false;
    const double speed2 = dot(rate, rate);
    const double step = -dot(middle, rate) / speed2;
    speed = std::sqrt(speed2);
    if (i == 0 && length(middle + step * rate) > 0.025) {  // rad: the radii and half a degree
      none = true;
      return false;
    }
    t += step;
    if (std::fabs(step) < kContactTolerance) break;
  }
  Sky peak;
  if (!skyAt(peak, observer, t, deltaT)) return false;
  const double outer = peak.sunRadius + peak.moonRadius;
  const double inner = std::fabs(peak.sunRadius - peak.moonRadius);
  if (peak.separation >= outer) {
    none = true;
    return false;
  }
  // The partial contacts, from the straight motion at the peak.
  const auto partial = [](const Sky& s) { return s.sunRadius + s.moonRadius; };
  const auto central = [](const Sky& s) { return std::fabs(s.sunRadius - s.moonRadius); };
  const double halfPartial = std::sqrt(outer * outer - peak.separation * peak.separation) / speed;
  // The Sun's altitude changes by a turn a day at most: one too low at the peak to rise above
  // the horizon before the partial contacts (a tenth more for the straight motion's error) is
  // not seen, and its contacts are not looked for.
  if (peak.sunAltitude + 1.1 * halfPartial * kTwoPi < 0.0) {
    none = true;
    return false;
  }
  if (!contactAt(e.partialBegin, observer, t - halfPartial, -speed, deltaT, partial) ||
      !contactAt(e.partialEnd, observer, t + halfPartial, speed, deltaT, partial)) {
    return false;
  }
  if (!(e.partialBegin.altitude > 0.0 || peak.sunAltitude > 0.0 || e.partialEnd.altitude > 0.0)) {
    none = true;
    return false;
  }
  e.peak = {peak.jdUt, peak.sunAltitude};
  e.kind = SolarEclipseKind::Partial;
  if (peak.separation < inner) {
    e.kind = peak.moonRadius > peak.sunRadius ? SolarEclipseKind::Total : SolarEclipseKind::Annular;
    const double halfCentral =
        std::sqrt(inner * inner - peak.separation * peak.separation) / speed;
    if (!contactAt(e.centralBegin, observer, t - halfCentral, -speed, deltaT, central) ||
        !contactAt(e.centralEnd, observer, t + halfCentral, speed, deltaT, central)) {
      return false;
    }
  }
  e.obscuration = obscurationOf(peak.sunRadius, peak.moonRadius, peak.separation);
  e.magnitude = (outer - peak.separation) / (2.0 * peak.sunRadius);
  return true;
}

bool searchLocalSolarEclipse(LocalSolarEclipse& eclipse, const Observer& observer, double jdUt,
                             std::optional<double> deltaT) {
  // A place's peak falls up to three hours from the global one: the search starts a quarter of a
  // day early, and takes the first eclipse seen whose peak there follows jdUt.
  double jdTt = terrestrialTime(jdUt, deltaT) - 0.25;
  for (double n = 0; n < kMaxGlobalEclipses; n += 1.0) {
    GlobalSolarEclipse global;
    if (!computeNextSolarEclipse(global, jdTt)) return false;
    // The next is a lunation on at least: from a day on, this one is not looked at again.
    jdTt = global.peakJdTt + 1.0;
    const double globalJdUt = deltaT ? global.peakJdTt - *deltaT / kSecondsPerDay
                                     : global.peakJdUt;
    bool none;
    fillInvalid(eclipse);
    if (!localEclipse(eclipse, observer, globalJdUt, deltaT, none)) {
      if (none) continue;
      return false;
    }
    if (detail::followsStart(eclipse.peak.jdUt, jdUt, kContactTolerance)) return true;
  }
  return false;
}

}  // namespace

bool computeNextLocalSolarEclipse(LocalSolarEclipse& eclipse, const Observer& observer,
                                  double jdUt, std::optional<double> deltaTSeconds) {
  fillInvalid(eclipse);
  if (!detail::withinSpan(jdUt) || !(std::fabs(observer.latitude) <= kPi / 2) ||
      !std::isfinite(observer.longitude) || !std::isfinite(observer.height) ||
      observer.height < -12000.0 || (deltaTSeconds && !std::isfinite(*deltaTSeconds))) {
    return false;
  }
  // The longitude reduced first: added to the sidereal time, one of 1e300 rad would keep the
  // observer from turning with the Earth.
  Observer place = observer;
  place.longitude = std::remainder(observer.longitude, kTwoPi);
  if (searchLocalSolarEclipse(eclipse, place, jdUt, deltaTSeconds)) return true;
  fillInvalid(eclipse);
  return false;
}

}  // namespace dockorrery
