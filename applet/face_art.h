// The face artwork: the image from which the master pixmap is built, and the window shape.
#pragma once

// XPM data, 134x148 pixels in 13 colours: the values line, 13 colour lines, 148 pixel rows.
extern const char* const* const faceXpm;
constexpr int kFaceXpmLines = 162;

// 64x64 XBM bits (8 bytes a row, least significant bit leftmost); set bits are inside the shape.
extern const unsigned char* const faceMaskBits;
constexpr int kFaceMaskWidth = 64;
constexpr int kFaceMaskHeight = 64;
