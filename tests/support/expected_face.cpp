#include "tests/support/expected_face.h"

#include "applet/readout_layout.h"
#include "ephemeris/position.h"
#include "tests/support/face_patterns.h"
#include "tests/support/memory_face.h"

#include <cmath>
#include <stdexcept>

namespace {

// A whole 5x6 cell at (x, y), background included: `ink` where the pattern has an X, else black.
void paintGlyph(Face& face, int x, int y, const GlyphPattern& pattern, uint32_t ink) {
  for (int row = 0; row < 6; ++row) {
    for (int col = 0; col < 5; ++col) {
      face[(y + row) * 64 + x + col] = pattern[row][col] == 'X' ? ink : kBlack;
    }
  }
}

// Sun, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune.
constexpr uint32_t kBodyColours[9] = {kYellow, kGreen, kWhite, kCyan,   kRed,
                                      kSilver, kGreen, kMagenta, kCyan};

// The 2x2 dot of `body` on the Julian Day `jd`, `scale` pixels per AU from the centre pixel
// (32, 32), longitude 0 to the right and growing counter-clockwise; none beyond 27 pixels.
void paintBody(Face& face, int body, double jd, double scale) {
  BodyPosition position;
  computeBodyPosition(position, body, jd);
  const double x = std::floor(position.R * std::cos(position.L) * scale);
  const double y = std::floor(-position.R * std::sin(position.L) * scale);
  if (std::fabs(x) > 27 || std::fabs(y) > 27) return;
  for (int dy = 0; dy < 2; ++dy) {
    for (int dx = 0; dx < 2; ++dx) face[(32 + int(y) + dy) * 64 + 32 + int(x) + dx] = kBodyColours[body];
  }
}

}  // namespace

Face expectedFace(const FaceModel& model) {
  std::string error;
  if (!resetMemoryFace(&error)) throw std::runtime_error("artwork: " + error);
  Face face(64 * 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) face[y * 64 + x] = memoryPixel(x, y);
  }
  // The well is cleared, then readout, dots and label follow in drawing order: later ones cover.
  for (int y = 5; y <= 58; ++y) {
    for (int x = 5; x <= 58; ++x) face[y * 64 + x] = kBlack;
  }
  const std::string readout = model.readout();
  for (size_t j = 0; j < readout.size(); ++j) {
    paintGlyph(face, kReadoutX + kGlyphWidth * static_cast<int>(j), kReadoutY,
               readoutGlyph(readout[j]), kOrange);
  }
  using namespace std::chrono;
  const double jd = sys_days{model.date()}.time_since_epoch().count() + 2440588.0;  // JDN of 12:00
  const double scale = model.outView() ? 0.6 : 9.0;
  paintBody(face, 0, jd, scale);
  for (int body = model.outView() ? 5 : 1, n = 0; n < 4; ++body, ++n) paintBody(face, body, jd, scale);
  const std::string label = model.label();
  for (size_t k = 0; k < label.size(); ++k) {
    paintGlyph(face, kLabelX + kGlyphWidth * static_cast<int>(k), kLabelY, labelGlyph(label[k]),
               kWhite);
  }
  return face;
}
