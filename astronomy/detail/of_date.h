// What every place of date at one instant shares, computed once and passed along: the nutation
// and the obliquities, for the apparent place, the sidereal time that turns it to an observer's
// sky and the searches that take many such places. Internal to the library's routines.
#pragma once

#include <optional>

#include "astronomy/apparent.h"
#include "astronomy/nutation.h"
#include "astronomy/orbits.h"
#include "astronomy/detail/motion.h"
#include "astronomy/pluto.h"

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

// The first instant (TT) of Pluto's places of date: a day before its fit's first day, so that
// the rising and setting of that first day (UT) hold for any delta T they take (under a day).
constexpr double kPlutoFirstPlaceJd = kPlutoFirstJd - 1.0;
// The longest light time from Pluto, days: 52 AU, further than it ever is from the Earth.
constexpr double kPlutoLongestLightTime = 0.3;

// computePlutoPosition from kPlutoFirstPlaceJd less kPlutoLongestLightTime, where the place of
// date's light left Pluto, up to kPlutoEndJd (TT); false and NaN outside.
bool plutoPositionOfDate(PlutoPosition& position, double jdTt);

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

// Rotations of rectangular vectors, as 3x3 matrices acting on column vectors.
void rotationAboutX(double m[3][3], double angle);  // turns y towards z by `angle`, rad
void rotationAboutZ(double m[3][3], double angle);  // turns x towards y by `angle`, rad
void multiply(double product[3][3], const double a[3][3], const double b[3][3]);  // a b
// out = m v, or its transpose's when `transpose`; out may be v.
void rotate(const double m[3][3], const double v[3], double out[3], bool transpose);

// The IAU 1976 precession from the mean equator and equinox of `fromJdTt` to those of `toJdTt`
// (TT), eq. 21.2 and 21.4 of Meeus as a matrix.
void equatorialPrecession(double m[3][3], double fromJdTt, double toJdTt);

// The IAU 1976 precession from the mean ecliptic and equinox of `fromJdTt` to those of `toJdTt`
// (TT), eq. 21.5 and 21.7 of Meeus as a matrix.
void eclipticPrecession(double m[3][3], double fromJdTt, double toJdTt);

// The nutation of `ofDate`: from the mean equator and equinox of date to the true ones.
void nutationRotation(double m[3][3], const OfDate& ofDate);

// The Earth's heliocentric motion on the mean ecliptic and equinox of `jdTt` (TT), AU and AU per
// day, for the aberration and annual parallax of stars: the Earth-Moon barycentre on its
// Keplerian ellipse of date (the book's mean elements of the Sun, ch. 25), less the Earth's
// month about it (the Moon's two largest terms, ch. 47, on a circle). Against the series'
// Earth its velocity keeps to 1.7e-4 of itself within three centuries of 2000 and 4.2e-4 over
// the span (0.004" and 0.009" of aberration: the planets' pulls), its place to 5e-4 AU, at a
// twentieth of the series' cost.
Motion earthMotionForStars(double jdTt);

}  // namespace dockorrery::detail
