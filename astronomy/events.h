// Rising, transit (culmination) and setting of a body, and twilight, for an observer on a given
// day, in one call from the library's own apparent places and delta T.
#pragma once

#include <cstdint>
#include <optional>

#include "coordinates.h"
#include "rise_set.h"
#include "../base/body.h"

namespace dockorrery {

// The three twilights, by the Sun's centre below the horizon: civil 6, nautical 12 and
// astronomical 18 degrees; no refraction, as the definitions have it.
enum class Twilight : int32_t { Civil, Nautical, Astronomical };

// A body's first rising, upper transit and setting within a day, or the day circumpolar or
// without a rise, in one call from the library's own places.
//   Given:    body            any Body but Body::Earth
//             observer        longitude and latitude, rad; its height is not used (no dip of the
//                             horizon)
//             jdUt            Julian Day (UT) that begins the day of 24 hours: 0h UT for the UT
//                             day, or local midnight for the observer's day
//             deltaTSeconds   delta T, s, for the whole day when given, else deltaT(jdUt)
//   Returned: events          the kind RisesAndSets when the body crosses its standard altitude
//                             within the day, else Circumpolar or NeverRises by the side it
//                             keeps all day; each event's flag and time (UT)
//             (bool)          false, with kind Invalid, every flag false and every time NaN,
//                             where a place of the day fails (outside the library's span, up to
//                             its end less a day and delta T; Pluto outside computeApparentPlace's
//                             span of it), for a latitude outside [-pi/2, pi/2], a longitude
//                             that is not finite, and a delta T of a day or more
//   Span:     kFirstJd up to kEndJd less a day and delta T (UT); Pluto kPlutoFirstJd up to
//             kPlutoEndJd less a day and delta T
//   Accuracy: Against Astronomy Engine (its rise and set by the top limb, topocentric, with
//             refraction; converted), over 2360 observer-days from the equator to 89.99 degrees
//             on both hemispheres, 1900 to 2100: one-call Sun rise, transit and set within 2 s +
//             0.45' of altitude (its true semidiameter against the standard 16', and its
//             parallax); one-call Moon rise, transit and set within 2 s + 0.25' of altitude (the
//             standard altitude's parallax and semidiameter); one-call planets' rise, transit
//             and set within 2 s + 0.4' of altitude (the reference's truncated planets, Venus'
//             parallax). The altitude term is the time the body's altitude takes to change by
//             that much: seconds where the body rises steeply, minutes where it only grazes the
//             horizon.
//   Notes:    The crossings are those of the body's own geocentric altitude, from its apparent
//             place (computeApparentPlace at the instant plus delta T) and the apparent sidereal
//             time, through its standard altitude (the Sun's -0.8333 degree, the Moon's from its
//             parallax at the instant, -0.5667 degree for the planets and Pluto). Three to five
//             places equally spaced over the day (five for the Moon and Mercury) are
//             interpolated into a model of the day good to 0.05", in which every crossing is
//             found however short the excursion (the day is cut into pieces until a bound on the
//             bending of the altitude keeps each on one side of the crossing altitude or shows it
//             monotonic); each event is then polished with the body's own place at its instant,
//             to 0.01 s.
//   Source:   The library's own places; the standard altitudes of Meeus, Astronomical
//             Algorithms, 2nd ed., ch. 15.
[[nodiscard]] bool computeBodyRiseTransitSet(RiseTransitSet& events, Body body,
                                             const Observer& observer, double jdUt,
                                             std::optional<double> deltaTSeconds = std::nullopt);

// What the Sun does on a day against a twilight's altitude: crosses it (a dawn, a dusk or both),
// stays above it all day (no night that dark: DarkNever), or stays below it all day
// (DarkAllDay); Invalid when the inputs allow no answer.
enum class TwilightKind : int32_t { DawnOrDusk, DarkNever, DarkAllDay, Invalid };

// The twilight of one day: when the morning twilight begins (dawn, the Sun's centre rising
// through the twilight's altitude) and when the evening twilight ends (dusk, setting through
// it). An event that does not fall within the day is absent: its flag false and its time NaN.
struct TwilightTimes {
  TwilightKind kind;
  bool hasDawn, hasDusk;
  double dawnJdUt, duskJdUt;  // Julian Days (UT)
};

// The dawn and the dusk of a twilight within a day.
//   Given:    twilight        Civil, Nautical or Astronomical
//             observer        as computeBodyRiseTransitSet's
//             jdUt            as computeBodyRiseTransitSet's
//             deltaTSeconds   as computeBodyRiseTransitSet's
//   Returned: times           the first dawn and the first dusk within the day of 24 hours from
//                             jdUt, times UT, and the kind
//             (bool)          false, with kind Invalid, both flags false and both times NaN, as
//                             computeBodyRiseTransitSet, and for a value outside the enumeration
//   Span:     as computeBodyRiseTransitSet's for the Sun
//   Accuracy: Against Astronomy Engine as computeBodyRiseTransitSet: civil, nautical and
//             astronomical twilight within 2 s + 0.17' of altitude (the reference's Sun is
//             topocentric, 9" of parallax).
//   Notes:    Found as computeBodyRiseTransitSet finds the Sun's rise and set, with the
//             twilight's altitude in place of its standard altitude.
//   Source:   As computeBodyRiseTransitSet's; the twilights' altitudes by their definitions.
[[nodiscard]] bool computeTwilight(TwilightTimes& times, Twilight twilight,
                                   const Observer& observer, double jdUt,
                                   std::optional<double> deltaTSeconds = std::nullopt);

// Which way a body crosses the altitude a search looks for.
enum class CrossingDirection : int32_t { Rising, Setting };

// How a search ended.
enum class SearchOutcome : int32_t {
  Found,           // at jdUt
  NotWithinLimit,  // the body does not reach it within the days searched
  Invalid          // an input out of its range, or the search reached beyond the span
};

// The instant a search found, and where the body stood then.
struct SearchedInstant {
  SearchOutcome outcome;
  double jdUt;                       // Julian Day (UT); NaN unless Found
  HorizontalCoordinates horizontal;  // the body's topocentric azimuth and altitude, rad; NaN
                                     // unless Found
};

// The longest search searchAltitude takes, days: a century.
constexpr double kLongestSearchDays = 36525.0;

// The first instant at or after jdUt at which a body's centre crosses an altitude upward or
// downward, seen from an observer.
//   Given:    body           any Body but Body::Earth
//             observer       latitude, longitude (rad) and height (m) as computeTopocentricPlace
//             direction      Rising (upward) or Setting (downward)
//             altitude       rad, in [-pi/2, pi/2]: topocentric, airless (no refraction)
//             jdUt           Julian Day (UT) the search starts at
//             limitDays      days searched from jdUt, in (0, kLongestSearchDays]
//             deltaTSeconds  TT - UT, s; the library's deltaT when not given
//   Returned: result         outcome; the instant (UT) and the body's azimuth and altitude then
//             (bool)         true when Found; false for NotWithinLimit and Invalid, every
//                            number of the result NaN
//   Span:     kFirstJd up to about kEndJd less the limit and 1.65 days (UT), as
//             computeBodyRiseTransitSet
//   Accuracy: Against Astronomy Engine's search of the same altitude, 817 searches of every body
//             at observers pole to pole starting from 1900 to 2100: altitude search instants
//             within 2 s + 0.4' of altitude. 83 more starting from -1500 to 1900 and 2100 to
//             5500, where the two theories part (the Moon by half a degree), check only that
//             both find a crossing within the limit or neither does, and that the body stands at
//             the altitude asked (to 0.14") at the instant found, crossing it the way asked; the
//             instants are not compared there.
//   Notes:    Each day from jdUt is searched as computeBodyRiseTransitSet searches its day, for
//             the altitude raised by the body's parallax, so that no crossing is missed however
//             brief; the crossing is then polished on the topocentric place itself.
//   Source:   the library's own places; Meeus, Astronomical Algorithms, 2nd ed., ch. 13 and 40
[[nodiscard]] bool searchAltitude(SearchedInstant& result, Body body, const Observer& observer,
                                  CrossingDirection direction, double altitude, double jdUt,
                                  double limitDays,
                                  std::optional<double> deltaTSeconds = std::nullopt);

// The first instant at or after jdUt at which a body's local hour angle, seen from an observer,
// is a given angle: 0 its upper culmination, pi its lower.
//   Given:    body           any Body but Body::Earth
//             observer       latitude, longitude (rad) and height (m) as computeTopocentricPlace
//             hourAngle      rad, any finite angle (reduced), west of the meridian positive
//             jdUt           Julian Day (UT) the search starts at
//             deltaTSeconds  TT - UT, s; the library's deltaT when not given
//   Returned: result         outcome; the instant (UT), within 1.04 days of jdUt, and the
//                            body's azimuth and altitude then
//             (bool)         true when Found; false, every number NaN, for an input out of its
//                            range or an instant beyond the span
//   Span:     kFirstJd up to kEndJd less the day searched (UT)
//   Accuracy: Against Astronomy Engine's search of the same topocentric hour angle, 811 searches
//             of every body at observers pole to pole starting from 1900 to 2100: hour angle
//             search instants within 2 s. 89 more starting from -1500 to 1900 and 2100 to 5500,
//             where the two theories part (the Moon by half a degree), check only that both find
//             the hour angle and that the body stands at it (to 0.14") at the instant found; the
//             instants are not compared there.
//   Notes:    The hour angle of the topocentric right ascension against the apparent sidereal
//             time; at 0 and pi it is the geocentric one's (the parallax moves the body along
//             the meridian there). Newton's steps from the Earth's turning rate.
//   Source:   the library's own places; Meeus, Astronomical Algorithms, 2nd ed., ch. 12 and 13
[[nodiscard]] bool searchHourAngle(SearchedInstant& result, Body body, const Observer& observer,
                                   double hourAngle, double jdUt,
                                   std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
