// Rising, transit, setting and twilight: the body's own apparent places at a few instants of the
// day make a model of its sky (interpolated to 0.05"), in which every crossing of the day is
// found; each event is then polished with the body's own place at its instant.
#include "astronomy/events.h"

#include <cmath>
#include <iterator>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/crossings.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

// The Sun's centre at the start of each twilight, in the enumeration's order.
constexpr double kTwilightAltitude[] = {-6.0 * kDegree, -12.0 * kDegree, -18.0 * kDegree};
// Places over the day the model interpolates, equally spaced from its start to its end: enough
// for the model to keep to 0.05" of them (largest differences over 3000 days of 1900-2100: the
// Moon 0.042", Mercury 0.0004", Venus 0.0006", Mars 0.019", the Sun 0.0035").
int placesOfTheDay(Body body) {
  return body == Body::Moon || body == Body::Mercury ? 5 : body == Body::Venus ? 4 : 3;
}
constexpr double kPolished = 1e-7;  // days, 0.009 s: a step below this ends the polishing
constexpr int kPolishingSteps = 3;
constexpr int kHourAngleSteps = 6;  // Newton's steps of an hour-angle search, at most
// Days a body's hour angle takes to turn once at most: the Moon's, 1.035 days.
constexpr double kLongestHourAngleDays = 1.04;

// What the body's own sky needs.
struct Sky {
  Body body;
  Observer observer;
  double jdUt;        // the day's start
  double deltaTDays;
  double altitude;    // the altitude its centre crosses, rad; NaN: its standard altitude
  bool topocentric;   // the altitude is seen from the observer: the parallax is added to it
};

// The body's hour angle (rad, in (-pi, pi]), declination and the altitude it crosses (rad) at the
// fraction `m` of the day, from its own apparent place; false where the place fails.
bool skyAt(const Sky& sky, double m, detail::SkyAt& at) {
  ApparentPlace place;
  double siderealTime;
  const double jdUt = sky.jdUt + m;
  ++detail::searchPlaces;
  if (!detail::placeAndSiderealTime(place, siderealTime, sky.body, jdUt, jdUt + sky.deltaTDays)) {
    return false;
  }
  at.hourAngle =
      signedAngle(siderealTime + reduceAngle(sky.observer.longitude) -
                  place.equatorial.rightAscension);
  at.declination = place.equatorial.declination;
  // Seen from the surface a body stands lower than from the centre by its parallax in altitude,
  // asin(R / d cos h) at the altitude h seen (a spherical Earth: the polishing on the
  // topocentric place itself takes its figure and the observer's height).
  const double parallax =
      sky.topocentric ? std::asin(std::fmin(
                            kEarthEquatorialRadiusKm / (place.distanceAu * kAstronomicalUnitKm) *
                                std::cos(sky.altitude),
                            1.0))
                      : 0.0;
  at.crossing = !std::isnan(sky.altitude) ? sky.altitude + parallax
                : sky.body == Body::Sun   ? kStandardAltitudeSun
                : sky.body == Body::Moon
                    ? moonStandardAltitude(place.distanceAu * kAstronomicalUnitKm)
                    : kStandardAltitudeStar;
  return true;
}

// The model of the body's sky over the day through its places; false where one fails.
bool modelOf(const Sky& sky, detail::DayModel& model) {
  const int count = placesOfTheDay(sky.body);
  double hourAngle[detail::DayModel::kTerms], declination[detail::DayModel::kTerms],
      crossing[detail::DayModel::kTerms];
  for (int k = 0; k < count; ++k) {
    const double m = double(k) / (count - 1);
    detail::SkyAt at;
    if (!skyAt(sky, m, at)) return false;
    // Less the Earth's turning, the hour angle moves slowly: each one taken the short way
    // from the one before.
    const double w = at.hourAngle - kSiderealRotationPerDay * m;
    hourAngle[k] = k == 0 ? w : hourAngle[k - 1] + signedAngle(w - hourAngle[k - 1]);
    declination[k] = at.declination;
    crossing[k] = at.crossing;
  }
  detail::interpolate(hourAngle, count, model.hourAngle);
  detail::interpolate(declination, count, model.declination);
  detail::interpolate(crossing, count, model.crossing);
  return true;
}

// Newton's steps from the model's crossing at `m` to the body's own, the rate taken from the
// model, within the piece [from, to] where the model found it.
double polishCrossing(const Sky& sky, const detail::DayModel& model, double m, double from,
                      double to) {
  for (int k = 0; k < kPolishingSteps; ++k) {
    detail::SkyAt at;
    if (!skyAt(sky, m, at)) return m;
    const double value = detail::heightAt(at, sky.observer.latitude).value;
    const double rate = detail::heightAt(detail::skyAt(model, m), sky.observer.latitude).rate;
    const double next = std::fmin(std::fmax(m - value / rate, from), to);
    if (!(std::fabs(next - m) >= kPolished)) return std::isnan(next) ? m : next;
    m = next;
  }
  return m;
}

// Newton's steps from the model's culmination at `m` to where the body's own hour angle is 0.
double polishTransit(const Sky& sky, const detail::DayModel& model, double m) {
  for (int k = 0; k < kPolishingSteps; ++k) {
    detail::SkyAt at;
    if (!skyAt(sky, m, at)) return m;
    const double step = -at.hourAngle / detail::skyAt(model, m).hourAngleRate;
    m += step;
    if (!(std::fabs(step) >= kPolished)) break;
  }
  return m;
}

// An event kept only when, polished, it still falls within the day.
double withinDay(double m) { return m >= 0.0 && m < 1.0 ? m : NAN; }

// The events of `body` crossing `altitude` (rad), or its standard altitude when that is NaN.
bool findEvents(RiseTransitSet& events, Body body, const Observer& observer, double jdUt,
                std::optional<double> deltaTSeconds, double altitude) {
  const double deltaTDays = terrestrialTime(jdUt, deltaTSeconds) - jdUt;
  const Sky sky{body, observer, jdUt, deltaTDays, altitude, false};
  detail::DayModel model;
  if (!detail::withinSpan(jdUt) || !(std::fabs(deltaTDays) < 1.0) ||
      !(std::fabs(observer.latitude) <= kPi / 2.0) || !std::isfinite(observer.longitude) ||
      !modelOf(sky, model)) {
    detail::invalidEvents(events);
    return false;
  }
  detail::DayEvents day = detail::searchDay(model, observer.latitude);
  if (!std::isnan(day.rise)) {
    day.rise = withinDay(polishCrossing(sky, model, day.rise, day.riseFrom, day.riseTo));
  }
  if (!std::isnan(day.set)) {
    day.set = withinDay(polishCrossing(sky, model, day.set, day.setFrom, day.setTo));
  }
  if (!std::isnan(day.transit)) day.transit = withinDay(polishTransit(sky, model, day.transit));
  // A crossing the polishing took out of the day leaves the day on its side of the altitude.
  if (day.kind == RiseSetKind::RisesAndSets && std::isnan(day.rise) && std::isnan(day.set)) {
    const double start = detail::heightAt(detail::skyAt(model, 0.0), observer.latitude).value;
    day.kind = start >= 0.0 ? RiseSetKind::Circumpolar : RiseSetKind::NeverRises;
  }
  detail::fillEvents(events, day, jdUt);
  return true;
}

}  // namespace

bool computeBodyRiseTransitSet(RiseTransitSet& events, Body body, const Observer& observer,
                               double jdUt, std::optional<double> deltaTSeconds) {
  return findEvents(events, body, observer, jdUt, deltaTSeconds, NAN);
}

bool computeTwilight(TwilightTimes& times, Twilight twilight, const Observer& observer,
                     double jdUt, std::optional<double> deltaTSeconds) {
  const auto index = static_cast<int32_t>(twilight);
  RiseTransitSet events;
  const bool found =
      index >= 0 && index < static_cast<int32_t>(std::size(kTwilightAltitude)) &&
      findEvents(events, Body::Sun, observer, jdUt, deltaTSeconds, kTwilightAltitude[index]);
  if (!found) detail::invalidEvents(events);
  // The kinds of the Sun's day against the altitude, in the order of RiseSetKind's.
  constexpr TwilightKind kKinds[] = {TwilightKind::DawnOrDusk, TwilightKind::DarkNever,
                                     TwilightKind::DarkAllDay, TwilightKind::Invalid};
  times = {kKinds[static_cast<int32_t>(events.kind)], events.hasRise, events.hasSet,
           events.riseJdUt, events.setJdUt};
  return found;
}

namespace {

// Fills `result` as a failed search.
bool searchFailed(SearchedInstant& result, SearchOutcome outcome) {
  result.outcome = outcome;
  result.jdUt = NAN;
  result.horizontal = {NAN, NAN};
  return false;
}

bool validObserver(const Observer& observer) {
  return std::fabs(observer.latitude) <= kPi / 2.0 && std::isfinite(observer.longitude) &&
         std::isfinite(observer.height);
}

// The body's topocentric place at `jdUt` and its local hour angle (rad, in (-pi, pi]) less
// `hourAngle`; false where the place fails.
bool hourAngleFrom(Body body, const Observer& observer, double jdUt, double hourAngle,
                   std::optional<double> deltaTSeconds, TopocentricPlace& place,
                   double& difference) {
  double siderealTime;
  ++detail::searchPlaces;
  if (!detail::topocentricPlace(place, siderealTime, body, jdUt, observer, deltaTSeconds)) {
    return false;
  }
  difference = signedAngle(siderealTime + reduceAngle(observer.longitude) -
                           place.equatorial.rightAscension -
                           hourAngle);
  return true;
}

}  // namespace

bool searchAltitude(SearchedInstant& result, Body body, const Observer& observer,
                    CrossingDirection direction, double altitude, double jdUt, double limitDays,
                    std::optional<double> deltaTSeconds) {
  if (!detail::withinSpan(jdUt) || !validObserver(observer) || !(std::fabs(altitude) <= kPi / 2) ||
      !(limitDays > 0.0 && limitDays <= kLongestSearchDays) ||
      (direction != CrossingDirection::Rising && direction != CrossingDirection::Setting) ||
      (deltaTSeconds && !std::isfinite(*deltaTSeconds))) {
    return searchFailed(result, SearchOutcome::Invalid);
  }
  // Every day the search may take must lie in the span, or it fails whatever it finds first.
  const double lastStart = jdUt + std::ceil(limitDays) - 1.0;
  if (!(terrestrialTime(lastStart + 1.0, deltaTSeconds) < kEndJd)) {
    return searchFailed(result, SearchOutcome::Invalid);
  }
  const double end = jdUt + limitDays;
  for (double start = jdUt; start < end; start += 1.0) {
    const double deltaTDays = terrestrialTime(start, deltaTSeconds) - start;
    const Sky sky{body, observer, start, deltaTDays, altitude, true};
    detail::DayModel model;
    if (!detail::withinSpan(start) || !(std::fabs(deltaTDays) < 1.0) || !modelOf(sky, model)) {
      return searchFailed(result, SearchOutcome::Invalid);
    }
    const detail::DayEvents day = detail::searchDay(model, observer.latitude);
    const bool rising = direction == CrossingDirection::Rising;
    double m = rising ? day.rise : day.set;
    if (std::isnan(m)) continue;
    m = polishCrossing(sky, model, m, rising ? day.riseFrom : day.setFrom,
                       rising ? day.riseTo : day.setTo);
    // The last steps on the topocentric altitude itself, the rate from the model; the place
    // kept is the one at the instant returned.
    TopocentricPlace place;
    double siderealTime;
    for (int k = 0;; ++k) {
      ++detail::searchPlaces;
      if (!detail::topocentricPlace(place, siderealTime, body, start + m, observer,
                                    deltaTSeconds)) {
        return searchFailed(result, SearchOutcome::Invalid);
      }
      const double value = std::sin(place.horizontal.altitude) - std::sin(altitude);
      const double rate = detail::heightAt(detail::skyAt(model, m), observer.latitude).rate;
      const double step = -value / rate;
      if (!(std::fabs(step) >= kPolished) || k == kPolishingSteps) break;
      m += step;
    }
    if (start + m < jdUt || start + m > end) {
      if (start + m > end) break;
      continue;
    }
    result.outcome = SearchOutcome::Found;
    result.jdUt = start + m;
    result.horizontal = place.horizontal;
    return true;
  }
  return searchFailed(result, SearchOutcome::NotWithinLimit);
}

bool searchHourAngle(SearchedInstant& result, Body body, const Observer& observer,
                     double hourAngle, double jdUt, std::optional<double> deltaTSeconds) {
  // Reduced exactly before it meets the sidereal time: an angle of 1e300 rad is its remainder,
  // which its sum with the sidereal time would have lost. NaN when not finite.
  hourAngle = reduceAngle(hourAngle);
  TopocentricPlace place;
  double difference;
  if (!detail::withinSpan(jdUt) || !validObserver(observer) || !std::isfinite(hourAngle) ||
      (deltaTSeconds && !(std::fabs(*deltaTSeconds) < kSecondsPerDay)) ||
      !(terrestrialTime(jdUt + kLongestHourAngleDays, deltaTSeconds) < kEndJd) ||
      !hourAngleFrom(body, observer, jdUt, hourAngle, deltaTSeconds, place, difference)) {
    return searchFailed(result, SearchOutcome::Invalid);
  }
  // The hour angle grows by a turn in a little less than a day (the Moon's in 1.035 days): the
  // angle still to turn, at the Earth's rate, then Newton's steps with the rate the body showed.
  const double ahead = difference > 0.0 ? kTwoPi - difference : -difference;
  double m = ahead / kSiderealRotationPerDay;
  double rate = kSiderealRotationPerDay;
  for (int k = 0;; ++k) {
    double next;
    if (!hourAngleFrom(body, observer, jdUt + m, hourAngle, deltaTSeconds, place, next)) {
      return searchFailed(result, SearchOutcome::Invalid);
    }
    if (m > 0.0) rate = (ahead + next) / m;  // the mean rate since jdUt
    const double step = -next / rate;
    if (!(std::fabs(step) >= kPolished) || k == kHourAngleSteps) break;
    m += step;
  }
  if (!(m >= 0.0) || !detail::withinSpan(jdUt + m)) {
    return searchFailed(result, SearchOutcome::Invalid);
  }
  result.outcome = SearchOutcome::Found;
  result.jdUt = jdUt + m;
  result.horizontal = place.horizontal;
  return true;
}

}  // namespace dockorrery
