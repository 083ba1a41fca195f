// The searches of an altitude and of an hour angle against Astronomy Engine's (the fixture of
// tools/astronomy-fixture/make-searches.mjs), and what each instant found must satisfy: the body
// at the altitude or hour angle asked, crossing it the way asked, at or after the start.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/events.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;
using fixture::Quantity;

namespace {

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
