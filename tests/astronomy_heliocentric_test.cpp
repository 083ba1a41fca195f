// A planet's heliocentric position and velocity from one pass over its series, which the
// apparent places take their light time from, against the series' own place and its change.
// The series against the full VSOP87D are ephemeris_accuracy_test.cpp's.

#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/detail/heliocentric.h"
#include "base/constants.h"
#include "ephemeris/position.h"

using namespace dockorrery;

namespace {

// A planet's motion from one pass over its series is its place from the series, and its velocity
// the series' own change over a hundredth of a day either side, at instants across the span.
TEST(AstronomyTest, HeliocentricMotionIsTheSeriesPlaceAndItsChange) {
  const auto cartesian = [](int body, double jd, double (&v)[3]) {
    BodyPosition p;
    computeBodyPosition(p, body, jd);
    v[0] = p.R * std::cos(p.B) * std::cos(p.L);
    v[1] = p.R * std::cos(p.B) * std::sin(p.L);
    v[2] = p.R * std::sin(p.B);
  };
  constexpr double kStep = 0.01;  // days
  for (int body = 1; body <= 8; ++body) {
    for (double jd : {kFirstJd, 2451545.0, 2461385.5, kEndJd - 1.0}) {
      detail::Motion m;
      detail::heliocentricMotion(body, jd, m);
      double now[3], later[3], earlier[3];
      cartesian(body, jd, now);
      cartesian(body, jd + kStep, later);
      cartesian(body, jd - kStep, earlier);
      const double position[] = {m.x, m.y, m.z}, velocity[] = {m.vx, m.vy, m.vz};
      for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(position[i], now[i], 1e-10) << body << " " << jd;  // 15 m: sums' orders
        // The central difference's own error: h^2/6 of the acceleration's change (3e-9 AU/day
        // for Mercury) and, at the span's ends, the places' rounding (1e-11 rad) over 2h.
        EXPECT_NEAR(velocity[i], (later[i] - earlier[i]) / (2.0 * kStep), 1e-8)
            << body << " " << jd;
      }
    }
  }
  detail::Motion sun;
  detail::heliocentricMotion(0, 2451545.0, sun);
  EXPECT_TRUE(sun.x == 0.0 && sun.y == 0.0 && sun.z == 0.0 && sun.vx == 0.0 && sun.vy == 0.0 &&
              sun.vz == 0.0);
}

}  // namespace
