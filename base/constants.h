// The constants of the program and its astronomy library, each in one place: the epoch and the
// units of time, of angle and of distance.
#pragma once

// Every header of the library includes this one first: they need C++17 (std::optional,
// [[nodiscard]], inline variables), which older compilers do not take by default.
#if __cplusplus < 201703L
#error "the dockorrery astronomy library needs C++17 or later: compile with -std=c++17"
#endif

namespace dockorrery {

constexpr double kJ2000Epoch = 2451545.0;       // Julian Day of J2000.0, 2000 January 1, 12h TT
constexpr double kJulianCentury = 36525.0;      // days
constexpr double kSecondsPerDay = 86400.0;
constexpr double kPi = 3.141592653589793;       // the double nearest to pi
constexpr double kTwoPi = 2.0 * kPi;            // 6.283185307179586, the double nearest to 2pi
constexpr double kDegree = kPi / 180.0;         // rad per degree
constexpr double kArcsecond = kDegree / 3600.0; // rad per arcsecond
// The Earth's rotation against the equinox: rad of sidereal time per day of UT.
constexpr double kSiderealRotationPerDay = 360.985647 * kDegree;
constexpr double kAstronomicalUnitKm = 149597870.7;  // km per AU (IAU 2012)
constexpr double kLightTimePerAu = 0.0057755183;     // days light takes to cross 1 AU
constexpr double kEarthEquatorialRadiusKm = 6378.14;  // IAU 1976, as the book's parallaxes use
// Aberration in longitude of a body at 1 AU from the Sun, seen from the Earth (Meeus, eq. 25.10).
constexpr double kAberration = 20.4898 * kArcsecond;

// The span where every routine of the astronomy library holds, as a Julian Day of the routine's
// own time scale (TT or UT): from -2000 January 1, 0h (proleptic Gregorian) up to, not including,
// 6000 January 1, 0h, the four thousand years either side of 2000 over which the planetary series
// keep to about an arcsecond. Outside it, and for a non-finite day, the routines give NaN or
// report failure.
constexpr double kFirstJd = 990574.5;
constexpr double kEndJd = 3912514.5;

namespace detail {
// True when Julian Day `jd` (TT or UT) lies within the library's span [kFirstJd, kEndJd); false
// for NaN and the infinities.
constexpr bool withinSpan(double jd) { return jd >= kFirstJd && jd < kEndJd; }
}  // namespace detail

}  // namespace dockorrery
