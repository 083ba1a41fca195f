// The one composer of expected faces, pixel by pixel: the artwork, the readout and label glyphs
// over it (copied from the artwork's glyph cells) and the bodies' dots, either where a test puts
// them or where the ephemeris does for a FaceModel's date and view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/face_model.h"
#include "tests/support/xharness.h"

// A 2x2 dot with its top-left pixel on the face, in 0xRRGGBB.
struct Dot {
  int x, y;
  uint32_t colour;
};

// The face as the artwork holds it, before anything is drawn.
Face pristineFace();

// The readout `shown`, digits and points, in whole cells from its first cell on.
void paintReadout(Face& face, const std::string& shown);

// The view label `label` (of I, N, O, T and U), in whole cells from its first cell on.
void paintLabel(Face& face, const std::string& label);

// A dot; the part beyond the face isn't shown.
void paintDot(Face& face, const Dot& dot);

// The artwork with the readout `shown`, then `dots` in order, then `label` drawn over it, as a
// frame draws them.
Face composedFace(const std::string& shown, const std::vector<Dot>& dots, const std::string& label);

// Rows of the rectangle (x0, y0)-(x1, y1) of `face`, inclusive, in colourSymbol characters
// (tests/support/memory_face.h), each row ending with a newline: a face as a test shows it.
std::string faceText(const Face& face, int x0, int y0, int x1, int y1);

// The 64x64 face as 0xRRGGBB pixels, row by row, as grabFace returns one, for a model's date and
// view: its bodies where the ephemeris puts them.
Face expectedFace(const FaceModel& model);
