// Precession: the book's example, and the rotations its frames are built of. Refraction and airmass: the book's example, the scaling for the
// air, libnova's Bennett, and the behaviour over the whole range of altitudes, below the horizon
// included.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "astronomy/detail/vector.h"
#include "astronomy/frames.h"
#include "astronomy/precession.h"
#include "astronomy/refraction.h"
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

// The book's theta Persei: J2000.0 place 2h44m11.986s +49d13'42.48", proper motion +0.03425s
// and -0.0895" a year over the 28.8669 years to 2028 November 13.19 TD (JD 2462088.69), then
// precessed: 2h46m11.331s +49d20'54.54".
TEST(PrecessionTest, BookExampleThetaPersei) {
  constexpr double kSecondOfTime = 15.0 * kArcsecond;
  const double jd = 2462088.69;
  const double years = (jd - kJ2000Epoch) / 365.25;
  const EquatorialCoordinates catalogue{
      (2.0 * 3600.0 + 44.0 * 60.0 + 11.986 + 0.03425 * years) * kSecondOfTime,
      (49.0 * 3600.0 + 13.0 * 60.0 + 42.48 - 0.0895 * years) * kArcsecond};
  EquatorialCoordinates ofDate;
  ASSERT_TRUE(precessEquatorial(ofDate, catalogue, kJ2000Epoch, jd));
  EXPECT_NEAR(ofDate.rightAscension / kSecondOfTime, 2.0 * 3600.0 + 46.0 * 60.0 + 11.331, 0.0005);
  EXPECT_NEAR(ofDate.declination / kArcsecond, 49.0 * 3600.0 + 20.0 * 60.0 + 54.54, 0.005);
  // Back again, and a pole stays a pole.
  EquatorialCoordinates back;
  ASSERT_TRUE(precessEquatorial(back, ofDate, jd, kJ2000Epoch));
  EXPECT_NEAR(back.rightAscension, catalogue.rightAscension, 1e-9);
  EXPECT_NEAR(back.declination, catalogue.declination, 1e-9);
  ASSERT_TRUE(precessEquatorial(back, {0.0, kPi / 2.0}, kJ2000Epoch, kJ2000Epoch));
  EXPECT_NEAR(back.declination, kPi / 2.0, 1e-15);
  EXPECT_FALSE(precessEquatorial(back, catalogue, kJ2000Epoch, kEndJd));
  EXPECT_FALSE(precessEquatorial(back, {NAN, 0.0}, kJ2000Epoch, jd));
  EXPECT_TRUE(std::isnan(back.rightAscension) && std::isnan(back.declination));
}

// The rotations the frames are built of: each turns the way its name says (a slip of sign would
// precess the wrong way), a product applies its right factor first, and the transpose undoes a
// rotation.
TEST(PrecessionTest, RotationsProductsAndTransposes) {
  using detail::Vector;
  const Vector x{1.0, 0.0, 0.0}, y{0.0, 1.0, 0.0}, z{0.0, 0.0, 1.0};
  EXPECT_LT(length(detail::rotationAboutZ(kPi / 2.0) * x - y), 1e-15);
  EXPECT_LT(length(detail::rotationAboutX(kPi / 2.0) * y - z), 1e-15);
  EXPECT_LT(length(cross(x, y) - z), 1e-15);
  const detail::Matrix a = detail::rotationAboutZ(0.3), b = detail::rotationAboutX(-1.1);
  const Vector v{0.2, -0.7, 0.5};
  EXPECT_LT(length((a * b) * v - a * (b * v)), 1e-15);
  EXPECT_LT(length(transpose(a * b) * ((a * b) * v) - v), 1e-15);
}

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
