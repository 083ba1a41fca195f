// Stars from a catalogue: the apparent place of date, the place seen by an observer, and the
// rising, transit and setting.
#pragma once

#include <optional>

#include "apparent.h"
#include "coordinates.h"
#include "refraction.h"
#include "rise_set.h"
#include "../base/constants.h"

namespace dockorrery {

// A star as a catalogue gives it: its place on the equator and equinox of J2000.0 (the ICRS, to
// 0.02") at the catalogue's epoch, and its motion. A quantity the catalogue does not know is 0.
struct CatalogueStar {
  EquatorialCoordinates place;      // right ascension and declination at epochJdTt, rad
  double properMotionRightAscension;  // mu alpha cos delta: the motion on the sky along the
                                      // parallel (as Hipparcos and Gaia give it, not the rate of
                                      // the right ascension itself), rad per Julian year
  double properMotionDeclination;   // rad per Julian year
  double parallax;                  // rad; 0 for a distance unknown
  double radialVelocityKmPerS;      // km/s, positive receding
  double epochJdTt = kJ2000Epoch;   // the epoch of `place`, Julian Day (TT): Hipparcos 2448349.0625
};

// Limits of a catalogue star the routines take: faster or nearer is no star.
constexpr double kLargestProperMotion = 1e-3;       // rad per Julian year, each component (206")
constexpr double kLargestParallax = 1e-4;           // rad (20.6"; a star beyond 10000 AU)
constexpr double kLargestRadialVelocityKmPerS = 1e4;  // km/s

// The apparent geocentric place of a catalogue star: space motion, precession, nutation, annual
// parallax and annual aberration.
//   Given:    star     the catalogue's place and motion, as CatalogueStar
//             jdTt     Julian Day (TT)
//   Returned: place    true ecliptic and true equator and equinox of date, rad; the distance
//                      from the centre of the Earth, AU, positive, from the parallax (+infinity
//                      for a parallax of 0)
//             (bool)   false, and every angle and the distance NaN, for a field of the star that
//                      is not finite, a declination outside [-pi/2, pi/2], a proper motion,
//                      parallax or radial velocity beyond its limit above or a negative
//                      parallax, or an epoch or a day outside the library's span
//   Span:     kFirstJd up to kEndJd (TT), for the day and the star's epoch
//   Accuracy: The book's theta Persei on 2028 November 13.19 TD: its nutation terms to the
//             book's 0.001"; its aberration terms 0.012" from the book's, whose eq. 23.3 leaves
//             out the Earth's month about the barycentre (Astronomy Engine's, from its full
//             series, agree with these to 0.001"); the place 0.0010s and 0.0035" from the
//             book's. Against Astronomy Engine (its star moved by the same space motion; IAU
//             2006 precession and IAU 2000B nutation), measured at a million random
//             star-instants of 1800 to 2200 (places over the whole sphere, proper motions up to
//             12" a year each way, parallaxes up to 1", radial velocities up to 500 km/s, epochs
//             of 1800 to 2200): 0.88" at most, within ten years of 1800 or 2200, where the two
//             precessions part by up to 0.63"; the test's 4000 of them and 40 bright and near
//             stars at 300 instants: star apparent place within 0.9". Against libnova's proper
//             motion, precession, nutation and aberration composed, for the bright stars
//             slower than 0.5" a year from 1900 to 2100: star place by libnova's steps within
//             2", which its precession sets (it drops the angles' quadratic and cubic terms).
//             Barnard's star's perspective acceleration, 12.85" more in the century after 2000
//             than in the one before, to the classical formula's 0.02".
//   Notes:    The star moves on a straight line at its space velocity from the epoch (proper
//             motion and, with a parallax, radial velocity: the perspective acceleration of a
//             near star comes with it); the light time of that motion is not taken. The
//             direction is precessed to the mean equator of date (IAU 1976), turned to the
//             ecliptic, seen from the Earth (annual parallax) and aberrated by the Earth's
//             velocity (to first order, 0.001" from the relativistic form); then the nutation
//             (IAU 1980) and the true obliquity. The Earth's motion is its Keplerian ellipse of
//             date with its month about the barycentre, within 0.004" of aberration of the
//             full series' near 2000 and 0.009" over the span, and 5e-4 AU of place. No
//             deflection of the light by the Sun (0.004" at 90 degrees from it, 1.75" at its
//             limb).
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 21 (precession, example 21.b), 22
//             (nutation) and 23 (apparent place, example 23.a).
[[nodiscard]] bool computeStarApparentPlace(ApparentPlace& place, const CatalogueStar& star,
                                            double jdTt);

// The topocentric place of a catalogue star: its apparent place seen by an observer on the
// Earth, and the azimuth and altitude there.
//   Given:    star            as computeStarApparentPlace's
//             jdUt            Julian Day (UT)
//             observer        longitude and latitude, rad; height, metres, as
//                             computeTopocentricPlace's
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: place           topocentric right ascension and declination (true equator and
//                             equinox of date), azimuth and altitude, rad, the altitude
//                             airless; the distance from the observer, AU (+infinity for a
//                             parallax of 0)
//             (bool)          false, and every angle and the distance NaN, where
//                             computeStarApparentPlace fails and for an observer or delta T
//                             computeTopocentricPlace refuses
//   Span:     as computeStarApparentPlace's, in UT
//   Accuracy: As computeStarApparentPlace's; the turn to the horizon by the apparent sidereal
//             time. Against Astronomy Engine's horizontal coordinates of the same stars and
//             instants, each for an observer of its own from pole to pole (0.73" at most over
//             the million measured): star azimuth and altitude within 0.8".
//   Notes:    The apparent place at jdUt + delta T, turned by the apparent sidereal time; the
//             observer's displacement from the centre of the Earth moves no star the routine
//             takes (beyond 1e4 AU) by 0.001". No diurnal aberration (0.3" at most).
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 11, 13 and 23.
[[nodiscard]] bool computeStarTopocentricPlace(TopocentricPlace& place, const CatalogueStar& star,
                                               double jdUt, const Observer& observer,
                                               std::optional<double> deltaTSeconds = std::nullopt);

// The topocentric place of a catalogue star with its altitude refracted by the air at the
// observer.
//   Given:    star            as computeStarApparentPlace's
//             jdUt            Julian Day (UT)
//             observer        as computeStarTopocentricPlace's
//             atmosphere      the air's pressure (hPa, in [0, 1200]) and temperature (degrees C,
//                             in [-100, 100]) at the observer
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: place           as computeStarTopocentricPlace's, the altitude as seen through
//                             the air (refractedAltitude); the azimuth, right ascension and
//                             declination unrefracted
//             (bool)          false, and every angle and the distance NaN, as
//                             computeStarTopocentricPlace, and for an atmosphere out of range
//   Span:     as computeStarApparentPlace's, in UT
//   Accuracy: As computeStarTopocentricPlace's and refractedAltitude's. Against Astronomy
//             Engine's refracted altitude (the same formula, unscaled) above the horizon, for the
//             standard air, at the same stars and instants (0.73" at most over the million
//             measured): star refracted altitude within 0.8".
//   Notes:    A pressure of 0 gives the airless altitude.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 16 and 23.
[[nodiscard]] bool computeStarTopocentricPlace(TopocentricPlace& place, const CatalogueStar& star,
                                               double jdUt, const Observer& observer,
                                               const Atmosphere& atmosphere,
                                               std::optional<double> deltaTSeconds = std::nullopt);

// A catalogue star's first rising, upper transit and setting within a day, or the day
// circumpolar or without a rise.
//   Given:    star            as computeStarApparentPlace's
//             observer        longitude and latitude, rad; its height is not used
//             jdUt            Julian Day (UT) that begins the day of 24 hours
//             deltaTSeconds   delta T, s, for the whole day when given, else deltaT(jdUt)
//   Returned: events          the kind RisesAndSets when the star crosses the standard altitude
//                             kStandardAltitudeStar (-34') within the day, else Circumpolar or
//                             NeverRises by the side it keeps all day; each event's flag and
//                             time (UT)
//             (bool)          false, with kind Invalid, every flag false and every time NaN,
//                             where the star's place fails at the day's start or end, for a
//                             latitude outside [-pi/2, pi/2], a longitude that is not finite and
//                             a delta T of a day or more
//   Span:     kFirstJd up to kEndJd less a day and delta T (UT)
//   Accuracy: At each rise and set found the star's own altitude is the standard altitude to 0.01",
//             and at each transit its distance from the meridian along its path (the hour angle
//             times cos delta) is 0 to 0.01"; for a star within 10" of the celestial pole, whose
//             place moves through the day by up to 0.5" and turns its hour angle, to 0.2" (measured
//             at a million random star-days of the whole span for observers from pole to pole:
//             0.0052" at most; at six million with the star within a degree of a pole: 0.0068"
//             beyond 10" of it, 0.15" nearer). Against Astronomy Engine's rise and set of its stars
//             (SearchRiseSet) and its transit (SearchHourAngle), measured at 150000 random
//             star-days of 1800 to 2200 (the stars as computeStarApparentPlace's) for observers up
//             to 80 degrees of latitude, and tested at 2000 of them and 120 of bright stars: star
//             rise and set within 0.2 s + 0.02' of altitude, and the transit by the arc the star
//             moves along its diurnal circle between the two instants (0.73" at most), star transit
//             along its path within 0.8" (near the pole a second of time is a small arc).
//   Notes:    The star's apparent place and the apparent sidereal time at the day's start and
//             end, interpolated linearly (the place moves by less than 2" a day, and its
//             curvature leaves 0.01"), make a model of the day in which every crossing is found
//             however briefly the star dips below the altitude or rises above it, as
//             computeBodyRiseTransitSet finds them.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 15 (the standard altitude) and 23.
[[nodiscard]] bool computeStarRiseTransitSet(RiseTransitSet& events, const CatalogueStar& star,
                                             const Observer& observer, double jdUt,
                                             std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
