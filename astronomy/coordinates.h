// Conversions between ecliptic, equatorial and horizontal coordinates.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// Ecliptic longitude and latitude, rad, referred to the ecliptic and equinox the caller chose.
struct EclipticCoordinates {
  double longitude;  // [0, 2pi)
  double latitude;   // [-pi/2, pi/2]
};

// Right ascension and declination, rad, referred to the equator and equinox the caller chose.
struct EquatorialCoordinates {
  double rightAscension;  // [0, 2pi)
  double declination;     // [-pi/2, pi/2]
};

// Azimuth measured from the north through the east (north 0, east pi/2), and altitude above the
// astronomical horizon, rad; no refraction.
struct HorizontalCoordinates {
  double azimuth;   // [0, 2pi)
  double altitude;  // [-pi/2, pi/2]
};

// A place on the Earth: geographic longitude, positive east of Greenwich (west is negative), and
// latitude, positive north, rad; height above sea level, m.
struct Observer {
  double longitude;
  double latitude;
  double height = 0.0;
};

// An observer from degrees, in the order maps and Astronomy Engine give them.
//   Given:    latitudeDegrees    degrees, north positive
//             longitudeDegrees   degrees, east positive
//             heightMetres       m above sea level
//   Returned: (Observer)         the angles taken from degrees to rad, which every routine takes
constexpr Observer observerFromDegrees(double latitudeDegrees, double longitudeDegrees,
                                       double heightMetres = 0.0) {
  return {longitudeDegrees * kDegree, latitudeDegrees * kDegree, heightMetres};
}

// Equatorial coordinates of a direction given in ecliptic coordinates.
//   Given:    ecliptic     longitude and latitude, rad
//             obliquity    obliquity of the ecliptic, rad: the mean obliquity for mean
//                          coordinates, the true one for apparent coordinates
//   Returned: equatorial   right ascension and declination, rad, of the same equinox; NaN in
//                          every field when an input is not finite
//   Accuracy: Exact to rounding for any angles. Astronomy Engine's Moon of date turned with
//             trueObliquity at 10000 instants from 1900 to 2100 gives its own equatorial place,
//             ecliptic to equatorial within 0.12": the two theories of the obliquity.
//   Notes:    A rotation about the equinox.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., eq. 13.3 and 13.4.
void eclipticToEquatorial(EquatorialCoordinates& equatorial, const EclipticCoordinates& ecliptic,
                          double obliquity);

// Ecliptic coordinates of a direction given in equatorial coordinates; the inverse of
// eclipticToEquatorial for the same obliquity.
//   Given:    equatorial   right ascension and declination, rad
//             obliquity    obliquity of the ecliptic, rad
//   Returned: ecliptic     longitude and latitude, rad; NaN in every field when an input is not
//                          finite
//   Accuracy: As above, equatorial to ecliptic within 0.12".
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 13.
void equatorialToEcliptic(EclipticCoordinates& ecliptic, const EquatorialCoordinates& equatorial,
                          double obliquity);

// Azimuth and altitude of a direction given in equatorial coordinates of date.
//   Given:    equatorial     right ascension and declination of date, rad
//             observer       longitude and latitude, rad (its height is not used)
//             siderealTime   Greenwich sidereal time, rad: apparent sidereal time with apparent
//                            coordinates, mean with mean
//   Returned: horizontal     azimuth from the north through the east and altitude, rad; NaN in
//                            every field when an input is not finite
//   Accuracy: Astronomy Engine's Moon of date turned with apparentSiderealTime at 10000 instants
//             from 1900 to 2100 for six observers gives its own azimuth and altitude, horizontal
//             coordinates within 0.41": the two sidereal times.
//   Notes:    The local hour angle is siderealTime + longitude - rightAscension. At a pole the
//             azimuth is the limit of the formula (the meridian of `longitude` counts as north).
//             The altitude is taken by atan2, full precision at the zenith and the nadir.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 13.
void equatorialToHorizontal(HorizontalCoordinates& horizontal,
                            const EquatorialCoordinates& equatorial, const Observer& observer,
                            double siderealTime);

// Right ascension and declination of a direction given in azimuth and altitude; the inverse of
// equatorialToHorizontal for the same observer and sidereal time.
//   Given:    horizontal     azimuth from the north through the east and altitude, rad (no
//                            refraction: take it off first with unrefractedAltitude)
//             observer       longitude and latitude, rad (its height is not used)
//             siderealTime   Greenwich sidereal time, rad: apparent or mean, as the coordinates
//                            wanted are apparent or mean
//   Returned: equatorial     right ascension in [0, 2pi) and declination in [-pi/2, pi/2] of
//                            date, rad
//             (bool)         false, and every field NaN, when an input is not finite
//   Accuracy: Exact to rounding: turned back with equatorialToHorizontal, every direction of a
//             grid over the sphere (the poles, the zenith and the nadir among them) for observers
//             from pole to pole comes back within 4e-15 rad; the book's example 13.b turned
//             round to the book's 0.0001 degree of azimuth and altitude.
//   Notes:    Any finite angles name a direction, as in equatorialToHorizontal. At the zenith
//             and the nadir the azimuth does not count; at a celestial pole the right ascension
//             is the formula's limit.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 13, eq. 13.5 and 13.6 turned round.
[[nodiscard]] bool horizontalToEquatorial(EquatorialCoordinates& equatorial,
                                          const HorizontalCoordinates& horizontal,
                                          const Observer& observer, double siderealTime);

}  // namespace dockorrery
