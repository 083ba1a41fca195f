// Reading the reference fixtures of tests/data (tools/astronomy-fixture) and keeping the largest
// difference of a quantity from them, for the tests of the astronomy library.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ephemeris/constants.h"

namespace fixture {

// One row of a fixture file, each field by column name.
using Row = std::map<std::string, std::string>;

// One fixture file: the rows after the '#' note and the header.
struct Table {
  std::vector<Row> rows;
};

inline Table readTable(const std::string& name) {
  Table table;
  std::ifstream in(std::string(SOURCE_DIR) + "/tests/data/" + name);
  EXPECT_TRUE(in) << name;
  std::string line;
  std::vector<std::string> header;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) fields.push_back(field);
    if (line.back() == ',') fields.emplace_back();
    if (header.empty()) {
      header = fields;
      continue;
    }
    EXPECT_EQ(fields.size(), header.size()) << line;
    Row row;
    for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
    table.rows.push_back(row);
  }
  return table;
}

inline double number(const Row& row, const std::string& column) {
  return std::stod(row.at(column));
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
