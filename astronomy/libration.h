// The Moon's libration, the position angle of its axis and the selenographic place of the Sun:
// the physical ephemeris a lunar observer reads off before a night at the telescope.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// How the Moon turns its face to the centre of the Earth at an instant.
struct MoonLibration {
  double longitude;      // total libration in longitude l: the selenographic longitude of the
                         // centre of the disk, rad in (-pi, pi], positive towards Mare Crisium
  double latitude;       // total libration in latitude b: the centre's selenographic latitude,
                         // rad in [-pi/2, pi/2], positive when the north pole is tilted to us
  double positionAngle;  // P, the position angle of the Moon's northern axis from the north
                         // point of the disk (true equator of date) through east, rad in
                         // [-pi/2, pi/2]
  double sunLongitude;   // l0, the selenographic longitude of the Sun, rad in (-pi, pi]; the
                         // colongitude is pi/2 - l0
  double sunLatitude;    // b0, the selenographic latitude of the Sun, rad in [-pi/2, pi/2]
};

// The Moon's libration in longitude and latitude (optical and physical), the position angle of
// its axis and the selenographic longitude and latitude of the Sun, seen from the centre of the
// Earth.
//   Given:    jdTt        Julian Day (TT)
//   Returned: libration   l and b, P, l0 and b0, rad
//             (bool)      false, and every field NaN, outside the library's span or for a
//                         non-finite day
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: The book's example 53.a to its digits: l' = -1.206, b' = +4.194 (the optical
//             part), rho, sigma and tau, l = -1.23, b = +4.20, P = 15.08 and the Sun's
//             b0 = +1.46 degrees; its l0 = 67.90 to 0.007 degree, the nutation in longitude
//             that day, which the reduction here takes out of the Sun's place as of the Moon's.
//             Against Astronomy Engine's Libration (the same physical libration on its own Moon)
//             at 300 instants of 1900 to 2100: libration in longitude within 0.004 degree and
//             libration in latitude within 0.0016 degree, which the two Moons' places set.
//             Against the IAU rotation model of the Moon (its pole and prime meridian, a theory
//             of the physical libration of its own, as Astronomy Engine computes them) at the
//             same instants: the centre of the disk, libration by the IAU model within 0.03
//             degree; axis position angle within 0.008 degree; the Sun's place, selenographic
//             Sun within 0.03 degree (on the Moon's surface), which the two theories' poles set.
//   Notes:    The optical libration from the apparent place of computeApparentPlace less the
//             nutation in longitude, on the Moon's mean equator inclined by I = 1.54242 degrees
//             to the ecliptic (Cassini's laws); the physical libration from the book's series in
//             rho, sigma and tau. P from the apparent right ascension and the true obliquity.
//             The Sun's place is the same reduction of the Sun's direction seen from the Moon:
//             its apparent longitude moved by the Moon's offset from the centre of the Earth.
//             Seen from the centre of the Earth: an observer's
//             topocentric libration differs by up to a degree (the Moon's parallax).
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 53 (example 53.a).
[[nodiscard]] bool computeMoonLibration(MoonLibration& libration, double jdTt);

}  // namespace dockorrery
