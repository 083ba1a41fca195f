// The face artwork: the image from which the master pixmap is built, and the window shape.
#pragma once

// XPM data, 134x148 pixels in 13 colours: the values line, 13 colour lines, 148 pixel rows.
extern const char* const* const faceXpm;
constexpr int kFaceXpmLines = 162;

// Glyphs of the artwork, 5x6 cells: the orange digit d at (66 + 5d, 57) with the point glyph
// after the nine, the white capital letter of A..Z at (2 + 5k, 128) for its index k.
constexpr int kDigitRow = 57;
constexpr int kPointGlyphX = 116;
constexpr int kLetterRow = 128;
constexpr int digitGlyphX(int digit) { return 66 + 5 * digit; }
constexpr int letterGlyphX(char letter) { return 2 + 5 * (letter - 'A'); }

// 64x64 XBM bits (8 bytes a row, least significant bit leftmost); set bits are inside the shape.
extern const unsigned char* const faceMaskBits;
constexpr int kFaceMaskWidth = 64;
constexpr int kFaceMaskHeight = 64;
