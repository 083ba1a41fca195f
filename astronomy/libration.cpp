// The Moon's libration, the position angle of its axis and the selenographic Sun, from the
// library's own apparent Moon and Sun and the physical libration's series.
#include "astronomy/detail/polynomials.h"
#include "astronomy/libration.h"

#include <algorithm>
#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/libration.h"
#include "astronomy/detail/moon_arguments.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/periodic_terms.h"
#include "astronomy/time_scales.h"
#include "astronomy/heliocentric.h"

namespace dockorrery {

namespace {

// Inclination of the Moon's mean equator to the ecliptic (IAU).
constexpr double kI = 1.54242 * kDegree;

// A polynomial in degrees, reduced to one turn, in rad.
template <int N>
double angle(const double (&c)[N], double T) {
  return std::fmod(detail::polynomial(c, T), 360.0) * kDegree;
}

// What both the Earth's and the Sun's selenographic places take: the fundamental arguments, the
// physical libration's series and the nutation in longitude.
struct Arguments {
  double F, omega, deltaPsi;
  double rho, sigma, tau;  // rad
};

// The selenographic longitude and latitude of the direction of ecliptic longitude `lon` and
// latitude `lat` (the true equinox of date) from the Moon's centre, and their parts: the optical
// libration from the mean equator, then the physical one, which turns it by rho, sigma and tau.
struct Selenographic {
  double opticalLongitude, opticalLatitude, physicalLongitude, physicalLatitude;
};
Selenographic selenographic(double lon, double lat, const Arguments& a) {
  const double W = lon - a.deltaPsi - a.omega;
  const double sinW = std::sin(W), cosLat = std::cos(lat), sinLat = std::sin(lat);
  const double A =
      std::atan2(sinW * cosLat * std::cos(kI) - sinLat * std::sin(kI), std::cos(W) * cosLat);
  Selenographic s;
  s.opticalLongitude = signedAngle(A - a.F);
  s.opticalLatitude = std::asin(
      std::clamp(-sinW * cosLat * std::sin(kI) - sinLat * std::cos(kI), -1.0, 1.0));
  s.physicalLongitude =
      -a.tau + (a.rho * std::cos(A) + a.sigma * std::sin(A)) * std::tan(s.opticalLatitude);
  s.physicalLatitude = a.sigma * std::cos(A) - a.rho * std::sin(A);
  return s;
}

// The series of the physical libration (Meeus, ch. 53), degrees, from the arguments in rad.
void physicalSeries(Arguments& a, double T, double D, double M, double Mp, double E) {
  const double F = a.F;
  const double K1 = (119.75 + 131.849 * T) * kDegree;
  const double K2 = (72.56 + 20.186 * T) * kDegree;
  const double rho = -0.02752 * std::cos(Mp) - 0.02245 * std::sin(F) +
                     0.00684 * std::cos(Mp - 2 * F) - 0.00293 * std::cos(2 * F) -
                     0.00085 * std::cos(2 * F - 2 * D) - 0.00054 * std::cos(Mp - 2 * D) -
                     0.00020 * std::sin(Mp + F) - 0.00020 * std::cos(Mp + 2 * F) -
                     0.00020 * std::cos(Mp - F) + 0.00014 * std::cos(Mp + 2 * F - 2 * D);
  const double sigma = -0.02816 * std::sin(Mp) + 0.02244 * std::cos(F) -
                       0.00682 * std::sin(Mp - 2 * F) - 0.00279 * std::sin(2 * F) -
                       0.00083 * std::sin(2 * F - 2 * D) + 0.00069 * std::sin(Mp - 2 * D) +
                       0.00040 * std::cos(Mp + F) - 0.00025 * std::sin(2 * Mp) -
                       0.00023 * std::sin(Mp + 2 * F) + 0.00020 * std::cos(Mp - F) +
                       0.00019 * std::sin(Mp - F) + 0.00013 * std::sin(Mp + 2 * F - 2 * D) -
                       0.00010 * std::cos(Mp - 3 * F);
  const double tau = 0.02520 * E * std::sin(M) + 0.00473 * std::sin(2 * Mp - 2 * F) -
                     0.00467 * std::sin(Mp) + 0.00396 * std::sin(K1) +
                     0.00276 * std::sin(2 * Mp - 2 * D) + 0.00196 * std::sin(a.omega) -
                     0.00183 * std::cos(Mp - F) + 0.00115 * std::sin(Mp - 2 * D) -
                     0.00096 * std::sin(Mp - D) + 0.00046 * std::sin(2 * F - 2 * D) -
                     0.00039 * std::sin(Mp - F) - 0.00032 * std::sin(Mp - M - D) +
                     0.00027 * std::sin(2 * Mp - M - 2 * D) + 0.00023 * std::sin(K2) -
                     0.00014 * std::sin(2 * D) + 0.00014 * std::cos(2 * Mp - 2 * F) -
                     0.00012 * std::sin(Mp - 2 * F) - 0.00012 * std::sin(2 * Mp) +
                     0.00011 * std::sin(2 * Mp - 2 * M - 2 * D);
  a.rho = rho * kDegree;
  a.sigma = sigma * kDegree;
  a.tau = tau * kDegree;
}

// Everything computeMoonLibration and the parts share; false outside the span.
struct Libration {
  Selenographic earth, sun;
  Arguments arguments;
  double positionAngle;
};
bool compute(Libration& out, double jdTt) {
  detail::OfDate ofDate;
  ApparentPlace moon;
  BodyPosition earth;
  if (!detail::withinSpan(jdTt) || !detail::ofDateAt(ofDate, jdTt) ||
      !detail::apparentPlace(moon, Body::Moon, ofDate) ||
      !computeHeliocentricPosition(earth, Body::Earth, jdTt)) {
    return false;
  }
  const double T = detail::julianCenturies(jdTt);
  Arguments& a = out.arguments;
  a.F = angle(detail::kMoonArgumentOfLatitude, T);
  a.omega = angle(detail::kMoonAscendingNode, T);
  a.deltaPsi = ofDate.nutation.longitude;
  physicalSeries(a, T, angle(detail::kMoonMeanElongation, T), angle(detail::kSunMeanAnomaly, T),
                 angle(detail::kMoonMeanAnomaly, T), detail::polynomial(kEccentricityFactor, T));

  const double lambda = moon.ecliptic.longitude, beta = moon.ecliptic.latitude;
  out.earth = selenographic(lambda, beta, a);

  // The Sun seen from the Moon: its apparent geocentric longitude (the Earth's heliocentric one
  // turned around, less the aberration, plus the nutation; its latitude, under 1", is left out),
  // moved by the Moon's offset from the centre of the Earth (the ratio of the distances, some
  // 0.0026).
  const double ratio = moon.distanceAu / earth.R;
  const double sunLon = earth.L + kPi - kAberration / earth.R + a.deltaPsi;
  const double lonH = sunLon + kPi + ratio * std::cos(beta) * std::sin(sunLon - lambda);
  const double latH = ratio * beta;
  out.sun = selenographic(lonH, latH, a);

  // The position angle of the axis: the Moon's pole on the true equator of date.
  const double b = out.earth.opticalLatitude + out.earth.physicalLatitude;
  const double V = a.omega + a.deltaPsi + a.sigma / std::sin(kI);
  const double X = std::sin(kI + a.rho) * std::sin(V);
  const double Y = std::sin(kI + a.rho) * std::cos(V) * std::cos(ofDate.trueObliquity) -
                   std::cos(kI + a.rho) * std::sin(ofDate.trueObliquity);
  const double omega = std::atan2(X, Y);
  const double sinP =
      std::hypot(X, Y) * std::cos(moon.equatorial.rightAscension - omega) / std::cos(b);
  out.positionAngle = std::asin(std::clamp(sinP, -1.0, 1.0));
  return true;
}

}  // namespace

bool computeMoonLibration(MoonLibration& out, double jdTt) {
  out = {NAN, NAN, NAN, NAN, NAN};
  Libration l;
  if (!compute(l, jdTt)) return false;
  out.longitude = signedAngle(l.earth.opticalLongitude + l.earth.physicalLongitude);
  out.latitude = l.earth.opticalLatitude + l.earth.physicalLatitude;
  out.positionAngle = l.positionAngle;
  out.sunLongitude = signedAngle(l.sun.opticalLongitude + l.sun.physicalLongitude);
  out.sunLatitude = l.sun.opticalLatitude + l.sun.physicalLatitude;
  return true;
}

namespace detail {

bool librationParts(LibrationParts& parts, double jdTt) {
  parts = {NAN, NAN, NAN, NAN, NAN, NAN, NAN};
  Libration l;
  if (!compute(l, jdTt)) return false;
  parts = {l.earth.opticalLongitude,  l.earth.opticalLatitude, l.earth.physicalLongitude,
           l.earth.physicalLatitude,  l.arguments.rho,         l.arguments.sigma,
           l.arguments.tau};
  return true;
}

}  // namespace detail

}  // namespace dockorrery
