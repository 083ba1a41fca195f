// Where presses on the readout's fields land: one definition for the editing, main and the tests.
// Where the readout and the view label are drawn is part of the face's layout.
#pragma once

#include <cstdint>

#include "applet/art/face_layout.h"
#include "dock/click_regions.h"

namespace dockorrery {

// The click regions over the readout's day, month and year, defined at start-up.
enum { RegionDay = 0, RegionMonth = 1, RegionYear = 2 };

// A field of the readout as a click region: its index and its rectangle in face pixels, inclusive.
struct ReadoutField {
  int32_t region, left, top, right, bottom;
};

// Day, month and year, left to right, each a little larger than its digits; together they span
// x 4..60 and y 52..59 without a gap.
constexpr ReadoutField kReadoutFields[3] = {
    {RegionDay, 4, 52, 20, 59},
    {RegionMonth, 21, 52, 33, 59},
    {RegionYear, 34, 52, 60, 59},
};

// Defines the click region of each field of kReadoutFields.
inline void defineReadoutRegions() {
  for (const ReadoutField& field : kReadoutFields) {
    defineClickRegion(field.region, field.left, field.top, field.right, field.bottom);
  }
}

}  // namespace dockorrery
