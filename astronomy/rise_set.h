// Times of rising, transit (culmination: the crossing of the meridian) and setting of a body for
// an observer on a given day.
#pragma once

#include <cstdint>
#include <optional>

#include "coordinates.h"
#include "../base/constants.h"

namespace dockorrery {

// Refraction at the horizon of a body seen at altitude 0, rad (34', the usual value).
constexpr double kHorizonRefraction = 0.5667 * kDegree;

// Standard altitudes, rad: the altitude of the centre of the body at its apparent rising and
// setting with the refraction at the horizon; for the Sun also its semidiameter of 16'.
constexpr double kStandardAltitudeStar = -kHorizonRefraction;  // stars and planets
constexpr double kStandardAltitudeSun = -0.8333 * kDegree;

// Standard altitude of the Moon: 0.7275 times its horizontal parallax, for parallax and
// semidiameter, less the refraction at the horizon.
//   Given:    distanceKm   geocentric distance, km
//   Returned: (double)     rad, about +0.1 deg; NaN for a distance that is not finite or not
//                          above the Earth's equatorial radius
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 15.
double moonStandardAltitude(double distanceKm);

// What a body does on the day: crosses the standard altitude (rises, sets or both), stays above
// it all day (circumpolar) or stays below it; Invalid when the inputs allow no answer.
enum class RiseSetKind : int32_t { RisesAndSets, Circumpolar, NeverRises, Invalid };

// The events of one UT day. An event that does not fall within the day (the Moon skips one rise,
// one transit and one set about every month) is absent: its flag is false and its time NaN.
struct RiseTransitSet {
  RiseSetKind kind;
  bool hasRise, hasTransit, hasSet;
  double riseJdUt, transitJdUt, setJdUt;  // Julian Days (UT)
};

// Rising, transit and setting of a body on a UT day, from the caller's coordinates.
//   Given:    jdUt               Julian Day (UT) that begins the day, 0h UT
//             apparent           the body's apparent right ascension and declination (true
//                                equator and equinox of date), rad, at 0h TT of the day before,
//                                the day itself and the day after
//             observer           longitude and latitude, rad
//             standardAltitude   the altitude of rising and setting, rad
//             deltaTSeconds      delta T (TT - UT), s, when given, else deltaT(jdUt)
//   Returned: events             the rise and the set, the day's first crossings of the standard
//                                altitude upward and downward, and the transit, its first upper
//                                culmination, times UT; the kind RisesAndSets when the body
//                                crosses the altitude within the day, else Circumpolar or
//                                NeverRises by the side it keeps
//             (bool)             false, with kind Invalid, every flag false and every time NaN,
//                                when the day lies outside the library's span, or an input is
//                                not finite, or a latitude, declination or standard altitude
//                                lies outside [-pi/2, pi/2], or delta T exceeds a day
//   Span:     kFirstJd up to kEndJd (UT)
//   Accuracy: Each event to 0.01 s of the interpolation; good to about a minute. Against
//             Astronomy Engine, given its coordinates, on 180 days from 1900 to 2100 for six
//             observers from Quito to Tromso: Sun rise, transit and set within 60 s, Moon rise,
//             transit and set within 60 s and Mars rise, transit and set within 60 s, the
//             method's own claim.
//   Notes:    The coordinates are interpolated through the three days. Every crossing of the
//             day is found, however briefly the body dips below the altitude or rises above it
//             (the Moon at high latitudes): the day is cut into pieces until a bound on the
//             bending of the body's altitude keeps each on one side of the standard altitude or
//             shows it monotonic.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 15.
[[nodiscard]] bool computeRiseTransitSet(RiseTransitSet& events, double jdUt,
                                         const EquatorialCoordinates (&apparent)[3],
                                         const Observer& observer, double standardAltitude,
                                         std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
