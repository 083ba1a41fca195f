// The events of events.h: rising, transit, setting and twilight in one call, and the searches
// of an altitude and of an hour angle.
//
// Rising, transit, setting and twilight held to the library's own sky: every event reported is a
// crossing of the body's own altitude (its apparent place at the instant, the apparent sidereal
// time), the first of its day; and a scan of that altitude minute by minute finds no crossing the
// routine missed, and the day's kind. For thousands of observer-days drawn at random, from the
// equator to 89.99 degrees on both sides, 1900 to 2100 and across the library's whole span. A
// day may begin at any instant: its events are those of the UT days it overlaps. And against the
// fixture made by Astronomy Engine (tools/astronomy-fixture), an independent implementation by
// other methods (rise and set by root search on the topocentric altitude), which gives delta T
// with each UT day: it is passed on, so that the library's own delta T model plays no part there.
//
// The searches against Astronomy Engine's (the fixture of
// tools/astronomy-fixture/make-searches.mjs), and what each instant found must satisfy: the body
// at the altitude or hour angle asked, crossing it the way asked, at or after the start.
//
// What sets each tolerance against a reference is said beside it; the largest difference found is
// printed. The README's table of differences quotes both, and events.h the tolerance, by the
// names of the tables below (readme_tables checks them). The book's rising of Venus is in
// astronomy_places_test.cpp, with the other worked examples of places.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/coordinates.h"
#include "astronomy/events.h"
#include "astronomy/pluto.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"
#include "tests/support/twilight_events.h"

using namespace dockorrery;

namespace {

// The fixture helpers, the tables of quantities and the units of their differences.
using namespace fixture;

// ---- Held to the library's own sky ----

constexpr double kMinute = 1.0 / 1440.0;                 // days
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

// A day of 24 hours may begin at any instant (the observer's local midnight, say): its events are
// those of the two UT days it overlaps that fall within it.
TEST(EventsTest, DayMayBeginAtAnyInstant) {
  const Observer anchorage{-149.9 * kDegree, 61.2 * kDegree};
  const double localMidnight = 10.0 / 24.0;  // 0h at UTC-10, in days after 0h UT
  for (Body body : {Body::Sun, Body::Moon}) {
    for (double jd0 = 2461000.5; jd0 < 2461030.5; jd0 += 3.0) {
      RiseTransitSet days[2], local;
      ASSERT_TRUE(computeBodyRiseTransitSet(days[0], body, anchorage, jd0));
      ASSERT_TRUE(computeBodyRiseTransitSet(days[1], body, anchorage, jd0 + 1.0));
      ASSERT_TRUE(computeBodyRiseTransitSet(local, body, anchorage, jd0 + localMidnight));
      const auto check = [&](bool has, double time, bool has0, double time0, bool has1,
                             double time1, const char* event) {
        // The UT days' event that falls within the local day, if any.
        const bool in0 = has0 && time0 >= jd0 + localMidnight;
        const bool in1 = has1 && time1 < jd0 + 1.0 + localMidnight;
        const std::string at = std::to_string(jd0) + " " + event;
        ASSERT_EQ(has, in0 || in1) << at;
        if (has) {
          EXPECT_NEAR(time, in0 ? time0 : time1, 1.0 / kSecondsPerDay) << at;
        }
      };
      check(local.hasRise, local.riseJdUt, days[0].hasRise, days[0].riseJdUt, days[1].hasRise,
            days[1].riseJdUt, "rise");
      check(local.hasTransit, local.transitJdUt, days[0].hasTransit, days[0].transitJdUt,
            days[1].hasTransit, days[1].transitJdUt, "transit");
      check(local.hasSet, local.setJdUt, days[0].hasSet, days[0].setJdUt, days[1].hasSet,
            days[1].setJdUt, "set");
    }
  }
}

// ---- Against Astronomy Engine: the day's events in one call ----

// The twilight a fixture row names, if it names one.
bool twilightNamed(const std::string& name, Twilight& twilight) {
  const char* const names[] = {"civil", "nautical", "astronomical"};
  for (int i = 0; i < 3; ++i) {
    if (name == names[i]) {
      twilight = static_cast<Twilight>(i);
      return true;
    }
  }
  return false;
}

// The altitude a fixture row's events cross, rad, with the body's place at the instant: the
// twilight's, else the body's standard altitude (the Moon's from its distance).
double crossedAltitude(const std::string& name, Body body, const ApparentPlace& place) {
  Twilight twilight;
  if (twilightNamed(name, twilight)) return -6.0 * kDegree * (1 + static_cast<int>(twilight));
  return body == Body::Sun    ? kStandardAltitudeSun
         : body == Body::Moon ? moonStandardAltitude(place.distanceAu * kAstronomicalUnitKm)
                              : kStandardAltitudeStar;
}

// The body's geocentric altitude at `jdUt` less the altitude the row's events cross, rad, and
// its rate of change, rad per second (from a minute either side).
void altitudeAt(const std::string& name, Body body, const Observer& observer, double jdUt,
                double deltaT, double& above, double& rate) {
  double altitude[3];
  for (int k = 0; k < 3; ++k) {
    const double t = jdUt + (k - 1) * 60.0 / kSecondsPerDay;
    ApparentPlace place;
    EXPECT_TRUE(computeApparentPlace(place, body, t + deltaT / kSecondsPerDay));
    HorizontalCoordinates sky;
    equatorialToHorizontal(sky, place.equatorial, observer, apparentSiderealTime(t));
    altitude[k] = sky.altitude - crossedAltitude(name, body, place);
  }
  above = altitude[1];
  rate = (altitude[2] - altitude[0]) / 120.0;
}

// The kinds of day of the fixture of events, in the order of their quantities below.
enum EventKind { kSunEvents, kMoonEvents, kPlanetEvents, kTwilightEvents };

TEST(EventsTest, RiseTransitSetAndTwilightAgreeWithAstronomyEngine) {
  const Table table = readTable("astronomy_events.csv");
  ASSERT_GE(table.rows.size(), 2000u);
  // Where the two place a body at its crossing differs, in altitude: the Sun's true semidiameter
  // (15.7' to 16.3') against the standard altitude's 16', and its parallax (9"), which the
  // reference takes, 0.42' at most over the fixture; the Moon's standard altitude approximates
  // its parallax and semidiameter, 0.22'; the reference's planets (truncated for its 1') and
  // Venus' parallax (up to 32"), 0.39'; twilight, the Sun's parallax and its place, 0.17'. An
  // event's time differs by that over the rate at which the altitude changes, and by the seconds
  // the two places differ by along the body's path, 1.3 s at a transit (2 s). Where the body
  // only grazes the altitude, one of the two may find a crossing the other does not: then this
  // library puts the body within that much of it.
  const Quantity<Crossing> quantities[] = {
      {"one-call Sun rise, transit and set", "s", 2.0, crossingsOf<kSunEvents>, 0.45},
      {"one-call Moon rise, transit and set", "s", 2.0, crossingsOf<kMoonEvents>, 0.25},
      {"one-call planets' rise, transit and set", "s", 2.0, crossingsOf<kPlanetEvents>, 0.4},
      {"civil, nautical and astronomical twilight", "s", 2.0, crossingsOf<kTwilightEvents>, 0.17},
  };
  std::vector<Crossing> crossings;
  int kinds[3] = {0, 0, 0};

  for (const auto& row : table.rows) {
    const std::string name = row.at("body");
    const double jd0 = number(row, "jd0_ut"), deltaT = number(row, "delta_t");
    const std::string at = name + " " + row.at("jd0_ut") + " " + row.at("obs_lat");
    const Observer observer{number(row, "obs_lon") * kDegree, number(row, "obs_lat") * kDegree};
    Twilight twilight;
    const bool isTwilight = twilightNamed(name, twilight);
    const Body body = isTwilight ? Body::Sun : bodyNamed(name);
    RiseTransitSet events;
    TwilightTimes times;
    ASSERT_TRUE(isTwilight ? computeTwilight(times, twilight, observer, jd0, deltaT)
                           : computeBodyRiseTransitSet(events, body, observer, jd0, deltaT))
        << at;
    if (isTwilight) events = twilightEvents(times);
    const EventKind kind = isTwilight           ? kTwilightEvents
                           : body == Body::Sun  ? kSunEvents
                           : body == Body::Moon ? kMoonEvents
                                                : kPlanetEvents;
    const double altitude = quantities[kind].altitude / 60 * kDegree;  // rad
    ASSERT_NE(events.kind, RiseSetKind::Invalid) << at;
    ++kinds[static_cast<int>(events.kind)];

    for (const DayEvent& event : dayEvents(events)) {
      const std::string text = row.at(event.name);
      const std::string where = at + " " + event.name;
      // At the day's edge one of the two may find the event just before the day starts and so
      // give the next one, a day later: then each is an event the other does not find.
      const bool sameEvent =
          event.has && !text.empty() && std::fabs(event.jdUt - std::stod(text)) < 0.5;
      if (sameEvent) {
        const double difference = (event.jdUt - std::stod(text)) * kSecondsPerDay;
        double above, rate;
        altitudeAt(name, body, observer, std::stod(text), deltaT, above, rate);
        // A transit's altitude changes not at all: its time is the hour angle's.
        const double perArcminute = event.name[0] == 't' ? 0.0 : kDegree / 60 / std::fabs(rate);
        crossings.push_back({where, kind, difference, perArcminute});
      } else {
        if (!text.empty()) {
          double above, rate;
          altitudeAt(name, body, observer, std::stod(text), deltaT, above, rate);
          EXPECT_LE(std::fabs(above), altitude) << where << " only in the reference";
        }
        if (event.has) {
          double above, rate;
          altitudeAt(name, body, observer, event.jdUt, deltaT, above, rate);
          EXPECT_LE(std::fabs(above), altitude) << where << " only here";
        }
      }
    }
    // A day without rise and set: on the side of the altitude where the body culminates (the
    // reference's altitude there has refraction in it; a degree away from the crossing).
    if (events.kind != RiseSetKind::RisesAndSets && (isTwilight || !row.at("transit").empty())) {
      ApparentPlace place;
      ASSERT_TRUE(computeApparentPlace(place, body, jd0 + 0.5));
      const double culmination =
          number(row, "transit_altitude") * kDegree - crossedAltitude(name, body, place);
      if (std::fabs(culmination) > kDegree) {
        EXPECT_EQ(events.kind, culmination > 0.0 ? RiseSetKind::Circumpolar
                                                 : RiseSetKind::NeverRises)
            << at;
      }
    }
  }
  compare(quantities, crossings);
  // The observers beyond the polar circles have both kinds of day.
  EXPECT_GT(kinds[static_cast<int>(RiseSetKind::Circumpolar)], 0);
  EXPECT_GT(kinds[static_cast<int>(RiseSetKind::NeverRises)], 0);
  std::printf("days: %d with rise or set, %d circumpolar, %d never rising\n", kinds[0], kinds[1],
              kinds[2]);
}

// ---- The searches ----

constexpr double kFirst1900 = 2415020.5;  // 1900 January 1, 0h
constexpr double kEnd2100 = 2488069.5;    // 2100 January 1, 0h
// What a body's altitude or hour angle moves at most in the polishing's last step, 0.009 s.
constexpr double kLastStep = 0.14 * kArcsecond;

// The body's topocentric altitude (rad) and local hour angle (rad, in (-pi, pi]) at `jdUt`.
void skyOf(Body body, const Observer& observer, double jdUt, double deltaT, double& altitude,
           double& hourAngle) {
  TopocentricPlace p;
  ASSERT_TRUE(computeTopocentricPlace(p, body, jdUt, observer, deltaT));
  altitude = p.horizontal.altitude;
  hourAngle = signedAngle(apparentSiderealTime(jdUt) + observer.longitude -
                          p.equatorial.rightAscension);
}

// One search of the fixture, ours beside the reference's.
struct Search {
  std::string at;
  bool altitude;  // else an hour angle
  bool near2000;  // starting within 1900 to 2100
  double oursJdUt, referenceJdUt;
  double secondsPerArcminute;  // of the body's altitude at the instant found
};

std::vector<Search> fixtureSearches() {
  std::vector<Search> searches;
  for (const fixture::Row& row : fixture::readTable("astronomy_searches.csv").rows) {
    const Body body = fixture::bodyNamed(row.at("body"));
    const Observer observer = observerFromDegrees(fixture::number(row, "obs_lat"),
                                                  fixture::number(row, "obs_lon"),
                                                  fixture::number(row, "obs_height"));
    const double start = fixture::number(row, "start_ut");
    const double target = fixture::number(row, "target") * kDegree;
    const bool altitude = row.at("kind") == "altitude";
    const bool rising = altitude && fixture::number(row, "direction") > 0;
    const std::string at = row.at("kind") + " " + row.at("body") + " from " + row.at("start_ut");
    // The reference's delta T, as the reference took it: the instants are compared, not the
    // two models of the Earth's rotation.
    const double deltaT = fixture::number(row, "delta_t");
    SearchedInstant found;
    const bool ok =
        altitude ? searchAltitude(found, body, observer,
                                  rising ? CrossingDirection::Rising : CrossingDirection::Setting,
                                  target, start, fixture::number(row, "limit_days"), deltaT)
                 : searchHourAngle(found, body, observer, target, start, deltaT);
    const double reference = row.at("found_ut").empty() ? NAN : fixture::number(row, "found_ut");
    EXPECT_EQ(ok, !std::isnan(reference)) << at;
    if (!ok) {
      EXPECT_TRUE(std::isnan(found.jdUt) && std::isnan(found.horizontal.altitude)) << at;
      EXPECT_EQ(found.outcome, SearchOutcome::NotWithinLimit) << at;
      continue;
    }
    // What the instant found must be: after the start, the body at the target there, moving
    // the way asked; the altitude's rate from a minute either side.
    EXPECT_GE(found.jdUt, start) << at;
    double before, after, now, hourAngle, ignored;
    skyOf(body, observer, found.jdUt, deltaT, now, hourAngle);
    skyOf(body, observer, found.jdUt - 30.0 / kSecondsPerDay, deltaT, before, ignored);
    skyOf(body, observer, found.jdUt + 30.0 / kSecondsPerDay, deltaT, after, ignored);
    EXPECT_EQ(found.horizontal.altitude, now) << at;
    if (altitude) {
      EXPECT_NEAR(now, target, kLastStep) << at;
      EXPECT_EQ(after > before, rising) << at;
    } else {
      EXPECT_NEAR(fixture::angleDifference(hourAngle, target), 0.0, kLastStep) << at;
    }
    const double arcminutesPerSecond = std::fabs(after - before) / 60.0 / (kDegree / 60.0);
    searches.push_back({at, altitude, start >= kFirst1900 && start < kEnd2100, found.jdUt,
                        reference, 1.0 / arcminutesPerSecond});
  }
  return searches;
}

// How many seconds our instant lies from the reference's, for the searches of 1900 to 2100 of
// an altitude or of an hour angle.
template <bool kAltitude>
std::vector<double> secondsOff(const Search& s) {
  return fixture::onlyIf(s.altitude == kAltitude && s.near2000,
                         {(s.oursJdUt - s.referenceJdUt) * kSecondsPerDay});
}

// Every search of the fixture finds what the reference finds (an instant, or none within the
// limit), at the altitude or hour angle asked; from 1900 to 2100 at the reference's instant
// within what the two libraries' places allow. Far from 2000 the theories part (the Moon by
// half a degree in 5500) and only the instants' own checks hold.
TEST(AstronomySearchesTest, AgreeWithAstronomyEngine) {
  const Quantity<Search> quantities[] = {
      {"altitude search instants", "s", 2.0, secondsOff<true>, 0.4},
      {"hour angle search instants", "s", 2.0, secondsOff<false>},
  };
  fixture::compare(quantities, fixtureSearches());
}

// What a search refuses, and what it does not find: each input out of its range is Invalid, a
// body that never reaches the altitude within the limit NotWithinLimit; both false with every
// number NaN.
TEST(AstronomySearchesTest, RefusesWhatIsOutOfRangeAndSaysWhatItDidNotFind) {
  const Observer berlin = observerFromDegrees(52.52, 13.40, 34.0);
  const double jd = 2461385.5;  // 2026 December 11, 0h UT
  const auto altitudeSearch = [&](CrossingDirection direction, double altitude, double limit,
                                  std::optional<double> deltaT, Body body = Body::Sun) {
    SearchedInstant found;
    const bool ok = searchAltitude(found, body, berlin, direction, altitude, jd, limit, deltaT);
    EXPECT_TRUE(std::isnan(found.jdUt) && std::isnan(found.horizontal.azimuth) &&
                std::isnan(found.horizontal.altitude));
    EXPECT_FALSE(ok);
    return found.outcome;
  };
  const CrossingDirection up = CrossingDirection::Rising;
  const struct {
    const char* what;
    SearchOutcome outcome;
  } cases[] = {
      {"direction 2", altitudeSearch(static_cast<CrossingDirection>(2), 0.0, 1.0, {})},
      {"altitude above the zenith", altitudeSearch(up, kPi / 2.0 + 1e-9, 1.0, {})},
      {"altitude NaN", altitudeSearch(up, NAN, 1.0, {})},
      {"limit 0", altitudeSearch(up, 0.0, 0.0, {})},
      {"limit -1", altitudeSearch(up, 0.0, -1.0, {})},
      {"limit NaN", altitudeSearch(up, 0.0, NAN, {})},
      {"limit over a century", altitudeSearch(up, 0.0, kLongestSearchDays * 2.0, {})},
      {"delta T NaN", altitudeSearch(up, 0.0, 1.0, NAN)},
      {"the Earth", altitudeSearch(up, 0.0, 1.0, {}, Body::Earth)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.outcome, SearchOutcome::Invalid) << c.what;
  // In Berlin's December the Sun climbs to 14 degrees: 20 is not reached in ten days, 10 is.
  EXPECT_EQ(altitudeSearch(up, 20.0 * kDegree, 10.0, {}), SearchOutcome::NotWithinLimit);
  SearchedInstant found;
  EXPECT_TRUE(searchAltitude(found, Body::Sun, berlin, up, 10.0 * kDegree, jd, 10.0));
  EXPECT_EQ(found.outcome, SearchOutcome::Found);
  EXPECT_LT(found.jdUt, jd + 1.0);
  for (double hourAngle : {NAN, INFINITY, -INFINITY}) {
    EXPECT_FALSE(searchHourAngle(found, Body::Moon, berlin, hourAngle, jd));
    EXPECT_EQ(found.outcome, SearchOutcome::Invalid);
    EXPECT_TRUE(std::isnan(found.jdUt));
  }
  // Any finite hour angle is taken as the same direction a whole number of turns away.
  SearchedInstant turned;
  ASSERT_TRUE(searchHourAngle(found, Body::Moon, berlin, 1.0, jd));
  ASSERT_TRUE(searchHourAngle(turned, Body::Moon, berlin, 1.0 + 4.0 * kTwoPi, jd));
  EXPECT_NEAR(turned.jdUt, found.jdUt, 1e-6);
}

}  // namespace
