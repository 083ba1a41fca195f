// Pluto's places of date a little before its fit's first day, for the apparent places that reach
// back a light time and the rising and setting of its first day. Internal to the library; not
// installed.
#pragma once

#include "astronomy/pluto.h"

namespace dockorrery::detail {

// The first instant (TT) of Pluto's places of date: a day before its fit's first day, so that
// the rising and setting of that first day (UT) hold for any delta T they take (under a day).
constexpr double kPlutoFirstPlaceJd = kPlutoFirstJd - 1.0;
// The longest light time from Pluto, days: 52 AU, further than it ever is from the Earth.
constexpr double kPlutoLongestLightTime = 0.3;

// computePlutoPosition from kPlutoFirstPlaceJd less kPlutoLongestLightTime, where the place of
// date's light left Pluto, up to kPlutoEndJd (TT); false and NaN outside.
bool plutoPositionOfDate(PlutoPosition& position, double jdTt);

}  // namespace dockorrery::detail
