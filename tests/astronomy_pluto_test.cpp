// Pluto's span: within it a place, outside it NaN and a false status. Its places against the
// book and Astronomy Engine are in astronomy_test.cpp, with the other quantities of the fixture
// of instants.

#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/pluto.h"

using namespace dockorrery;

namespace {

// Pluto's series holds from 1885 January 1 up to 2100 January 1, 0h TT; outside it there is no
// position, only NaN and a false status.
TEST(AstronomyTest, PlutoHoldsOnlyWithinItsSpan) {
  for (double jdTt : {kPlutoFirstJd - 1e-6, kPlutoEndJd}) {
    PlutoPosition pluto{};
    EXPECT_FALSE(computePlutoPosition(pluto, jdTt)) << jdTt;
    EXPECT_TRUE(std::isnan(pluto.longitude) && std::isnan(pluto.latitude) &&
                std::isnan(pluto.distanceAu))
        << jdTt;
  }
  for (double jdTt : {kPlutoFirstJd, kPlutoEndJd - 1e-6}) {
    PlutoPosition pluto;
    EXPECT_TRUE(computePlutoPosition(pluto, jdTt)) << jdTt;
    EXPECT_GT(pluto.distanceAu, 29.0) << jdTt;
    EXPECT_LT(pluto.distanceAu, 50.0) << jdTt;
  }
}

}  // namespace
