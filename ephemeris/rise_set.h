// Times of rising, transit and setting of a body for an observer on a given day.
#pragma once

#include <cstdint>

#include "ephemeris/angles.h"
#include "ephemeris/coordinates.h"

// Standard altitudes, rad: the altitude of the centre of the body at its apparent rising and
// setting with a refraction of 34' at the horizon; for the Sun also its semidiameter of 16'.
constexpr double kStandardAltitudeStar = -0.5667 * kDegree;  // stars and planets
constexpr double kStandardAltitudeSun = -0.8333 * kDegree;

// Standard altitude of the Moon, rad, at a geocentric distance `distance` (km): 0.7275 times its
// horizontal parallax, for parallax and semidiameter, less the 34' of refraction.
double moonStandardAltitude(double distance);

// What a body does on the day: crosses the standard altitude (rises, sets or both), stays above
// it all day (circumpolar) or stays below it.
constexpr int32_t kRisesAndSets = 0;
constexpr int32_t kCircumpolar = 1;
constexpr int32_t kNeverRises = 2;

// The events of one UT day. An event that does not fall within the day (the Moon skips one rise,
// one transit and one set about every month) is absent: its flag is 0 and its time 0.0.
struct RiseTransitSet {
  int32_t kind;                       // kRisesAndSets, kCircumpolar or kNeverRises
  int32_t hasRise, hasTransit, hasSet;
  double rise, transit, set;          // Julian Days (UT)
};

// Fills `events` for the UT day beginning at Julian Day `jdUt` (0h UT) at `observer`, for a body
// whose apparent right ascension and declination (true equator and equinox of date) at 0h TD of
// the day before, the day itself and the day after are `apparent[0..2]`, rising and setting at
// the standard altitude `standardAltitude` (rad); `deltaT` is TD - UT in seconds. The transit is
// the upper culmination. Method of Meeus, Astronomical Algorithms, ch. 15: first estimates from
// the hour angle at the day's declination, each refined with three-point interpolation of the
// coordinates until it moves by less than 0.01 s; good to about a minute. When the day's own
// declination keeps the body above or below the standard altitude, the day is still searched
// hour by hour for a crossing (the Moon's declination changes fast enough to make one at high
// latitudes), and the day is circumpolar or never rising only when there is none.
void computeRiseTransitSet(RiseTransitSet& events, double jdUt,
                           const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                           double standardAltitude, double deltaT);
