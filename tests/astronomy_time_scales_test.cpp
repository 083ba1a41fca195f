// Delta T against the values its table is made from (astronomy/data/delta_t, tools/
// extract_delta_t.py): the tolerance is the largest difference over every value from 1900,
// rounded up. The library's README's table of differences quotes it, and time_scales.h the
// tolerance, by the name of the table below (readme_tables checks them). How the caller's own
// delta T replaces the model's, here and in rise and set, is checked in astronomy_test.cpp.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astronomy/time_scales.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The fixture helpers, the tables of quantities and the units of their differences.
using namespace fixture;

// The values the table is made from, from 1900: the observed ones (half-yearly, to 1984) and the
// IERS daily ones (1973 to 2023), each given at an instant of TT, so delta T earlier in UT.
// Between its values the table is linear, every fifth day: within a millisecond of the daily
// ones, and of the observed ones but where the two series overlap (1973 to 1984, 4 ms apart).
TEST(AstronomyTest, DeltaTAgreesWithItsSources) {
  struct Value {
    std::string at;
    double jdUt;
    double reference;  // the published delta T, s
  };
  std::vector<Value> values;
  for (const char* name : {"historic.csv", "iers_daily.csv"}) {
    for (const auto& row : readDataTable(std::string("astronomy/data/delta_t/") + name).rows) {
      const double seconds = number(row, "delta_t");
      const double jdUt = number(row, "tt_jd") - seconds / kSecondsPerDay;
      if (jdUt >= 2415020.5) values.push_back({name + (": " + row.at("tt_jd")), jdUt, seconds});
    }
  }
  ASSERT_GT(values.size(), 18500u);
  const Quantity<Value> quantities[] = {
      {"delta T", "s", 0.005,
       [](const Value& v) { return std::vector{deltaT(v.jdUt) - v.reference}; }},
  };
  compare(quantities, values);
  // Today, beyond the values: the IERS's measured TT - UT1 of 2025 and 2026 is about 69.1 s
  // (32.184 s, 37 leap seconds and UT1 - UTC near +0.1 s, its Bulletin A); the prediction from
  // the last value keeps within a second of it.
  EXPECT_NEAR(deltaT(2461385.5), 69.1, 1.0);  // 2026 December 11
}

// Where the pieces of the curve meet (the past's splines, the observed values, the prediction,
// the long-term parabola) delta T is continuous: no step larger than a day's change allows.
TEST(AstronomyTest, DeltaTIsContinuous) {
  double last = deltaT(kFirstJd);
  for (double jd = kFirstJd + 0.25; jd < kEndJd; jd += 0.25) {
    const double now = deltaT(jd);
    ASSERT_TRUE(std::isfinite(now)) << jd;
    // The parabola changes by 0.07 s a day at most within the span; the measured values by
    // less than 0.01 s.
    ASSERT_LT(std::fabs(now - last), 0.08) << jd;
    last = now;
  }
}
}  // namespace
