// The apparent sidereal time from a nutation already computed, for the routines that take a
// place and the sidereal time at one instant. Internal to the library; not installed.
#pragma once

#include "astronomy/detail/of_date.h"

namespace dockorrery::detail {

// Greenwich apparent sidereal time, rad in [0, 2pi), at Julian Day `jdUt` (UT): the mean sidereal
// time there plus the equation of the equinoxes of `ofDate`; NaN outside the span.
double apparentSiderealTime(double jdUt, const OfDate& ofDate);

}  // namespace dockorrery::detail
