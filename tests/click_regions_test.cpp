// Hit-testing the click-region table. The table is process-wide and slots can't be emptied, so
// each test defines everything it relies on and works in an area of the plane of its own; the
// tests then pass in any order, whether or not they share a process.

#include <gtest/gtest.h>

#include <cstdint>

#include "applet/readout_layout.h"
#include "dock/click_regions.h"

using namespace dockorrery;

namespace {

struct Probe {
  int32_t x, y, expected;
};

void expectProbes(std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(findClickRegion(p.x, p.y), p.expected) << "at (" << p.x << ", " << p.y << ")";
}

TEST(ClickRegionsTest, AppletRegionsHaveInclusiveBounds) {
  defineReadoutRegions();
  for (const ReadoutField& f : kReadoutFields) {
    const int32_t r = f.region, midX = (f.left + f.right) / 2, midY = (f.top + f.bottom) / 2;
    // Every corner included; beyond the top and the bottom nothing, beyond the sides the
    // neighbouring field or nothing.
    const int32_t leftOf = r == RegionDay ? -1 : r - 1, rightOf = r == RegionYear ? -1 : r + 1;
    expectProbes({{f.left, f.top, r},
                  {f.right, f.top, r},
                  {f.left, f.bottom, r},
                  {f.right, f.bottom, r},
                  {midX, midY, r},
                  {midX, f.top - 1, -1},
                  {midX, f.bottom + 1, -1},
                  {f.left - 1, midY, leftOf},
                  {f.right + 1, midY, rightOf}});
  }
  expectProbes({{32, 32, -1}, {0, 0, -1}, {63, 63, -1}});
}

TEST(ClickRegionsTest, OverlapGoesToTheLowerIndex) {
  defineClickRegion(7, 1000, 1000, 1100, 1100);
  defineClickRegion(5, 1050, 1050, 1200, 1200);
  expectProbes({{1075, 1075, 5}, {1050, 1050, 5}, {1100, 1100, 5},  // inside both
                {1010, 1010, 7}, {1150, 1150, 5}, {1201, 1150, -1}});
}

TEST(ClickRegionsTest, IndexOutsideTheTableIsIgnored) {
  defineReadoutRegions();
  defineClickRegion(99, 2000, 2000, 2010, 2010);
  // Each would otherwise widen or move the rectangle of a slot at either end of the table, or
  // add one of its own.
  for (int32_t index : {100, 1000, INT32_MAX, -1, -100, INT32_MIN}) {
    SCOPED_TRACE(index);
    defineClickRegion(index, 2000, 2000, 2100, 2100);
    defineClickRegion(index, 0, 0, 10, 10);
    // Nothing new is found, and the slots at both ends of the table are as they were.
    expectProbes({{2000, 2000, 99}, {2010, 2010, 99}, {2011, 2005, -1}, {2055, 2055, -1},
                  {5, 5, -1}, {kReadoutFields[0].left, kReadoutFields[0].top, 0}});
  }
}

TEST(ClickRegionsTest, RedefinitionReplacesTheSlot) {
  defineReadoutRegions();
  const ReadoutField& day = kReadoutFields[RegionDay];
  defineClickRegion(RegionDay, 4000, 4000, 4010, 4010);
  expectProbes({{4005, 4005, RegionDay}, {day.left, day.top, -1}, {day.right, day.bottom, -1}});
  defineReadoutRegions();  // back as the applet has it
  expectProbes({{day.left, day.top, RegionDay}, {4005, 4005, -1}});
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
