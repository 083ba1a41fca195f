// Time scales: Terrestrial Time (TT), the time of the ephemerides, and Universal Time (UT, taken
// as UT1), the time of the Earth's rotation; delta T = TT - UT between them.
#pragma once

#include <optional>

#include "../ephemeris/constants.h"

namespace dockorrery {

// What the library's own routines share, not part of its interface.
namespace detail {

// Julian centuries from J2000.0 to Julian Day `jd`, in the time scale of `jd` (TT or UT).
constexpr double julianCenturies(double jd) { return (jd - kJ2000Epoch) / kJulianCentury; }

}  // namespace detail

// Delta T = TT - UT in seconds at Julian Day `jdUt` (UT), by the polynomials of Espenak and Meeus
// (Five Millennium Canon of Solar Eclipses, 2006) from the year -500 to 2150, and their long-term
// parabola -20 + 32 u^2 s (u in centuries from 1820) before and after; from 2005 on a prediction,
// which may be off by a minute by 2150 and by many more later. Against Astronomy Engine's
// evaluation of the same polynomials, from -2000 to 6000: delta T within 1.1e-5 s, the rounding of
// the reference's count of days from J2000.0. NaN outside the library's span (kFirstJd, kEndJd)
// and for a non-finite day.
double deltaT(double jdUt);

// The Julian Day (TT) of the instant `jdUt` (UT): jdUt plus delta T, the caller's
// `deltaTSeconds` when given, else deltaT(jdUt). NaN where either is.
double terrestrialTime(double jdUt, std::optional<double> deltaTSeconds = std::nullopt);

// The Julian Day (UT) of the instant `jdTt` (TT), the inverse of terrestrialTime: jdTt less delta
// T, the caller's `deltaTSeconds` when given, else deltaT at the UT instant itself, found by
// iteration (delta T changes by 0.07 s a day at most, so a few steps reach the last bit of the
// Julian Day: terrestrialTime gives jdTt back to 2 units of it, 80 microseconds). NaN where
// delta T is (the UT instant outside the library's span included) or jdTt is not a number.
double universalTime(double jdTt, std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
