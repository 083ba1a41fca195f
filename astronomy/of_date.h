// What every place of date at one instant shares, computed once and passed along: the nutation
// and the obliquities, for the apparent place, the sidereal time that turns it to an observer's
// sky and the searches that take many such places. Internal to the library's routines.
#pragma once

#include <optional>

#include "astronomy/apparent.h"
#include "astronomy/nutation.h"
#include "astronomy/orbits.h"

namespace dockorrery::detail {

// The nutation and obliquity of the ecliptic at one instant.
struct OfDate {
  double jdTt;           // Julian Day (TT) they hold for
  Nutation nutation;     // rad
  double meanObliquity;  // rad
  double trueObliquity;  // rad, the mean plus the nutation in obliquity
};

// Fills `ofDate` for Julian Day `jdTt` (TT), one nutation; false, every angle NaN, outside the
// library's span or for a non-finite day.
bool ofDateAt(OfDate& ofDate, double jdTt);

// Greenwich apparent sidereal time, rad in [0, 2pi), at Julian Day `jdUt` (UT): the mean sidereal
// time there plus the equation of the equinoxes of `ofDate`; NaN outside the span.
double apparentSiderealTime(double jdUt, const OfDate& ofDate);

// A rectangular vector on the ecliptic and equinox of J2000.0 turned to the mean ecliptic and
// equinox of `jdTt` (TT), and back (IAU 1976 precession, Meeus eq. 21.5 and 21.6).
void precessEclipticFromJ2000(double v[3], double jdTt);
void precessEclipticToJ2000(double v[3], double jdTt);

// The geocentric direction of a body on a Keplerian orbit, ecliptic and equinox of J2000.0, AU:
// light time applied, and annual aberration when `aberration` (the Earth a light time before);
// `distanceAu` the true distance at jdTt; the Earth's heliocentric place at jdTt in `earth`, when
// given, for the callers that need it too. False where computeOrbitPosition fails.
bool orbitGeocentricJ2000(double v[3], double& distanceAu, const OrbitalElements& elements,
                          double jdTt, bool aberration, double* earth = nullptr);

// computeApparentPlace at ofDate.jdTt with its nutation and obliquity.
bool apparentPlace(ApparentPlace& place, Body body, const OfDate& ofDate);

// The apparent place of `body` at Julian Day `jdTt` (TT) and the apparent sidereal time (rad) at
// `jdUt` (UT), the same instant on the two scales, with one nutation: that of jdTt, the
// dynamical time the theory of nutation takes. False, as computeApparentPlace, where the place
// or the sidereal time fails.
bool placeAndSiderealTime(ApparentPlace& place, double& siderealTime, Body body, double jdUt,
                          double jdTt);

// computeTopocentricPlace, with the apparent sidereal time (rad) it turned the place by.
bool topocentricPlace(TopocentricPlace& place, double& siderealTime, Body body, double jdUt,
                      const Observer& observer, std::optional<double> deltaTSeconds);

}  // namespace dockorrery::detail
