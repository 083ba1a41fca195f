// The Moon's passages through the apsides of its orbit (perigee, apogee) and through the nodes
// of its orbit on the ecliptic.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// The first perigee and the first apogee after an instant: Julian Days (TT), and the Moon's
// distance there, centre of the Earth to centre of the Moon, km.
struct MoonApsides {
  double perigeeJdTt;
  double perigeeDistanceKm;
  double apogeeJdTt;
  double apogeeDistanceKm;
};

// The next perigee and the next apogee of the Moon.
//   Given:    jdTt      Julian Day (TT)
//   Returned: apsides   the first perigee and the first apogee strictly after jdTt (one within
//                       0.1 s of jdTt, the search's resolution, is jdTt's own and skipped), each
//                       within 32 days of it, with the Moon's distance there, km (356000 to
//                       407000)
//             (bool)    false outside the library's span, for a non-finite day, or where an
//                       apsis falls beyond the span's end; then every field NaN
//   Span:     kFirstJd up to the last apsis of each kind before kEndJd
//   Accuracy: Against Astronomy Engine's apsides, every apsis of 1900 to 2100: apsis instants
//             within 540 s and apsis distances within 17 km, which the two theories of the Moon
//             set (the reference's distance runs 6 to 16 km short, and a few km move the
//             instant of so flat an extremum by minutes). Every apsis of -2000 to 1900 and
//             2100 to 6000 (206782, measured once): apsis instants far from 2000 within 25000 s
//             and apsis distances far from 2000 within 225 km, as the two theories part with the
//             powers of time; the largest (24820 s and 222 km, in -1994) fall in the span's
//             first and last 20 years, whose every apsis the test compares, with 2160 more
//             spread over the span. The book's apogee of 1988 October to 4 minutes of its ELP
//             2000-82 instant (given to the minute).
//   Notes:    Each apsis is the extremum of the distance of computeMoonPosition, found by two
//             parabolas through three distances each, from the book's approximate instant (its
//             mean apsides and periodic terms, up to half an hour off): six Moon positions per
//             apsis.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 50 (the approximate instants), ch. 47
//             (the Moon)
[[nodiscard]] bool computeNextMoonApsides(MoonApsides& apsides, double jdTt);

// The first ascending and the first descending node after an instant: Julian Days (TT), and the
// Moon's geocentric longitude there, rad in [0, 2pi), mean ecliptic and equinox of date.
struct MoonNodes {
  double ascendingJdTt;
  double ascendingLongitude;
  double descendingJdTt;
  double descendingLongitude;
};

// The Moon's next passages through the ecliptic, northwards (ascending) and southwards.
//   Given:    jdTt      Julian Day (TT)
//   Returned: nodes     the first ascending and the first descending node strictly after jdTt
//                       (one within 1e-7 day of jdTt, the search's resolution, is jdTt's own and
//                       skipped), each within 28 days of it, and the Moon's longitude there
//             (bool)    false outside the library's span, for a non-finite day, or where a node
//                       falls beyond the span's end; then every field NaN
//   Span:     kFirstJd up to the last node of each kind before kEndJd
//   Accuracy: Against Astronomy Engine's nodes, every node of 1900 to 2100: node instants within
//             87 s, which the two Moons' latitudes set (within 6", which the Moon crosses in
//             120 s). Every node of -2000 to 1900 and 2100 to 6000 (209384, measured once):
//             node instants far from 2000 within 5800 s, as the two theories part with the
//             powers of time; the largest (5718 s, in 5998) falls in the span's first and last
//             20 years, whose every node the test compares, with 2160 more spread over the span.
//   Notes:    Each node is the root of the latitude of computeMoonPosition (geometric, on the
//             mean ecliptic of date, which nutation does not move), found by the secant method
//             from the book's approximate instant (its mean nodes and periodic terms): three or
//             four Moon positions per node.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 51 (the approximate instants), ch. 47
//             (the Moon)
[[nodiscard]] bool computeNextMoonNodes(MoonNodes& nodes, double jdTt);

}  // namespace dockorrery
