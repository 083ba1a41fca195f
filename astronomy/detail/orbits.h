// The geocentric place of a body on a Keplerian orbit as a vector, for the apparent place and the
// magnitudes of minor bodies. Internal to the library; not installed.
#pragma once

#include "astronomy/orbits.h"
#include "astronomy/detail/vector.h"

namespace dockorrery::detail {

// The geocentric direction of a body on a Keplerian orbit, ecliptic and equinox of J2000.0, AU:
// light time applied, and annual aberration when `aberration` (the Earth a light time before);
// `distanceAu` the true distance at jdTt; the Earth's heliocentric place at jdTt in `earth`, when
// given, for the callers that need it too. False where computeOrbitPosition fails.
bool orbitGeocentricJ2000(Vector& v, double& distanceAu, const OrbitalElements& elements,
                          double jdTt, bool aberration, Vector* earth = nullptr);

}  // namespace dockorrery::detail
