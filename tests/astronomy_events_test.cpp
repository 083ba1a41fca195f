// Rising, transit, setting and twilight held to the library's own sky: every event reported is a
// crossing of the body's own altitude (its apparent place at the instant, the apparent sidereal
// time), the first of its day; and a scan of that altitude minute by minute finds no crossing the
// routine missed, and the day's kind. For thousands of observer-days drawn at random, from the
// equator to 89.99 degrees on both sides, 1900 to 2100 and across the library's whole span.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/coordinates.h"
#include "astronomy/events.h"
#include "astronomy/pluto.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"
#include "tests/support/twilight_events.h"

using namespace dockorrery;

namespace {

constexpr double kMinute = 1.0 / 1440.0;                 // days
constexpr double kArcsecondsPerRadian = 1.0 / kArcsecond;
constexpr double kOnTheAltitude = 1.0 * kArcsecond;      // an event's altitude from its target
constexpr double kSideSlack = 0.1 * kArcsecond;          // rounding either side of an event
// How fast any body's altitude can change: the Earth's turning, 0.2507 degree a minute, and the
// Moon's own motion, less than 0.01 degree a minute, with room to spare. Between two instants of
// the scan nearer than its distance from the target over this, the altitude cannot reach it.
constexpr double kFastestAltitude = 0.3 * kDegree / kMinute;  // rad per day

// A day of a body, or of a twilight (the Sun crossing `twilightAltitude`).
struct ObserverDay {
  std::string at;
  Body body;
  bool twilight;
  Twilight kind;
  Observer observer;
  double jd0;  // the day's start, UT
};

// The body's hour angle (rad, in (-pi, pi]) and its altitude less the altitude the day's events
// cross (rad), at `jdUt`, from the library's own place and delta T of the day.
struct Sky {
  double hourAngle, above;
};

Sky skyAt(const ObserverDay& day, double jdUt) {
  ApparentPlace place;
  EXPECT_TRUE(computeApparentPlace(place, day.body,
                                   jdUt + deltaT(day.jd0) / kSecondsPerDay));
  const double siderealTime = apparentSiderealTime(jdUt);
  HorizontalCoordinates horizontal;
  equatorialToHorizontal(horizontal, place.equatorial, day.observer, siderealTime);
  const double target =
      day.twilight               ? -6.0 * kDegree * (1 + static_cast<int>(day.kind))
      : day.body == Body::Sun    ? kStandardAltitudeSun
      : day.body == Body::Moon   ? moonStandardAltitude(place.distanceAu * kAstronomicalUnitKm)
                                 : kStandardAltitudeStar;
  return {signedAngle(siderealTime + day.observer.longitude - place.equatorial.rightAscension),
          horizontal.altitude - target};
}

// The first crossing upward and downward that a scan of the altitude at every whole minute of
// the day finds, each as the minute before it (NaN where there is none); and whether the body
// starts the day above. A minute the altitude cannot reach the target in is stepped over.
struct Scan {
  double firstUp = NAN, firstDown = NAN;
  bool startsAbove;
};

Scan scanDay(const ObserverDay& day) {
  Scan scan;
  double before = skyAt(day, day.jd0).above;
  scan.startsAbove = before >= 0.0;
  for (int minute = 0; minute < 1440 && (std::isnan(scan.firstUp) || std::isnan(scan.firstDown));) {
    const int skip =
        std::max(1, static_cast<int>(std::fabs(before) / (kFastestAltitude * kMinute)));
    const int next = std::min(minute + skip, 1440);
    const double after = skyAt(day, day.jd0 + next * kMinute).above;
    if ((before >= 0.0) != (after >= 0.0)) {
      double& first = after >= 0.0 ? scan.firstUp : scan.firstDown;
      if (std::isnan(first)) first = day.jd0 + (next - 1) * kMinute;
    }
    before = after;
    minute = next;
  }
  return scan;
}

// Checks a reported rise (`upward`) or set at `jdUt` against the altitude: on the target, below
// it just before a rise and above it just after (the other way round for a set), `gap` days
// either side at most; and against the scan's first crossing of its direction.
void checkCrossing(const ObserverDay& day, const char* name, bool upward, double jdUt, double gap,
                   double scanned) {
  const std::string at = day.at + " " + name;
  EXPECT_LE(std::fabs(skyAt(day, jdUt).above), kOnTheAltitude)
      << at << ": " << skyAt(day, jdUt).above * kArcsecondsPerRadian << "\" from the target";
  const double side = std::fmin(kMinute, gap / 2.0);
  const double before = skyAt(day, jdUt - side).above, after = skyAt(day, jdUt + side).above;
  EXPECT_TRUE(upward ? before < kSideSlack && after > -kSideSlack
                     : before > -kSideSlack && after < kSideSlack)
      << at << ": " << before * kArcsecondsPerRadian << "\" before, "
      << after * kArcsecondsPerRadian << "\" after";
  // The first of the day: not after the scan's first of its direction, which it may precede
  // only by a crossing the scan stepped over, within a minute's excursion.
  if (!std::isnan(scanned)) {
    EXPECT_LE(jdUt, scanned + kMinute + 1e-9) << at << " is not the first";
  }
}

// The routine's events of the day: the body's, or the twilight's dawn and dusk as a rise and a
// set without a transit.
bool eventsOf(const ObserverDay& day, RiseTransitSet& events) {
  if (!day.twilight) return computeBodyRiseTransitSet(events, day.body, day.observer, day.jd0);
  TwilightTimes times;
  const bool found = computeTwilight(times, day.kind, day.observer, day.jd0);
  events = twilightEvents(times);
  return found;
}

// Checks the day's events against its own sky.
void checkDay(const ObserverDay& day) {
  RiseTransitSet events;
  ASSERT_TRUE(eventsOf(day, events)) << day.at;
  const Scan scan = scanDay(day);
  const bool scannedCrossing = !std::isnan(scan.firstUp) || !std::isnan(scan.firstDown);
  const double gap = events.hasRise && events.hasSet ? std::fabs(events.riseJdUt - events.setJdUt)
                                                     : 1.0;
  if (events.hasRise && events.hasSet) {
    EXPECT_GT(gap, 0.0) << day.at << ": one instant reported as both rise and set";
  }
  // No crossing the scan finds is missing.
  EXPECT_EQ(events.hasRise || !std::isnan(scan.firstUp), events.hasRise) << day.at << " rise";
  EXPECT_EQ(events.hasSet || !std::isnan(scan.firstDown), events.hasSet) << day.at << " set";
  if (events.hasRise) checkCrossing(day, "rise", true, events.riseJdUt, gap, scan.firstUp);
  if (events.hasSet) checkCrossing(day, "set", false, events.setJdUt, gap, scan.firstDown);
  // The kind: any crossing, or the side the body keeps all day.
  const RiseSetKind kind = events.hasRise || events.hasSet || scannedCrossing
                               ? RiseSetKind::RisesAndSets
                           : scan.startsAbove ? RiseSetKind::Circumpolar
                                              : RiseSetKind::NeverRises;
  EXPECT_EQ(events.kind, kind) << day.at;
  // The transit: the hour angle 0 there, and the day's first, or none when the hour angle does
  // not come round to 0 within the day.
  const double start = reduceAngle(skyAt(day, day.jd0).hourAngle);
  const double turned = kSiderealRotationPerDay +
                        signedAngle(skyAt(day, day.jd0 + 1.0).hourAngle -
                                    skyAt(day, day.jd0).hourAngle - kSiderealRotationPerDay);
  const double toGo = kTwoPi - start;  // the hour angle still to turn to the next culmination
  if (day.twilight) return;  // a twilight has a dawn and a dusk, the Sun's day its transit
  if (std::fabs(toGo - turned) > 1e-4 && start > 1e-4) {
    EXPECT_EQ(events.hasTransit, toGo < turned) << day.at << " transit";
  }
  if (events.hasTransit) {
    EXPECT_LE(std::fabs(skyAt(day, events.transitJdUt).hourAngle), 0.1 * kArcsecond)
        << day.at << " transit";
    EXPECT_NEAR(events.transitJdUt - day.jd0, toGo / turned, 0.02) << day.at << " transit";
  }
}

// Pluto at the ends of its span: its fit's first UT day, 1885 January 1, whose start is 6 s
// before the fit's first instant in TT and whose light left Pluto a quarter of a day before
// that, also with the most negative delta T the routine takes; its last day, which ends a second
// before the fit's end in TT; and the next day, which the fit does not cover: the failure.
TEST(EventsTest, PlutoAtTheEndsOfItsSpan) {
  const Observer observer{13.4 * kDegree, 52.5 * kDegree};
  checkDay({"Pluto's first day", Body::Pluto, false, Twilight::Civil, observer, kPlutoFirstJd});
  RiseTransitSet events;
  EXPECT_TRUE(computeBodyRiseTransitSet(events, Body::Pluto, observer, kPlutoFirstJd,
                                        -0.999 * kSecondsPerDay));
  const double last =
      kPlutoEndJd - 1.0 - deltaT(kPlutoEndJd - 1.0) / kSecondsPerDay - 1.0 / kSecondsPerDay;
  checkDay({"Pluto's last day", Body::Pluto, false, Twilight::Civil, observer, last});
  EXPECT_FALSE(computeBodyRiseTransitSet(events, Body::Pluto, observer, kPlutoEndJd - 1.0));
  EXPECT_EQ(events.kind, RiseSetKind::Invalid);
  EXPECT_TRUE(!events.hasRise && !events.hasTransit && !events.hasSet &&
              std::isnan(events.riseJdUt) && std::isnan(events.transitJdUt) &&
              std::isnan(events.setJdUt));
}

// A fixed sequence of numbers in [0, 1) (splitmix64), the same on every machine.
struct Sequence {
  uint64_t state;
  double next() {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
  }
};

// Days a search by steps of an hour gets wrong: a Moon that dips below its rising altitude for an
// hour, or seems to near the poles while it keeps to one side all day, and a twilight of forty
// minutes. Checked as any other day, and against what a scan of the altitude by the second gives.
TEST(EventsTest, GrazingDays) {
  struct Case {
    Body body;
    bool twilight;
    double latitude, longitude, jd0;  // degrees, UT
    RiseSetKind kind;
    double rise, set;  // minutes after jd0, or NaN
  };
  const Case cases[] = {
      // Sets, stays 13' below for 71 minutes, rises again.
      {Body::Moon, false, 67.53713548605782, 150.58322241379932, 2483117.5,
       RiseSetKind::RisesAndSets, 880.861, 809.743},
      {Body::Moon, false, 72.01349718635747, -143.94966016973464, 2425480.5,
       RiseSetKind::RisesAndSets, NAN, 284.358},
      // A day above or below all day, however near the pole the observer.
      {Body::Moon, false, -84.1718235924327, -91.44239285821442, 2467279.754006647,
       RiseSetKind::Circumpolar, NAN, NAN},
      {Body::Moon, false, 83.86052347407004, 67.50542259001077, 2449137.5,
       RiseSetKind::NeverRises, NAN, NAN},
      {Body::Moon, false, 88.68418176780918, 147.1624835836156, 2424741.091215323,
       RiseSetKind::NeverRises, NAN, NAN},
      {Body::Moon, false, 66.52203963817033, -2.943298011694111, 2461969.5,
       RiseSetKind::Circumpolar, NAN, NAN},
      // The Sun 3.75' below -18 degrees for forty minutes.
      {Body::Sun, true, 74.28031919548091, 19.21782473421655, 2418943.5,
       RiseSetKind::RisesAndSets, 1374.103, 1334.736},
  };
  for (const Case& c : cases) {
    const ObserverDay day{std::to_string(c.latitude) + " " + std::to_string(c.jd0), c.body,
                          c.twilight, Twilight::Astronomical,
                          {c.longitude * kDegree, c.latitude * kDegree}, c.jd0};
    checkDay(day);
    RiseTransitSet events;
    ASSERT_TRUE(eventsOf(day, events)) << day.at;
    EXPECT_EQ(events.kind, c.kind) << day.at;
    EXPECT_EQ(events.hasRise, !std::isnan(c.rise)) << day.at;
    EXPECT_EQ(events.hasSet, !std::isnan(c.set)) << day.at;
    if (events.hasRise) {
      EXPECT_NEAR((events.riseJdUt - c.jd0) * 1440.0, c.rise, 0.01) << day.at;
    }
    if (events.hasSet) {
      EXPECT_NEAR((events.setJdUt - c.jd0) * 1440.0, c.set, 0.01) << day.at;
    }
  }
}

// Each day of a body and a day of a twilight: 6000 days in all.
constexpr int kRandomDays = 3000;

TEST(EventsTest, EveryCrossingOfRandomDays) {
  constexpr double kFirst1900 = 2415020.5, kEnd2100 = 2488069.5;
  Sequence random{20261211};
  for (int i = 0; i < kRandomDays; ++i) {
    // Every body in turn, and every twilight; one day in ten anywhere in the library's span
    // (Pluto's only within its series), starting at any instant.
    const Body body = static_cast<Body>(i % 10 < 3 ? i % 10 : i % 10 + 1);  // all but the Earth
    const bool anywhere = i % 10 == 7 && body != Body::Pluto;
    const double first = body == Body::Pluto ? kPlutoFirstJd + 1.0
                         : anywhere          ? kFirstJd + 1.0
                                             : kFirst1900;
    const double end = body == Body::Pluto ? kPlutoEndJd - 2.0
                       : anywhere          ? kEndJd - 2.0
                                           : kEnd2100;
    const double jd0 = first + random.next() * (end - first);
    const double latitude = (random.next() * 2.0 - 1.0) * 89.99;
    const double longitude = random.next() * 360.0 - 180.0;
    const Observer observer{longitude * kDegree, latitude * kDegree};
    const std::string at = std::to_string(latitude) + " " + std::to_string(longitude) + " " +
                           std::to_string(jd0);
    checkDay({"body " + std::to_string(static_cast<int>(body)) + " at " + at, body, false,
              Twilight::Civil, observer, jd0});
    const Twilight twilight = static_cast<Twilight>(i % 3);
    checkDay({"twilight " + std::to_string(i % 3) + " at " + at, Body::Sun, true, twilight,
              observer, jd0});
    if (HasFailure()) break;
  }
}

}  // namespace
