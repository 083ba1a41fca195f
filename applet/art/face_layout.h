// Written by tools/gen_face.py with face.xpm and face_mask.xbm; edit the generator, not this file.
// Where everything lies in the face artwork and on the face, in pixels from the top-left corner:
// the one place the drawing code, the tests and the bench take these positions from.
#pragma once

namespace dockorrery {

// The artwork: 134x148 pixels in 13 colours, one character a pixel.
constexpr int kArtworkWidth = 134;
constexpr int kArtworkHeight = 148;
constexpr int kArtworkColours = 13;

// The face: the artwork's top-left 64x64, the size of both windows and of the shape mask,
// which keeps the square from (kShapeFirst, kShapeFirst) to (kShapeLast, kShapeLast).
constexpr int kFaceSize = 64;
constexpr int kShapeFirst = 4;
constexpr int kShapeLast = 59;

// The plot well of the face, a square cleared every frame from the black clear block of the
// artwork, of the same size.
constexpr int kWellX = 5;
constexpr int kWellY = 5;
constexpr int kWellSize = 54;
constexpr int kClearBlockX = 5;
constexpr int kClearBlockY = 69;

// Glyph cells, 5x6 pixels, the same in the artwork and on the face: the orange digit d
// at (digitGlyphX(d), kDigitRow) with the point glyph after the nine, the white capital letter
// at (letterGlyphX(letter), kLetterRow).
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;
constexpr int kDigitRow = 57;
constexpr int kLetterRow = 128;
constexpr int digitGlyphX(int digit) { return 66 + kGlyphWidth * digit; }
constexpr int kPointGlyphX = digitGlyphX(10);
constexpr int letterGlyphX(char letter) { return 2 + kGlyphWidth * (letter - 'A'); }

// The body dots: the top-left of each 2x2 cell, by its colour.
struct ArtworkCell {
  int x, y;
};
constexpr int kDotSize = 2;
constexpr ArtworkCell kWhiteDot = {72, 88};
constexpr ArtworkCell kRedDot = {74, 88};
constexpr ArtworkCell kYellowDot = {76, 88};
constexpr ArtworkCell kMagentaDot = {78, 88};
constexpr ArtworkCell kSilverDot = {72, 90};
constexpr ArtworkCell kCyanDot = {74, 90};
constexpr ArtworkCell kGreenDot = {76, 90};
constexpr ArtworkCell kBlueDot = {78, 90};

// On the face: the readout, kReadoutCells glyph cells left to right from (kReadoutX, kReadoutY),
// and the view label, up to three cells from (kLabelX, kLabelY) in the top-left of the well.
constexpr int kReadoutX = 6;
constexpr int kReadoutY = 50;
constexpr int kReadoutCells = 10;
constexpr int kReadoutWidth = kReadoutCells * kGlyphWidth;
constexpr int kLabelX = 7;
constexpr int kLabelY = 6;

}  // namespace dockorrery
