// The instants of the Moon's principal phases.
#pragma once

// The first new Moon, first quarter, full Moon and last quarter after an instant, Julian Days
// (TT). A phase is the instant the Moon's apparent geocentric longitude exceeds the Sun's by 0,
// 90, 180 or 270 degrees.
struct MoonPhases {
  double newMoonJdTt;
  double firstQuarterJdTt;
  double fullMoonJdTt;
  double lastQuarterJdTt;
};

// Fills `phases` with the first of each phase strictly after Julian Day `jdTt` (TT), each within
// a lunation (29.3 to 29.9 days) of it: the mean phases of Meeus, Astronomical Algorithms,
// ch. 49, with their periodic corrections for the Sun, the Moon and the planets. Within 17 s of
// Astronomy Engine's phases from 1900 to 2100, once its geometric Sun is taken to the apparent
// one (the method claims 17 s at most over 1980 to 2020); the mean phases' secular terms hold
// for several thousand years, the corrections lose accuracy away from 2000. False, and every
// field NaN, outside the library's span (kFirstJd, kEndJd) or for a non-finite day.
bool computeNextMoonPhases(MoonPhases& phases, double jdTt);
