// The Moon by the abridged ELP-2000/82 series, from the generated tables of astronomy/terms, and
// its phase against the Sun of the library's own Earth series.
#include "astronomy/moon.h"

#include <cmath>
#include <cstdlib>

#include "astronomy/angles.h"
#include "astronomy/terms/terms.h"
#include "astronomy/time_scales.h"
#include "ephemeris/body.h"
#include "ephemeris/position.h"

namespace dockorrery {

namespace {

constexpr double kTermUnit = 1e-6 * kDegree;     // longitude and latitude terms: 1e-6 degree
constexpr double kDistanceUnit = 0.001;          // distance terms: 0.001 km
constexpr double kMeanDistance = 385000.56;      // km

// Fundamental arguments in degrees, lowest power of T first: the Moon's mean longitude L', its
// mean elongation D, the Sun's mean anomaly M, the Moon's mean anomaly M' and its argument of
// latitude F (referred to the mean equinox of date).
constexpr double kLp[] = {218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0,
                          -1.0 / 65194000.0};
constexpr double kD[] = {297.8501921, 445267.1114034, -0.0018819, 1.0 / 545868.0,
                         -1.0 / 113065000.0};
constexpr double kM[] = {357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0};
constexpr double kMp[] = {134.9633964, 477198.8675055, 0.0087414, 1.0 / 69699.0,
                          -1.0 / 14712000.0};
constexpr double kF[] = {93.2720950, 483202.0175233, -0.0036539, -1.0 / 3526000.0,
                         1.0 / 863310000.0};
// Venus (A1), Jupiter (A2) and the flattening of the Earth (A3).
constexpr double kA1[] = {119.75, 131.849};
constexpr double kA2[] = {53.09, 479264.290};
constexpr double kA3[] = {313.45, 481266.484};

// A polynomial in degrees, reduced to one turn, in rad.
template <int N>
double angle(const double (&c)[N], double T) {
  return std::fmod(detail::polynomial(c, T), 360.0) * kDegree;
}

// E^|M| for a term's multiple M of the Sun's mean anomaly (only 0, 1 and 2 occur).
double eccentricityFactor(int M, double E) {
  const int n = std::abs(M);
  return n == 0 ? 1.0 : n == 1 ? E : E * E;
}

}  // namespace

bool computeMoonPosition(MoonPosition& position, double jdTt) {
  position.jdTt = jdTt;
  if (!detail::withinSpan(jdTt)) {
    position.longitude = position.latitude = position.distanceKm = NAN;
    return false;
  }
  const double T = detail::julianCenturies(jdTt);
  const double Lp = angle(kLp, T), D = angle(kD, T), M = angle(kM, T), Mp = angle(kMp, T),
               F = angle(kF, T);
  const double A1 = angle(kA1, T), A2 = angle(kA2, T), A3 = angle(kA3, T);
  const double E = detail::polynomial(kEccentricityFactor, T);

  double sumL = 0.0, sumR = 0.0;
  for (const MoonLongitudeTerm& term : kMoonLongitudeTerms) {
    const double argument = term.D * D + term.M * M + term.Mp * Mp + term.F * F;
    const double factor = eccentricityFactor(term.M, E);
    sumL += factor * term.sigmaL * std::sin(argument);
    sumR += factor * term.sigmaR * std::cos(argument);
  }
  double sumB = 0.0;
  for (const MoonLatitudeTerm& term : kMoonLatitudeTerms) {
    const double argument = term.D * D + term.M * M + term.Mp * Mp + term.F * F;
    sumB += eccentricityFactor(term.M, E) * term.sigmaB * std::sin(argument);
  }
  sumL += 3958.0 * std::sin(A1) + 1962.0 * std::sin(Lp - F) + 318.0 * std::sin(A2);
  sumB += -2235.0 * std::sin(Lp) + 382.0 * std::sin(A3) + 175.0 * std::sin(A1 - F) +
          175.0 * std::sin(A1 + F) + 127.0 * std::sin(Lp - Mp) - 115.0 * std::sin(Lp + Mp);

  position.longitude = reduceAngle(Lp + sumL * kTermUnit);
  position.latitude = sumB * kTermUnit;
  position.distanceKm = kMeanDistance + sumR * kDistanceUnit;
  return true;
}

bool computeMoonIllumination(MoonIllumination& phase, double jdTt) {
  MoonPosition moon;
  if (!computeMoonPosition(moon, jdTt)) {
    phase.phaseAngle = phase.illuminatedFraction = NAN;
    phase.waxing = false;
    return false;
  }
  // The geocentric Sun is the heliocentric Earth turned around: L + pi, -B, same distance; seen
  // where it was when its light left it, 20.4898" / R (in AU) behind in longitude.
  BodyPosition earth;
  computeBodyPosition(earth, static_cast<int>(Body::Earth), jdTt);
  const double sunLongitude = earth.L + kPi - kAberration / earth.R;
  const double sunLatitude = -earth.B;
  const double sunDistance = earth.R * kAstronomicalUnitKm;

  // Elongation psi of the Moon from the Sun as atan2(|u x v|, u . v) of their unit vectors, which
  // keeps its precision near new and full Moon where an arccosine would not.
  const double u[3] = {std::cos(moon.latitude) * std::cos(moon.longitude),
                       std::cos(moon.latitude) * std::sin(moon.longitude), std::sin(moon.latitude)};
  const double v[3] = {std::cos(sunLatitude) * std::cos(sunLongitude),
                       std::cos(sunLatitude) * std::sin(sunLongitude), std::sin(sunLatitude)};
  const double cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                           u[0] * v[1] - u[1] * v[0]};
  const double sinPsi = std::hypot(cross[0], cross[1], cross[2]);
  const double cosPsi = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
  const double i = std::atan2(sunDistance * sinPsi, moon.distanceKm - sunDistance * cosPsi);

  phase.phaseAngle = i;
  phase.illuminatedFraction = (1.0 + std::cos(i)) / 2.0;
  // East of the Sun: the z component of u x v, seen from the north ecliptic pole, is negative.
  phase.waxing = cross[2] < 0.0;
  return true;
}

}  // namespace dockorrery
