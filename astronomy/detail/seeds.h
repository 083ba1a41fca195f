// The book's approximate instants of the events the library searches for: first guesses for the
// searches on the library's own places, and the book's worked examples for the tests. Not
// installed: the library's own.
#pragma once

#include <cstdint>

namespace dockorrery::detail {

// The instant (Julian Day, TT) of season `season` of `year` (0 the March equinox, 1 the June
// solstice, 2 the September equinox, 3 the December solstice): the mean instant of the book's
// tables for the years -1000 to 1000 and 1000 to 3000 (used beyond them as well) and its 24
// periodic terms. Meeus, Astronomical Algorithms, ch. 27.
double approximateSeason(int64_t year, int season);

// The instant (Julian Day, TT) of the Moon's apsis number `k` counted from the perigee of 1999
// December 22: a perigee for a whole k, an apogee for a whole k + 0.5. The mean apsis and the
// book's periodic terms. Meeus, ch. 50.
double approximateApsis(double k);

// The instant (Julian Day, TT) of the Moon's node number `k` counted from the ascending node of
// 2000 January 21: ascending for a whole k, descending for a whole k + 0.5. The mean node and
// the book's periodic terms. Meeus, ch. 51.
double approximateNode(double k);

}  // namespace dockorrery::detail
