// A walk through the events a "next event" search finds, each asked from the very instant (the
// same double) the search returned for the one before, as a caller stepping through them asks:
// the harness the tests of every such search share.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace walk {

inline std::string day(double jd) {
  char text[32];
  std::snprintf(text, sizeof text, "JD %.10f", jd);
  return text;
}

// The instants `next(jd)` returns (a Julian Day, NaN where the search fails) from `start` on,
// each asked from the one before, up to the last before `end`. Each must follow the instant it
// was asked from by more than `leastGap` days, a good part of the shortest span between two such
// events (the same event found again a hair later is not the next). The search's `resolution`
// (days, as its header states it) is checked on the first few: asked from within it before an
// event, the search takes the event as the start's own and finds the one after; from twice it
// before, the event itself again. A failure ends the walk.
template <typename Next>
std::vector<double> eventsFrom(const std::string& what, double start, double end, double leastGap,
                               double resolution, Next next) {
  std::vector<double> found;
  for (double from = start;;) {
    const double at = next(from);
    const double gap = at - from;
    if (!(found.empty() ? gap > 0.0 : gap > leastGap)) {
      ADD_FAILURE() << what << ": asked from " << day(from) << ", found " << day(at);
      return found;
    }
    if (at >= end) return found;
    if (found.size() < 3) {
      const double within = next(at - 0.5 * resolution), before = next(at - 2.0 * resolution);
      EXPECT_GT(within - at, leastGap) << what << " from within the resolution of " << day(at);
      EXPECT_LE(std::fabs(before - at), resolution) << what << " from before " << day(at);
    }
    found.push_back(at);
    from = at;
  }
}

}  // namespace walk
