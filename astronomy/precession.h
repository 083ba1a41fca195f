// Precession of equatorial and ecliptic coordinates between two epochs, and the frames of J2000.0
// and of date.
#pragma once

#include <cstdint>

#include "../base/constants.h"
#include "coordinates.h"

namespace dockorrery {

// The mean right ascension and declination of a direction at one epoch carried to another.
//   Given:    from          mean right ascension and declination at fromJdTt, rad
//             fromJdTt      the epoch of `from`, Julian Day (TT); kJ2000Epoch for J2000.0
//             toJdTt        the epoch wanted, Julian Day (TT)
//   Returned: to            mean right ascension in [0, 2pi) and declination in
//                           [-pi/2, pi/2] at toJdTt, rad
//             (bool)        false, and every field NaN, for an angle that is not finite or an
//                           epoch outside the library's span
//   Span:     kFirstJd up to kEndJd (TT) for both epochs
//   Accuracy: The book's example of theta Persei from J2000.0 to 2028 November 13.19 TD, proper
//             motion applied first, to the book's 0.001s and 0.01". Against IAU 2006
//             (Astronomy Engine's precession, its nutation taken out) at random directions, the
//             two models' rates 0.31" a century apart: from J2000.0 to an epoch of 1800 to 2200,
//             precession from J2000.0 within 0.65"; between two epochs of 1800 to 2200,
//             precession per century between epochs within 0.33"; from J2000.0 to any epoch of
//             the span, where each model's powers of T part, precession over the span within
//             175"; between two epochs of the span, whose angles take those powers of both,
//             precession between epochs over the span within 1900" (measured at 300000 random
//             directions and epochs of each: 0.63", 0.32", 170" and 1890"). Two steps through
//             J2000.0 keep each step to the bounds from J2000.0; the direct rotation agrees with
//             them to 0.001" while both epochs lie within two centuries of 2000, and parts from
//             them beyond (by 0.5 degree at the span's ends).
//   Notes:    The IAU 1976 angles zeta, z and theta for arbitrary epochs, applied as the
//             rotation of the book's eq. 21.4 (no proper motion: apply it before). The
//             rotation's axis and angles make it exact at the poles.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21, eq. 21.2 and 21.4.
[[nodiscard]] bool precessEquatorial(EquatorialCoordinates& to, const EquatorialCoordinates& from,
                                     double fromJdTt, double toJdTt);

// The mean ecliptic longitude and latitude of a direction at one epoch carried to another.
//   Given:    from          mean ecliptic longitude and latitude at fromJdTt, rad
//             fromJdTt      the epoch of `from`, Julian Day (TT); kJ2000Epoch for J2000.0
//             toJdTt        the epoch wanted, Julian Day (TT)
//   Returned: to            mean longitude in [0, 2pi) and latitude in [-pi/2, pi/2] on the
//                           ecliptic and equinox of toJdTt, rad
//             (bool)        false, and every field NaN, for an angle that is not finite or an
//                           epoch outside the library's span
//   Span:     kFirstJd up to kEndJd (TT) for both epochs
//   Accuracy: The book's example of Venus from J2000.0 to -214 June 30.0 TD to the book's
//             0.001 degree. Turned to the equator with the obliquities of the two epochs, it
//             agrees with precessEquatorial, from or to J2000.0, to 0.0011" within three
//             centuries of 2000 and to 90" over the span, where the two sets of polynomials
//             part; between two other epochs to 0.005" while both lie within three centuries of
//             2000 and to 2000" over the span (measured at random directions and epochs:
//             0.00106", 88.6", 0.0043" and 1971", the largest at the span's ends). Against IAU
//             2006 as precessEquatorial through it.
//   Notes:    The IAU 1976 angles eta, Pi and p of the ecliptic for arbitrary epochs, applied
//             as a rotation of the unit vector (exact at the ecliptic's poles). No proper
//             motion.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21, eq. 21.5 to 21.7.
[[nodiscard]] bool precessEcliptic(EclipticCoordinates& to, const EclipticCoordinates& from,
                                   double fromJdTt, double toJdTt);

// Which equinox of date a place of date is referred to: the mean one, where the precession
// alone carries J2000.0; or the true one, the nutation added, which apparent places use.
enum class EquinoxOfDate : int32_t { Mean, True };

// Right ascension and declination on the equator and equinox of J2000.0 turned to those of a
// date: the mean equator and equinox of date, or the true ones.
//   Given:    j2000         right ascension and declination, equator and equinox of J2000.0
//                           (the ICRS to 0.02"), rad
//             jdTt          the date, Julian Day (TT)
//             equinox       Mean: precession alone; True: precession and nutation
//   Returned: ofDate        right ascension in [0, 2pi) and declination in [-pi/2, pi/2] on the
//                           equator and equinox of date chosen, rad
//             (bool)        false, and every field NaN, for an angle that is not finite, a day
//                           outside the library's span or a value outside the enumeration
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: Precession as precessEquatorial's, nutation as computeNutation's; the same
//             direction as computeStarApparentPlace gives before aberration.
//   Notes:    The direction is turned, not moved: no proper motion, parallax or aberration
//             (computeStarApparentPlace adds those). The nutation is the rotation by the mean
//             obliquity, the nutation in longitude and the true obliquity.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21 (eq. 21.2 and 21.4) and 22.
[[nodiscard]] bool equatorialFromJ2000(EquatorialCoordinates& ofDate,
                                       const EquatorialCoordinates& j2000, double jdTt,
                                       EquinoxOfDate equinox);

// Right ascension and declination on the equator and equinox of a date turned back to those
// of J2000.0; the inverse of equatorialFromJ2000 for the same date and equinox.
//   Given:    ofDate        right ascension and declination on the equator and equinox of
//                           date chosen, rad
//             jdTt          the date, Julian Day (TT)
//             equinox       Mean or True, as ofDate is referred
//   Returned: j2000         right ascension in [0, 2pi) and declination in [-pi/2, pi/2],
//                           equator and equinox of J2000.0, rad
//             (bool)        false, and every field NaN, as equatorialFromJ2000
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: The transpose of equatorialFromJ2000's rotation: the two undo each other to
//             rounding.
//   Notes:    No proper motion, parallax or aberration is taken out.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21 and 22.
[[nodiscard]] bool equatorialToJ2000(EquatorialCoordinates& j2000,
                                     const EquatorialCoordinates& ofDate, double jdTt,
                                     EquinoxOfDate equinox);

// Ecliptic longitude and latitude on the ecliptic and equinox of J2000.0 turned to the ecliptic
// of a date and its mean or true equinox.
//   Given:    j2000         longitude and latitude, ecliptic and equinox of J2000.0, rad
//             jdTt          the date, Julian Day (TT)
//             equinox       Mean: precession alone; True: the nutation in longitude added
//   Returned: ofDate        longitude in [0, 2pi) and latitude in [-pi/2, pi/2] on the ecliptic
//                           of date, rad
//             (bool)        false, and every field NaN, as equatorialFromJ2000
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: As precessEcliptic's; the nutation as computeNutation's.
//   Notes:    precessEcliptic from J2000.0; the nutation moves the equinox along the ecliptic,
//             so the true place differs from the mean one in longitude alone.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21 (eq. 21.5 to 21.7) and 22.
[[nodiscard]] bool eclipticFromJ2000(EclipticCoordinates& ofDate, const EclipticCoordinates& j2000,
                                     double jdTt, EquinoxOfDate equinox);

// Ecliptic longitude and latitude of a date turned back to the ecliptic and equinox of
// J2000.0; the inverse of eclipticFromJ2000 for the same date and equinox.
//   Given:    ofDate        longitude and latitude on the ecliptic of date and the equinox
//                           chosen, rad
//             jdTt          the date, Julian Day (TT)
//             equinox       Mean or True, as ofDate is referred
//   Returned: j2000         longitude in [0, 2pi) and latitude in [-pi/2, pi/2], ecliptic and
//                           equinox of J2000.0, rad
//             (bool)        false, and every field NaN, as equatorialFromJ2000
//   Span:     kFirstJd up to kEndJd (TT)
//   Accuracy: The transpose of eclipticFromJ2000's rotation: the two undo each other to
//             rounding.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21 and 22.
[[nodiscard]] bool eclipticToJ2000(EclipticCoordinates& j2000, const EclipticCoordinates& ofDate,
                                   double jdTt, EquinoxOfDate equinox);

}  // namespace dockorrery
