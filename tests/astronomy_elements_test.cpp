// Orbits from the elements catalogues give. The orbit by mean anomaly against the library's own
// Kepler solution; the Minor Planet Center's one-line orbits against real lines of MPCORB.DAT and
// CometEls.txt (copied from the centre's files of 2024 to 2026 as other projects' tests quote
// them), one case of each error; magnitudes by their laws' closed values. Heliocentric places and
// distances against libnova (tools/libnova-fixture/make-orbits.c): Astronomy Engine has no orbit
// from elements, and libnova solves the same two-body problem independently of the universal
// anomaly taken here. libnova's vectors are of the equator of J2000.0 (ours of the ecliptic); its
// comet magnitude takes the Sun's distance where the Earth's belongs, put right here; its
// asteroid magnitude has three faults and is not used.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "astronomy/elements.h"
#include "astronomy/detail/magnitudes.h"
#include "astronomy/mpc_orbits.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/vector.h"
#include "base/constants.h"
#include "tests/support/classical_orbit.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

using namespace fixture;

constexpr double kGauss = 0.01720209895;

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

// Real lines of MPCORB.DAT (Ceres and Eros from the full file, the rest from its Distant.txt and
// NEA.txt extracts): what each is here for, and what it holds.
struct MinorPlanetLine {
  const char* line;
  int32_t number;
  const char* provisional;
  const char* name;
  double h, g, epochJd, m, omega, node, i, e, a;
};
const MinorPlanetLine kMinorPlanets[] = {
    // (1) Ceres, epoch 2025 May 5.
    {"00001    3.34  0.15 K2555 188.70269   73.27343   80.25221   10.58780  0.0794013  "
     "0.21424651   2.7660512  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   4000      "
     "(1) Ceres              20241101",
     1, "", "(1) Ceres", 3.34, 0.15, 2460800.5, 188.70269, 73.27343, 80.25221, 10.58780, 0.0794013,
     2.7660512},
    // (433) Eros, epoch 2026 June 9.
    {"00433   10.39  0.15 K2669  62.51145  178.91814  304.26797   10.82855  0.2228780  "
     "0.55970463   1.4582437  0 E2026-S80 18063  59 1893-2026 0.61 M-v 3Ek MPCORBFIT  1804    "
     "(433) Eros               20260919",
     433, "", "(433) Eros", 10.39, 0.15, 2461200.5, 62.51145, 178.91814, 304.26797, 10.82855,
     0.2228780, 1.4582437},
    // 2004 PC112: no H and no G; cycle count B2 (112) and a letter day (23).
    {"K04PB2C             K048N   0.03358  277.30161   69.53412    2.35778  0.0417836  "
     "0.00333727  44.3481040  E MPO 70391     4   1   29 days 0.23         MPCM       200A          "
     "2004 PC112         20040911",
     0, "2004 PC112", "2004 PC112", NAN, NAN, 2453240.5, 0.03358, 277.30161, 69.53412, 2.35778,
     0.0417836, 44.3481040},
    // (620057) 2005 CG81: a number beyond 619999, ~ and four base-62 digits.
    {"~000v    6.39  0.15 K2669 345.61933   56.19354  134.59964   26.11425  0.2400784  "
     "0.00247747  54.0916422  4 MPO733961    93  13 2005-2023 0.19 M-v 3Ek Pan        000A "
     "(620057) 2005 CG81          20230318",
     620057, "", "(620057) 2005 CG81", 6.39, 0.15, 2461200.5, 345.61933, 56.19354, 134.59964,
     26.11425, 0.2400784, 54.0916422},
    // 1994 TG: century J, an eccentricity of exactly 0, H with one decimal.
    {"J94T00G  7.0   0.15 J949P   0.00000  353.02318   15.50983    6.76386  0.0000000  "
     "0.00358836  42.2543833  E MPC 24084     8   1    3 days              Marsden    200A          "
     "1994 TG            19941006",
     0, "1994 TG", "1994 TG", 7.0, 0.15, 2449620.5, 0.0, 353.02318, 15.50983, 6.76386, 0.0,
     42.2543833},
};

void expectElements(const OrbitalElements& el, double q, double e, double i, double omega,
                    double node, const std::string& what) {
  EXPECT_NEAR(el.perihelionDistanceAu, q, 1e-15 * q) << what;
  EXPECT_EQ(el.eccentricity, e) << what;
  EXPECT_NEAR(el.inclination, i * kDegree, 1e-15) << what;
  EXPECT_NEAR(el.argumentOfPerihelion, omega * kDegree, 1e-14) << what;
  EXPECT_NEAR(el.ascendingNode, node * kDegree, 1e-14) << what;
}

void expectNumber(double got, double want, const std::string& what) {
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what;
  } else {
    EXPECT_EQ(got, want) << what;
  }
}

TEST(MpcOrbitsTest, RealMinorPlanetLines) {
  for (const MinorPlanetLine& c : kMinorPlanets) {
    MpcOrbit o;
    ASSERT_TRUE(parseMpcMinorPlanetLine(o, c.line)) << c.name << ": " << mpcLineErrorName(o.error)
                                                     << " at column " << o.errorColumn;
    EXPECT_EQ(o.error, MpcLineError::None);
    EXPECT_EQ(o.kind, MpcBodyKind::MinorPlanet);
    EXPECT_EQ(o.number, c.number) << c.name;
    EXPECT_STREQ(o.provisional, c.provisional) << c.name;
    EXPECT_STREQ(o.name, c.name);
    expectNumber(o.absoluteMagnitude, c.h, c.name);
    expectNumber(o.slopeParameter, c.g, c.name);
    EXPECT_EQ(o.epochJdTt, c.epochJd) << c.name;
    expectElements(o.elements, c.a * (1.0 - c.e), c.e, c.i, c.omega, c.node, c.name);
    // The perihelion: M degrees of the mean motion before the epoch (or after, past half a turn).
    const double n = kGauss / (c.a * std::sqrt(c.a)) / kDegree;
    const double m = c.m > 180.0 ? c.m - 360.0 : c.m;
    EXPECT_NEAR(o.elements.perihelionJdTt, c.epochJd - m / n, 1e-9 * std::fabs(m / n) + 1e-9)
        << c.name;
  }
}

// The packed designations of columns 1-7, each put into Ceres' line: numbers with a letter for
// their ten-thousands and beyond 619999, provisional designations with their cycle count, the
// surveys'; and what is no designation.
TEST(MpcOrbitsTest, PackedDesignations) {
  struct Case {
    const char* packed;
    int32_t number;
    const char* provisional;
  };
  const Case cases[] = {
      {"00433  ", 433, ""},          {"A0001  ", 100001, ""},       {"a0001  ", 360001, ""},
      {"z9999  ", 619999, ""},       {"~0000  ", 620000, ""},       {"~zzzz  ", 15396335, ""},
      {"K25A00A", 0, "2025 AA"},     {"J95X01L", 0, "1995 XL1"},    {"K07Tf8A", 0, "2007 TA418"},
      {"I80A00Z", 0, "1880 AZ"},     {"PLS2040", 0, "2040 P-L"},    {"T1S3138", 0, "3138 T-1"},
      {"T3S1009", 0, "1009 T-3"},    {"0433   ", -1, ""},           {"~00 0  ", -1, ""},
      {"K25A00I", -1, ""},           {"K2 A00A", -1, ""},           {"k25A00A", -1, ""},
      {"T4S3138", -1, ""},           {"PLS0000", -1, ""},           {"       ", -1, ""},
  };
  for (const Case& c : cases) {
    std::string line = kMinorPlanets[0].line;
    line.replace(0, 7, c.packed);
    MpcOrbit o;
    const bool ok = parseMpcMinorPlanetLine(o, line);
    EXPECT_EQ(ok, c.number >= 0) << c.packed;
    if (!ok) {
      EXPECT_EQ(o.error, MpcLineError::BadDesignation) << c.packed;
      continue;
    }
    EXPECT_EQ(o.number, c.number) << c.packed;
    EXPECT_STREQ(o.provisional, c.provisional) << c.packed;
  }
}

// Real lines of CometEls.txt: what each is here for, and what it holds. The perihelion's Julian
// Day is the calendar's, worked out apart from the parser.
struct CometLine {
  const char* line;
  int32_t number;
  char type, fragment;
  const char* provisional;
  const char* name;
  double perihelionJd, q, e, omega, node, i, epochJd, g, k;
};
const CometLine kComets[] = {
    // C/1995 O1 (Hale-Bopp): a long-period comet, a negative g.
    {"    CJ95O010  1997 03 29.0319  0.925246  0.994897  130.7250  281.8047   89.7360  20260922  "
     "-2.0  4.0  C/1995 O1 (Hale-Bopp)                                    MPC194091",
     0, 'C', 0, "1995 O1", "C/1995 O1 (Hale-Bopp)", 2450536.5319, 0.925246, 0.994897, 130.7250,
     281.8047, 89.7360, 2461305.5, -2.0, 4.0},
    // C/2023 A3 (Tsuchinshan-ATLAS): a hyperbola.
    {"    CK23A030  2024 09 27.8264  0.391333  1.000178  308.5800   21.6698  139.1001  20260922  "
     " 6.5  3.2  C/2023 A3 (Tsuchinshan-ATLAS)                            MPEC 2026-O98",
     0, 'C', 0, "2023 A3", "C/2023 A3 (Tsuchinshan-ATLAS)", 2460581.3264, 0.391333, 1.000178,
     308.5800, 21.6698, 139.1001, 2461305.5, 6.5, 3.2},
    // C/2014 R3 (PANSTARRS): a parabola, e = 1 exactly.
    {"    CK14R030  2016 08  8.3994  7.266681  1.000000  113.3732  333.9781   90.7547  20260922  "
     " 6.5  4.0  C/2014 R3 (PANSTARRS)                                    MPC194139",
     0, 'C', 0, "2014 R3", "C/2014 R3 (PANSTARRS)", 2457608.8994, 7.266681, 1.0, 113.3732,
     333.9781, 90.7547, 2461305.5, 6.5, 4.0},
    // 1P/Halley: numbered, no provisional designation.
    {"0001P         2061 08  2.3518  0.571051  0.968024  112.1785   59.2781  162.1895  20260922  "
     " 5.5  3.2  1P/Halley                                                MPC191592",
     1, 'P', 0, "", "1P/Halley", 2474038.8518, 0.571051, 0.968024, 112.1785, 59.2781, 162.1895,
     2461305.5, 5.5, 3.2},
    // 3D-A/Biela: a fragment's letter alone in column 12.
    {"0003D      a  2024 12  2.1391  0.827575  0.767046  192.1556  276.6851    7.2142  20260922  "
     "11.0  6.0  3D-A/Biela                                                76, 1135",
     3, 'D', 'a', "", "3D-A/Biela", 2460646.6391, 0.827575, 0.767046, 192.1556, 276.6851, 7.2142,
     2461305.5, 11.0, 6.0},
    // 332P-B/Ikeya-Murakami: no epoch.
    {"0332P      b  2016 03 17.1650  1.572891  0.489707  152.3711    3.8028    9.3805            "
     "19.0  4.0  332P-B/Ikeya-Murakami                                    MPEC 2016-EI8",
     332, 'P', 'b', "", "332P-B/Ikeya-Murakami", 2457464.6650, 1.572891, 0.489707, 152.3711,
     3.8028, 9.3805, NAN, 19.0, 4.0},
    // C/2014 UN271 (Bernardinelli-Bernstein): a minor planet's form of designation (cycle R1,
    // 271, second letter N) and q filling its nine columns.
    {"    CK14UR1N  2031 01 16.6358 10.959407  1.004072  326.0935  190.0054   95.4459  20260922  "
     " 2.5  3.2  C/2014 UN271 (Bernardinelli-Bernstein)                   MPEC 2026-RA1",
     0, 'C', 0, "2014 UN271", "C/2014 UN271 (Bernardinelli-Bernstein)", 2462883.1358, 10.959407,
     1.004072, 326.0935, 190.0054, 95.4459, 2461305.5, 2.5, 3.2},
    // 1I/`Oumuamua: interstellar, a backtick in its name.
    {"0001I         2017 09  9.4886  0.255240  1.199252  241.6845   24.5997  122.6778  20170904  "
     "23.0  2.0  1I/`Oumuamua                                             MPC107687",
     1, 'I', 0, "", "1I/`Oumuamua", 2458005.9886, 0.255240, 1.199252, 241.6845, 24.5997, 122.6778,
     2458000.5, 23.0, 2.0},
};

TEST(MpcOrbitsTest, RealCometLines) {
  for (const CometLine& c : kComets) {
    MpcOrbit o;
    ASSERT_TRUE(parseMpcCometLine(o, c.line)) << c.name << ": " << mpcLineErrorName(o.error)
                                               << " at column " << o.errorColumn;
    EXPECT_EQ(o.kind, MpcBodyKind::Comet);
    EXPECT_EQ(o.number, c.number) << c.name;
    EXPECT_EQ(o.orbitType, c.type) << c.name;
    EXPECT_EQ(o.fragment, c.fragment) << c.name;
    EXPECT_STREQ(o.provisional, c.provisional) << c.name;
    EXPECT_STREQ(o.name, c.name);
    EXPECT_NEAR(o.elements.perihelionJdTt, c.perihelionJd, 1e-8) << c.name;
    expectElements(o.elements, c.q, c.e, c.i, c.omega, c.node, c.name);
    expectNumber(o.epochJdTt, c.epochJd, c.name);
    EXPECT_EQ(o.absoluteMagnitude, c.g) << c.name;
    EXPECT_EQ(o.slopeParameter, c.k) << c.name;
    OrbitPosition p;  // every one an orbit the library runs
    ASSERT_TRUE(computeOrbitPosition(p, o.elements, o.elements.perihelionJdTt)) << c.name;
    EXPECT_NEAR(p.distanceAu, c.q, 1e-12) << c.name;
  }
}

// The book's example 33.a, comet Encke, as a CometEls.txt line (its elements to the line's
// digits: perihelion 1990 October 28.5450 TT, q = a (1 - e) of a = 2.2091404 and e = 0.8502196):
// on 1990 October 6.0 TD the geometric place of J2000.0 with light time, right ascension
// 158.558965 and declination 19.158496 degrees, within what the line's rounding moves it.
TEST(MpcOrbitsTest, BookCometEncke) {
  const char* line =
      "0002P         1990 10 28.5450  0.330886  0.850220  186.2335  334.7501   11.9452           "
      " 11.5  6.0  2P/Encke";
  MpcOrbit o;
  ASSERT_TRUE(parseMpcCometLine(o, line)) << mpcLineErrorName(o.error) << " " << o.errorColumn;
  EXPECT_NEAR(o.elements.perihelionJdTt, 2448193.0450, 1e-9);
  EXPECT_STREQ(o.name, "2P/Encke");
  EXPECT_EQ(o.number, 2);
  EXPECT_TRUE(std::isnan(o.epochJdTt));
  EXPECT_EQ(o.absoluteMagnitude, 11.5);
  detail::Vector v;
  double distance;
  ASSERT_TRUE(detail::orbitGeocentricJ2000(v, distance, o.elements, 2448170.5, false));
  // To the equator of J2000.0.
  const auto [x, y, z] = detail::rotationAboutX(23.4392911 * kDegree) * v;
  EXPECT_NEAR(std::atan2(y, x) / kDegree, 158.558965, 2.0 / 3600.0);
  EXPECT_NEAR(std::atan2(z, std::hypot(x, y)) / kDegree, 19.158496, 2.0 / 3600.0);
}

// One case of each error, each a real line with the fault put in: the error, and the column the
// caller is pointed to. A date's fault points to the date's first column, whichever of its
// parts is wrong (a comet's perihelion 15, its epoch 82, a minor planet's epoch 21); a comet's
// designation missing or wrong in columns 6-12 (its fragment too) to column 6, its number to 1.
struct Fault {
  bool comet;
  int column;      // from 1: where the replacement goes
  const char* with;
  MpcLineError error;
  int errorColumn;
  int line = 0;    // which of kComets or kMinorPlanets
};

std::string damaged(const Fault& f) {
  std::string line = f.comet ? kComets[f.line].line : kMinorPlanets[f.line].line;
  line.replace(f.column - 1, std::strlen(f.with), f.with);
  return line;
}

TEST(MpcOrbitsTest, EachErrorOnce) {
  using E = MpcLineError;
  const Fault faults[] = {
      // Minor planets (Ceres' line).
      {false, 1, "0000x", E::BadDesignation, 1},
      {false, 1, "00000", E::BadDesignation, 1},
      {false, 1, "K25Z00A", E::BadDesignation, 1},  // no half-month Z
      {false, 1, "K25I00A", E::BadDesignation, 1},  // nor I
      {false, 1, "PLS20x0", E::BadDesignation, 1},
      {false, 9, " 3.3x", E::BadAbsoluteMagnitude, 9},
      {false, 9, "3 .34", E::BadAbsoluteMagnitude, 9},
      {false, 15, "0..15", E::BadSlopeParameter, 15},
      {false, 21, "K25D5", E::BadEpoch, 21},  // month D
      {false, 21, "K252U", E::BadEpoch, 21},  // February 30
      {false, 21, "M2555", E::BadEpoch, 21},  // century 22
      {false, 26, "5", E::BadEpoch, 21},      // a sixth character
      {false, 27, "188.7O269", E::BadMeanAnomaly, 27},
      {false, 27, "         ", E::BadMeanAnomaly, 27},
      {false, 27, "360.00000", E::OutOfRange, 27},
      {false, 38, " 73.2-343", E::BadArgumentOfPerihelion, 38},
      {false, 49, "-80.25221", E::OutOfRange, 49},
      {false, 49, "80.25 221", E::BadAscendingNode, 49},
      {false, 60, "10.5878e0", E::BadInclination, 60},
      {false, 60, "180.00001", E::OutOfRange, 60},
      {false, 71, "0.07940+3", E::BadEccentricity, 71},
      {false, 71, "1.0000000", E::OutOfRange, 71},
      {false, 81, "0.2142465x ", E::BadMeanMotion, 81},
      {false, 81, "0.21524651 ", E::InconsistentMeanMotion, 81},
      {false, 93, "   2.76605.2", E::BadSemiMajorAxis, 93},
      {false, 93, "  -2.7660512", E::OutOfRange, 93},
      {false, 167, "(1) Ceres\x01", E::BadName, 167},
      // Comets (Hale-Bopp's line).
      {true, 1, "00x1", E::BadDesignation, 1},
      {true, 5, "Q", E::BadOrbitType, 5},
      {true, 6, "       ", E::BadDesignation, 6},  // neither a number nor a designation
      {true, 1, "    ", E::BadDesignation, 6, 3},   // 1P/Halley without its number
      {true, 12, "!", E::BadDesignation, 6, 4},     // 3D-A/Biela's fragment
      {true, 6, "J95O000", E::BadDesignation, 6},  // a comet's count starts at 1
      {true, 6, "J95O01!", E::BadDesignation, 6},
      {true, 15, "199x", E::BadPerihelionDate, 15},
      {true, 20, "13", E::BadPerihelionDate, 15},
      {true, 23, "32.0319", E::BadPerihelionDate, 15},
      {true, 23, " 0.0319", E::BadPerihelionDate, 15},
      {true, 20, "02 30.0319", E::BadPerihelionDate, 15},  // February 30
      {true, 31, " 0.92x246", E::BadPerihelionDistance, 31},
      {true, 31, " 0.000000", E::OutOfRange, 31},
      {true, 42, "-0.99489", E::OutOfRange, 42},
      {true, 42, "0.99 897", E::BadEccentricity, 42},
      {true, 62, "361.0000", E::OutOfRange, 62},
      {true, 72, "  89.73.", E::BadInclination, 72},
      {true, 82, "20261322", E::BadEpoch, 82},
      {true, 82, "2026O922", E::BadEpoch, 82},
      {true, 82, "20260230", E::BadEpoch, 82},
      {true, 92, "-2-0", E::BadAbsoluteMagnitude, 92},
      {true, 97, "4.0x", E::BadSlopeParameter, 97},
      {true, 15, "6001", E::OutsideSpan, 15},
      {true, 82, "60010101", E::OutsideSpan, 82},
      {true, 103, "C/1995 O1 \xc3\xa9", E::BadName, 103},
  };
  for (const Fault& f : faults) {
    const std::string line = damaged(f);
    MpcOrbit o;
    const bool ok = f.comet ? parseMpcCometLine(o, line) : parseMpcMinorPlanetLine(o, line);
    EXPECT_FALSE(ok) << line;
    EXPECT_EQ(o.error, f.error) << line << ": " << mpcLineErrorName(o.error);
    EXPECT_EQ(o.errorColumn, f.errorColumn) << line;
    if (!ok) {
      EXPECT_TRUE(std::isnan(o.elements.perihelionJdTt) && std::isnan(o.elements.inclination) &&
                  std::isnan(o.epochJdTt) && std::isnan(o.absoluteMagnitude) &&
                  std::isnan(o.slopeParameter))
          << line;
      EXPECT_EQ(o.number, 0);
      EXPECT_EQ(o.name[0], '\0');
      EXPECT_EQ(o.provisional[0], '\0');
      EXPECT_NE(mpcLineErrorName(o.error), "unknown error");
    }
  }
}

// A line is read to its length and no further: from a buffer of exactly that many bytes (so
// that the sanitizer catches a byte beyond), cut where its required columns end, or shorter.
TEST(MpcOrbitsTest, ReadsNoFurtherThanTheLine) {
  const auto exact = [](std::string_view text) {
    std::unique_ptr<char[]> bytes(new char[text.size()]);
    std::memcpy(bytes.get(), text.data(), text.size());
    return bytes;
  };
  const std::string_view ceres = kMinorPlanets[0].line, haleBopp = kComets[0].line;
  MpcOrbit o;
  for (size_t length : {size_t{103}, size_t{176}, ceres.size()}) {
    const auto bytes = exact(ceres.substr(0, length));
    ASSERT_TRUE(parseMpcMinorPlanetLine(o, {bytes.get(), length})) << length;
    EXPECT_STREQ(o.name, length < 172 ? "" : length < 180 ? "(1) C" : "(1) Ceres") << length;
  }
  for (size_t length : {size_t{79}, size_t{91}, size_t{110}}) {
    const auto bytes = exact(haleBopp.substr(0, length));
    ASSERT_TRUE(parseMpcCometLine(o, {bytes.get(), length})) << length;
    EXPECT_EQ(std::isnan(o.absoluteMagnitude), length < 95) << length;
  }
  // A number the line's end cuts is not read as its first digits: g "-2.0" cut to "-2", the
  // epoch "20260922" to "2026" (a year, not a bad date), "20260" or "2026092".
  for (size_t length : {size_t{85}, size_t{86}, size_t{88}, size_t{93}, size_t{99}}) {
    const auto bytes = exact(haleBopp.substr(0, length));
    EXPECT_FALSE(parseMpcCometLine(o, {bytes.get(), length})) << length;
    EXPECT_EQ(o.error, MpcLineError::TooShort) << length;
    EXPECT_EQ(o.errorColumn, static_cast<int>(length) + 1);
  }
  for (size_t length : {size_t{0}, size_t{1}, size_t{102}}) {
    const auto bytes = exact(ceres.substr(0, length));
    EXPECT_FALSE(parseMpcMinorPlanetLine(o, {bytes.get(), length}));
    EXPECT_EQ(o.error, MpcLineError::TooShort);
    EXPECT_EQ(o.errorColumn, static_cast<int>(length) + 1);
  }
  const auto bytes = exact(haleBopp.substr(0, 78));
  EXPECT_FALSE(parseMpcCometLine(o, {bytes.get(), 78}));
  EXPECT_EQ(o.error, MpcLineError::TooShort);
  // A line's end of line is not a column; a NUL inside it is no blank.
  ASSERT_TRUE(parseMpcCometLine(o, std::string(haleBopp) + "\r\n"));
  EXPECT_STREQ(o.name, "C/1995 O1 (Hale-Bopp)");
  std::string nul(haleBopp);
  nul[44] = '\0';
  EXPECT_FALSE(parseMpcCometLine(o, nul));
  EXPECT_EQ(o.error, MpcLineError::BadEccentricity);
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
