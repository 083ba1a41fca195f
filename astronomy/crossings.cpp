// Every crossing of an altitude within a day, found from a bound on how sharply the body's height
// can bend: the day is cut into pieces until each is seen to stay on one side of the altitude,
// or to be monotonic (then it holds one crossing exactly when its ends lie on either side). A
// scan of fixed steps would step over an excursion shorter than its step; this cannot, down to
// the finest piece, a few milliseconds, over which no excursion reaches 1e-11 of a radian.
#include "astronomy/detail/crossings.h"

#include <cmath>

#include "astronomy/angles.h"

namespace dockorrery::detail {
namespace {

constexpr int kFirstPieces = 24;    // hours: the pieces the search begins with
constexpr int kDeepest = 20;        // halvings of an hour: pieces down to 3.4 ms
constexpr int kMostPoints = 4096;   // heights a day's search takes at most (a few dozen, as a rule)
constexpr double kResolved = 1e-10;  // days, 9 microseconds: a crossing of the model is found
constexpr int kTransitSteps = 8;    // pieces of the day in which the culmination is looked for

// A polynomial's value and rate at m.
void evaluate(const double (&c)[DayModel::kTerms], double m, double& value, double& rate) {
  value = c[DayModel::kTerms - 1];
  rate = 0.0;
  for (int i = DayModel::kTerms - 2; i >= 0; --i) {
    rate = rate * m + value;
    value = value * m + c[i];
  }
}

// Bounds of a polynomial's first and second derivative over m in [0, 1].
void derivativeBounds(const double (&c)[DayModel::kTerms], double& first, double& second) {
  first = second = 0.0;
  for (int k = 1; k < DayModel::kTerms; ++k) {
    first += k * std::fabs(c[k]);
    second += k * (k - 1) * std::fabs(c[k]);
  }
}

// A bound of the height's second derivative over the day, per day squared, from those of its
// parts: sin(phi) sin(delta) + cos(phi) cos(delta) cos(H) - sin(h0).
double curvatureBound(const DayModel& model, double latitude) {
  double w1, w2, d1, d2, c1, c2;
  derivativeBounds(model.hourAngle, w1, w2);
  derivativeBounds(model.declination, d1, d2);
  derivativeBounds(model.crossing, c1, c2);
  const double h1 = kSiderealRotationPerDay + w1;
  return std::fabs(std::sin(latitude)) * (d2 + d1 * d1) +
         std::cos(latitude) * (d2 + d1 * d1 + 2.0 * d1 * h1 + h1 * h1 + w2) + c2 + c1 * c1;
}

struct Point {
  double m;
  Height height;
};

// The state of one day's search.
struct Search {
  const DayModel& model;
  double latitude;
  double curvature;
  int points;
  DayEvents& events;
};

Point pointAt(Search& search, double m) {
  ++search.points;
  return {m, heightAt(skyAt(search.model, m), search.latitude)};
}

// The crossing between a and b, where the height is monotonic and changes side: Newton's steps
// kept inside a bracket that halves when they leave it.
double crossingBetween(Search& search, const Point& a, const Point& b) {
  const bool upward = b.height.value >= 0.0;
  double lo = a.m, hi = b.m;
  double m = a.m - a.height.value * (b.m - a.m) / (b.height.value - a.height.value);
  if (!(m > lo && m < hi)) m = (lo + hi) / 2.0;
  for (int k = 0; k < 64 && hi - lo > kResolved; ++k) {
    const Point p = pointAt(search, m);
    ((p.height.value >= 0.0) == upward ? hi : lo) = m;
    const double next = m - p.height.value / p.height.rate;
    if (std::fabs(next - m) < kResolved) return next > lo && next < hi ? next : m;
    m = next > lo && next < hi ? next : (lo + hi) / 2.0;
  }
  return m;
}

// Records the crossing between a and b when it is the day's first of its direction.
void record(Search& search, const Point& a, const Point& b) {
  DayEvents& events = search.events;
  const bool rising = b.height.value >= 0.0;
  if (!std::isnan(rising ? events.rise : events.set)) return;
  const double m = crossingBetween(search, a, b);
  if (!(m >= 0.0 && m < 1.0)) return;
  events.kind = RiseSetKind::RisesAndSets;
  (rising ? events.rise : events.set) = m;
  (rising ? events.riseFrom : events.setFrom) = a.m;
  (rising ? events.riseTo : events.setTo) = b.m;
}

// Looks for crossings between a and b: none where the bound on its bending keeps the height on
// one side; one where it is monotonic and changes side; else in either half.
void isolate(Search& search, const Point& a, const Point& b, int depth) {
  const DayEvents& events = search.events;
  if (!std::isnan(events.rise) && !std::isnan(events.set)) return;
  const double span = b.m - a.m;
  const double bend = search.curvature * span * span / 8.0;  // below the chord at most
  if ((a.height.value > bend && b.height.value > bend) ||
      (a.height.value < -bend && b.height.value < -bend)) {
    return;
  }
  const bool monotonic = a.height.rate * b.height.rate > 0.0 &&
                         std::fabs(a.height.rate) + std::fabs(b.height.rate) >
                             search.curvature * span;
  if (monotonic || depth == kDeepest || search.points >= kMostPoints) {
    if ((a.height.value >= 0.0) != (b.height.value >= 0.0)) record(search, a, b);
    return;
  }
  const Point middle = pointAt(search, (a.m + b.m) / 2.0);
  isolate(search, a, middle, depth + 1);
  isolate(search, middle, b, depth + 1);
}

// The first m in [0, 1) where the model's hour angle is a whole number of turns; NaN if none.
double firstCulmination(const DayModel& model) {
  const auto hourAngle = [&model](double m, double& rate) {
    double w;
    evaluate(model.hourAngle, m, w, rate);
    rate += kSiderealRotationPerDay;
    return w + kSiderealRotationPerDay * m;
  };
  double rate;
  const double target = kTwoPi * std::ceil(hourAngle(0.0, rate) / kTwoPi);
  double lo = 0.0;
  for (int k = 1; k <= kTransitSteps; ++k) {
    double hi = double(k) / kTransitSteps;
    if (hourAngle(hi, rate) < target) {
      lo = hi;
      continue;
    }
    double m = lo;
    for (int i = 0; i < 64 && hi - lo > kResolved; ++i) {
      const double off = hourAngle(m, rate) - target;
      (off >= 0.0 ? hi : lo) = m;
      const double next = m - off / rate;
      m = next > lo && next < hi ? next : (lo + hi) / 2.0;
    }
    return m < 1.0 ? m : NAN;
  }
  return NAN;
}

}  // namespace

void interpolate(const double* values, int count, double (&coefficients)[DayModel::kTerms]) {
  // Newton's divided differences at m_k = k h, then the Newton form expanded by Horner's scheme.
  const double h = 1.0 / (count - 1);
  double d[DayModel::kTerms] = {};
  for (int k = 0; k < count; ++k) d[k] = values[k];
  for (int j = 1; j < count; ++j) {
    for (int k = count - 1; k >= j; --k) d[k] = (d[k] - d[k - 1]) / (j * h);
  }
  for (double& c : coefficients) c = 0.0;
  for (int j = count - 1; j >= 0; --j) {
    const double node = j * h;  // multiply by (m - node), add d[j]
    for (int i = count - 1; i > 0; --i) {
      coefficients[i] = coefficients[i - 1] - node * coefficients[i];
    }
    coefficients[0] = d[j] - node * coefficients[0];
  }
}

SkyAt skyAt(const DayModel& model, double m) {
  SkyAt at;
  evaluate(model.hourAngle, m, at.hourAngle, at.hourAngleRate);
  at.hourAngle += kSiderealRotationPerDay * m;
  at.hourAngleRate += kSiderealRotationPerDay;
  evaluate(model.declination, m, at.declination, at.declinationRate);
  evaluate(model.crossing, m, at.crossing, at.crossingRate);
  return at;
}

Height heightAt(const SkyAt& at, double latitude) {
  const double sinPhi = std::sin(latitude), cosPhi = std::cos(latitude);
  const double sinD = std::sin(at.declination), cosD = std::cos(at.declination);
  const double sinH = std::sin(at.hourAngle), cosH = std::cos(at.hourAngle);
  return {sinPhi * sinD + cosPhi * cosD * cosH - std::sin(at.crossing),
          sinPhi * cosD * at.declinationRate -
              cosPhi * (sinD * at.declinationRate * cosH + cosD * sinH * at.hourAngleRate) -
              std::cos(at.crossing) * at.crossingRate};
}

DayEvents searchDay(const DayModel& model, double latitude) {
  DayEvents events{RiseSetKind::NeverRises, NAN, NAN, NAN, NAN, NAN, NAN, NAN};
  Search search{model, latitude, curvatureBound(model, latitude), 0, events};
  Point a = pointAt(search, 0.0);
  if (a.height.value >= 0.0) events.kind = RiseSetKind::Circumpolar;
  for (int k = 1; k <= kFirstPieces; ++k) {
    const Point b = pointAt(search, double(k) / kFirstPieces);
    isolate(search, a, b, 0);
    a = b;
  }
  events.transit = firstCulmination(model);
  return events;
}

void fillEvents(RiseTransitSet& events, const DayEvents& day, double jdUt) {
  events.kind = day.kind;
  events.hasRise = !std::isnan(day.rise);
  events.hasTransit = !std::isnan(day.transit);
  events.hasSet = !std::isnan(day.set);
  events.riseJdUt = jdUt + day.rise;
  events.transitJdUt = jdUt + day.transit;
  events.setJdUt = jdUt + day.set;
}

void invalidEvents(RiseTransitSet& events) {
  events.kind = RiseSetKind::Invalid;
  events.hasRise = events.hasTransit = events.hasSet = false;
  events.riseJdUt = events.transitJdUt = events.setJdUt = NAN;
}

}  // namespace dockorrery::detail
