// The Moon's fundamental arguments, shared by its position and its libration. Internal to the
// library; not installed.
#pragma once

namespace dockorrery::detail {

// In degrees, lowest power of T (Julian centuries of TT from J2000.0) first: the Moon's mean
// longitude L', its mean elongation D, the Sun's mean anomaly M, the Moon's mean anomaly M', its
// argument of latitude F and the longitude of the ascending node of its mean orbit (referred to
// the mean equinox of date; Meeus eq. 47.1 to 47.5 and 47.7).
constexpr double kMoonMeanLongitude[] = {218.3164477, 481267.88123421, -0.0015786,
                                         1.0 / 538841.0, -1.0 / 65194000.0};
constexpr double kMoonMeanElongation[] = {297.8501921, 445267.1114034, -0.0018819,
                                          1.0 / 545868.0, -1.0 / 113065000.0};
constexpr double kSunMeanAnomaly[] = {357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0};
constexpr double kMoonMeanAnomaly[] = {134.9633964, 477198.8675055, 0.0087414, 1.0 / 69699.0,
                                       -1.0 / 14712000.0};
constexpr double kMoonArgumentOfLatitude[] = {93.2720950, 483202.0175233, -0.0036539,
                                              -1.0 / 3526000.0, 1.0 / 863310000.0};
constexpr double kMoonAscendingNode[] = {125.0445479, -1934.1362891, 0.0020754, 1.0 / 467441.0,
                                         -1.0 / 60616000.0};

}  // namespace dockorrery::detail
