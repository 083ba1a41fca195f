// Hit-testing the click-region table. The table is process-wide and slots can't be emptied, so
// each test defines everything it relies on and works in an area of the plane of its own; the
// tests then pass in any order, whether or not they share a process.

#include <gtest/gtest.h>

#include <cstdint>

#include "dock/click_regions.h"

namespace {

struct Probe {
  int32_t x, y, expected;
};

void expectProbes(std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(findClickRegion(p.x, p.y), p.expected) << "at (" << p.x << ", " << p.y << ")";
}

// The readout's day, month and year, as the applet defines them at start-up.
void defineApplet() {
  defineClickRegion(0, 4, 52, 20, 59);
  defineClickRegion(1, 21, 52, 33, 59);
  defineClickRegion(2, 34, 52, 60, 59);
}

TEST(ClickRegionsTest, AppletRegionsHaveInclusiveBounds) {
  defineApplet();
  expectProbes({
      {4, 52, 0},  {20, 55, 0},  {4, 59, 0},  {12, 56, 0},   // day, corners included
      {21, 55, 1}, {33, 52, 1},  {27, 59, 1},                // month
      {34, 59, 2}, {60, 59, 2},  {60, 52, 2}, {47, 55, 2},   // year
      {61, 55, -1}, {10, 51, -1}, {10, 60, -1}, {3, 55, -1}, // just outside each side
      {32, 32, -1}, {0, 0, -1},   {63, 63, -1},
  });
}

TEST(ClickRegionsTest, OverlapGoesToTheLowerIndex) {
  defineClickRegion(7, 1000, 1000, 1100, 1100);
  defineClickRegion(5, 1050, 1050, 1200, 1200);
  expectProbes({{1075, 1075, 5}, {1050, 1050, 5}, {1100, 1100, 5},  // inside both
                {1010, 1010, 7}, {1150, 1150, 5}, {1201, 1150, -1}});
}

TEST(ClickRegionsTest, IndexOutsideTheTableIsIgnored) {
  defineClickRegion(99, 2000, 2000, 2010, 2010);
  // 100 and 1000 would otherwise widen or move the last slot's rectangle or add one of their own.
  defineClickRegion(100, 2000, 2000, 2100, 2100);
  defineClickRegion(1000, 2050, 2050, 2060, 2060);
  defineClickRegion(INT32_MAX, 2050, 2050, 2060, 2060);
  expectProbes({{2000, 2000, 99}, {2010, 2010, 99}, {2011, 2005, -1}, {2055, 2055, -1}});
}

TEST(ClickRegionsTest, NegativeIndexIsIgnored) {
  defineApplet();
  defineClickRegion(99, 2000, 2000, 2010, 2010);
  defineClickRegion(-1, 3000, 3000, 3010, 3010);
  defineClickRegion(-100, 3000, 3000, 3010, 3010);
  defineClickRegion(INT32_MIN, 3000, 3000, 3010, 3010);
  // Nothing new is found, and the slots at both ends of the table are as they were.
  expectProbes({{3005, 3005, -1}, {3000, 3000, -1}, {4, 52, 0}, {2000, 2000, 99}});
}

TEST(ClickRegionsTest, RedefinitionReplacesTheSlot) {
  defineClickRegion(0, 4, 52, 20, 59);
  defineClickRegion(0, 4000, 4000, 4010, 4010);
  expectProbes({{4005, 4005, 0}, {12, 55, -1}, {4, 52, -1}});
  defineApplet();  // back as the applet has it
  expectProbes({{12, 55, 0}, {4005, 4005, -1}});
}

TEST(ClickRegionsTest, InvertedBoundsAreNeverHit) {
  defineClickRegion(10, 5010, 5000, 5000, 5010);  // left > right
  defineClickRegion(11, 6000, 6010, 6010, 6000);  // top > bottom
  expectProbes({{5000, 5005, -1}, {5005, 5005, -1}, {5010, 5005, -1},
                {6005, 6000, -1}, {6005, 6005, -1}, {6005, 6010, -1}});
}

TEST(ClickRegionsTest, CoordinatesCompareAsSignedNumbers) {
  defineClickRegion(20, -10, -7010, 10, -7000);
  defineClickRegion(21, INT32_MIN, INT32_MIN, INT32_MIN + 5, INT32_MIN + 5);
  expectProbes({{-5, -7005, 20}, {-10, -7010, 20}, {10, -7000, 20}, {0, -7005, 20},
                {-11, -7005, -1}, {11, -7005, -1}, {-5, -6999, -1},
                {INT32_MIN, INT32_MIN, 21}, {INT32_MIN + 6, INT32_MIN, -1}});
}

}  // namespace
