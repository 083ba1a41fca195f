// XPM data read into 0xRRGGBB pixels, as the tests and the harness compare faces with the
// artwork. Only what the artwork uses: one character per pixel, colours "#RRGGBB" or "None".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The colour of a "None" pixel: no 0xRRGGBB value has these bits.
constexpr uint32_t kNoColour = 0xFF000000u;

struct XpmPixels {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // row by row
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads XPM lines (the values line, the colour lines, the pixel rows) into `image`. False, with
// the reason in `error`, when they don't parse: a malformed values or colour line, a repeated or
// undeclared pixel character, or a row of another width.
bool readXpm(const char* const* lines, XpmPixels& image, std::string* error = nullptr);
