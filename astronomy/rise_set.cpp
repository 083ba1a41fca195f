// Rising, transit and setting by interpolation of the body's coordinates over three days.
#include "astronomy/rise_set.h"

#include <algorithm>
#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"

namespace {

constexpr double kConverged = 1e-7;       // days, about 0.01 s
constexpr int kIterations = 20;

// The coordinates n days after the middle one, by interpolation through all three; right
// ascension differences are taken the short way round, across 0h as well.
EquatorialCoordinates interpolate(const EquatorialCoordinates (&p)[3], double n) {
  const double aRa = signedAngle(p[1].rightAscension - p[0].rightAscension);
  const double bRa = signedAngle(p[2].rightAscension - p[1].rightAscension);
  const double aDec = p[1].declination - p[0].declination;
  const double bDec = p[2].declination - p[1].declination;
  return {p[1].rightAscension + n / 2.0 * (aRa + bRa + n * (bRa - aRa)),
          p[1].declination + n / 2.0 * (aDec + bDec + n * (bDec - aDec))};
}

// What every refinement needs.
struct Day {
  const EquatorialCoordinates (&apparent)[3];
  Observer observer;
  double siderealTime;  // Greenwich apparent sidereal time at 0h UT, rad
  double deltaT;        // days
  double standardAltitude;
};

// Hour angle (rad, in (-pi, pi]) and the coordinates of the body at the fraction `m` of the day.
double hourAngle(const Day& day, double m, EquatorialCoordinates& at) {
  at = interpolate(day.apparent, m + day.deltaT);
  const double theta = day.siderealTime + kSiderealRotationPerDay * m;
  return signedAngle(theta + day.observer.longitude - at.rightAscension);
}

// Altitude of the body (rad) at the fraction `m` of the day, less the standard altitude.
double altitudeAboveStandard(const Day& day, double m) {
  EquatorialCoordinates at;
  const double H = hourAngle(day, m, at);
  const double sinH = std::sin(day.observer.latitude) * std::sin(at.declination) +
                      std::cos(day.observer.latitude) * std::cos(at.declination) * std::cos(H);
  return std::asin(std::clamp(sinH, -1.0, 1.0)) - day.standardAltitude;
}

// Refines the estimate `m` (fraction of the UT day) of a transit (`crossing` 0) or of a crossing
// of the standard altitude, rising or setting (any other value). True with `m` within [0, 1),
// false when the event does not converge or falls outside the day.
bool refine(const Day& day, int crossing, double& m) {
  for (int k = 0; k < kIterations; ++k) {
    EquatorialCoordinates at;
    const double H = hourAngle(day, m, at);
    const double step = crossing == 0 ? -H / kTwoPi
                                      : altitudeAboveStandard(day, m) /
                                            (kTwoPi * std::cos(at.declination) *
                                             std::cos(day.observer.latitude) * std::sin(H));
    if (!std::isfinite(step) || std::fabs(step) > 1.0) return false;
    m += step;
    if (std::fabs(step) < kConverged) return m >= 0.0 && m < 1.0;
  }
  return false;
}

// On a day whose own declination keeps the body above (or below) the standard altitude, it may
// still cross it as the declination changes (the Moon at high latitudes): scans the day hour by
// hour for a crossing upward or downward and bisects it. Sets the flag and the time (Julian Day,
// UT), or clears the flag and makes the time NaN.
void scanCrossing(const Day& day, bool upward, double jdUt, bool& has, double& time) {
  has = false;
  time = NAN;
  constexpr int kSteps = 24;
  double before = altitudeAboveStandard(day, 0.0);
  for (int k = 1; k <= kSteps; ++k) {
    double lo = (k - 1) / double(kSteps), hi = k / double(kSteps);
    const double after = altitudeAboveStandard(day, hi);
    if (upward ? before < 0.0 && after >= 0.0 : before >= 0.0 && after < 0.0) {
      while (hi - lo > kConverged) {
        const double mid = (lo + hi) / 2.0;
        ((altitudeAboveStandard(day, mid) >= 0.0) == upward ? hi : lo) = mid;
      }
      if (hi < 1.0) {
        has = true;
        time = jdUt + hi;
      }
      return;
    }
    before = after;
  }
}

// Refines `m`; when it leaves the day, tries once more from the same event a day nearer, which
// finds it when the body comes back to it within the day (the Sun's day is a little longer or
// shorter than 24 h). Sets the flag and the time (Julian Day, UT), or clears the flag and makes
// the time NaN.
void findEvent(const Day& day, int crossing, double m, double jdUt, bool& has, double& time) {
  double first = m;
  has = refine(day, crossing, first);
  if (!has && std::isfinite(first)) {
    double second = first >= 1.0 ? first - 1.0 : first + 1.0;
    has = refine(day, crossing, second);
    first = second;
  }
  time = has ? jdUt + first : NAN;
}

// True when every angle of the inputs is finite and every latitude and declination within
// [-pi/2, pi/2].
bool validInputs(const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                 double standardAltitude) {
  const auto latitude = [](double a) { return std::fabs(a) <= kPi / 2.0; };  // false for NaN
  for (const EquatorialCoordinates& p : apparent) {
    if (!std::isfinite(p.rightAscension) || !latitude(p.declination)) return false;
  }
  return std::isfinite(observer.longitude) && latitude(observer.latitude) &&
         latitude(standardAltitude);
}

// A fraction of a day reduced into [0, 1).
double dayFraction(double m) { return m - std::floor(m); }

}  // namespace

double moonStandardAltitude(double distanceKm) {
  if (!std::isfinite(distanceKm) || !(distanceKm > kEarthEquatorialRadiusKm)) return NAN;
  return 0.7275 * std::asin(kEarthEquatorialRadiusKm / distanceKm) - kHorizonRefraction;
}

bool computeRiseTransitSet(RiseTransitSet& events, double jdUt,
                           const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                           double standardAltitude, std::optional<double> deltaTSeconds) {
  const double deltaTDays = (deltaTSeconds ? *deltaTSeconds : deltaT(jdUt)) / kSecondsPerDay;
  // Delta T is a fraction of a day over the whole span: beyond a day the three days of
  // coordinates would not hold the instants to interpolate.
  if (!withinSpan(jdUt) || !(std::fabs(deltaTDays) <= 1.0) ||
      !validInputs(apparent, observer, standardAltitude)) {
    events.kind = RiseSetKind::Invalid;
    events.hasRise = events.hasTransit = events.hasSet = false;
    events.riseJdUt = events.transitJdUt = events.setJdUt = NAN;
    return false;
  }
  const Day day{apparent, observer, apparentSiderealTime(jdUt), deltaTDays, standardAltitude};
  // Transit where the hour angle is 0; rising and setting H0 before and after it, where the
  // altitude is the standard one.
  const double m0 =
      dayFraction((apparent[1].rightAscension - observer.longitude - day.siderealTime) / kTwoPi);
  const double cosH0 = (std::sin(standardAltitude) -
                        std::sin(observer.latitude) * std::sin(apparent[1].declination)) /
                       (std::cos(observer.latitude) * std::cos(apparent[1].declination));

  findEvent(day, 0, m0, jdUt, events.hasTransit, events.transitJdUt);
  if (std::fabs(cosH0) <= 1.0) {
    events.kind = RiseSetKind::RisesAndSets;
    const double H0 = std::acos(cosH0) / kTwoPi;
    findEvent(day, 1, dayFraction(m0 - H0), jdUt, events.hasRise, events.riseJdUt);
    findEvent(day, 1, dayFraction(m0 + H0), jdUt, events.hasSet, events.setJdUt);
    return true;
  }
  scanCrossing(day, true, jdUt, events.hasRise, events.riseJdUt);
  scanCrossing(day, false, jdUt, events.hasSet, events.setJdUt);
  events.kind = events.hasRise || events.hasSet ? RiseSetKind::RisesAndSets
                : cosH0 < -1.0                  ? RiseSetKind::Circumpolar
                                                : RiseSetKind::NeverRises;
  return true;
}
