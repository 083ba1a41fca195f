// Horizontal coordinates turned back to equatorial: held to the forward rotation over the whole
// sphere and to the book's example 13.b. The conversions against Astronomy Engine are in
// astronomy_test.cpp, with the other quantities of its fixture of instants.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "astronomy/coordinates.h"
#include "base/constants.h"
#include "tests/support/directions.h"

using namespace dockorrery;

namespace {

using directions::between;

// Every direction of a grid over the sphere, the poles among them, for every observer from pole
// to pole: turned to the horizon and back, and from the horizon (its zenith and nadir among them)
// to the equator and back.
TEST(HorizontalTest, InverseOverTheSphere) {
  constexpr double kBound = 4e-15;
  double worst = 0.0;
  for (int p = -6; p <= 6; ++p) {
    const Observer observer{0.3 * p - 1.1, p * kPi / 12.0};
    for (const double siderealTime : {0.0, 2.7, 6.1}) {
      for (int i = -6; i <= 6; ++i) {
        const double latitude = i * kPi / 12.0;
        for (int j = 0; j < 24; ++j) {
          const double longitude = j * kPi / 12.0 + 0.01;
          HorizontalCoordinates h;
          EquatorialCoordinates q;
          equatorialToHorizontal(h, {longitude, latitude}, observer, siderealTime);
          ASSERT_TRUE(horizontalToEquatorial(q, h, observer, siderealTime));
          EXPECT_GE(q.rightAscension, 0.0);
          EXPECT_LT(q.rightAscension, kTwoPi);
          const double there = between(q.rightAscension, q.declination, longitude, latitude);
          EXPECT_LE(there, kBound) << p << " " << i << " " << j;
          ASSERT_TRUE(horizontalToEquatorial(q, {longitude, latitude}, observer, siderealTime));
          equatorialToHorizontal(h, q, observer, siderealTime);
          const double back = between(h.azimuth, h.altitude, longitude, latitude);
          EXPECT_LE(back, kBound) << p << " " << i << " " << j;
          worst = std::fmax(worst, std::fmax(there, back));
        }
      }
    }
  }
  std::printf("largest difference, horizontal round trip: %.3g rad\n", worst);
  // The zenith is the observer's latitude on the meridian, whatever the azimuth.
  EquatorialCoordinates q;
  ASSERT_TRUE(horizontalToEquatorial(q, {1.234, kPi / 2.0}, {0.5, 0.7}, 1.0));
  EXPECT_NEAR(q.declination, 0.7, 1e-15);
  EXPECT_NEAR(q.rightAscension, 1.5, 1e-15);
}

// The book's example 13.b turned round: Venus seen from the US Naval Observatory at azimuth
// 68.0337 degrees from the south (248.0337 from the north) and altitude 15.1249 degrees, with
// the apparent sidereal time 8h34m56.853s at Greenwich, is at 23h09m16.641s -6d43'11.61". The
// book's azimuth and altitude are rounded to 0.0001 degree, which moves the right ascension by
// up to 0.0002 degree here.
TEST(HorizontalTest, BookExample) {
  const Observer washington{-(77.0 + 3.0 / 60.0 + 56.0 / 3600.0) * kDegree,
                            (38.0 + 55.0 / 60.0 + 17.0 / 3600.0) * kDegree};
  const double siderealTime = (8.0 + 34.0 / 60.0 + 56.853 / 3600.0) * 15.0 * kDegree;
  EquatorialCoordinates q;
  ASSERT_TRUE(horizontalToEquatorial(q, {248.0337 * kDegree, 15.1249 * kDegree}, washington,
                                     siderealTime));
  EXPECT_NEAR(q.rightAscension / kDegree, (23.0 + 9.0 / 60.0 + 16.641 / 3600.0) * 15.0, 2e-4);
  EXPECT_NEAR(q.declination / kDegree, -(6.0 + 43.0 / 60.0 + 11.61 / 3600.0), 1e-4);
  // Inputs that are no numbers fail with NaN; a huge sidereal time is still a direction.
  EXPECT_FALSE(horizontalToEquatorial(q, {NAN, 0.2}, washington, siderealTime));
  EXPECT_TRUE(std::isnan(q.rightAscension) && std::isnan(q.declination));
  EXPECT_FALSE(horizontalToEquatorial(q, {0.1, 0.2}, {INFINITY, 0.3}, siderealTime));
  EXPECT_TRUE(horizontalToEquatorial(q, {0.1, 0.2}, washington, 1e300));
}

}  // namespace
