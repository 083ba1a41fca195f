#include "dock/click_regions.h"

namespace dockorrery {

// Process-wide, all slots empty at start; a slot is only ever filled or overwritten.
static ClickRegion clickRegions[kMaxClickRegions];

void defineClickRegion(int32_t index, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  // Out-of-range indices, negative ones included, are ignored: nothing outside the table is written.
  if (index < 0 || index >= kMaxClickRegions) return;
  // Stored as given: a region with left > right or top > bottom can never be hit.
  clickRegions[index] = ClickRegion{1, top, bottom, left, right};
}

int32_t findClickRegion(int32_t x, int32_t y) {
  // Index order, so where regions overlap the lowest index wins.
  for (int32_t i = 0; i < kMaxClickRegions; ++i) {
    const ClickRegion& region = clickRegions[i];
    if (region.enabled != 0 && region.left <= x && x <= region.right && region.top <= y &&
        y <= region.bottom)
      return i;
  }
  return -1;
}

}  // namespace dockorrery
