// The face artwork: the image from which the master pixmap is built, and the window shape.
#pragma once

#include "applet/art/face_layout.h"

namespace dockorrery {

// XPM data, one character a pixel: the values line, a line per colour, a line per pixel row.
extern const char* const* const faceXpm;
constexpr int kFaceXpmLines = 1 + kArtworkColours + kArtworkHeight;

// kFaceSize x kFaceSize XBM bits (8 bytes a row, least significant bit leftmost); set bits are
// inside the shape.
extern const unsigned char* const faceMaskBits;
constexpr int kFaceMaskWidth = kFaceSize;
constexpr int kFaceMaskHeight = kFaceSize;

}  // namespace dockorrery
