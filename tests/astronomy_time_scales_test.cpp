// Delta T against Astronomy Engine's (tools/astronomy-fixture/make-delta-t.mjs), which evaluates
// the same polynomials of Espenak and Meeus: the tolerance is the largest difference at 200000
// instants from -2000 to 6000, rounded up. The README's table of differences quotes both, and
// time_scales.h the tolerance, by the name of the table below (readme_tables checks them). How
// the caller's own delta T replaces the model's, here and in rise and set, is checked in
// astronomy_test.cpp.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "astronomy/time_scales.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The fixture helpers, the tables of quantities and the units of their differences.
using namespace fixture;

// The reference evaluates the same polynomials of Espenak and Meeus; it keeps time as days from
// J2000.0, so its TT - UT carries the rounding of those days: the bound is the reference's.
TEST(AstronomyTest, DeltaTAgreesWithAstronomyEngine) {
  const Table table = readTable("astronomy_delta_t.csv");
  ASSERT_GE(table.rows.size(), 800u);
  struct Epoch {
    std::string at;
    double jdUt;
    double reference;  // the reference's delta T, s
  };
  const Quantity<Epoch> quantities[] = {
      {"delta T", "s", 1.1e-5,
       [](const Epoch& e) { return std::vector{deltaT(e.jdUt) - e.reference}; }},
  };
  std::vector<Epoch> epochs;
  for (const auto& row : table.rows) {
    epochs.push_back({row.at("ut_jd"), number(row, "ut_jd"), number(row, "delta_t")});
  }
  compare(quantities, epochs);
}

}  // namespace
