// The apparent and topocentric places from a nutation already computed, with the sidereal time
// they were turned by, for the routines that take many places. Internal to the library; not
// installed.
#pragma once

#include <optional>

#include "astronomy/apparent.h"
#include "astronomy/detail/of_date.h"

namespace dockorrery::detail {

// computeApparentPlace at ofDate.jdTt with its nutation and obliquity.
bool apparentPlace(ApparentPlace& place, Body body, const OfDate& ofDate);

// The apparent place of `body` at Julian Day `jdTt` (TT) and the apparent sidereal time (rad) at
// `jdUt` (UT), the same instant on the two scales, with one nutation: that of jdTt, the
// dynamical time the theory of nutation takes. False, as computeApparentPlace, where the place
// or the sidereal time fails.
bool placeAndSiderealTime(ApparentPlace& place, double& siderealTime, Body body, double jdUt,
                          double jdTt);

// Every angle and the distance of a place NaN, as a failure leaves them.
void fillNan(ApparentPlace& place);
void fillNan(TopocentricPlace& place);

// computeTopocentricPlace, with the apparent sidereal time (rad) it turned the place by.
bool topocentricPlace(TopocentricPlace& place, double& siderealTime, Body body, double jdUt,
                      const Observer& observer, std::optional<double> deltaTSeconds);

}  // namespace dockorrery::detail
