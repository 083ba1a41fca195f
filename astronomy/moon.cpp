// The Moon by the abridged ELP-2000/82 series, from the generated tables of astronomy/tables, and
// its phase against the Sun of the library's own Earth series.
#include "astronomy/detail/polynomials.h"
#include "astronomy/moon.h"

#include <cmath>
#include <cstdlib>

#include "astronomy/angles.h"
#include "astronomy/detail/moon_arguments.h"
#include "astronomy/detail/vector.h"
#include "astronomy/tables/terms.h"
#include "astronomy/time_scales.h"
#include "base/body.h"
#include "ephemeris/position.h"

namespace dockorrery {

namespace {

constexpr double kTermUnit = 1e-6 * kDegree;     // longitude and latitude terms: 1e-6 degree
constexpr double kDistanceUnit = 0.001;          // distance terms: 0.001 km
constexpr double kMeanDistance = 385000.56;      // km

// The fundamental arguments, degrees (astronomy/detail/moon_arguments.h).
constexpr const double (&kLp)[5] = detail::kMoonMeanLongitude;
constexpr const double (&kD)[5] = detail::kMoonMeanElongation;
constexpr const double (&kM)[4] = detail::kSunMeanAnomaly;
constexpr const double (&kMp)[5] = detail::kMoonMeanAnomaly;
constexpr const double (&kF)[5] = detail::kMoonArgumentOfLatitude;
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
  const detail::Vector u = detail::fromSpherical(moon.longitude, moon.latitude);
  const detail::Vector v = detail::fromSpherical(sunLongitude, sunLatitude);
  const detail::Vector normal = cross(u, v);
  const double sinPsi = length(normal);
  const double cosPsi = dot(u, v);
  const double i = std::atan2(sunDistance * sinPsi, moon.distanceKm - sunDistance * cosPsi);

  phase.phaseAngle = i;
  phase.illuminatedFraction = (1.0 + std::cos(i)) / 2.0;
  // East of the Sun: the z component of u x v, seen from the north ecliptic pole, is negative.
  phase.waxing = normal.z < 0.0;
  return true;
}

}  // namespace dockorrery
