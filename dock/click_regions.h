// Numbered rectangles of the face, hit-tested in window coordinates.
#pragma once

#include <cstdint>

namespace dockorrery {

// One slot; all four bounds are inclusive.
struct ClickRegion {
  int32_t enabled, top, bottom, left, right;
};

constexpr int kMaxClickRegions = 100;

// Fills slot `index` (0..99) with the rectangle; any other index is ignored.
void defineClickRegion(int32_t index, int32_t left, int32_t top, int32_t right, int32_t bottom);

// Lowest index of an enabled region containing (x, y), or -1 when none does.
int32_t findClickRegion(int32_t x, int32_t y);

}  // namespace dockorrery
