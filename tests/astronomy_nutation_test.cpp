// The nutation's table against the range of multiples its sums are built for. The nutation and
// the obliquity against the book and Astronomy Engine are in astronomy_test.cpp, with the other
// quantities of the fixture of instants.

#include <gtest/gtest.h>

#include <algorithm>

#include "astronomy/detail/periodic_terms.h"
#include "astronomy/tables/terms.h"

using namespace dockorrery;

namespace {

// The nutation's sums take each term's argument as a product of powers of e^(i X) from the
// lowest multiple to the highest: every multiple of the table lies between them, and each end
// is taken by some term (so a changed table cannot fall outside, nor the range be wider than
// it needs).
TEST(AstronomyTest, NutationMultiplesLieInTheirRange) {
  int lowest = 0, highest = 0;
  for (const NutationTerm& term : kNutationTerms) {
    for (int k : {term.D, term.M, term.Mp, term.F, term.omega}) {
      lowest = std::min(lowest, k);
      highest = std::max(highest, k);
    }
  }
  EXPECT_EQ(lowest, kLowestNutationMultiple);
  EXPECT_EQ(highest, kHighestNutationMultiple);
}

}  // namespace
