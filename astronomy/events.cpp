// Rising, transit, setting and twilight: first by interpolation of the apparent places of three
// days, then each event polished with the body's own apparent place at its instant. The
// interpolation alone leaves the Moon's declination up to a few arcminutes off (its motion is
// far from quadratic over two days), a minute or more of time at high latitudes.
#include "astronomy/events.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"

namespace {

// The Sun's centre at the start of each twilight, in the enumeration's order.
constexpr double kTwilightAltitude[] = {-6.0 * kDegree, -12.0 * kDegree, -18.0 * kDegree};
constexpr double kPolished = 1e-6;   // days, 0.09 s: a step below this ends the polishing
constexpr double kLargestStep = 0.01;  // days: a polishing step beyond this is not converging
constexpr int kPolishingSteps = 4;
constexpr double kHour = 1.0 / 24.0;  // days

void invalid(RiseTransitSet& events) {
  events.kind = RiseSetKind::Invalid;
  events.hasRise = events.hasTransit = events.hasSet = false;
  events.riseJdUt = events.transitJdUt = events.setJdUt = NAN;
}

// What polishing an event needs.
struct Sky {
  Body body;
  Observer observer;
  double deltaTDays;
  double altitude;  // the altitude its centre crosses, rad; NaN: its standard altitude
};

// The standard altitude of a body (rad), the Moon's at the distance of `place`.
double standardAltitude(Body body, const ApparentPlace& place) {
  return body == Body::Sun    ? kStandardAltitudeSun
         : body == Body::Moon ? moonStandardAltitude(place.distanceAu * kAstronomicalUnitKm)
                              : kStandardAltitudeStar;
}

// The body's hour angle H (rad, in (-pi, pi]) and its altitude less the altitude it crosses
// (rad) at `jdUt` (UT), from its own apparent place; false where the place fails.
bool sky(const Sky& sky, double jdUt, double& H, double& aboveCrossing, double& declination) {
  ApparentPlace place;
  if (!computeApparentPlace(place, sky.body, jdUt + sky.deltaTDays)) return false;
  H = signedAngle(apparentSiderealTime(jdUt) + sky.observer.longitude -
                  place.equatorial.rightAscension);
  declination = place.equatorial.declination;
  const double sinH = std::sin(sky.observer.latitude) * std::sin(declination) +
                      std::cos(sky.observer.latitude) * std::cos(declination) * std::cos(H);
  const double h0 = std::isnan(sky.altitude) ? standardAltitude(sky.body, place) : sky.altitude;
  aboveCrossing = std::asin(std::clamp(sinH, -1.0, 1.0)) - h0;
  return true;
}

// The first crossing upward (`upward`) or downward of [from, to) (UT), found in `steps` equal
// steps and then by bisection on the body's own altitude; NaN when there is none.
double scan(const Sky& where, bool upward, double from, double to, int steps) {
  double H, before, declination;
  if (!sky(where, from, H, before, declination)) return NAN;
  for (int k = 1; k <= steps; ++k) {
    double lo = from + (to - from) * (k - 1) / steps, hi = from + (to - from) * k / steps, after;
    if (!sky(where, hi, H, after, declination)) return NAN;
    if (upward ? before < 0.0 && after >= 0.0 : before >= 0.0 && after < 0.0) {
      while (hi - lo > kPolished) {
        const double mid = (lo + hi) / 2.0;
        double above;
        if (!sky(where, mid, H, above, declination)) return NAN;
        ((above >= 0.0) == upward ? hi : lo) = mid;
      }
      return hi < to ? hi : NAN;
    }
    before = after;
  }
  return NAN;
}

// Newton steps from the event at `jdUt` (UT) to where the body's own place puts it: the hour
// angle to 0 for a transit (`event` 0), the altitude to the crossing's for a rise (-1) or a set
// (+1) (Meeus, ch. 15, with the place at each step instead of interpolated). Where a step fails
// or grows too large, as near a pole or where the body only grazes the altitude, a rise or set
// is looked for by bisection within the hour either side, and a transit kept as it was.
double polish(const Sky& where, int event, double jdUt) {
  double t = jdUt;
  for (int k = 0; k < kPolishingSteps; ++k) {
    double H, above, declination;
    if (!sky(where, t, H, above, declination)) return jdUt;
    const double step =
        event == 0 ? -H / kSiderealRotationPerDay
                   : above / (kSiderealRotationPerDay * std::cos(declination) *
                              std::cos(where.observer.latitude) * std::sin(H));
    if (!(std::fabs(step) <= kLargestStep)) {
      if (event == 0) return jdUt;
      const double found = scan(where, event < 0, jdUt - kHour, jdUt + kHour, 2);
      return std::isnan(found) ? jdUt : found;
    }
    t += step;
    if (std::fabs(step) < kPolished) break;
  }
  return t;
}

// Polishes one event, or looks for a rise or set again over the whole day when the
// interpolation found none although the body crosses the altitude that day (its Newton steps
// can fail near a grazing of the horizon); drops the event when it is not within the day.
void polishEvent(const Sky& where, int event, double jd0, RiseSetKind kind, bool& has,
                 double& time) {
  if (has) {
    time = polish(where, event, time);
  } else if (event != 0 && kind == RiseSetKind::RisesAndSets) {
    time = scan(where, event < 0, jd0, jd0 + 1.0, 24);
  }
  has = time >= jd0 && time < jd0 + 1.0;
  if (!has) time = NAN;
}

// The events of `body` crossing `altitude` (rad), or its standard altitude when that is NaN.
bool findEvents(RiseTransitSet& events, Body body, const Observer& observer, double jdUt,
                std::optional<double> deltaTSeconds, double altitude) {
  // The library's span and a finite day first: the places below would be of another day. A
  // delta T of a day or more (the model's reaches 16 hours at the span's ends) would take the
  // interpolation beyond its three days.
  const double deltaTDays = terrestrialTime(jdUt, deltaTSeconds) - jdUt;
  if (!withinSpan(jdUt) || !(std::fabs(deltaTDays) < 1.0)) {
    invalid(events);
    return false;
  }
  ApparentPlace places[3];
  for (int d = 0; d < 3; ++d) {
    if (!computeApparentPlace(places[d], body, jdUt + (d - 1))) {
      invalid(events);
      return false;
    }
  }
  const EquatorialCoordinates apparent[3] = {places[0].equatorial, places[1].equatorial,
                                             places[2].equatorial};
  const double h0 = std::isnan(altitude) ? standardAltitude(body, places[1]) : altitude;
  if (!computeRiseTransitSet(events, jdUt, apparent, observer, h0, deltaTSeconds)) return false;
  const Sky where{body, observer, deltaTDays, altitude};
  // Event 0 the transit, -1 the rise, +1 the set.
  polishEvent(where, 0, jdUt, events.kind, events.hasTransit, events.transitJdUt);
  polishEvent(where, -1, jdUt, events.kind, events.hasRise, events.riseJdUt);
  polishEvent(where, 1, jdUt, events.kind, events.hasSet, events.setJdUt);
  return true;
}

}  // namespace

bool computeBodyRiseTransitSet(RiseTransitSet& events, Body body, const Observer& observer,
                               double jdUt, std::optional<double> deltaTSeconds) {
  return findEvents(events, body, observer, jdUt, deltaTSeconds, NAN);
}

bool computeTwilight(RiseTransitSet& events, Twilight twilight, const Observer& observer,
                     double jdUt, std::optional<double> deltaTSeconds) {
  const auto index = static_cast<int32_t>(twilight);
  if (index < 0 || index >= static_cast<int32_t>(std::size(kTwilightAltitude))) {
    invalid(events);
    return false;
  }
  return findEvents(events, Body::Sun, observer, jdUt, deltaTSeconds, kTwilightAltitude[index]);
}
