// Reading the reference fixtures of tests/data (tools/astronomy-fixture) and keeping the largest
// difference of a quantity from them, for the tests of the astronomy library.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ephemeris/constants.h"
#include "tests/support/fixture_file.h"

namespace fixture {

// One row of a fixture file, each field by column name.
using Row = std::map<std::string, std::string>;

// One fixture file: the rows after the '#' note and the header.
struct Table {
  std::vector<Row> rows;
};

inline Table readTable(const std::string& name) {
  FixtureTable file = readFixtureTable(SOURCE_DIR, name);
  EXPECT_TRUE(file.complete) << name << ": missing, or a row of another number of fields";
  return Table{file.rows};
}

inline double number(const Row& row, const std::string& column) {
  return fixtureNumber(row, column);
}

// An angle difference reduced into (-pi, pi].
inline double angleDifference(double a, double b) { return std::remainder(a - b, 2.0 * kPi); }

// The largest absolute difference of one quantity over the fixture, checked against its
// tolerance when the test ends, and printed for the README.
struct Largest {
  Largest(const char* q, const char* u, double t) : quantity(q), unit(u), tolerance(t) {}
  const char* quantity;
  const char* unit;
  double tolerance;
  double value = 0.0;
  std::string where;

  void add(double difference, const std::string& at) {
    EXPECT_LE(std::fabs(difference), tolerance) << quantity << " at " << at;
    if (std::fabs(difference) > value) {
      value = std::fabs(difference);
      where = at;
    }
  }
  ~Largest() {
    std::printf("largest difference, %s: %.3g %s (at %s)\n", quantity, value, unit, where.c_str());
  }
};

constexpr double kArcsecondsPerRadian = 1.0 / kArcsecond;
constexpr double kSecondsPerRadianOfTime = 86400.0 / (2.0 * kPi);

}  // namespace fixture
