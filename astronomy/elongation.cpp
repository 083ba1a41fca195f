// Elongations, greatest elongations and conjunctions: the angle and the longitude difference of
// two apparent places, its extrema and roots, from where the heliocentric series put the event.
#include "astronomy/elongation.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/next_event.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/heliocentric.h"

namespace dockorrery {

namespace {

// The synodic period of Mercury to Neptune (Body index 1 to 8; the Earth's none), days.
constexpr double kSynodicPeriod[] = {0.0,    115.88, 583.92, 0.0,   779.94,
                                     398.88, 378.09, 369.66, 367.49};

bool isPlanet(Body body) {
  return body >= Body::Mercury && body <= Body::Neptune && body != Body::Earth;
}
bool isInner(Body body) { return body == Body::Mercury || body == Body::Venus; }

// How far before an instant the heliocentric instant of an event after it may lie, days: the
// apparent conjunction follows the heliocentric one within hours, the greatest elongation
// precedes or follows the right angle by a few days.
constexpr double kConjunctionMargin = 2.0;
constexpr double kElongationMargin = 12.0;

// The elongation of `body` at `jdTt`, counted as two places of the search.
bool elongationAt(Elongation& e, Body body, double jdTt) {
  detail::searchPlaces += 2;
  return computeElongation(e, body, jdTt);
}

// The planet's heliocentric longitude less the Earth's at `jdTt` (rad in (-pi, pi]) from the
// series, and the ratio of their distances from the Sun; NaN outside the span.
double phaseAt(Body body, double jdTt, double& ratio) {
  BodyPosition planet, earth;
  if (!computeHeliocentricPosition(planet, body, jdTt) ||
      !computeHeliocentricPosition(earth, Body::Earth, jdTt)) {
    ratio = NAN;
    return NAN;
  }
  ratio = planet.R / earth.R;
  return signedAngle(planet.L - earth.L);
}

// The heliocentric phase an event wants: 0 for an opposition or inferior conjunction, pi for a
// conjunction beyond the Sun, and for a greatest elongation the phase at which the planet's
// line of sight from the Earth is at a right angle to its radius, -acos(r / R) east, +acos(r / R)
// west.
enum class Event { Beyond, Near, East, West };
double wantedPhase(Event event, double ratio) {
  switch (event) {
    case Event::Beyond: return kPi;
    case Event::Near: return 0.0;
    case Event::East: return -std::acos(ratio);
    case Event::West: return std::acos(ratio);
  }
  return NAN;
}

// The first instant after `from` at which the heliocentric phase of `body` is the one `event`
// wants: from the mean synodic motion, then secant steps on the series to 0.05 day, about as
// close as the apparent event is to it. NaN where the series fail.
double heliocentricInstant(Body body, Event event, double from) {
  const double period = kSynodicPeriod[static_cast<int>(body)];
  const double rate = (isInner(body) ? 1.0 : -1.0) * kTwoPi / period;  // the phase's, rad/day
  double ratio;
  const auto offset = [&](double t) {
    const double phase = phaseAt(body, t, ratio);
    return signedAngle(phase - wantedPhase(event, ratio));
  };
  const double f = offset(from);
  double t0 = from + reduceAngle(-f * (rate > 0 ? 1.0 : -1.0)) / std::fabs(rate);
  double f0 = offset(t0), slope = rate;
  double t1 = t0 - f0 / slope;
  for (int k = 0; k < 20 && std::isfinite(t1); ++k) {
    const double f1 = offset(t1);
    const double s = (f1 - f0) / (t1 - t0);
    if (s / rate > 0.2 && s / rate < 5.0) slope = s;  // the phase's rate keeps its sign
    const double step = -f1 / slope;
    t0 = t1, f0 = f1;
    t1 += step;
    if (std::fabs(step) < 0.05) return t1;
  }
  return NAN;
}

// The last secant step of a conjunction, days (0.09 s), and so its resolution: asked from
// instants up to a synodic period before it, one conjunction comes out within 2e-9 day of itself.
constexpr double kConjunctionTolerance = 1e-6;

// The instant near `seed` at which the apparent longitude difference of `body` and the Sun is
// `target` (0 or pi): secant steps from a first slope over 0.05 day, to kConjunctionTolerance.
double conjunctionNear(Body body, double seed, double target) {
  Elongation e;
  const auto offset = [&](double t) {
    return elongationAt(e, body, t) ? signedAngle(e.longitudeDifference - target) : NAN;
  };
  double t0 = seed, f0 = offset(t0);
  double t1 = seed + 0.05, f1 = offset(t1);
  for (int k = 0; k < 16 && std::isfinite(f0 + f1) && f1 != f0; ++k) {
    const double step = -f1 * (t1 - t0) / (f1 - f0);
    if (!(std::fabs(step) < 30.0)) return NAN;  // no root near the seed
    t0 = t1, f0 = f1;
    t1 += step;
    if (std::fabs(step) < kConjunctionTolerance) return t1;
    f1 = offset(t1);
  }
  return NAN;
}

// The resolution of greatestNear, days: the seed, and so the last parabola's vertex, moves with
// the instant searched from; asked from instants up to a synodic period before it, one greatest
// elongation (every one of six centuries from -1500 to 5800) comes out within 0.07 s of itself.
constexpr double kGreatestResolution = 1.0 / kSecondsPerDay;

// The greatest elongation near `seed`: the vertex of parabolas through the elongation at three
// instants, 1.5, 0.15 and 0.015 day apart, each about the vertex before (climbing first where
// the maximum lies beyond them). Its instant and angle; NaN where a place fails or no maximum is
// near.
double greatestNear(Body body, double seed, double& angle) {
  double c = seed;
  Elongation e;
  for (double h : {1.5, 0.15, 0.015}) {
    for (int tries = 0;; ++tries) {
      double a[3];
      for (int i = 0; i < 3; ++i) {
        if (!elongationAt(e, body, c + (i - 1) * h)) return NAN;
        a[i] = e.angle;
      }
      const double bend = a[0] - 2.0 * a[1] + a[2];
      if (bend < 0.0) {
        const double shift = h * (a[0] - a[2]) / (2.0 * bend);
        if (std::fabs(shift) <= 2.0 * h) {
          c += shift;
          angle = a[1] - (a[2] - a[0]) * (a[2] - a[0]) / (8.0 * bend);
          break;
        }
      }
      if (tries == 8) return NAN;
      c += a[2] > a[0] ? 2.0 * h : -2.0 * h;  // climb towards the maximum
    }
  }
  return c;
}

// The first event of its kind strictly after `jdTt`, one within the search's resolution of jdTt
// being jdTt's own: from the heliocentric instant of each synodic period from one before jdTt
// on, searched on the apparent places. `value` is the greatest elongation's angle. False where a
// search fails after jdTt.
bool firstAfter(Body body, Event event, double jdTt, double& when, double& value) {
  const bool elongation = event == Event::East || event == Event::West;
  // The series hold from the span's start, where an event before it is of no interest.
  double from = std::fmax(jdTt - (elongation ? kElongationMargin : kConjunctionMargin), kFirstJd);
  for (int n = 0; n < 3; ++n) {
    const double seed = heliocentricInstant(body, event, from);
    if (std::isnan(seed)) return false;
    double t;
    if (elongation) {
      t = greatestNear(body, seed, value);
    } else {
      // The longitudes agree at a conjunction, either side of the Sun, and differ by pi at an
      // opposition.
      const bool opposition = event == Event::Near && !isInner(body);
      t = conjunctionNear(body, seed, opposition ? kPi : 0.0);
      value = NAN;
    }
    if (std::isnan(t)) {
      if (seed < jdTt) {
        from = seed + 1.0;
        continue;
      }
      return false;
    }
    if (detail::followsStart(t, jdTt, elongation ? kGreatestResolution : kConjunctionTolerance)) {
      when = t;
      return true;
    }
    from = seed + 1.0;
  }
  return false;
}

}  // namespace

bool computeElongation(Elongation& elongation, Body body, double jdTt) {
  elongation = {NAN, NAN, false};
  // One nutation for both places: it moves both longitudes alike.
  detail::OfDate ofDate;
  static_cast<void>(detail::ofDateAt(ofDate, jdTt));  // a failure leaves NaN: the places fail
  ApparentPlace sun, place;
  if (body == Body::Sun || !detail::apparentPlace(place, body, ofDate) ||
      !detail::apparentPlace(sun, Body::Sun, ofDate)) {
    return false;
  }
  const double difference =
      signedAngle(place.ecliptic.longitude - sun.ecliptic.longitude);
  // The angle between the two directions, by the haversine, which keeps small angles exact.
  const double b1 = place.ecliptic.latitude, b0 = sun.ecliptic.latitude;
  const double s = std::sin((b1 - b0) / 2.0), l = std::sin(difference / 2.0);
  const double h = s * s + std::cos(b1) * std::cos(b0) * l * l;
  elongation = {2.0 * std::asin(std::sqrt(std::fmin(h, 1.0))), difference, difference > 0.0};
  return true;
}

bool computeNextGreatestElongations(GreatestElongations& elongations, Body body, double jdTt) {
  elongations = {NAN, NAN, NAN, NAN};
  if (!isInner(body) || !detail::withinSpan(jdTt)) return false;
  double east, eastAngle, west, westAngle;
  if (!firstAfter(body, Event::East, jdTt, east, eastAngle) ||
      !firstAfter(body, Event::West, jdTt, west, westAngle)) {
    return false;
  }
  elongations = {east, eastAngle, west, westAngle};
  return true;
}

bool computeNextSolarConjunctions(SolarConjunctions& conjunctions, Body body, double jdTt) {
  conjunctions = {NAN, NAN, NAN};
  if (!isPlanet(body) || !detail::withinSpan(jdTt)) return false;
  double beyond, near, unused;
  if (!firstAfter(body, Event::Beyond, jdTt, beyond, unused) ||
      !firstAfter(body, Event::Near, jdTt, near, unused)) {
    return false;
  }
  conjunctions.conjunctionJdTt = beyond;
  (isInner(body) ? conjunctions.inferiorConjunctionJdTt : conjunctions.oppositionJdTt) = near;
  return true;
}

}  // namespace dockorrery
