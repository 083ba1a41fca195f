// Precession between two epochs (IAU 1976), of the equator and of the ecliptic, and the frames of
// J2000.0 and of date. Directions are turned as unit vectors, so that no pole needs a case of its
// own and each frame's inverse is its rotation's transpose.
#include "astronomy/detail/polynomials.h"
#include "astronomy/precession.h"

#include <cmath>
#include <limits>

#include "astronomy/angles.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/precession.h"
#include "astronomy/detail/vector.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

using detail::Matrix;
using detail::Vector;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The equatorial angles zeta, z and theta (Meeus eq. 21.2), rad: T from J2000.0 to the first
// epoch, t from the first epoch to the second, in Julian centuries.
struct EquatorialAngles {
  double zeta, z, theta;
};
EquatorialAngles equatorialAngles(double fromJdTt, double toJdTt) {
  const double T = detail::julianCenturies(fromJdTt);
  const double t = (toJdTt - fromJdTt) / kJulianCentury;
  const double a = 2306.2181 + (1.39656 - 0.000139 * T) * T;
  return {(a + ((0.30188 - 0.000344 * T) + 0.017998 * t) * t) * t * kArcsecond,
          (a + ((1.09468 + 0.000066 * T) + 0.018203 * t) * t) * t * kArcsecond,
          ((2004.3109 - (0.85330 + 0.000217 * T) * T) -
           ((0.42665 + 0.000217 * T) + 0.041833 * t) * t) *
              t * kArcsecond};
}

// The longitude in [0, 2pi) and latitude of a vector; false, both NaN, where it is not finite.
bool fromVector(const Vector& v, double& longitude, double& latitude) {
  longitude = reduceAngle(std::atan2(v.y, v.x));
  latitude = std::atan2(v.z, std::hypot(v.x, v.y));
  if (std::isfinite(longitude) && std::isfinite(latitude)) return true;
  longitude = latitude = kNaN;
  return false;
}

// Eq. 21.5 and 21.7: into the frame whose x axis points at the node Pi of the ecliptic of the
// second epoch on that of the first, tilted by eta about it, and out of it at Pi + p.
Matrix eclipticPrecession(double fromJdTt, double toJdTt) {
  const double T = detail::julianCenturies(fromJdTt);
  const double t = (toJdTt - fromJdTt) / kJulianCentury;
  const double eta = ((47.0029 - (0.06603 - 0.000598 * T) * T) +
                      ((-0.03302 + 0.000598 * T) + 0.000060 * t) * t) *
                     t * kArcsecond;
  const double node = 174.876384 * kDegree + (3289.4789 + 0.60622 * T) * T * kArcsecond +
                      (-(869.8089 + 0.50491 * T) + 0.03536 * t) * t * kArcsecond;
  const double p = ((5029.0966 + (2.22226 - 0.000042 * T) * T) +
                    ((1.11113 - 0.000042 * T) - 0.000006 * t) * t) *
                   t * kArcsecond;
  return detail::rotationAboutZ(node + p) *
         (detail::rotationAboutX(-eta) * detail::rotationAboutZ(-node));
}

// From the mean equator of date to the ecliptic, along it by the nutation in longitude, and back
// to the true equator (Meeus, ch. 22).
Matrix nutationRotation(const detail::OfDate& ofDate) {
  return detail::rotationAboutX(ofDate.trueObliquity) *
         (detail::rotationAboutZ(ofDate.nutation.longitude) *
          detail::rotationAboutX(-ofDate.meanObliquity));
}

bool knownEquinox(EquinoxOfDate equinox) {
  return equinox == EquinoxOfDate::Mean || equinox == EquinoxOfDate::True;
}

// The rotation from J2000.0 to the equator (or the ecliptic) and the equinox of date chosen;
// false where the day lies outside the span.
bool frameOfDate(Matrix& m, double jdTt, EquinoxOfDate equinox, bool ecliptic) {
  if (!detail::withinSpan(jdTt) || !knownEquinox(equinox)) return false;
  m = ecliptic ? eclipticPrecession(kJ2000Epoch, jdTt)
               : detail::equatorialPrecession(kJ2000Epoch, jdTt);
  if (equinox == EquinoxOfDate::Mean) return true;
  detail::OfDate ofDate;
  if (!detail::ofDateAt(ofDate, jdTt)) return false;
  const Matrix nutation =
      ecliptic ? detail::rotationAboutZ(ofDate.nutation.longitude) : nutationRotation(ofDate);
  m = nutation * m;
  return true;
}

// A direction turned by the frame's rotation or its transpose.
bool turn(double& first, double& second, double a, double b, double jdTt, EquinoxOfDate equinox,
          bool ecliptic, bool back) {
  Matrix m;
  first = second = kNaN;
  if (!std::isfinite(a) || !std::isfinite(b) || !frameOfDate(m, jdTt, equinox, ecliptic)) {
    return false;
  }
  const Vector v = detail::fromSpherical(a, b);
  return fromVector(back ? transpose(m) * v : m * v, first, second);
}

}  // namespace

// Eq. 21.4 as the matrix of the three rotations: -zeta about the pole, theta about the new y
// axis, -z about the pole of the second epoch.
Matrix detail::equatorialPrecession(double fromJdTt, double toJdTt) {
  const EquatorialAngles a = equatorialAngles(fromJdTt, toJdTt);
  const double cz = std::cos(a.zeta), sz = std::sin(a.zeta);
  const double cZ = std::cos(a.z), sZ = std::sin(a.z);
  const double ct = std::cos(a.theta), st = std::sin(a.theta);
  return {{{cz * ct * cZ - sz * sZ, -sz * ct * cZ - cz * sZ, -st * cZ},
           {cz * ct * sZ + sz * cZ, -sz * ct * sZ + cz * cZ, -st * sZ},
           {cz * st, -sz * st, ct}}};
}

// Meeus, eq. 21.5 and 21.6 from J2000.0; back by the same rotation's transpose.
Vector detail::precessEclipticFromJ2000(const Vector& v, double jdTt) {
  return eclipticPrecession(kJ2000Epoch, jdTt) * v;
}

Vector detail::precessEclipticToJ2000(const Vector& v, double jdTt) {
  return transpose(eclipticPrecession(kJ2000Epoch, jdTt)) * v;
}

bool precessEquatorial(EquatorialCoordinates& to, const EquatorialCoordinates& from,
                       double fromJdTt, double toJdTt) {
  to = {kNaN, kNaN};
  if (!std::isfinite(from.rightAscension) || !std::isfinite(from.declination) ||
      !detail::withinSpan(fromJdTt) || !detail::withinSpan(toJdTt)) {
    return false;
  }
  // Eq. 21.4 in the book's own form, which keeps its example's last digit.
  const EquatorialAngles angles = equatorialAngles(fromJdTt, toJdTt);
  const double cd = std::cos(from.declination), sd = std::sin(from.declination);
  const double ca = std::cos(from.rightAscension + angles.zeta),
               sa = std::sin(from.rightAscension + angles.zeta);
  const double ct = std::cos(angles.theta), st = std::sin(angles.theta);
  const double A = cd * sa;
  const double B = ct * cd * ca - st * sd;
  const double C = st * cd * ca + ct * sd;
  const double declination = std::atan2(C, std::hypot(A, B));
  const double rightAscension = reduceAngle(std::atan2(A, B) + angles.z);
  if (!std::isfinite(rightAscension) || !std::isfinite(declination)) return false;
  to = {rightAscension, declination};
  return true;
}

bool precessEcliptic(EclipticCoordinates& to, const EclipticCoordinates& from, double fromJdTt,
                     double toJdTt) {
  to = {kNaN, kNaN};
  if (!std::isfinite(from.longitude) || !std::isfinite(from.latitude) ||
      !detail::withinSpan(fromJdTt) || !detail::withinSpan(toJdTt)) {
    return false;
  }
  return fromVector(eclipticPrecession(fromJdTt, toJdTt) *
                        detail::fromSpherical(from.longitude, from.latitude),
                    to.longitude, to.latitude);
}

bool equatorialFromJ2000(EquatorialCoordinates& ofDate, const EquatorialCoordinates& j2000,
                         double jdTt, EquinoxOfDate equinox) {
  return turn(ofDate.rightAscension, ofDate.declination, j2000.rightAscension, j2000.declination, jdTt, equinox, false, false);
}

bool equatorialToJ2000(EquatorialCoordinates& j2000, const EquatorialCoordinates& ofDate,
                       double jdTt, EquinoxOfDate equinox) {
  return turn(j2000.rightAscension, j2000.declination, ofDate.rightAscension, ofDate.declination, jdTt, equinox, false, true);
}

bool eclipticFromJ2000(EclipticCoordinates& ofDate, const EclipticCoordinates& j2000, double jdTt,
                       EquinoxOfDate equinox) {
  return turn(ofDate.longitude, ofDate.latitude, j2000.longitude, j2000.latitude, jdTt, equinox, true, false);
}

bool eclipticToJ2000(EclipticCoordinates& j2000, const EclipticCoordinates& ofDate, double jdTt,
                     EquinoxOfDate equinox) {
  return turn(j2000.longitude, j2000.latitude, ofDate.longitude, ofDate.latitude, jdTt, equinox, true, true);
}

}  // namespace dockorrery
