// Rising, transit and setting by interpolation of the body's coordinates over three days.
#include "ephemeris/rise_set.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/position.h"
#include "ephemeris/sidereal.h"

namespace {

constexpr double kTwoPi = 2.0 * kPi;
constexpr double kSiderealPerDay = 360.985647 * kDegree;  // sidereal rotation per UT day, rad
constexpr double kSecondsPerDay = 86400.0;
constexpr double kEarthRadius = 6378.14;  // equatorial radius, km
constexpr double kConverged = 1e-7;       // days, about 0.01 s
constexpr int kIterations = 20;

// An angle reduced into (-pi, pi].
double signedAngle(double angle) {
  const double a = normalizeRadians(angle);
  return a > kPi ? a - kTwoPi : a;
}

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
  const double theta = day.siderealTime + kSiderealPerDay * m;
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
// of the standard altitude, rising or setting (any other value). Returns 1 with `m` within
// [0, 1), or 0 when the event does not converge or falls outside the day.
int refine(const Day& day, int crossing, double& m) {
  for (int k = 0; k < kIterations; ++k) {
    EquatorialCoordinates at;
    const double H = hourAngle(day, m, at);
    const double step = crossing == 0 ? -H / kTwoPi
                                      : altitudeAboveStandard(day, m) /
                                            (kTwoPi * std::cos(at.declination) *
                                             std::cos(day.observer.latitude) * std::sin(H));
    if (!std::isfinite(step) || std::fabs(step) > 1.0) return 0;
    m += step;
    if (std::fabs(step) < kConverged) return m >= 0.0 && m < 1.0;
  }
  return 0;
}

// On a day whose own declination keeps the body above (or below) the standard altitude, it may
// still cross it as the declination changes (the Moon at high latitudes): scans the day hour by
// hour for a crossing upward (`upward` 1) or downward (0) and bisects it. Sets the flag and the
// time (Julian Day, UT) or clears both.
void scanCrossing(const Day& day, int upward, double jdUt, int32_t& has, double& time) {
  has = 0;
  time = 0.0;
  constexpr int kSteps = 24;
  double before = altitudeAboveStandard(day, 0.0);
  for (int k = 1; k <= kSteps; ++k) {
    double lo = (k - 1) / double(kSteps), hi = k / double(kSteps);
    const double after = altitudeAboveStandard(day, hi);
    if (upward ? before < 0.0 && after >= 0.0 : before >= 0.0 && after < 0.0) {
      while (hi - lo > kConverged) {
        const double mid = (lo + hi) / 2.0;
        ((altitudeAboveStandard(day, mid) >= 0.0) == (upward != 0) ? hi : lo) = mid;
      }
      if (hi < 1.0) {
        has = 1;
        time = jdUt + hi;
      }
      return;
    }
    before = after;
  }
}

// Refines `m`; when it leaves the day, tries once more from the same event a day nearer, which
// finds it when the body comes back to it within the day (the Sun's day is a little longer or
// shorter than 24 h). Sets the flag and the time (Julian Day, UT) or clears both.
void findEvent(const Day& day, int crossing, double m, double jdUt, int32_t& has, double& time) {
  double first = m;
  has = refine(day, crossing, first);
  if (!has && std::isfinite(first)) {
    double second = first >= 1.0 ? first - 1.0 : first + 1.0;
    has = refine(day, crossing, second);
    first = second;
  }
  time = has ? jdUt + first : 0.0;
}

// A fraction of a day reduced into [0, 1).
double dayFraction(double m) { return m - std::floor(m); }

}  // namespace

double moonStandardAltitude(double distance) {
  return 0.7275 * std::asin(kEarthRadius / distance) - 0.5667 * kDegree;
}

void computeRiseTransitSet(RiseTransitSet& events, double jdUt,
                           const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                           double standardAltitude, double deltaT) {
  const Day day{apparent, observer, apparentSiderealTime(jdUt), deltaT / kSecondsPerDay,
                standardAltitude};
  // Transit where the hour angle is 0; rising and setting H0 before and after it, where the
  // altitude is the standard one.
  const double m0 =
      dayFraction((apparent[1].rightAscension - observer.longitude - day.siderealTime) / kTwoPi);
  const double cosH0 = (std::sin(standardAltitude) -
                        std::sin(observer.latitude) * std::sin(apparent[1].declination)) /
                       (std::cos(observer.latitude) * std::cos(apparent[1].declination));

  findEvent(day, 0, m0, jdUt, events.hasTransit, events.transit);
  if (std::fabs(cosH0) <= 1.0) {
    events.kind = kRisesAndSets;
    const double H0 = std::acos(cosH0) / kTwoPi;
    findEvent(day, 1, dayFraction(m0 - H0), jdUt, events.hasRise, events.rise);
    findEvent(day, 1, dayFraction(m0 + H0), jdUt, events.hasSet, events.set);
    return;
  }
  scanCrossing(day, 1, jdUt, events.hasRise, events.rise);
  scanCrossing(day, 0, jdUt, events.hasSet, events.set);
  events.kind = events.hasRise || events.hasSet ? kRisesAndSets
                : cosH0 < -1.0                  ? kCircumpolar
                                                : kNeverRises;
}
