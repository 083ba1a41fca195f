// Reading the reference fixtures of tests/data (tools/astronomy-fixture) and keeping the largest
// differences of quantities from them, for the tests of the astronomy library.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "astronomy/rise_set.h"
#include "base/body.h"
#include "base/constants.h"
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

// A table of the tree's published data: `path` from the top of the source tree.
inline Table readDataTable(const std::string& path) {
  FixtureTable file = readCsvTable(std::string(SOURCE_DIR) + "/" + path);
  EXPECT_TRUE(file.complete) << path << ": missing, or a row of another number of fields";
  return Table{file.rows};
}

// The body the fixture names ("Sun", "Mercury", ... "Moon", "Pluto", the names of Body); a name
// it does not know fails the test.
inline dockorrery::Body bodyNamed(const std::string& name) {
  const char* const names[] = {"Sun",    "Mercury", "Venus",   "Earth", "Mars", "Jupiter",
                               "Saturn", "Uranus",  "Neptune", "Moon",  "Pluto"};
  for (int i = 0; i < 11; ++i) {
    if (name == names[i]) return static_cast<dockorrery::Body>(i);
  }
  ADD_FAILURE() << "no body " << name;
  return dockorrery::Body::Earth;
}

inline double number(const Row& row, const std::string& column) {
  return fixtureNumber(row, column);
}

// An angle difference reduced into (-pi, pi].
inline double angleDifference(double a, double b) {
  return std::remainder(a - b, 2.0 * dockorrery::kPi);
}

// A quantity compared with the reference over the cases of a fixture: its name, unit and tolerance,
// which the README's table of differences quotes, and its differences from the reference in one
// case, in that unit (none where the case is not one of its). A time at which a body crosses an
// altitude may differ by as much more as its altitude takes to change by `altitude`, arcmin (a case
// of such a quantity gives `secondsPerArcminute`, its own rate).
template <typename Case>
struct Quantity {
  const char* name;
  const char* unit;
  double tolerance;
  std::vector<double> (*differences)(const Case&);
  double altitude = 0.0;
};

// The differences of a case that is one of a quantity's; none for the others.
inline std::vector<double> onlyIf(bool applies, std::vector<double> differences) {
  return applies ? differences : std::vector<double>{};
}

// Checks each difference of each case (named by its member `at`) against its quantity's tolerance,
// and prints the largest of each quantity, for the README.
template <typename Case, std::size_t N>
void compare(const Quantity<Case> (&quantities)[N], const std::vector<Case>& cases) {
  for (const Quantity<Case>& quantity : quantities) {
    double largest = 0.0;
    std::string where;
    for (const Case& c : cases) {
      double allowed = quantity.tolerance;
      if constexpr (requires { c.secondsPerArcminute; }) {
        allowed += quantity.altitude * c.secondsPerArcminute;
      }
      for (double difference : quantity.differences(c)) {
        EXPECT_LE(std::fabs(difference), allowed) << quantity.name << " at " << c.at;
        if (std::fabs(difference) > largest) {
          largest = std::fabs(difference);
          where = c.at;
        }
      }
    }
    std::printf("largest difference, %s: %.3g %s (at %s)\n", quantity.name, largest, quantity.unit,
                where.c_str());
  }
}

// Walks two lists of events in order of their peaks (Julian Days) side by side: both(i, j) for
// this library's i-th and the reference's j-th where their peaks lie within `window` days of each
// other, oursOnly(i) or theirsOnly(j) for an event that one list holds and the other does not.
template <typename Both, typename OursOnly, typename TheirsOnly>
void mergeByPeaks(const std::vector<double>& ours, const std::vector<double>& theirs,
                  double window, Both both, OursOnly oursOnly, TheirsOnly theirsOnly) {
  std::size_t i = 0, j = 0;
  while (i < ours.size() || j < theirs.size()) {
    const double mine = i < ours.size() ? ours[i] : INFINITY;
    const double reference = j < theirs.size() ? theirs[j] : INFINITY;
    if (std::fabs(mine - reference) < window) {
      both(i++, j++);
    } else if (mine < reference) {
      oursOnly(i++);
    } else {
      theirsOnly(j++);
    }
  }
}

// A rising, transit or setting that this library and the reference both find: how much later
// this library finds it, s, and how long the body's altitude takes there to change by an
// arcminute (0 at a transit, whose time is the hour angle's).
struct Crossing {
  std::string at;
  int kind;  // the index of its quantity in the test's table
  double difference;
  double secondsPerArcminute = 0.0;
};

// The differences of the crossings of the quantity of index `kind`; none of the others.
template <int kind>
std::vector<double> crossingsOf(const Crossing& c) {
  return onlyIf(c.kind == kind, {c.difference});
}

// A day's rising, transit and setting by the names of the fixture's columns: whether this library
// finds each, and when, JD (UT).
struct DayEvent {
  const char* name;
  bool has;
  double jdUt;
};
inline std::array<DayEvent, 3> dayEvents(const dockorrery::RiseTransitSet& events) {
  return {{{"rise", events.hasRise, events.riseJdUt},
           {"transit", events.hasTransit, events.transitJdUt},
           {"set", events.hasSet, events.setJdUt}}};
}

constexpr double kArcsecondsPerRadian = 1.0 / dockorrery::kArcsecond;
constexpr double kSecondsPerRadianOfTime = 86400.0 / (2.0 * dockorrery::kPi);

}  // namespace fixture
