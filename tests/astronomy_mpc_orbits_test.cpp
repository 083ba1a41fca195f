// The Minor Planet Center's one-line orbits: real lines of MPCORB.DAT and CometEls.txt
// (tests/support/mpc_lines.h) and what each holds, the packed designations, the book's comet
// Encke as a line and its place, one case of each error with the column it points to, and a line
// read to its length and no further. What the readers promise for any bytes at all is checked by
// the hostile-input test and the fuzzer (tests/support/mpc_line_promises.h).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "astronomy/mpc_orbits.h"
#include "astronomy/orbits.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/vector.h"
#include "base/constants.h"
#include "tests/support/classical_orbit.h"
#include "tests/support/mpc_lines.h"

using namespace dockorrery;

namespace {

using classical::kGauss;
using namespace mpc_lines;

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

}  // namespace
