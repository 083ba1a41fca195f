// What every place of date at one instant shares, computed once and passed along: the nutation
// and the obliquities, for the apparent place, the sidereal time that turns it to an observer's
// sky and the searches that take many such places. Internal to the library's routines.
#pragma once

#include "astronomy/nutation.h"

namespace dockorrery::detail {

// The nutation and obliquity of the ecliptic at one instant.
struct OfDate {
  double jdTt;           // Julian Day (TT) they hold for
  Nutation nutation;     // rad
  double meanObliquity;  // rad
  double trueObliquity;  // rad, the mean plus the nutation in obliquity
};

// Fills `ofDate` for Julian Day `jdTt` (TT), one nutation; false, every angle NaN, outside the
// library's span or for a non-finite day. Beside computeNutation, in nutation.cpp.
bool ofDateAt(OfDate& ofDate, double jdTt);

}  // namespace dockorrery::detail
