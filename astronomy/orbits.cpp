// Keplerian orbits about the Sun for every eccentricity, in the universal anomaly, and the
// apparent places of the bodies on them.
#include "astronomy/orbits.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/heliocentric.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/precession.h"
#include "astronomy/detail/vector.h"

namespace dockorrery {

namespace {

// The Sun's gravitational parameter, k^2 of Gauss: AU^3 per day^2.
constexpr double kSunGravity = 0.01720209895 * 0.01720209895;
constexpr double kLargestEccentricity = 100.0;

// The Stumpff functions c2(z) and c3(z): (1 - cos sqrt z) / z and (sqrt z - sin sqrt z) / z^1.5,
// continued through z = 0 and to negative z (cosh, sinh). Their series near 0, where the closed
// forms lose digits.
void stumpff(double z, double& c2, double& c3) {
  if (std::fabs(z) < 1.0) {
    // sum (-z)^k / (2k+2)! and (-z)^k / (2k+3)!; 12 terms leave under 1e-25 for |z| < 1.
    double t2 = 0.5, t3 = 1.0 / 6.0;
    c2 = t2;
    c3 = t3;
    for (int k = 1; k < 12; ++k) {
      t2 *= -z / ((2 * k + 1) * (2 * k + 2));
      t3 *= -z / ((2 * k + 2) * (2 * k + 3));
      c2 += t2;
      c3 += t3;
    }
  } else if (z > 0.0) {
    const double w = std::sqrt(z);
    const double h = std::sin(0.5 * w);
    c2 = 2.0 * h * h / z;
    c3 = (w - std::sin(w)) / (z * w);
  } else {
    const double w = std::sqrt(-z);
    const double h = std::sinh(0.5 * w);
    c2 = 2.0 * h * h / -z;
    c3 = (std::sinh(w) - w) / (-z * w);
  }
}

// From perihelion (distance q, speed v0, beta = mu (1 - e) / q): the time since perihelion at
// universal anomaly s, t = q s + mu e s^3 c3, and its derivative, the distance
// r = q + mu e s^2 c2.
struct Universal {
  double q, e, beta;
  void at(double s, double& t, double& r, double& g2, double& g3) const {
    double c2, c3;
    stumpff(beta * s * s, c2, c3);
    g2 = s * s * c2;
    g3 = s * s * s * c3;
    t = q * s + kSunGravity * e * g3;
    r = q + kSunGravity * e * g2;
  }
};

bool validElements(const OrbitalElements& e) {
  return std::isfinite(e.perihelionJdTt) && std::isfinite(e.perihelionDistanceAu) &&
         std::isfinite(e.eccentricity) && std::isfinite(e.argumentOfPerihelion) &&
         std::isfinite(e.ascendingNode) && e.perihelionDistanceAu > 0.0 &&
         e.eccentricity >= 0.0 && e.eccentricity <= kLargestEccentricity &&
         e.inclination >= 0.0 && e.inclination <= kPi;
}

void fillNan(OrbitPosition& p) {
  p.x = p.y = p.z = p.vx = p.vy = p.vz = NAN;
  p.distanceAu = p.trueAnomaly = NAN;
}

// The orbit's position and velocity at `jdTt`, whose elements and day were checked.
void orbitAt(OrbitPosition& p, const OrbitalElements& el, double jdTt) {
  const double q = el.perihelionDistanceAu, e = el.eccentricity;
  const Universal u{q, e, kSunGravity * (1.0 - e) / q};
  double dt = jdTt - el.perihelionJdTt;
  double sHigh;
  if (e < 1.0) {
    // An ellipse: within half a period of perihelion, where s reaches pi / sqrt(beta).
    const double a = q / (1.0 - e);
    const double period = kTwoPi * a * std::sqrt(a / kSunGravity);
    dt -= period * std::nearbyint(dt / period);
    sHigh = kPi / std::sqrt(u.beta);
  } else {
    sHigh = 0.0;
  }
  const double sign = dt < 0.0 ? -1.0 : 1.0;
  const double target = std::fabs(dt);
  double t, r, g2, g3;
  if (sHigh == 0.0) {
    // A parabola or hyperbola: t(s) >= q s and >= mu e s^3 / 6, so either bound brackets.
    sHigh = std::fmin(target / q, std::cbrt(6.0 * target / (kSunGravity * e)));
  }
  // Newton's method from the parabola's s, kept inside [sLow, sHigh] by bisection; t(s) rises
  // and is convex for s > 0. Far out on a hyperbola t grows as an exponential of s, whose Newton
  // steps from above shrink by a constant each: a step that would not halve the one before is a
  // bisection instead, so the bracket always closes. A search that does not converge leaves NaN.
  double sLow = 0.0;
  double s = std::fmin(std::cbrt(6.0 * target / (kSunGravity * (e + 1e-300))), target / q);
  if (!(s > sLow && s < sHigh)) s = 0.5 * (sLow + sHigh);
  double step = sHigh - sLow, stepBefore = step;
  bool converged = target == 0.0;  // at perihelion itself
  if (converged) s = 0.0;
  for (int i = 0; i < 400 && !converged; ++i) {
    u.at(s, t, r, g2, g3);
    const double f = t - target;
    if (f == 0.0) {
      converged = true;
      break;
    }
    if (f > 0.0) {
      sHigh = s;
    } else {
      sLow = s;
    }
    double next = s - f / r;
    if (!(next > sLow && next < sHigh) || std::fabs(2.0 * f) > std::fabs(stepBefore * r)) {
      next = 0.5 * (sLow + sHigh);
    }
    stepBefore = step;
    step = next - s;
    converged = std::fabs(next - s) <= 1e-15 * std::fabs(s) || sHigh - sLow <= 1e-15 * sHigh;
    s = next;
  }
  if (!converged) s = NAN;
  s *= sign;
  u.at(s, t, r, g2, g3);
  // f and g from perihelion, in the plane of the orbit: x towards perihelion.
  const double v0 = std::sqrt(kSunGravity * (1.0 + e) / q);
  const double f = 1.0 - kSunGravity * g2 / q;
  const double g = dt - kSunGravity * g3;
  // G1 = s - beta G3 (s c1 with c1 = 1 - z c3).
  const double G1 = s - u.beta * g3;
  const double fdot = -kSunGravity * G1 / (r * q);
  const double gdot = 1.0 - kSunGravity * g2 / r;
  const double px = f * q, py = g * v0;
  const double vx = fdot * q, vy = gdot * v0;
  // The plane of the orbit to the ecliptic: by omega, i and Omega.
  const double co = std::cos(el.argumentOfPerihelion), so = std::sin(el.argumentOfPerihelion);
  const double ci = std::cos(el.inclination), si = std::sin(el.inclination);
  const double cn = std::cos(el.ascendingNode), sn = std::sin(el.ascendingNode);
  const double xx = cn * co - sn * so * ci, xy = -cn * so - sn * co * ci;
  const double yx = sn * co + cn * so * ci, yy = -sn * so + cn * co * ci;
  const double zx = so * si, zy = co * si;
  p.x = xx * px + xy * py;
  p.y = yx * px + yy * py;
  p.z = zx * px + zy * py;
  p.vx = xx * vx + xy * vy;
  p.vy = yx * vx + yy * vy;
  p.vz = zx * vx + zy * vy;
  p.distanceAu = std::hypot(px, py);
  p.trueAnomaly = std::atan2(py, px);
}

}  // namespace

bool computeOrbitPosition(OrbitPosition& position, const OrbitalElements& elements, double jdTt) {
  position.jdTt = jdTt;
  fillNan(position);
  if (!detail::withinSpan(jdTt) || !validElements(elements)) return false;
  orbitAt(position, elements, jdTt);
  // Elements at the edge of the doubles (a perihelion of 5e-324 AU) can overflow part of the
  // record: a failed record is NaN throughout, never half infinite.
  const double sum = position.x + position.y + position.z + position.vx + position.vy +
                    position.vz + position.distanceAu + position.trueAnomaly;
  if (!std::isfinite(sum)) {  // a sum is finite only if every term is
    fillNan(position);
    return false;
  }
  return true;
}

bool detail::orbitGeocentricJ2000(Vector& v, double& distanceAu,
                                  const OrbitalElements& elements, double jdTt,
                                  bool aberration, Vector* earthOut) {
  v = {NAN, NAN, NAN};
  distanceAu = NAN;
  OrbitPosition now;
  if (!computeOrbitPosition(now, elements, jdTt)) return false;
  Motion earth;
  heliocentricMotion(static_cast<int>(Body::Earth), jdTt, earth);
  const Vector e = precessEclipticToJ2000({earth.x, earth.y, earth.z}, jdTt);
  const Vector ev = precessEclipticToJ2000({earth.vx, earth.vy, earth.vz}, jdTt);
  if (earthOut) *earthOut = e;
  distanceAu = length(Vector{now.x, now.y, now.z} - e);
  // The light time: where the body was when the light that reaches the Earth left it.
  double tau = distanceAu * kLightTimePerAu;
  OrbitPosition then = now;
  // The orbit holds a light time before the span's start too: no check of the day there.
  for (int i = 0; i < 6; ++i) {
    orbitAt(then, elements, jdTt - tau);
    const double next = length(Vector{then.x, then.y, then.z} - e) * kLightTimePerAu;
    const bool done = std::fabs(next - tau) < 1e-12;
    tau = next;
    if (done) break;
  }
  orbitAt(then, elements, jdTt - tau);
  if (!std::isfinite(then.x + then.y + then.z)) {
    distanceAu = NAN;
    return false;
  }
  // With aberration: from where the Earth was a light time before, along its velocity.
  const double back = aberration ? tau : 0.0;
  v = Vector{then.x, then.y, then.z} - (e - back * ev);
  return true;
}

bool computeOrbitApparentPlace(ApparentPlace& place, const OrbitalElements& elements,
                               double jdTt) {
  place.jdTt = jdTt;
  place.ecliptic = {NAN, NAN};
  place.equatorial = {NAN, NAN};
  place.distanceAu = NAN;
  detail::OfDate ofDate;
  detail::Vector j2000;
  double distance;
  if (!detail::ofDateAt(ofDate, jdTt) ||
      !detail::orbitGeocentricJ2000(j2000, distance, elements, jdTt, true)) {
    return false;
  }
  const detail::Vector v = detail::precessEclipticFromJ2000(j2000, jdTt);
  const double longitude = std::atan2(v.y, v.x);
  const double latitude = std::atan2(v.z, std::hypot(v.x, v.y));
  place.ecliptic = {reduceAngle(longitude + ofDate.nutation.longitude), latitude};
  eclipticToEquatorial(place.equatorial, place.ecliptic, ofDate.trueObliquity);
  place.distanceAu = distance;
  return true;
}

}  // namespace dockorrery
