// The equinoxes and solstices of a year.
#pragma once

#include <cstdint>

#include "../base/constants.h"

namespace dockorrery {

// The four instants of a year at which the Sun's apparent geocentric longitude (true equinox
// and ecliptic of date) is 0, 90, 180 and 270 degrees, Julian Days (TT).
struct Seasons {
  double marchEquinoxJdTt;
  double juneSolsticeJdTt;
  double septemberEquinoxJdTt;
  double decemberSolsticeJdTt;
};

// The March and September equinoxes and the June and December solstices of a year.
//   Given:    year      the year of the proleptic Gregorian calendar (astronomical numbering:
//                       0 is 1 BC)
//   Returned: seasons   the four instants, Julian Days (TT), in order within the year
//             (bool)    false for a year outside -2000 to 5999; then every field NaN
//   Span:     the years -2000 to 5999, whose seasons all fall within the library's span
//   Accuracy: Against Astronomy Engine's seasons (its Sun apparent too), every season of 1900 to
//             2100: season instants within 47 s, which the two Suns set (within 2.4", which the
//             Sun crosses in 58 s); every season of the other years of -2000 to 5999 (7799
//             years): season instants far from 2000 within 2000 s, the largest 1970 s (the
//             December solstice of -1998), as both truncated theories of the Earth's orbit and
//             the two models of precession part with the powers of time. The book's June solstice
//             of 1962 by the full VSOP87 to 3 s.
//   Notes:    Each instant is the root of the Sun's apparent longitude from computeApparentPlace,
//             to 0.05 s: Newton's steps from the book's approximate instant (its mean instants
//             and 24 periodic terms, a minute or two off near 2000, more far from it) at the
//             Sun's rate by Kepler's second law; one apparent place per season where the book's
//             instant is within 100 s, as a rule from 1900 to 2100, two or three beyond.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 27
[[nodiscard]] bool computeSeasons(Seasons& seasons, int64_t year);

}  // namespace dockorrery
