// The click-region table before anything is defined. A binary of its own, because no slot can be
// emptied again once any test has filled it.

#include <gtest/gtest.h>

#include <cstdint>

#include "dock/click_regions.h"

using namespace dockorrery;

TEST(ClickRegionsEmptyTest, EmptyTableFindsNothing) {
  // Zero-initialised slots hold the rectangle (0, 0)-(0, 0): the origin must still miss.
  for (int32_t y = -70; y <= 70; ++y)
    for (int32_t x = -70; x <= 70; ++x) ASSERT_EQ(findClickRegion(x, y), -1) << x << "," << y;
  EXPECT_EQ(findClickRegion(INT32_MIN, INT32_MIN), -1);
  EXPECT_EQ(findClickRegion(INT32_MAX, INT32_MAX), -1);
}
