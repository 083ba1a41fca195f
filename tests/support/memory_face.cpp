#include "tests/support/memory_face.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "applet/face_art.h"
#include "dock/dock_window.h"

namespace {

using Pixels = uint32_t[kMemoryFaceHeight][kMemoryFaceWidth];

Pixels pixels;
int refreshCount = 0;

bool fail(std::string* error, const std::string& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

bool inside(int x, int y) {
  return x >= 0 && x < kMemoryFaceWidth && y >= 0 && y < kMemoryFaceHeight;
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
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    colour = colour << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

// Fills `target` from XPM lines (values line, colour lines, rows).
bool parseXpm(const char* const* lines, Pixels& target, std::string* error) {
  int width, height, colours, charsPerPixel;
  char rest;
  if (std::sscanf(lines[0], "%d %d %d %d %c", &width, &height, &colours, &charsPerPixel,
                  &rest) != 4) {
    return fail(error, std::string("values line: ") + lines[0]);
  }
  if (width != kMemoryFaceWidth || height != kMemoryFaceHeight || charsPerPixel != 1 ||
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
    if (line[0] == '\0' ||
        std::sscanf(line + 1, " %7s %31s %c", keyword, value, &rest) != 2 ||
        std::strcmp(keyword, "c") != 0 || !parseColour(value, colourOf[key])) {
      return fail(error, std::string("colour line: ") + line);
    }
    if (known[key]) return fail(error, std::string("repeated pixel character: ") + line);
    known[key] = true;
  }

  for (int y = 0; y < height; ++y) {
    const char* row = lines[1 + colours + y];
    if (static_cast<int>(std::strlen(row)) != width) {
      return fail(error, "row " + std::to_string(y) + " is not " + std::to_string(width) +
                             " characters");
    }
    for (int x = 0; x < width; ++x) {
      const auto key = static_cast<unsigned char>(row[x]);
      if (!known[key]) {
        return fail(error, "undeclared pixel character at (" + std::to_string(x) + ", " +
                               std::to_string(y) + ")");
      }
      target[y][x] = colourOf[key];
    }
  }
  return true;
}

std::string render(const Pixels& source, int x0, int y0, int x1, int y1) {
  std::string text;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) text += colourSymbol(inside(x, y) ? source[y][x] : kNoColour);
    text += '\n';
  }
  return text;
}

}  // namespace

bool loadMemoryFace(const char* const* lines, std::string* error) {
  return parseXpm(lines, pixels, error);
}

bool resetMemoryFace(std::string* error) {
  refreshCount = 0;
  return loadMemoryFace(faceXpm, error);
}

uint32_t memoryPixel(int x, int y) { return inside(x, y) ? pixels[y][x] : kNoColour; }

int memoryRefreshCount() { return refreshCount; }

char colourSymbol(uint32_t colour) {
  switch (colour) {
    case kBlack: return '.';
    case kTeal: return 't';
    case kOrange: return 'o';
    case kLightGrey: return '#';
    case kWhite: return 'w';
    case kRed: return 'r';
    case kYellow: return 'y';
    case kMagenta: return 'm';
    case kSilver: return 's';
    case kCyan: return 'c';
    case kGreen: return 'g';
    case kBlue: return 'b';
    case kNoColour: return ' ';
    default: return '?';
  }
}

std::string renderMemoryFace(int x0, int y0, int x1, int y1) {
  return render(pixels, x0, y0, x1, y1);
}

std::string renderArtwork(int x0, int y0, int x1, int y1) {
  static Pixels artwork;
  std::string error;
  if (!parseXpm(faceXpm, artwork, &error)) return "unreadable artwork: " + error;
  return render(artwork, x0, y0, x1, y1);
}

// As XCopyArea within one pixmap: only pixels whose source and destination both lie inside the
// pixmap are copied, the rest of the destination keeps its pixels, and an overlapping copy reads
// every source pixel before it writes any.
void blit(int srcX, int srcY, int width, int height, int destX, int destY) {
  // The offsets i (across) and j (down) that keep both ends inside, in 64 bits against overflow.
  const int64_t iBegin = std::max({int64_t{0}, -int64_t{srcX}, -int64_t{destX}});
  const int64_t iEnd = std::min({int64_t{width}, int64_t{kMemoryFaceWidth} - srcX,
                                 int64_t{kMemoryFaceWidth} - destX});
  const int64_t jBegin = std::max({int64_t{0}, -int64_t{srcY}, -int64_t{destY}});
  const int64_t jEnd = std::min({int64_t{height}, int64_t{kMemoryFaceHeight} - srcY,
                                 int64_t{kMemoryFaceHeight} - destY});
  if (iBegin >= iEnd || jBegin >= jEnd) return;
  std::vector<uint32_t> copied;
  for (int64_t j = jBegin; j < jEnd; ++j) {
    for (int64_t i = iBegin; i < iEnd; ++i) copied.push_back(pixels[srcY + j][srcX + i]);
  }
  auto next = copied.begin();
  for (int64_t j = jBegin; j < jEnd; ++j) {
    for (int64_t i = iBegin; i < iEnd; ++i) pixels[destY + j][destX + i] = *next++;
  }
}

void refreshWindows() { ++refreshCount; }
