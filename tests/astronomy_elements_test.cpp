// Orbits from the elements catalogues give, and the magnitudes of minor planets and comets. The
// orbit by mean anomaly against the library's own Kepler solution; the magnitudes by their laws'
// closed values, and Ceres' and Halley's from their Minor Planet Center lines
// (tests/support/mpc_lines.h). Heliocentric places and distances against libnova
// (tools/libnova-fixture/make-orbits.c), a case that checks orbits.h's heliocentric position
// with this header's geocentric distance and comet magnitude: Astronomy Engine has no orbit from
// elements, and libnova solves the same two-body problem independently of the universal anomaly
// taken here. libnova's vectors are of the equator of J2000.0 (ours of the ecliptic); its comet
// magnitude takes the Sun's distance where the Earth's belongs, put right here; its asteroid
// magnitude has three faults and is not used.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "astronomy/elements.h"
#include "astronomy/detail/magnitudes.h"
#include "astronomy/mpc_orbits.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/vector.h"
#include "base/constants.h"
#include "tests/support/classical_orbit.h"
#include "tests/support/fixture_table.h"
#include "tests/support/mpc_lines.h"

using namespace dockorrery;

namespace {

using namespace fixture;
using classical::kGauss;
using namespace mpc_lines;

// How far the place at the epoch is from where the mean anomaly given puts it (the classical
// solution at that anomaly, in long double), in days of its motion: its displacement in the
// orbit's plane over its speed.
double daysFromTheAnomaly(const OrbitalElements& el, double a, double e, double m, double epoch) {
  OrbitPosition p;
  EXPECT_TRUE(computeOrbitPosition(p, el, epoch));
  long double r, nu;
  classical::ellipse(a, e, m, r, nu);
  const long double along = r * std::remainder(p.trueAnomaly - nu, 2.0L * classical::kPi);
  return static_cast<double>(std::hypot(p.distanceAu - r, along)) /
         std::hypot(p.vx, p.vy, p.vz);
}

// What the header allows: 5e-10 day (a Julian Day's rounding), and of the period 5e-15 / (1 - e)
// (the Kepler solution) and 4e-17 for each whole turn in the anomaly given (the turns are taken
// out by a rounded 2 pi).
double allowedDays(double a, double e, double m) {
  const double period = kTwoPi * a * std::sqrt(a) / kGauss;
  return 5e-10 + (5e-15 / (1.0 - e) + 4e-17 * std::floor(std::fabs(m) / kTwoPi)) * period;
}

// The place at the epoch has the mean anomaly given, whatever the anomaly's turn and however
// eccentric or slow the orbit; the perihelion is the one nearest the epoch. A slow orbit is the
// case a bound in days alone misses: at a = 3.5e5 AU, a period of 2e8 years, the place is
// within 1e-5 day of its motion in the first turn, and half a day (6e-12 of the period) at an
// anomaly of a million radians, whose turns a rounded 2 pi takes out.
TEST(ElementsTest, MeanAnomalyAtTheEpoch) {
  const double anomalies[] = {0.0, 1e-9, 0.3, kPi - 1e-6, kPi, kPi + 1e-6, 5.9, 2 * kPi - 1e-9,
                              -2.0, 40.0, 1000.5 * kTwoPi, -1e6};
  for (double e : {0.0, 0.0794013, 0.5, 0.97, 0.999999}) {
    for (double a : {0.4, 2.7660512, 44.35, 3.5e5, 1e6}) {
      for (double m : anomalies) {
        OrbitalElements el;
        const double epoch = 2460800.5;
        ASSERT_TRUE(orbitalElementsFromMeanAnomaly(el, epoch, m, a, e, 0.2, -1.0, 7.0));
        EXPECT_NEAR(el.perihelionDistanceAu, a * (1.0 - e), 1e-15 * a);
        const double period = kTwoPi * a * std::sqrt(a) / kGauss;
        EXPECT_LE(std::fabs(el.perihelionJdTt - epoch), 0.5 * period + 1e-6);
        EXPECT_NEAR(el.argumentOfPerihelion, kTwoPi - 1.0, 1e-15);
        EXPECT_NEAR(el.ascendingNode, 7.0 - kTwoPi, 1e-15);
        EXPECT_LE(daysFromTheAnomaly(el, a, e, m, epoch), allowedDays(a, e, m))
            << "e " << e << " a " << a << " M " << m;
      }
    }
  }
  // And over random orbits: a from 0.01 to 1e6 AU, e up to 1 - 1e-8, anomalies to 1e7 rad,
  // epochs anywhere in the span.
  std::mt19937_64 engine{33};
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  for (int k = 0; k < 20000; ++k) {
    const double a = std::pow(10.0, -2.0 + 8.0 * uniform(engine));
    const double e = uniform(engine) < 0.5 ? 1.0 - std::pow(10.0, -8.0 * uniform(engine))
                                           : uniform(engine);
    const double m = (2.0 * uniform(engine) - 1.0) * std::pow(10.0, 7.0 * uniform(engine));
    const double epoch = kFirstJd + (kEndJd - kFirstJd) * uniform(engine);
    OrbitalElements el;
    ASSERT_TRUE(orbitalElementsFromMeanAnomaly(el, epoch, m, a, e, 0.2, -1.0, 7.0));
    EXPECT_LE(daysFromTheAnomaly(el, a, e, m, epoch), allowedDays(a, e, m))
        << "e " << e << " a " << a << " M " << m << " epoch " << epoch;
  }
}

TEST(ElementsTest, MeanAnomalyRefusesWhatIsNoEllipse) {
  struct Case {
    const char* what;
    double epoch, m, a, e, i;
  };
  const Case cases[] = {
      {"e = 1", 2451545.0, 0.1, 1.0, 1.0, 0.1},       {"e < 0", 2451545.0, 0.1, 1.0, -0.1, 0.1},
      {"a = 0", 2451545.0, 0.1, 0.0, 0.1, 0.1},       {"a > 1e6", 2451545.0, 0.1, 2e6, 0.1, 0.1},
      {"i > pi", 2451545.0, 0.1, 1.0, 0.1, 3.2},      {"M NaN", 2451545.0, NAN, 1.0, 0.1, 0.1},
      {"epoch past", kEndJd, 0.1, 1.0, 0.1, 0.1},     {"M inf", 2451545.0, INFINITY, 1.0, 0.1, 0.1},
  };
  for (const Case& c : cases) {
    OrbitalElements el;
    EXPECT_FALSE(orbitalElementsFromMeanAnomaly(el, c.epoch, c.m, c.a, c.e, c.i, 0.0, 0.0))
        << c.what;
    EXPECT_TRUE(std::isnan(el.perihelionJdTt) && std::isnan(el.perihelionDistanceAu) &&
                std::isnan(el.ascendingNode))
        << c.what;
  }
}

// The H, G law's closed values: at phase angle 0 both phase functions are 1; at 90 degrees
// Phi1 = exp(-3.33) and Phi2 = exp(-1.87); (1 - G) Phi1 + G Phi2 not positive gives no magnitude.
// The comet's law: 2.5 k log r, k as the Minor Planet Center gives it.
TEST(MinorBodyMagnitudesTest, Laws) {
  EXPECT_NEAR(detail::asteroidMagnitude(3.34, 0.15, 2.0, 1.0, 0.0), 3.34 + 5 * std::log10(2.0),
              1e-13);
  const double phase = 0.85 * std::exp(-3.33) + 0.15 * std::exp(-1.87);
  EXPECT_NEAR(detail::asteroidMagnitude(3.34, 0.15, 1.0, 1.0, kPi / 2),
              3.34 - 2.5 * std::log10(phase), 1e-13);
  EXPECT_TRUE(std::isnan(detail::asteroidMagnitude(3.34, -5.0, 1.0, 1.0, 0.5)));
  EXPECT_NEAR(detail::cometMagnitude(5.5, 3.2, 10.0, 0.1), 5.5 - 5.0 + 8.0, 1e-13);
}

// Ceres at its opposition of 2025 October 2, magnitude 7.6 in the almanacs, near aphelion
// (a (1 + e) = 2.99 AU), 5 degrees from full phase; the magnitude is the law's at the distances and phase angle reported.
// 1P/Halley at its perihelion of 2061, q from the Sun.
TEST(MinorBodyMagnitudesTest, AsteroidAndCometAtAnInstant) {
  MpcOrbit ceres;
  ASSERT_TRUE(parseMpcMinorPlanetLine(ceres, kMinorPlanets[0].line));
  MinorBodyBrightness b;
  const double opposition = 2460950.5;  // 2025 October 2
  ASSERT_TRUE(computeAsteroidMagnitude(b, ceres.elements, ceres.absoluteMagnitude,
                                       ceres.slopeParameter, opposition));
  EXPECT_GT(b.heliocentricAu, 2.85);
  EXPECT_LT(b.heliocentricAu, 2.99);
  EXPECT_NEAR(b.geocentricAu, b.heliocentricAu - 1.0, 0.03);
  EXPECT_LT(b.phaseAngle, 6.0 * kDegree);  // its orbit is inclined 10.6 degrees
  EXPECT_NEAR(b.magnitude, 7.6, 0.15);
  EXPECT_EQ(b.jdTt, opposition);
  // The same instant from the law: the distances and phase it reports.
  EXPECT_NEAR(b.magnitude,
              detail::asteroidMagnitude(3.34, 0.15, b.heliocentricAu, b.geocentricAu,
                                        b.phaseAngle),
              1e-12);
  MpcOrbit halley;
  ASSERT_TRUE(parseMpcCometLine(halley, kComets[3].line));
  ASSERT_TRUE(computeCometMagnitude(b, halley.elements, 5.5, 3.2, 2474038.85));
  EXPECT_NEAR(b.heliocentricAu, 0.571051, 1e-5);
  EXPECT_NEAR(b.magnitude, 5.5 + 5 * std::log10(b.geocentricAu) + 8.0 * std::log10(0.571051),
              1e-4);
  // No law for what is not a number.
  EXPECT_FALSE(computeCometMagnitude(b, halley.elements, NAN, 3.2, 2474038.85));
  EXPECT_TRUE(std::isnan(b.magnitude) && std::isnan(b.phaseAngle));
  EXPECT_FALSE(computeAsteroidMagnitude(b, ceres.elements, 3.34, INFINITY, opposition));
  EXPECT_TRUE(std::isnan(b.heliocentricAu) && std::isnan(b.geocentricAu));
}

// ---- Against libnova ----

struct OrbitCase {
  std::string at;
  std::vector<double> position, earthDistance, magnitude;
};

TEST(ElementsAgainstLibnovaTest, HeliocentricPlacesDistancesAndCometMagnitudes) {
  const Table table = readTable("libnova_orbits.csv");
  ASSERT_EQ(table.rows.size(), 180u);
  const Quantity<OrbitCase> quantities[] = {
      {"orbit heliocentric position", "AU", 1e-8,
       [](const OrbitCase& c) { return c.position; }},
      {"orbit geocentric distance", "AU", 3e-6,
       [](const OrbitCase& c) { return c.earthDistance; }},
      {"comet magnitude", "mag", 0.001, [](const OrbitCase& c) { return c.magnitude; }},
  };
  const double eps = 23.4392911 * kDegree;  // libnova's obliquity of J2000.0
  std::vector<OrbitCase> cases;
  for (const Row& row : table.rows) {
    const double jd = number(row, "tt_jd");
    const OrbitalElements el{number(row, "perihelion_jd"),    number(row, "q"),
                             number(row, "e"),                number(row, "i") * kDegree,
                             number(row, "w") * kDegree,      number(row, "node") * kDegree};
    OrbitPosition p;
    ASSERT_TRUE(computeOrbitPosition(p, el, jd)) << row.at("kind") << " " << jd;
    const double x = p.x, y = std::cos(eps) * p.y - std::sin(eps) * p.z;
    const double z = std::sin(eps) * p.y + std::cos(eps) * p.z;
    OrbitCase c{row.at("kind") + " " + row.at("tt_jd"), {}, {}, {}};
    c.position = {std::hypot(x - number(row, "x"), y - number(row, "y"), z - number(row, "z"))};
    // The Earth's distance: libnova's is the true one at the instant, with its own Earth; ours
    // that of the light's path, so the light time's motion is taken back out.
    MinorBodyBrightness b;
    ASSERT_TRUE(computeCometMagnitude(b, el, 5.0, 4.0, jd));
    const double r = std::hypot(number(row, "x"), number(row, "y"), number(row, "z"));
    const double earth = number(row, "earth_dist");
    detail::Vector geometric;
    double trueDistance;
    ASSERT_TRUE(detail::orbitGeocentricJ2000(geometric, trueDistance, el, jd, false));
    c.earthDistance = {trueDistance - earth};
    // libnova's comet magnitude, g + 5 log r + k log r with k = 10: its r put back to Delta.
    if (row.at("kind") != "hyperbola") {
      const double libnova = number(row, "comet_mag") - 5.0 * std::log10(r) +
                             5.0 * std::log10(earth);
      c.magnitude = {b.magnitude - libnova};
    }
    EXPECT_GE(b.phaseAngle, 0.0);
    EXPECT_LE(b.phaseAngle, kPi);
    cases.push_back(c);
  }
  compare(quantities, cases);
}

}  // namespace
