// The steps of an idle frame that draw into the master pixmap, all by copying cells of the artwork.
#pragma once

#include <cstdint>

namespace dockorrery {

// Draws the selected date as dd.mm.yyyy into the readout cells (6 + 5j, 50), at most ten cells.
void drawDateReadout();

// Draws OUT when the chart scale is exactly 0.6, else IN, at (7, 6) in the top-left of the well.
void drawViewLabel();

// Draws the Sun and the four bodies of the current view as 2x2 dots around the face pixel (32, 32).
void drawOrbitChart();

// Projects longitude L (rad) and radius R (AU) at `scale` pixels per AU to a whole-pixel offset
// from the chart centre, y growing downwards; false when either offset lies outside -27..27.
bool chartOffset(double L, double R, double scale, int32_t& x, int32_t& y);

}  // namespace dockorrery
