#include "tests/support/expected_face.h"

#include <chrono>
#include <cmath>

#include "applet/art/face_layout.h"
#include "ephemeris/position.h"
#include "tests/support/memory_face.h"

using namespace dockorrery;

namespace {

// The artwork's glyph cell at (glyphX, glyphY) copied whole to (x, y) on the face.
void paintGlyph(Face& face, int x, int y, int glyphX, int glyphY) {
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int col = 0; col < kGlyphWidth; ++col) {
      face[(y + row) * kFaceSize + x + col] = artworkPixel(glyphX + col, glyphY + row);
    }
  }
}

// Sun, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune.
constexpr uint32_t kBodyColours[9] = {kYellow, kGreen, kWhite, kCyan,   kRed,
                                      kSilver, kGreen, kMagenta, kCyan};

// The dot of `body` on the Julian Day `jd`, `scale` pixels per AU from the centre pixel (32, 32),
// longitude 0 to the right and growing counter-clockwise; none beyond 27 pixels.
void addBody(std::vector<Dot>& dots, int body, double jd, double scale) {
  BodyPosition position;
  computeBodyPosition(position, body, jd);
  const double x = std::floor(position.R * std::cos(position.L) * scale);
  const double y = std::floor(-position.R * std::sin(position.L) * scale);
  if (std::fabs(x) > 27 || std::fabs(y) > 27) return;
  dots.push_back({32 + static_cast<int>(x), 32 + static_cast<int>(y), kBodyColours[body]});
}

}  // namespace

Face pristineFace() {
  Face face(kFaceSize * kFaceSize);
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) face[y * kFaceSize + x] = artworkPixel(x, y);
  }
  return face;
}

void paintReadout(Face& face, const std::string& shown) {
  for (size_t j = 0; j < shown.size(); ++j) {
    const int glyphX = shown[j] == '.' ? kPointGlyphX : digitGlyphX(shown[j] - '0');
    paintGlyph(face, kReadoutX + kGlyphWidth * static_cast<int>(j), kReadoutY, glyphX, kDigitRow);
  }
}

void paintLabel(Face& face, const std::string& label) {
  for (size_t k = 0; k < label.size(); ++k) {
    paintGlyph(face, kLabelX + kGlyphWidth * static_cast<int>(k), kLabelY, letterGlyphX(label[k]),
               kLetterRow);
  }
}

void paintDot(Face& face, const Dot& dot) {
  for (int y = dot.y; y < dot.y + kDotSize && y < kFaceSize; ++y) {
    for (int x = dot.x; x < dot.x + kDotSize && x < kFaceSize; ++x) {
      face[y * kFaceSize + x] = dot.colour;
    }
  }
}

Face composedFace(const std::string& shown, const std::vector<Dot>& dots,
                  const std::string& label) {
  // The artwork's well is as black as the clear step leaves it.
  Face face = pristineFace();
  paintReadout(face, shown);
  for (const Dot& dot : dots) paintDot(face, dot);
  paintLabel(face, label);
  return face;
}

std::string faceText(const Face& face, int x0, int y0, int x1, int y1) {
  std::string text;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) text += colourSymbol(pixelAt(face, x, y));
    text += '\n';
  }
  return text;
}

Face expectedFace(const FaceModel& model) {
  using namespace std::chrono;
  const double jd = sys_days{model.date()}.time_since_epoch().count() + 2440588.0;  // JDN of 12:00
  const double scale = model.outView() ? 0.6 : 9.0;
  std::vector<Dot> dots;
  addBody(dots, 0, jd, scale);
  for (int body = model.outView() ? 5 : 1, n = 0; n < 4; ++body, ++n) addBody(dots, body, jd, scale);
  return composedFace(model.readout(), dots, model.label());
}
