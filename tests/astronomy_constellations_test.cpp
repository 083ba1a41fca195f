// The constellation of a direction: places of B1875.0 a hair either side of 0h, and well-known
// stars given at any epoch. Against the lookups of Astronomy Engine and libnova they are in
// astronomy_sky_frames_test.cpp, one case with galactic coordinates.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "astronomy/constellations.h"
#include "astronomy/precession.h"
#include "base/constants.h"
#include "tests/support/directions.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

using directions::between;
using fixture::kArcsecondsPerRadian;

// Places of B1875.0 a hair either side of 0h, where rounding may carry a right ascension to
// 24h: each is in the constellation just after 0h or the one just before it (Pegasus and
// Andromeda meet there at +30 degrees), never one from elsewhere.
TEST(ConstellationTest, EitherSideOfZeroHours) {
  for (const double degrees : {-89.0, -60.0, -30.0, 0.0, 30.0, 60.0, 80.0, 86.0, 89.9}) {
    const double dec = degrees * kDegree;
    Constellation after, before;
    ASSERT_TRUE(findConstellation(after, {1e-9, dec}, kB1875Epoch));
    ASSERT_TRUE(findConstellation(before, {kTwoPi - 1e-9, dec}, kB1875Epoch));
    for (const double ra : {0.0, -0.0, -1e-300, std::nextafter(kTwoPi, 0.0), kTwoPi, -kTwoPi}) {
      Constellation c;
      ASSERT_TRUE(findConstellation(c, {ra, dec}, kB1875Epoch)) << ra;
      EXPECT_TRUE(c.index == after.index || c.index == before.index)
          << degrees << " degrees, " << ra << ": " << c.abbreviation << ", not "
          << after.abbreviation << " or " << before.abbreviation;
      EXPECT_TRUE(c.b1875.rightAscension >= 0.0 && c.b1875.rightAscension < kTwoPi) << ra;
    }
  }
}

// A few well-known stars by their J2000.0 places, and the same directions given at other epochs
// (precessed there first): the same constellation, and the same place of B1875.0 but for the
// precession's own loss far from 2000 (its angles' polynomials do not compose exactly).
TEST(ConstellationTest, StarsAtAnyEpoch) {
  struct Star {
    const char* name;
    double raDegrees, decDegrees;
    const char* abbreviation;
    const char* constellation;
  };
  const Star stars[] = {
      {"Polaris", 37.9529, 89.2641, "UMi", "Ursa Minor"},
      {"Betelgeuse", 88.7929, 7.4071, "Ori", "Orion"},
      {"Sirius", 101.2872, -16.7161, "CMa", "Canis Major"},
      {"alpha Centauri", 219.9021, -60.8340, "Cen", "Centaurus"},
      {"Fomalhaut", 344.4127, -29.6222, "PsA", "Piscis Austrinus"},
      {"sigma Octantis", 317.1951, -88.9565, "Oct", "Octans"},
      {"Alpheratz", 2.0969, 29.0904, "And", "Andromeda"},
  };
  for (const Star& star : stars) {
    const EquatorialCoordinates j2000{star.raDegrees * kDegree, star.decDegrees * kDegree};
    Constellation c;
    ASSERT_TRUE(findConstellation(c, j2000, kJ2000Epoch));
    EXPECT_STREQ(c.abbreviation, star.abbreviation) << star.name;
    EXPECT_STREQ(c.name, star.constellation) << star.name;
    struct Epoch {
      double jdTt, arcseconds;
    };
    for (const Epoch epoch : {Epoch{kB1875Epoch, 1e-6}, Epoch{2299160.5, 0.01},
                              Epoch{2488069.5, 0.01}, Epoch{3000000.0, 0.5}}) {
      const double jd = epoch.jdTt;
      EquatorialCoordinates then;
      ASSERT_TRUE(precessEquatorial(then, j2000, kJ2000Epoch, jd));
      Constellation d;
      ASSERT_TRUE(findConstellation(d, then, jd));
      EXPECT_EQ(d.index, c.index) << star.name << " at " << jd;
      EXPECT_LT(between(d.b1875.rightAscension, d.b1875.declination, c.b1875.rightAscension,
                        c.b1875.declination) * kArcsecondsPerRadian, epoch.arcseconds)
          << star.name << " at " << jd;
    }
  }
  // Outside the span or without a number: the failure, with nothing in the names.
  for (const double jd : {kFirstJd - 1.0, kEndJd, double(NAN)}) {
    Constellation c;
    EXPECT_FALSE(findConstellation(c, {0.1, 0.2}, jd));
    EXPECT_EQ(c.index, -1);
    EXPECT_STREQ(c.abbreviation, "");
    EXPECT_STREQ(c.name, "");
    EXPECT_TRUE(std::isnan(c.b1875.rightAscension) && std::isnan(c.b1875.declination));
  }
}

}  // namespace
