#include "tests/support/memory_face.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "applet/face_art.h"
#include "dock/dock_window.h"
#include "tests/support/xpm_reader.h"

using namespace dockorrery;

namespace {

using Pixels = uint32_t[kArtworkHeight][kArtworkWidth];

Pixels pixels;
int refreshCount = 0;

bool fail(std::string* error, const std::string& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

bool inside(int x, int y) {
  return x >= 0 && x < kArtworkWidth && y >= 0 && y < kArtworkHeight;
}

// Fills `target` from XPM lines, which must make a picture of the artwork's size.
bool parseFace(const char* const* lines, Pixels& target, std::string* error) {
  XpmPixels image;
  if (!readXpm(lines, image, error)) return false;
  if (image.width != kArtworkWidth || image.height != kArtworkHeight) {
    return fail(error, std::string("unexpected values line: ") + lines[0]);
  }
  for (int y = 0; y < kArtworkHeight; ++y) {
    for (int x = 0; x < kArtworkWidth; ++x) target[y][x] = image.at(x, y);
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
  return parseFace(lines, pixels, error);
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

uint32_t artworkPixel(int x, int y) {
  static Pixels artwork;
  static const bool parsed = parseFace(faceXpm, artwork, nullptr);
  return parsed && inside(x, y) ? artwork[y][x] : kNoColour;
}

std::string renderArtwork(int x0, int y0, int x1, int y1) {
  static Pixels artwork;
  std::string error;
  if (!parseFace(faceXpm, artwork, &error)) return "unreadable artwork: " + error;
  return render(artwork, x0, y0, x1, y1);
}

// As XCopyArea within one pixmap: only pixels whose source and destination both lie inside the
// pixmap are copied, the rest of the destination keeps its pixels, and an overlapping copy reads
// every source pixel before it writes any.
void dockorrery::blit(int srcX, int srcY, int width, int height, int destX, int destY) {
  // The offsets i (across) and j (down) that keep both ends inside, in 64 bits against overflow.
  const int64_t iBegin = std::max({int64_t{0}, -int64_t{srcX}, -int64_t{destX}});
  const int64_t iEnd = std::min({int64_t{width}, int64_t{kArtworkWidth} - srcX,
                                 int64_t{kArtworkWidth} - destX});
  const int64_t jBegin = std::max({int64_t{0}, -int64_t{srcY}, -int64_t{destY}});
  const int64_t jEnd = std::min({int64_t{height}, int64_t{kArtworkHeight} - srcY,
                                 int64_t{kArtworkHeight} - destY});
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

void dockorrery::refreshWindows() { ++refreshCount; }
