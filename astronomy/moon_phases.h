// The instants of the Moon's principal phases.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// The first new Moon, first quarter, full Moon and last quarter after an instant, Julian Days
// (TT). A phase is the instant the Moon's apparent geocentric longitude exceeds the Sun's by 0,
// 90, 180 or 270 degrees.
struct MoonPhases {
  double newMoonJdTt;
  double firstQuarterJdTt;
  double fullMoonJdTt;
  double lastQuarterJdTt;
};

// The Moon's next principal phases after an instant.
//   Given:    jdTt     Julian Day (TT)
//   Returned: phases   the first of each phase strictly after jdTt, Julian Days (TT)
//             (bool)   false, and every field NaN, outside the library's span or for a
//                      non-finite day
//   Span:     kFirstJd up to kEndJd (TT): the mean phases' secular terms hold for several
//             thousand years, the corrections lose accuracy away from 2000
//   Accuracy: Against Astronomy Engine, every phase from 1900 to 2100, once its geometric Sun is
//             taken to the apparent one: Moon phase instants within 21 s, which the method sets
//             (it claims 17 s at most over 1980 to 2020 against ELP-2000/82) with the
//             reference's own Moon (8" from that theory, which the Moon gains on the Sun in
//             16 s).
//   Notes:    The mean phases with their periodic corrections for the Sun, the Moon and the
//             planets. From 1900 to 2100 a quarter follows the same quarter of the lunation
//             before by 29.17 to 29.93 days (a lunation from new Moon to new Moon lasts 29.27 to
//             29.83 days, the quarters' spans vary further), so each phase lies within 29.93
//             days of jdTt.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 49.
[[nodiscard]] bool computeNextMoonPhases(MoonPhases& phases, double jdTt);

}  // namespace dockorrery
