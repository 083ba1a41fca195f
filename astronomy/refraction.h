// The atmosphere's refraction of an altitude, its inverse, and the airmass along a line of sight.
#pragma once

#include "../base/constants.h"

namespace dockorrery {

// The air the refraction routines assume unless told otherwise: 1010 hPa and 10 degrees C, the
// conditions of the book's formulae.
constexpr double kStandardPressureHpa = 1010.0;
constexpr double kStandardTemperatureCelsius = 10.0;

// The air at an observer, for the routines that can give a place its refraction.
struct Atmosphere {
  double pressureHpa = kStandardPressureHpa;                // hPa, in [0, 1200]
  double temperatureCelsius = kStandardTemperatureCelsius;  // degrees C, in [-100, 100]
};

// The apparent altitude of a direction whose true (airless) altitude is given: Saemundsson's
// formula, its refraction scaled for the air's pressure and temperature.
//   Given:    trueAltitude         altitude without the atmosphere, rad, in [-pi/2, pi/2]
//             pressureHpa          the air's pressure at the observer, hPa, in [0, 1200]
//             temperatureCelsius   the air's temperature, degrees C, in [-100, 100]
//   Returned: apparentAltitude     altitude as seen through the air, rad, in [-pi/2, pi/2]
//             (bool)               false, and apparentAltitude NaN, for an input that is not
//                                  finite or lies outside its range
//   Accuracy: The book's example: its refraction to the book's 0.001' (28.754' and 24.618').
//             Astronomy Engine's normal refraction (the same formula for the standard air, the
//             same taper) of the airless altitudes of its topocentric fixture, 20000 from -90 to
//             90 degrees: refraction of an altitude within 0.01". Saemundsson's formula itself
//             agrees with Bennett's to 0.1' and with tables of the standard atmosphere to 0.07'
//             above the horizon.
//   Notes:    R = 1.02' / tan(h + 10.3 / (h + 5.11)), h in degrees, for the standard air; as the
//             book prints it, so R is -0.0019' at the zenith, where the result is kept within
//             its range. Other air bends the ray seen at the same apparent altitude by
//             s = (P / 1010) (283 / (273 + T)) times as much, so the formula is taken at the
//             true altitude u that ray has in the standard air, u = h + (s - 1) R(u), and
//             R = s R(u): in the standard air exactly the book's formula, and in any air the
//             inverse of unrefractedAltitude's scaling (which the formula names by the apparent
//             altitude). Below -1 degree the formula runs towards its pole at -5.11 degrees;
//             there the refraction is held at its value at -1 degree and tapered linearly to 0
//             at -90 degrees, so the apparent altitude is finite, continuous and increasing in
//             the true one from -90 to 90 degrees for every pressure and temperature in range
//             (Astronomy Engine tapers the same way; it omits the scaling, and libnova diverges
//             below the horizon). A topocentric place takes its refraction through
//             computeTopocentricPlace given an Atmosphere; the azimuth is unchanged.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 16, eq. 16.4 and 16.5.
[[nodiscard]] bool refractedAltitude(double& apparentAltitude, double trueAltitude,
                                     double pressureHpa = kStandardPressureHpa,
                                     double temperatureCelsius = kStandardTemperatureCelsius);

// The true (airless) altitude of a direction seen at an apparent altitude: Bennett's formula
// scaled for the air's pressure and temperature.
//   Given:    apparentAltitude     altitude as seen through the air, rad, in [-pi/2, pi/2]
//             pressureHpa          the air's pressure at the observer, hPa, in [0, 1200]
//             temperatureCelsius   the air's temperature, degrees C, in [-100, 100]
//   Returned: trueAltitude         altitude without the atmosphere, rad, in [-pi/2, pi/2]
//             (bool)               false, and trueAltitude NaN, for an input that is not finite
//                                  or lies outside its range
//   Accuracy: The book's example: its refraction to the book's 0.001' (28.754'). libnova's
//             Bennett refraction, its small correction taken out, at its apparent altitudes
//             from -0.35 to 90 degrees in any air: to 1e-6'. Bennett's formula agrees with
//             tables of the standard atmosphere to 0.07' above the horizon. refractedAltitude
//             and this routine undo each other, true altitude to apparent and back, in any air
//             to 0.062' s above the horizon and 0.63' s below it, s = (P / 1010) (283 / (273 +
//             T)) the air's scaling (at most 1.94: 0.12' and 1.22'), measured at 4 million
//             random altitudes, pressures and temperatures; what is left is the two formulae's
//             own difference in the standard air.
//   Notes:    R = 1' / tan(h0 + 7.31 / (h0 + 4.4)), h0 in degrees, times s; R is -0.0014' at the
//             zenith, where the result is kept within its range. Below an apparent -0.35
//             degree, where refractedAltitude's hold at a true -1 degree is seen in the standard
//             air, the refraction is held at its value there and tapered linearly to 0 at -90
//             degrees, so the true altitude is finite, continuous and increasing in the apparent
//             one, and the two tapers begin at the same ray. libnova's version evaluates its
//             small correction with the refraction in degrees instead of minutes of arc.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 16, eq. 16.3 and 16.5.
[[nodiscard]] bool unrefractedAltitude(double& trueAltitude, double apparentAltitude,
                                       double pressureHpa = kStandardPressureHpa,
                                       double temperatureCelsius = kStandardTemperatureCelsius);

// The airmass along a line of sight at an apparent altitude: the air it crosses, in units of
// the air straight up.
//   Given:    apparentAltitude   altitude as seen through the air, rad, in [-pi/2, pi/2]
//   Returned: airmass            0.9997 at the zenith, 37.92 at the horizon and below it
//             (bool)             false, and airmass NaN, for an input that is not finite or lies
//                                outside its range
//   Accuracy: The formula itself fits the air of the ISO standard atmosphere to 0.5 percent
//             at every altitude above the horizon.
//   Notes:    Kasten and Young's formula, X = 1 / (sin h + 0.50572 (h + 6.07995)^-1.6364), h
//             in degrees; it increases towards the horizon. Below the horizon a line of sight
//             ends in the ground, so the horizon's value is held there, which keeps the result
//             finite over the whole range and non-increasing in the altitude but for a rise of
//             1e-7 in the last degree below the zenith.
//   Source:   Kasten and Young, Applied Optics 28 (1989), 4735.
[[nodiscard]] bool computeAirmass(double& airmass, double apparentAltitude);

}  // namespace dockorrery
