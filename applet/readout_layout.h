// Where the readout and the view label sit on the 64x64 face, and where presses on the readout's
// fields land: one definition for the drawing, the editing, main and the tests.
#pragma once

#include <cstdint>

// Glyph cells, 5x6 pixels, the same in the artwork and on the face.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;

// The readout: ten cells from (6, 50) to (55, 55), left to right.
constexpr int kReadoutCells = 10;
constexpr int kReadoutX = 6;
constexpr int kReadoutY = 50;

// The view label: up to three cells from (7, 6), in the top-left of the well.
constexpr int kLabelX = 7;
constexpr int kLabelY = 6;

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
