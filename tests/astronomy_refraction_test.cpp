// Refraction and airmass: the book's example, the scaling for the air, libnova's Bennett
// (tools/libnova-fixture/make-refraction.c), and the behaviour over the whole range of altitudes,
// below the horizon included. The refraction of Astronomy Engine's altitudes is checked in
// astronomy_apparent_test.cpp, on the topocentric places' fixture.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "astronomy/refraction.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

constexpr double kArcminute = kDegree / 60.0;

double refracted(double trueAltitude, double pressure = 1010.0, double temperature = 10.0) {
  double apparent;
  EXPECT_TRUE(refractedAltitude(apparent, trueAltitude, pressure, temperature));
  return apparent;
}

double unrefracted(double apparentAltitude, double pressure = 1010.0, double temperature = 10.0) {
  double trueAltitude;
  EXPECT_TRUE(unrefractedAltitude(trueAltitude, apparentAltitude, pressure, temperature));
  return trueAltitude;
}

// The book's example: the Sun's lower limb seen at 0.5 degrees. Bennett's refraction there is
// 28.754', so the true lower limb stands at 1.246'; the upper limb 32' higher, whose
// Saemundsson refraction is 24.618'.
TEST(RefractionTest, BookExample) {
  const double seen = 0.5 * kDegree;
  const double lower = unrefracted(seen);
  EXPECT_NEAR((seen - lower) / kArcminute, 28.754, 0.0005);
  EXPECT_NEAR(lower / kArcminute, 1.246, 0.0005);
  const double upper = lower + 32.0 * kArcminute;
  EXPECT_NEAR((refracted(upper) - upper) / kArcminute, 24.618, 0.0005);
}

// The refraction scales with the pressure over the absolute temperature, for the same ray: seen
// at the same apparent altitude, a ray bends by the air's factor times the standard air's. The
// defaults are the book's 1010 hPa and 10 degrees C; no air bends nothing.
TEST(RefractionTest, PressureAndTemperature) {
  const double h = 10.0 * kDegree;
  double byDefault;
  ASSERT_TRUE(refractedAltitude(byDefault, h));
  EXPECT_EQ(byDefault, refracted(h, 1010.0, 10.0));
  EXPECT_NEAR((refracted(h) - h) / kArcminute, 5.41, 0.01);
  struct Air { double pressure, temperature, factor; };
  for (const Air air : {Air{0.0, 10.0, 0.0}, Air{505.0, 10.0, 0.5}, Air{1010.0, -10.0, 283.0 / 263.0},
                        Air{800.0, 30.0, 800.0 / 1010.0 * 283.0 / 303.0},
                        Air{1200.0, -100.0, 1200.0 / 1010.0 * 283.0 / 173.0}}) {
    for (double altitude : {-30.0 * kDegree, -2.0 * kDegree, 0.0, h, 80.0 * kDegree}) {
      // The ray seen at `apparent` comes from `standard` in the standard air.
      const double apparent = refracted(altitude, air.pressure, air.temperature);
      if (air.factor == 0.0) {
        EXPECT_EQ(apparent, altitude);
      } else {
        const double standard = apparent - (apparent - altitude) / air.factor;
        EXPECT_NEAR(refracted(standard), apparent, 1e-12)
            << air.pressure << " hPa, " << air.temperature << " C, " << altitude / kDegree;
      }
      EXPECT_NEAR(altitude - unrefracted(altitude, air.pressure, air.temperature),
                  (altitude - unrefracted(altitude)) * air.factor, 1e-12);
    }
  }
}

// Bennett's refraction against libnova's at its apparent altitudes from -0.35 degree (below which
// the library tapers; libnova diverges below -1) to the zenith, for the standard air and any air: libnova's own small
// correction, evaluated with the refraction in degrees where it belongs in minutes of arc, taken
// back out by the fixture's script, leaves the same formula and the same scaling. Its own value
// differs by that correction alone (the library leaves it out, as the book's example does), up to
// 1.8" at -1 degree in dense air.
TEST(RefractionTest, BennettAgreesWithLibnova) {
  const fixture::Table table = fixture::readTable("libnova_refraction.csv");
  ASSERT_EQ(table.rows.size(), 400u);
  double largest = 0.0, largestFault = 0.0;
  for (const fixture::Row& row : table.rows) {
    const double apparent = fixture::number(row, "apparent_altitude") * kDegree;
    const double pressure = fixture::number(row, "pressure");
    const double temperature = fixture::number(row, "temperature");
    // At the zenith the formula's -0.0014' would take the true altitude past it: held there.
    const double bennett =
        std::max(fixture::number(row, "bennett"), (apparent - kPi / 2.0) / kArcminute);
    const double mine = (apparent - unrefracted(apparent, pressure, temperature)) / kArcminute;
    if (apparent < -0.35 * kDegree) continue;
    largest = std::max(largest, std::abs(mine - bennett));
    largestFault = std::max(largestFault, std::abs(mine - fixture::number(row, "libnova")));
  }
  EXPECT_LT(largest, 1e-6) << "minutes of arc";
  EXPECT_LT(largestFault, 2.5 / 60.0) << "minutes of arc";
  EXPECT_GT(largestFault, 1.0 / 60.0) << "the fixture no longer shows libnova's correction";
}

// The round trip, true altitude to apparent and back, leaves the two formulae's own difference in
// the standard air, scaled by the air's factor: 0.062' of it above the horizon, 0.63' below.
double roundTripBound(double trueAltitude, double pressure, double temperature) {
  const double factor = pressure / 1010.0 * (283.0 / (273.0 + temperature));
  return (trueAltitude >= 0.0 ? 0.062 : 0.63) * factor * kArcminute;
}

// From the nadir to the zenith, for the extremes of the air accepted: finite, inside the range,
// strictly increasing, continuous (no step larger than the altitude's own plus the refraction's
// slope allows), and the two routines undo each other.
TEST(RefractionTest, WholeRangeOfAltitudes) {
  struct Air { double pressure, temperature; };
  for (const Air air : {Air{1010.0, 10.0}, Air{1200.0, -100.0}, Air{0.0, 100.0}, Air{600.0, -30.0},
                        Air{1030.0, -30.0}}) {
    double lastApparent = -kPi, lastTrue = -kPi;
    constexpr int kSteps = 36000;
    for (int k = 0; k <= kSteps; ++k) {
      const double h = -kPi / 2.0 + kPi * k / kSteps;
      const double apparent = refracted(h, air.pressure, air.temperature);
      const double back = unrefracted(h, air.pressure, air.temperature);
      ASSERT_TRUE(std::isfinite(apparent) && std::isfinite(back)) << h;
      ASSERT_TRUE(std::abs(apparent) <= kPi / 2.0 && std::abs(back) <= kPi / 2.0) << h;
      if (k > 0 && k < kSteps) {
        EXPECT_GT(apparent, lastApparent) << air.pressure << " hPa at " << h / kDegree;
        EXPECT_GT(back, lastTrue) << air.pressure << " hPa at " << h / kDegree;
        EXPECT_LT(apparent - lastApparent, 2.0 * kPi / kSteps) << h / kDegree;
      }
      lastApparent = apparent;
      lastTrue = back;
      const double roundTrip = unrefracted(apparent, air.pressure, air.temperature) - h;
      EXPECT_LE(std::abs(roundTrip), roundTripBound(h, air.pressure, air.temperature))
          << air.pressure << " hPa, " << air.temperature << " C at " << h / kDegree;
    }
  }
  // The limits: the zenith stays the zenith (the formulae are off by 0.002' there), the nadir
  // the nadir.
  EXPECT_NEAR(refracted(kPi / 2.0), kPi / 2.0, 0.002 * kArcminute);
  EXPECT_EQ(unrefracted(kPi / 2.0), kPi / 2.0);
  EXPECT_EQ(refracted(-kPi / 2.0), -kPi / 2.0);
  EXPECT_EQ(unrefracted(-kPi / 2.0), -kPi / 2.0);
}

// The round trip at random altitudes in random air of the accepted range, and at the cases that
// once left arcminutes: the horizon in cold dense air, Saemundsson's pole in the densest.
TEST(RefractionTest, RoundTripInAnyAir) {
  struct Case { double altitude, pressure, temperature; };
  std::vector<Case> cases = {{0.0, 1030.0, -30.0}, {0.0, 1013.0, 0.0}, {-5.11, 1200.0, -100.0},
                             {-1.0, 1200.0, -100.0}, {10.5, 1200.0, -100.0}};
  std::mt19937_64 random(20261211);
  std::uniform_real_distribution<double> altitude(-90.0, 90.0), pressure(0.0, 1200.0),
      temperature(-100.0, 100.0);
  for (int k = 0; k < 200000; ++k) {
    cases.push_back({k % 2 ? altitude(random) : altitude(random) / 30.0, pressure(random),
                     temperature(random)});
  }
  for (const Case& c : cases) {
    const double h = c.altitude * kDegree;
    const double back = unrefracted(refracted(h, c.pressure, c.temperature), c.pressure,
                                    c.temperature);
    ASSERT_LE(std::abs(back - h), roundTripBound(h, c.pressure, c.temperature))
        << c.altitude << " degrees, " << c.pressure << " hPa, " << c.temperature << " C";
  }
}

TEST(RefractionTest, RejectedInputs) {
  struct Bad { double altitude, pressure, temperature; };
  for (const Bad bad : {Bad{NAN, 1010.0, 10.0}, Bad{1.6, 1010.0, 10.0}, Bad{-1.6, 1010.0, 10.0},
                        Bad{0.1, -1.0, 10.0}, Bad{0.1, 1201.0, 10.0}, Bad{0.1, 1010.0, -101.0},
                        Bad{0.1, 1010.0, 101.0}, Bad{0.1, NAN, 10.0}, Bad{0.1, 1010.0, INFINITY}}) {
    double a = 0.0, t = 0.0;
    EXPECT_FALSE(refractedAltitude(a, bad.altitude, bad.pressure, bad.temperature));
    EXPECT_FALSE(unrefractedAltitude(t, bad.altitude, bad.pressure, bad.temperature));
    EXPECT_TRUE(std::isnan(a) && std::isnan(t));
  }
}

// Kasten and Young's airmass: their published values at a few altitudes, then finite and never
// increasing with the altitude from the nadir to the zenith.
TEST(AirmassTest, ValuesAndWholeRange) {
  struct Case { double degrees, airmass, tolerance; };
  for (const Case c : {Case{90.0, 0.9997, 1e-4}, Case{30.0, 1.9942, 1e-3},
                       Case{10.0, 5.6, 0.05}, Case{0.0, 37.92, 0.01}, Case{-5.0, 37.92, 0.01}}) {
    double x;
    ASSERT_TRUE(computeAirmass(x, c.degrees * kDegree));
    EXPECT_NEAR(x, c.airmass, c.tolerance) << c.degrees;
  }
  double last = INFINITY;
  for (int k = 0; k <= 18000; ++k) {
    double x;
    ASSERT_TRUE(computeAirmass(x, -kPi / 2.0 + kPi * k / 18000));
    ASSERT_TRUE(std::isfinite(x));
    EXPECT_LE(x, last + 1e-6);  // the formula rises by 1e-7 in the last degree
    last = x;
  }
  double x = 0.0;
  EXPECT_FALSE(computeAirmass(x, NAN));
  EXPECT_FALSE(computeAirmass(x, 2.0));
  EXPECT_TRUE(std::isnan(x));
}

}  // namespace
