#include "tests/support/xpm_reader.h"

#include <strings.h>

#include <cstdio>
#include <cstring>

namespace {

bool fail(std::string* error, const std::string& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

// "#RRGGBB" or "None" (any case), the only colour forms the artwork uses.
bool parseColour(const char* text, uint32_t& colour) {
  if (strcasecmp(text, "None") == 0) {
    colour = kNoColour;
    return true;
  }
  if (text[0] != '#' || std::strlen(text) != 7) return false;
  colour = 0;
  for (int i = 1; i < 7; ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    colour = colour << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

}  // namespace

bool readXpm(const char* const* lines, XpmPixels& image, std::string* error) {
  int width, height, colours, charsPerPixel;
  char rest;
  if (std::sscanf(lines[0], "%d %d %d %d %c", &width, &height, &colours, &charsPerPixel, &rest) !=
      4) {
    return fail(error, std::string("values line: ") + lines[0]);
  }
  if (width < 1 || width > 4096 || height < 1 || height > 4096 || charsPerPixel != 1 ||
      colours < 1 || colours > 256) {
    return fail(error, std::string("unexpected values line: ") + lines[0]);
  }

  // Colour line: the pixel character, then whitespace-separated key/value pairs; only "c".
  bool known[256] = {};
  uint32_t colourOf[256] = {};
  for (int i = 1; i <= colours; ++i) {
    const char* line = lines[i];
    const auto key = static_cast<unsigned char>(line[0]);
    char keyword[8], value[32];
    if (line[0] == '\0' || std::sscanf(line + 1, " %7s %31s %c", keyword, value, &rest) != 2 ||
        std::strcmp(keyword, "c") != 0 || !parseColour(value, colourOf[key])) {
      return fail(error, std::string("colour line: ") + line);
    }
    if (known[key]) return fail(error, std::string("repeated pixel character: ") + line);
    known[key] = true;
  }

  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const char* row = lines[1 + colours + y];
    if (static_cast<int>(std::strlen(row)) != width) {
      return fail(error,
                  "row " + std::to_string(y) + " is not " + std::to_string(width) + " characters");
    }
    for (int x = 0; x < width; ++x) {
      const auto key = static_cast<unsigned char>(row[x]);
      if (!known[key]) {
        return fail(error, "undeclared pixel character at (" + std::to_string(x) + ", " +
                               std::to_string(y) + ")");
      }
      pixels.push_back(colourOf[key]);
    }
  }
  image = {width, height, std::move(pixels)};
  return true;
}
