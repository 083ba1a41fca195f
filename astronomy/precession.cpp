// Precession between two epochs (IAU 1976), of the equator and of the ecliptic, and the frames of
// J2000.0 and of date. Directions are turned as unit vectors, so that no pole needs a case of its
// own and each frame's inverse is its rotation's transpose.
#include "astronomy/precession.h"

#include <cmath>
#include <limits>

#include "astronomy/angles.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

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

void toVector(double longitude, double latitude, double v[3]) {
  const double c = std::cos(latitude);
  v[0] = c * std::cos(longitude);
  v[1] = c * std::sin(longitude);
  v[2] = std::sin(latitude);
}

// The longitude in [0, 2pi) and latitude of a vector; false, both NaN, where it is not finite.
bool fromVector(const double v[3], double& longitude, double& latitude) {
  longitude = reduceAngle(std::atan2(v[1], v[0]));
  latitude = std::atan2(v[2], std::hypot(v[0], v[1]));
  if (std::isfinite(longitude) && std::isfinite(latitude)) return true;
  longitude = latitude = kNaN;
  return false;
}

bool knownEquinox(EquinoxOfDate equinox) {
  return equinox == EquinoxOfDate::Mean || equinox == EquinoxOfDate::True;
}

// The rotation from J2000.0 to the equator (or the ecliptic) and the equinox of date chosen;
// false where the day lies outside the span.
bool frameOfDate(double m[3][3], double jdTt, EquinoxOfDate equinox, bool ecliptic) {
  if (!detail::withinSpan(jdTt) || !knownEquinox(equinox)) return false;
  if (ecliptic) {
    detail::eclipticPrecession(m, kJ2000Epoch, jdTt);
  } else {
    detail::equatorialPrecession(m, kJ2000Epoch, jdTt);
  }
  if (equinox == EquinoxOfDate::Mean) return true;
  detail::OfDate ofDate;
  if (!detail::ofDateAt(ofDate, jdTt)) return false;
  double n[3][3];
  if (ecliptic) {
    detail::rotationAboutZ(n, ofDate.nutation.longitude);
  } else {
    detail::nutationRotation(n, ofDate);
  }
  detail::multiply(m, n, m);
  return true;
}

// A direction turned by the frame's rotation or its transpose.
bool turn(double& first, double& second, double a, double b, double jdTt, EquinoxOfDate equinox,
          bool ecliptic, bool back) {
  double m[3][3], v[3], w[3];
  first = second = kNaN;
  if (!std::isfinite(a) || !std::isfinite(b) || !frameOfDate(m, jdTt, equinox, ecliptic)) {
    return false;
  }
  toVector(a, b, v);
  detail::rotate(m, v, w, back);
  return fromVector(w, first, second);
}

}  // namespace

void detail::rotationAboutZ(double m[3][3], double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double r[3][3] = {{c, -s, 0.0}, {s, c, 0.0}, {0.0, 0.0, 1.0}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[i][j] = r[i][j];
  }
}

void detail::rotationAboutX(double m[3][3], double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double r[3][3] = {{1.0, 0.0, 0.0}, {0.0, c, -s}, {0.0, s, c}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[i][j] = r[i][j];
  }
}

void detail::multiply(double product[3][3], const double a[3][3], const double b[3][3]) {
  double p[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) p[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) product[i][j] = p[i][j];
  }
}

void detail::rotate(const double m[3][3], const double v[3], double out[3], bool transpose) {
  double w[3];
  for (int i = 0; i < 3; ++i) {
    w[i] = transpose ? m[0][i] * v[0] + m[1][i] * v[1] + m[2][i] * v[2]
                     : m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
  }
  for (int i = 0; i < 3; ++i) out[i] = w[i];
}

// Eq. 21.4 as the matrix of the three rotations: -zeta about the pole, theta about the new y
// axis, -z about the pole of the second epoch.
void detail::equatorialPrecession(double m[3][3], double fromJdTt, double toJdTt) {
  const EquatorialAngles a = equatorialAngles(fromJdTt, toJdTt);
  const double cz = std::cos(a.zeta), sz = std::sin(a.zeta);
  const double cZ = std::cos(a.z), sZ = std::sin(a.z);
  const double ct = std::cos(a.theta), st = std::sin(a.theta);
  m[0][0] = cz * ct * cZ - sz * sZ;
  m[0][1] = -sz * ct * cZ - cz * sZ;
  m[0][2] = -st * cZ;
  m[1][0] = cz * ct * sZ + sz * cZ;
  m[1][1] = -sz * ct * sZ + cz * cZ;
  m[1][2] = -st * sZ;
  m[2][0] = cz * st;
  m[2][1] = -sz * st;
  m[2][2] = ct;
}

// Eq. 21.5 and 21.7: into the frame whose x axis points at the node Pi of the ecliptic of the
// second epoch on that of the first, tilted by eta about it, and out of it at Pi + p.
void detail::eclipticPrecession(double m[3][3], double fromJdTt, double toJdTt) {
  const double T = julianCenturies(fromJdTt);
  const double t = (toJdTt - fromJdTt) / kJulianCentury;
  const double eta = ((47.0029 - (0.06603 - 0.000598 * T) * T) +
                      ((-0.03302 + 0.000598 * T) + 0.000060 * t) * t) *
                     t * kArcsecond;
  const double node = 174.876384 * kDegree + (3289.4789 + 0.60622 * T) * T * kArcsecond +
                      (-(869.8089 + 0.50491 * T) + 0.03536 * t) * t * kArcsecond;
  const double p = ((5029.0966 + (2.22226 - 0.000042 * T) * T) +
                    ((1.11113 - 0.000042 * T) - 0.000006 * t) * t) *
                   t * kArcsecond;
  double into[3][3], tilt[3][3], out[3][3];
  rotationAboutZ(into, -node);
  rotationAboutX(tilt, -eta);
  rotationAboutZ(out, node + p);
  multiply(m, tilt, into);
  multiply(m, out, m);
}

// From the mean equator of date to the ecliptic, along it by the nutation in longitude, and back
// to the true equator (Meeus, ch. 22).
void detail::nutationRotation(double m[3][3], const OfDate& ofDate) {
  double toEcliptic[3][3], along[3][3], toEquator[3][3];
  rotationAboutX(toEcliptic, -ofDate.meanObliquity);
  rotationAboutZ(along, ofDate.nutation.longitude);
  rotationAboutX(toEquator, ofDate.trueObliquity);
  multiply(m, along, toEcliptic);
  multiply(m, toEquator, m);
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
  double m[3][3], v[3];
  detail::eclipticPrecession(m, fromJdTt, toJdTt);
  toVector(from.longitude, from.latitude, v);
  detail::rotate(m, v, v, false);
  return fromVector(v, to.longitude, to.latitude);
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
