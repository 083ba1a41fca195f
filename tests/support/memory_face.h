// An in-memory master pixmap for drawing tests: supplies blit and refreshWindows in place of the
// X ones, over the pixels of the real face artwork, read from faceXpm by the tests' XPM reader
// (tests/support/xpm_reader.h), not by libXpm.
#pragma once

#include <cstdint>
#include <string>

#include "applet/art/face_layout.h"
#include "tests/support/xpm_reader.h"

// Pixel colours as 0xRRGGBB; kNoColour for "None" and for coordinates outside the pixmap.
constexpr uint32_t kBlack = 0x000000, kTeal = 0x79BDBF, kOrange = 0xFFBF50, kLightGrey = 0xD0D0D0,
                   kWhite = 0xFFFFFF, kRed = 0xFF0000, kYellow = 0xFFFF00, kMagenta = 0xFF00FF,
                   kSilver = 0xC0C0C0, kCyan = 0x00FFFF, kGreen = 0x00FF00, kBlue = 0x0008FF;

// Reloads every pixel from faceXpm and zeroes the refresh count. False, with the reason in
// `error`, when the artwork doesn't parse as a kArtworkWidth x kArtworkHeight XPM with one
// character per pixel.
bool resetMemoryFace(std::string* error = nullptr);

// Reads XPM lines (values line, colour lines, rows) into the pixmap; used by resetMemoryFace.
bool loadMemoryFace(const char* const* lines, std::string* error);

uint32_t memoryPixel(int x, int y);

// A pixel of the artwork as faceXpm holds it, whatever has been drawn into the pixmap since;
// kNoColour when the artwork doesn't parse.
uint32_t artworkPixel(int x, int y);

// Number of refreshWindows calls since the last reset.
int memoryRefreshCount();

// One character per colour, for pictures of a region in tests and failure messages:
// . black  t teal  o orange  # light grey  w white  r red  y yellow  m magenta  s silver
// c cyan  g green  b blue  ' ' None  ? any other colour.
char colourSymbol(uint32_t colour);

// Rows of the rectangle (x0, y0)-(x1, y1), inclusive, in colourSymbol characters, each row
// ending with a newline.
std::string renderMemoryFace(int x0, int y0, int x1, int y1);

// The same picture of the artwork as loaded, whatever has been drawn into the pixmap since.
std::string renderArtwork(int x0, int y0, int x1, int y1);
