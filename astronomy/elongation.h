// A body's elongation from the Sun, the greatest elongations of Mercury and Venus, and the
// conjunctions and oppositions of the planets with the Sun.
#pragma once

#include "../base/body.h"

namespace dockorrery {

// How far from the Sun a body appears from the centre of the Earth, and on which side.
struct Elongation {
  double angle;                // apparent angle Sun-Earth-body, rad in [0, pi]
  double longitudeDifference;  // apparent longitude of the body less the Sun's, rad in (-pi, pi]
  bool east;  // east of the Sun (a positive difference): seen in the evening sky
};

// A body's elongation from the Sun at an instant.
//   Given:    body         any body but the Sun and the Earth
//             jdTt         Julian Day (TT)
//   Returned: elongation   the angle between the apparent places of the body and the Sun
//                          (computeApparentPlace), and the difference of their apparent
//                          longitudes (true ecliptic and equinox of date)
//             (bool)       false where computeApparentPlace fails, for the Sun or a value
//                          outside the enumeration; then both angles NaN and east false
//   Span:     as computeApparentPlace's
//   Accuracy: Against Astronomy Engine's elongations at 300 instants of 1900 to 2100, for the
//             Moon, Mercury to Neptune and Pluto: elongation within 20", which the reference's
//             truncated planets set (as they set its apparent planets). The side agrees
//             everywhere.
//   Notes:    Meeus' elongation cos(psi) = cos(beta) cos(lambda - lambda0), with the Sun's
//             latitude kept, from the library's own apparent places.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 48
[[nodiscard]] bool computeElongation(Elongation& elongation, Body body, double jdTt);

// The first greatest eastern (evening) and western (morning) elongation after an instant: Julian
// Days (TT) and the elongation there, rad.
struct GreatestElongations {
  double eastJdTt;
  double eastAngle;
  double westJdTt;
  double westAngle;
};

// The next greatest elongations of Mercury or Venus.
//   Given:    body         Body::Mercury or Body::Venus
//             jdTt         Julian Day (TT)
//   Returned: elongations  the first greatest eastern and western elongation strictly after
//                          jdTt (one within 1 s of jdTt, the search's resolution, is jdTt's own
//                          and skipped), each within 125 days of it for Mercury, 590 for Venus
//                          (their synodic periods, 116 and 584 days on average, vary with the
//                          orbits)
//             (bool)       false for another body, outside the library's span, for a
//                          non-finite day or where an elongation falls beyond the span's end;
//                          then every field NaN
//   Span:     kFirstJd up to the earlier of the last eastern and the last western elongation
//             before kEndJd: both must follow within the span, so from there on it fails
//   Accuracy: Against Astronomy Engine's, every greatest elongation of 1900 to 2100: greatest
//             elongation instants within 650 s and greatest elongation angles within 6.5",
//             which the two theories' few arcseconds set (a flat maximum, moved by minutes).
//             Every greatest elongation of -2000 to 1900 and 2100 to 6000 (58930, measured
//             once): greatest elongation instants far from 2000 within 8700 s and greatest
//             elongation angles far from 2000 within 305", as the truncated series of both part
//             with the powers of time; the largest (8576 s in -1988, 299.6" in 5996) fall in
//             the span's first and last 20 years, whose every greatest elongation the test
//             compares, with 960 more spread over the span.
//   Notes:    Each is the maximum of computeElongation's angle, found by parabolas through
//             three elongations each, from the instant at which the planet's heliocentric
//             position makes a right angle with the Earth's line of sight, found on the series.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 36 (the events, and its examples)
//             and 48 (the elongation)
[[nodiscard]] bool computeNextGreatestElongations(GreatestElongations& elongations, Body body,
                                                  double jdTt);

// The first conjunction with the Sun after an instant, and the first opposition of an outer
// planet or inferior conjunction of Mercury or Venus, Julian Days (TT); NaN where one does not
// apply.
struct SolarConjunctions {
  double conjunctionJdTt;          // beyond the Sun: superior for Mercury and Venus
  double oppositionJdTt;           // Mars to Neptune; NaN for Mercury and Venus
  double inferiorConjunctionJdTt;  // Mercury and Venus; NaN for the outer planets
};

// The next conjunctions and opposition of a planet with the Sun.
//   Given:    body         Body::Mercury to Body::Neptune, not Body::Earth
//             jdTt         Julian Day (TT)
//   Returned: conjunctions the first of each event strictly after jdTt (one within 1e-6 day of
//                          jdTt, the search's resolution, is jdTt's own and skipped), each
//                          within 135 days of it for Mercury, 595 for Venus, 815 for Mars and
//                          405 for the others (a synodic period, which the orbits vary): the
//                          instants at which the apparent geocentric longitudes of the planet
//                          and the Sun are equal (conjunctions) or differ by 180 degrees
//                          (opposition)
//             (bool)       false for another body, outside the library's span, for a
//                          non-finite day or where an event falls beyond the span's end; then
//                          every field NaN
//   Span:     kFirstJd up to the earlier of the last conjunction and the last opposition or
//             inferior conjunction before kEndJd (up to a synodic period before it): both must
//             follow within the span, so from there on it fails
//   Accuracy: Against Astronomy Engine's (heliocentric and geometric, taken to the roots of
//             its own apparent geocentric longitudes), every conjunction and opposition of 1900
//             to 2100: conjunction and opposition instants within 470 s, which the reference's
//             truncated planets set (19" at Neptune, crossed in 460 s). Every conjunction and
//             opposition of -2000 to 1900 and 2100 to 6000 (126501, measured once; six more,
//             within a synodic period of the span's end, whose searches reach beyond it, return
//             false): conjunction and opposition instants far from 2000 within 68000 s, as the
//             truncated series of both part with the powers of time (Saturn's two longitudes
//             lie 0.8 degree apart in -1990, which moves its opposition by 19 hours); the
//             largest falls in the span's first and last 20 years, whose every event the test
//             compares, with 1960 more spread over the span.
//   Notes:    Each is the root of the longitude difference of computeElongation, found by the
//             secant method from the instant of the heliocentric conjunction or opposition,
//             found on the series.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 36 (the events, and its examples)
[[nodiscard]] bool computeNextSolarConjunctions(SolarConjunctions& conjunctions, Body body,
                                                double jdTt);

}  // namespace dockorrery
