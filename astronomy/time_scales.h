// Time scales: Terrestrial Time (TT), the time of the ephemerides, and Universal Time (UT, taken
// as UT1), the time of the Earth's rotation; delta T = TT - UT between them.
#pragma once

#include <optional>

#include "../base/constants.h"

namespace dockorrery {

// What the library's own routines share, not part of its interface.
namespace detail {

// Julian centuries from J2000.0 to Julian Day `jd`, in the time scale of `jd` (TT or UT).
constexpr double julianCenturies(double jd) { return (jd - kJ2000Epoch) / kJulianCentury; }

}  // namespace detail

// Delta T = TT - UT.
//   Given:    jdUt       Julian Day (UT)
//   Returned: (double)   delta T, s; NaN outside the library's span and for a non-finite day
//   Span:     kFirstJd up to kEndJd (UT); from 2005 on a prediction, which may be off by a minute
//             by 2150 and by many more later
//   Accuracy: Against Astronomy Engine's evaluation of the same polynomials, at 200000 instants
//             from -2000 to 6000: delta T within 1.1e-5 s, the rounding of the reference's count
//             of days from J2000.0.
//   Notes:    The polynomials of Espenak and Meeus from the year -500 to 2150, and their
//             long-term parabola -20 + 32 u^2 s (u in centuries from 1820) before and after.
//   Source:   Espenak and Meeus, Five Millennium Canon of Solar Eclipses (NASA, 2006).
double deltaT(double jdUt);

// The Julian Day (TT) of an instant given in UT: jdUt plus delta T.
//   Given:    jdUt            Julian Day (UT)
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: (double)        Julian Day (TT); NaN where jdUt or delta T is
//   Span:     kFirstJd up to kEndJd (UT), where deltaT is not NaN; any with deltaTSeconds
double terrestrialTime(double jdUt, std::optional<double> deltaTSeconds = std::nullopt);

// The Julian Day (UT) of an instant given in TT, the inverse of terrestrialTime: jdTt less
// delta T.
//   Given:    jdTt            Julian Day (TT)
//             deltaTSeconds   delta T, s, when given, else deltaT at the UT instant itself,
//                             found by iteration
//   Returned: (double)        Julian Day (UT); NaN where delta T is (the UT instant outside the
//                             library's span included) or jdTt is not a number
//   Span:     kFirstJd up to kEndJd for the UT instant; any with deltaTSeconds
//   Accuracy: terrestrialTime gives jdTt back to 2 units of the Julian Day's last bit, 80
//             microseconds: delta T changes by 0.07 s a day at most, so a few steps reach it.
double universalTime(double jdTt, std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
