// Apparent geocentric place of the Sun, the Moon, the planets and Pluto, and the topocentric place
// seen by an observer on the Earth.
#pragma once

#include <optional>

#include "coordinates.h"
#include "refraction.h"
#include "../base/body.h"

namespace dockorrery {

// Where a body appears from the centre of the Earth: light time, aberration and nutation applied,
// referred to the true equator (and the true ecliptic) and equinox of date.
struct ApparentPlace {
  double jdTt;                        // Julian Day (TT) it was filled for
  EclipticCoordinates ecliptic;       // true ecliptic and equinox of date, rad
  EquatorialCoordinates equatorial;   // true equator and equinox of date, rad
  double distanceAu;                  // true distance from the centre of the Earth at jdTt, AU
};

// Where a body appears to `observer` at the surface of the Earth (or at its height above it):
// the apparent place less the observer's displacement from the centre of the Earth (parallax,
// about 1 degree for the Moon, 9" or less for the Sun and planets). No refraction, no diurnal
// aberration (0.3" at most).
struct TopocentricPlace {
  double jdUt;                        // Julian Day (UT) it was filled for
  EquatorialCoordinates equatorial;   // topocentric, true equator and equinox of date, rad
  HorizontalCoordinates horizontal;   // azimuth from north through east, altitude, rad
  double distanceAu;                  // from the observer, AU
};

// The apparent geocentric place of a body: light time, aberration and nutation applied.
//   Given:    body     any Body but Body::Earth
//             jdTt     Julian Day (TT)
//   Returned: place    true ecliptic and true equator and equinox of date, rad; the distance, AU,
//                      the true one at jdTt
//             (bool)   false, and every angle and the distance NaN, for Body::Earth or a value
//                      outside the enumeration, outside the library's span or for a non-finite
//                      day; for Pluto, outside its span below too
//   Span:     kFirstJd up to kEndJd (TT); Pluto from a day before kPlutoFirstJd up to
//             kPlutoEndJd, so that the rising and setting of the fit's first day hold for any
//             delta T: its fit is taken back by that day and Pluto's light time (under 0.3 day)
//             before its first day, where its terms hold as on it
//   Accuracy: Against Astronomy Engine at 10000 instants from 1900 to 2100: apparent Sun within
//             2.4" and apparent planets within 23", bounds the reference sets (it truncates
//             VSOP87 for its 1', and takes the IAU 2006 precession and IAU 2000B nutation; the
//             abridged VSOP87D series here keep the Earth to 0.9" and the planets to 3.3" of the
//             full one, heliocentric); apparent Moon within 16", which this library's theory sets
//             (the abridged ELP of 60 + 60 terms reaches 18" from the full ELP 2000-82B, the
//             reference's own Moon 8"); apparent Pluto within 12", which the fit to DE200 sets
//             against the reference's modern orbit. The distance is the true one at jdTt, the
//             reference's the light's path: apparent distance, relative within 2e-4 (the radial
//             velocity over c). The ecliptic and equatorial places are one place turned by the
//             true obliquity, whose theories differ: ecliptic against equator within 0.12".
//   Notes:    The Sun and the planets come from the abridged VSOP87D series, seen along the
//             light that left them at jdTt - tau (tau the light time): the body's position then
//             less the Earth's position then is the direction light time and annual aberration
//             together give, to 0.1" at Neptune. Then the FK5 correction of the series' frame,
//             the nutation (IAU 1980) and the true obliquity. Pluto from its fit to DE200
//             (J2000.0, precessed to the date); the Moon from the abridged ELP-2000/82 (its light
//             time is in its mean longitude; its aberration cancels with the Earth's own) with
//             the nutation.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 25 (the Sun, example 25.b), 32 (the
//             FK5 correction, eq. 32.3), 33 (the planets, example 33.a), 37 (Pluto), 21
//             (precession), 47 (the Moon, example 47.a) and 22 (nutation).
[[nodiscard]] bool computeApparentPlace(ApparentPlace& place, Body body, double jdTt);

// The topocentric place of a body: its apparent place seen by an observer on the Earth.
//   Given:    body            any Body but Body::Earth
//             jdUt            Julian Day (UT)
//             observer        longitude and latitude, rad; height, metres above the reference
//                             ellipsoid (IAU 1976: 6378.14 km, flattening 1/298.257)
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: place           topocentric right ascension and declination (true equator and
//                             equinox of date), azimuth and altitude, rad; the distance from
//                             the observer, AU
//             (bool)          false, and every angle and the distance NaN, where
//                             computeApparentPlace fails, for a latitude outside [-pi/2, pi/2],
//                             a non-finite longitude, delta T or height, or a height more than
//                             12 km below sea level
//   Span:     as computeApparentPlace's, in UT
//   Accuracy: Against Astronomy Engine at 10000 instants from 1900 to 2100, each for an
//             observer of its own from pole to pole and up to 4.5 km high: topocentric Moon
//             within 16", topocentric Sun within 2.4" and topocentric azimuth and altitude
//             within 16", bounds the apparent places set; the topocentric less the geocentric
//             place, parallax alone within 0.22", which the Moon's distance (to 1e-4 of it) and
//             the two models of the Earth's figure set.
//   Notes:    The apparent place of computeApparentPlace at jdUt + delta T, seen from the
//             observer's place on the Earth turned by the apparent sidereal time; one nutation,
//             the TT instant's, serves both (the theory's own time argument).
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 11 (the figure of the Earth) and 40
//             (parallax, example 40.a).
[[nodiscard]] bool computeTopocentricPlace(TopocentricPlace& place, Body body, double jdUt,
                                           const Observer& observer,
                                           std::optional<double> deltaTSeconds = std::nullopt);

// The topocentric place of a body as the observer sees it through the air: its altitude
// refracted.
//   Given:    body            any Body but Body::Earth
//             jdUt            Julian Day (UT)
//             observer        longitude and latitude, rad; height, metres above the reference
//                             ellipsoid
//             atmosphere      the air's pressure, hPa, in [0, 1200], and temperature, degrees C,
//                             in [-100, 100], at the observer; Atmosphere{} for the standard air
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: place           as computeTopocentricPlace's, but for the altitude: the apparent
//                             altitude through the air, rad, in [-pi/2, pi/2]
//             (bool)          false, and every angle and the distance NaN, where
//                             computeTopocentricPlace fails or for a pressure or temperature
//                             outside its range
//   Span:     as computeApparentPlace's, in UT
//   Accuracy: The airless altitude as computeTopocentricPlace's, refracted as
//             refractedAltitude's (Astronomy Engine's refraction to 0.01").
//   Notes:    The airless altitude of computeTopocentricPlace through refractedAltitude
//             (Saemundsson's formula scaled for the air, tapered below -1 degree). Refraction
//             lifts a direction towards the zenith, so the azimuth, the right ascension and the
//             declination are those of the airless place.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 16 and 40.
[[nodiscard]] bool computeTopocentricPlace(TopocentricPlace& place, Body body, double jdUt,
                                           const Observer& observer, const Atmosphere& atmosphere,
                                           std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
