// The book's worked examples of places and events, which check several headers together: the
// apparent places of the Sun, the Moon and Venus and the topocentric place of Mars (apparent.h),
// the new Moon of 1977 February (moon_phases.h), and the rising, transit and setting of Venus
// (events.h). Each to the book's digits, or to what the abridged series or the book's own
// rounding allow, as said beside it.

#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/apparent.h"
#include "astronomy/events.h"
#include "astronomy/moon_phases.h"
#include "base/constants.h"
#include "tests/support/directions.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The fixture helpers: the units of the differences.
using namespace fixture;
using directions::separation;

TEST(PlacesTest, WorkedExamples) {
  // The Sun, 1992 October 13, 0h TT (Meeus, Astronomical Algorithms, ex. 25.b, from the full
  // VSOP87): alpha 198.378178 deg, delta -7.783871 deg, R 0.99760775 AU; the abridged Earth series
  // keeps to 0.9" of it, here to 0.01".
  ApparentPlace sun;
  ASSERT_TRUE(computeApparentPlace(sun, Body::Sun, 2448908.5));
  EXPECT_NEAR(sun.equatorial.rightAscension / kDegree, 198.378178, 5e-6);
  EXPECT_NEAR(sun.equatorial.declination / kDegree, -7.783871, 5e-6);
  EXPECT_NEAR(sun.distanceAu, 0.99760775, 1e-8);

  // The Moon, 1992 April 12, 0h TT (ex. 47.a): apparent lambda 133.167265 deg, alpha 134.688470
  // deg, delta 13.768368 deg, to the book's last digit and its rounding of the nutation.
  ApparentPlace moon;
  ASSERT_TRUE(computeApparentPlace(moon, Body::Moon, 2448724.5));
  EXPECT_NEAR(moon.ecliptic.longitude / kDegree, 133.167265, 1.5e-6);
  EXPECT_NEAR(moon.equatorial.rightAscension / kDegree, 134.688470, 1.5e-6);
  EXPECT_NEAR(moon.equatorial.declination / kDegree, 13.768368, 1.5e-6);

  // Venus, 1992 December 20, 0h TT (ex. 33.a, from the full VSOP87): alpha 21h 04m 41.454s,
  // delta -18 deg 53' 16.84", true distance 0.910845 AU; the abridged series keep to about an
  // arcsecond.
  ApparentPlace venus;
  ASSERT_TRUE(computeApparentPlace(venus, Body::Venus, 2448976.5));
  EXPECT_LT(separation(venus.equatorial, {(21 + 4 / 60.0 + 41.454 / 3600) * 15 * kDegree,
                                          -(18 + 53 / 60.0 + 16.84 / 3600) * kDegree}),
            1.0);
  EXPECT_NEAR(venus.distanceAu, 0.910845, 2e-6);

  // Mars from Palomar (33 deg 21' 22" N, 116 deg 51' 45" W, 1706 m), 2003 August 28, 3h 17m UT,
  // delta T 67 s (ex. 40.a): the parallax moves it by +1.29 s of right ascension and -14.1" of
  // declination, known to 0.01 s and 0.1".
  const Observer palomar{-(116 + 51 / 60.0 + 45 / 3600.0) * kDegree,
                         (33 + 21 / 60.0 + 22 / 3600.0) * kDegree, 1706.0};
  const double jdUt = 2452879.5 + (3 + 17 / 60.0) / 24.0;
  TopocentricPlace topocentric;
  ASSERT_TRUE(computeTopocentricPlace(topocentric, Body::Mars, jdUt, palomar, 67.0));
  ApparentPlace mars;
  ASSERT_TRUE(computeApparentPlace(mars, Body::Mars, jdUt + 67.0 / kSecondsPerDay));
  EXPECT_NEAR(angleDifference(topocentric.equatorial.rightAscension,
                              mars.equatorial.rightAscension) * kSecondsPerRadianOfTime,
              1.29, 0.01);
  EXPECT_NEAR((topocentric.equatorial.declination - mars.equatorial.declination) *
                  kArcsecondsPerRadian,
              -14.1, 0.1);

  // The new Moon of 1977 February (ex. 49.a): 1977 February 18, 3h 37m 42s TT, JD 2443192.65118.
  MoonPhases phases;
  ASSERT_TRUE(computeNextMoonPhases(phases, 2443190.5));
  EXPECT_NEAR(phases.newMoonJdTt, 2443192.65118, 0.5e-5);

  // Venus at Boston (42 deg 20' N, 71 deg 05' W), 1988 March 20, delta T 56 s (ex. 15.a): rises
  // at 12h 25m, transits at 19h 41m and sets at 2h 55m UT. The book interpolates its own
  // coordinates, rounded to 0.001 s and 0.1": a few seconds of difference.
  const Observer boston{-(71 + 5 / 60.0) * kDegree, (42 + 20 / 60.0) * kDegree};
  RiseTransitSet events;
  ASSERT_TRUE(computeBodyRiseTransitSet(events, Body::Venus, boston, 2447240.5, 56.0));
  EXPECT_EQ(events.kind, RiseSetKind::RisesAndSets);
  EXPECT_NEAR((events.riseJdUt - 2447240.5) * 24 * 60, 12 * 60 + 25, 0.5);
  EXPECT_NEAR((events.transitJdUt - 2447240.5) * 24 * 60, 19 * 60 + 41, 0.5);
  EXPECT_NEAR((events.setJdUt - 2447240.5) * 24 * 60, 2 * 60 + 55, 0.5);
}

}  // namespace
