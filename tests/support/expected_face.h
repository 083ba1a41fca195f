// The whole face the applet should show for a FaceModel's date and view, pixel by pixel: the
// artwork, the readout and label glyphs over it and the bodies' dots where the ephemeris puts them.
#pragma once

#include "tests/support/face_model.h"
#include "tests/support/xharness.h"

// The 64x64 face as 0xRRGGBB pixels, row by row, as grabFace returns one.
Face expectedFace(const FaceModel& model);
