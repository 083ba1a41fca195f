// The separation and position angle of two directions: the book's Arcturus and Spica, tiny and
// nearly opposite separations, the position angle due north, east, south and west, and
// libnova's separations and angles (tools/libnova-fixture/make-separations.c).

#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/frames.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The book's Arcturus and Spica, 32.7930 degrees apart; tiny and nearly opposite separations
// keep their precision; the position angle of a direction due north, east, south, west.
TEST(SeparationTest, BookExampleAndExtremes) {
  double d, p;
  ASSERT_TRUE(angularSeparation(d, p, {213.9154 * kDegree, 19.1825 * kDegree},
                                {201.2983 * kDegree, -11.1614 * kDegree}));
  EXPECT_NEAR(d / kDegree, 32.7930, 0.00005);
  ASSERT_TRUE(angularSeparation(d, p, {1.0, 0.5}, {1.0 + 1e-12, 0.5}));
  EXPECT_NEAR(d, ((1.0 + 1e-12) - 1.0) * std::cos(0.5), 1e-26);
  EXPECT_NEAR(p, kPi / 2.0, 1e-9);
  ASSERT_TRUE(angularSeparation(d, p, {1.0, 0.5}, {1.0 + kPi, -0.5 + 1e-12}));
  EXPECT_NEAR(kPi - d, 1e-12, 1e-15);  // the rounding of 1 + pi
  struct Case { double ra, dec, angle; };
  for (const Case c : {Case{0.0, 0.01, 0.0}, Case{0.01, 0.0, kPi / 2.0}, Case{0.0, -0.01, kPi},
                       Case{-0.01, 0.0, 3.0 * kPi / 2.0}}) {
    ASSERT_TRUE(angularSeparation(d, p, {0.0, 0.0}, {c.ra, c.dec}));
    EXPECT_NEAR(p, c.angle, 1e-12);
  }
  ASSERT_TRUE(angularSeparation(d, p, {1.0, 0.5}, {1.0, 0.5}));
  EXPECT_EQ(d, 0.0);
  EXPECT_EQ(p, 0.0);
  EXPECT_FALSE(angularSeparation(d, p, {NAN, 0.0}, {0.0, 0.0}));
  EXPECT_TRUE(std::isnan(d) && std::isnan(p));
}

// libnova's separations and relative position angles of 400 pairs of directions: 300 anywhere
// on the sphere, 100 from 1" to a degree apart. libnova's angle is the first direction's seen
// from the second, in (-180, 180] degrees: the library's with the two swapped.
TEST(SeparationTest, AgreesWithLibnova) {
  const fixture::Table table = fixture::readTable("libnova_separations.csv");
  ASSERT_EQ(table.rows.size(), 400u);
  for (const fixture::Row& row : table.rows) {
    const EquatorialCoordinates first{fixture::number(row, "ra1") * kDegree,
                                      fixture::number(row, "dec1") * kDegree};
    const EquatorialCoordinates second{fixture::number(row, "ra2") * kDegree,
                                       fixture::number(row, "dec2") * kDegree};
    double d, p, swapped, p2;
    ASSERT_TRUE(angularSeparation(d, p, first, second));
    ASSERT_TRUE(angularSeparation(swapped, p2, second, first));
    EXPECT_NEAR(d / kDegree, fixture::number(row, "separation"), 1e-11) << row.at("ra1");
    EXPECT_NEAR(d, swapped, 1e-15);
    EXPECT_NEAR(fixture::angleDifference(p2, fixture::number(row, "position_angle") * kDegree),
                0.0, 1e-8)
        << row.at("ra1") << " " << row.at("dec1");
  }
}

}  // namespace
