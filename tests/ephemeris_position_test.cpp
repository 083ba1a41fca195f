// Heliocentric positions: published examples, the reduction of longitudes, and the neutral
// results outside the tables.
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "base/constants.h"
#include "ephemeris/position.h"

using namespace dockorrery;

namespace {

constexpr double kTolerance = 1e-9;
// The reduction's modulus is the double nearest to 2pi, as the tables' phases assume.
static_assert(kTwoPi == 6.283185307179586);

struct Expected {
  int body;
  double L, B, R;
};

void expectPosition(const Expected& e, double jd) {
  BodyPosition p{-1, 0.0, -1.0, -1.0, -1.0};
  computeBodyPosition(p, e.body, jd);
  SCOPED_TRACE("body " + std::to_string(e.body));
  EXPECT_EQ(p.body, e.body);
  EXPECT_EQ(p.jd, jd);
  EXPECT_NEAR(p.L, e.L, kTolerance);
  EXPECT_NEAR(p.B, e.B, kTolerance);
  EXPECT_NEAR(p.R, e.R, kTolerance);
}

// Meeus, Astronomical Algorithms, example 32.a: 1992 December 20, 0h. The raw longitude sum is
// -68.659258144 rad, so this also checks the reduction of a negative angle.
TEST(BodyPosition, VenusOn1992December20) {
  expectPosition({2, 0.455780235, -0.045739901, 0.724602935}, 2448976.5);
}

// At J2000.0 only the power-0 series count.
TEST(BodyPosition, AllBodiesAtJ2000) {
  const Expected cases[] = {
      {0, 0.0, 0.0, 0.0},
      {1, 4.429346747, -0.052757146, 0.466472695},
      {2, 3.187020691, 0.056978404, 0.720213412},
      {3, 1.751922702, -0.000003303, 0.983327579},
      {4, 6.273542214, -0.024780456, 1.391205294},
      {5, 0.633461784, -0.020500304, 4.965388310},
      {6, 0.798005848, -0.040196883, 9.183730305},
      {7, 5.522545769, -0.011951711, 19.923971526},
      {8, 5.304565300, 0.004223050, 30.120533988},
  };
  for (const Expected& e : cases) expectPosition(e, 2451545.0);
}

// The Sun is the origin: every field is written, even over a record last filled for a planet.
TEST(BodyPosition, SunFillsTheRecordWithZeros) {
  BodyPosition p{};
  computeBodyPosition(p, 4, 2460000.0);
  ASSERT_NE(p.R, 0.0);
  for (double jd : {2460123.0, -1e9, 0.0}) {
    computeBodyPosition(p, 0, jd);
    EXPECT_EQ(p.body, 0);
    EXPECT_EQ(p.jd, jd);
    EXPECT_EQ(p.L, 0.0);
    EXPECT_EQ(p.B, 0.0);
    EXPECT_EQ(p.R, 0.0);
    EXPECT_FALSE(std::signbit(p.L) || std::signbit(p.B) || std::signbit(p.R));
  }
}

TEST(SeriesCoordinate, OutsideTheTablesIsZero) {
  const struct {
    int body;
    unsigned coordinate;
  } cases[] = {{0, 0}, {0, 1}, {0, 2}, {9, 0}, {9, 2}, {-1, 0}, {INT_MIN, 0}, {INT_MAX, 2},
               {3, 3}, {1, 3}, {8, 3}, {5, UINT_MAX}};
  for (const auto& c : cases) {
    for (double T : {0.0, -0.7, 1.3}) {
      const double v = seriesCoordinate(c.body, c.coordinate, T);
      EXPECT_EQ(v, 0.0) << "body " << c.body << " coordinate " << c.coordinate << " T " << T;
      EXPECT_FALSE(std::signbit(v));
    }
  }
}

// Over four centuries every planet keeps its longitude reduced and its radius vector between
// perihelion and aphelion, while latitudes of either sign come through untouched.
TEST(SeriesCoordinate, StaysInsideEachOrbitFrom1800To2200) {
  const struct {
    double minR, maxR, maxB;
  } orbits[8] = {{0.30, 0.47, 0.13}, {0.71, 0.73, 0.062}, {0.98, 1.02, 1e-5},  {1.37, 1.67, 0.034},
                 {4.9, 5.5, 0.024},  {8.9, 10.2, 0.046}, {18.2, 20.2, 0.0145}, {29.7, 30.4, 0.032}};
  for (int body = 1; body <= 8; ++body) {
    bool north = false, south = false;
    for (double jd = 2378497.0; jd < 2524594.0; jd += 97.3) {
      const double T = (jd - 2451545.0) / 36525.0;
      const double L = seriesCoordinate(body, 0, T);
      const double B = seriesCoordinate(body, 1, T);
      const double R = seriesCoordinate(body, 2, T);
      SCOPED_TRACE("body " + std::to_string(body) + " jd " + std::to_string(jd));
      ASSERT_GE(L, 0.0);
      ASSERT_LT(L, kTwoPi);
      ASSERT_LE(std::fabs(B), orbits[body - 1].maxB);
      ASSERT_GE(R, orbits[body - 1].minR);
      ASSERT_LE(R, orbits[body - 1].maxR);
      north |= B > 0;
      south |= B < 0;
    }
    EXPECT_TRUE(north && south) << "body " << body;
  }
}

TEST(NormalizeRadians, ReducesIntoOneTurn) {
  const struct {
    double angle, expected;
  } cases[] = {
      {-std::numbers::pi / 2, 4.71238898038469},
      {kTwoPi, 0.0},
      {7.0, 0.7168146928204138},
      {-7.0, kTwoPi - 0.7168146928204138},
      {0.25, 0.25},
      {3 * kTwoPi + 0.5, 0.5},
      {-kTwoPi - 1e-15, kTwoPi - 1e-15},
  };
  for (const auto& c : cases) {
    const double r = normalizeRadians(c.angle);
    EXPECT_NEAR(r, c.expected, 1e-13) << c.angle;
    EXPECT_GE(r, 0.0) << c.angle;
    EXPECT_LT(r, kTwoPi) << c.angle;
    EXPECT_FALSE(std::signbit(r)) << c.angle;
  }
  EXPECT_EQ(normalizeRadians(7.0), 0.7168146928204138);  // fmod is exact
  EXPECT_EQ(normalizeRadians(kTwoPi), 0.0);
  // A tiny negative angle rounds to exactly 2pi once the turn is added: the one result at 2pi.
  EXPECT_EQ(normalizeRadians(-1e-20), kTwoPi);
  EXPECT_EQ(normalizeRadians(-std::numeric_limits<double>::denorm_min()), kTwoPi);
}

// A zero of either sign keeps its sign: -0.0 is not below 0, and neither is the remainder of a
// negative whole number of turns.
TEST(NormalizeRadians, KeepsTheSignOfZero) {
  const struct {
    double angle;
    bool negative;
  } cases[] = {{0.0, false}, {-0.0, true}, {-2 * kTwoPi, true}, {-kTwoPi, true}, {3 * kTwoPi, false}};
  for (const auto& c : cases) {
    const double r = normalizeRadians(c.angle);
    EXPECT_EQ(r, 0.0) << c.angle;
    EXPECT_EQ(std::signbit(r), c.negative) << c.angle;
  }
}

}  // namespace
