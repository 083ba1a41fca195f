// Galactic coordinates held to their own definition (the poles and the origin) and to their
// inverse. Against libnova and Astronomy Engine they are in astronomy_sky_frames_test.cpp, one
// case with the constellations.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "astronomy/galactic.h"
#include "base/constants.h"
#include "tests/support/directions.h"

using namespace dockorrery;

namespace {

using directions::between;

// The system's own definition: the galactic pole at the pole's J2000 place, the celestial pole
// at its galactic longitude and at the pole's declination in latitude, and the galactic centre
// at the Hipparcos catalogue's 17h45m37.20s -28d56'10.2".
TEST(GalacticTest, Definition) {
  GalacticCoordinates g;
  ASSERT_TRUE(equatorialToGalactic(g, {kGalacticPoleRightAscension, kGalacticPoleDeclination}));
  EXPECT_NEAR(g.latitude, kPi / 2.0, 1e-8);
  ASSERT_TRUE(equatorialToGalactic(g, {0.3, kPi / 2.0}));
  EXPECT_NEAR(g.longitude, kGalacticLongitudeOfCelestialPole, 1e-15);
  EXPECT_NEAR(g.latitude, kGalacticPoleDeclination, 1e-15);
  EquatorialCoordinates q;
  ASSERT_TRUE(galacticToEquatorial(q, {0.0, 0.0}));
  EXPECT_NEAR(q.rightAscension / kDegree, (17.0 + 45.0 / 60.0 + 37.20 / 3600.0) * 15.0, 0.1 / 3600.0);
  EXPECT_NEAR(q.declination / kDegree, -(28.0 + 56.0 / 60.0 + 10.2 / 3600.0), 0.1 / 3600.0);
  ASSERT_TRUE(galacticToEquatorial(q, {1.0, kPi / 2.0}));
  EXPECT_NEAR(between(q.rightAscension, q.declination, kGalacticPoleRightAscension,
                      kGalacticPoleDeclination), 0.0, 1e-15);
}

// Galactic to equatorial is the inverse of equatorial to galactic over a grid of the sphere, the
// poles of both frames among it, and each result is in its promised range.
TEST(GalacticTest, InverseOverTheSphere) {
  double worst = 0.0;
  for (int i = -12; i <= 12; ++i) {
    for (int j = 0; j < 48; ++j) {
      const double lon = j * kPi / 24.0, lat = i * kPi / 24.0;
      GalacticCoordinates g;
      EquatorialCoordinates q;
      ASSERT_TRUE(equatorialToGalactic(g, {lon, lat}));
      ASSERT_TRUE(galacticToEquatorial(q, g));
      EXPECT_TRUE(g.longitude >= 0.0 && g.longitude < kTwoPi && std::fabs(g.latitude) <= kPi / 2.0);
      EXPECT_TRUE(q.rightAscension >= 0.0 && q.rightAscension < kTwoPi);
      worst = std::fmax(worst, between(q.rightAscension, q.declination, lon, lat));
      ASSERT_TRUE(galacticToEquatorial(q, {lon, lat}));
      ASSERT_TRUE(equatorialToGalactic(g, q));
      worst = std::fmax(worst, between(g.longitude, g.latitude, lon, lat));
    }
  }
  EXPECT_LE(worst, 2e-15);
  std::printf("largest difference, galactic round trip: %.3g rad\n", worst);
  GalacticCoordinates g{0.0, 0.0};
  EXPECT_FALSE(equatorialToGalactic(g, {0.1, NAN}));
  EXPECT_TRUE(std::isnan(g.longitude) && std::isnan(g.latitude));
  EquatorialCoordinates q{0.0, 0.0};
  EXPECT_FALSE(galacticToEquatorial(q, {-INFINITY, 0.1}));
  EXPECT_TRUE(std::isnan(q.rightAscension) && std::isnan(q.declination));
}

}  // namespace
