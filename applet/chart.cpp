#include <cmath>
#include <cstdint>

#include "applet/art/face_layout.h"
#include "applet/date_state.h"
#include "applet/drawing.h"
#include "dock/dock_window.h"
#include "ephemeris/position.h"

namespace dockorrery {

namespace {

constexpr int kCentre = 32;        // face pixel of the Sun
constexpr double kReach = 27.0;    // offsets beyond this leave the plot well

// Each body's dot in the artwork, by body index.
constexpr ArtworkCell kDotCells[9] = {
    kYellowDot,   // Sun
    kGreenDot,    // Mercury
    kWhiteDot,    // Venus
    kCyanDot,     // Earth
    kRedDot,      // Mars
    kSilverDot,   // Jupiter
    kGreenDot,    // Saturn
    kMagentaDot,  // Uranus
    kCyanDot,     // Neptune
};

void plotBody(BodyPosition& position, int body) {
  computeBodyPosition(position, body, selectedJd);
  int32_t x, y;
  if (!chartOffset(position.L, position.R, chartScale, x, y)) return;
  blit(kDotCells[body].x, kDotCells[body].y, kDotSize, kDotSize, kCentre + x, kCentre + y);
}

}  // namespace

bool chartOffset(double L, double R, double scale, int32_t& x, int32_t& y) {
  // Seen from the ecliptic north pole: longitude 0 to the right, 90 degrees up (y grows down).
  // Multiplied in this grouping: another one rounds differently and can move a dot a pixel.
  const double X = (std::cos(L) * R) * scale;
  const double Y = ((-std::sin(L)) * R) * scale;
  const double floorX = std::floor(X);
  const double floorY = std::floor(Y);
  // Tested as doubles before any conversion: NaN fails every comparison, and values far
  // beyond 32 bits must never reach the integer conversion.
  if (!(floorX >= -kReach && floorX <= kReach && floorY >= -kReach && floorY <= kReach)) {
    return false;
  }
  x = static_cast<int32_t>(floorX);
  y = static_cast<int32_t>(floorY);
  return true;
}

void drawOrbitChart() {
  BodyPosition position;
  plotBody(position, 0);  // the Sun first, so any planet over it covers it
  const int first = chartScale == kScaleOut ? 5 : 1;
  for (int body = first; body < first + 4; ++body) plotBody(position, body);
}

}  // namespace dockorrery
