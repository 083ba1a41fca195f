// The phase, apparent diameter and visual magnitude of the planets, Pluto and the Moon, and the
// tilt of Saturn's rings, from the apparent place and the Earth's heliocentric place.
#include "astronomy/illumination.h"

#include <algorithm>
#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/heliocentric.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/vector.h"
#include "astronomy/heliocentric.h"

namespace dockorrery {

namespace {

// The Sun's GM, AU^3 / day^2 (Gauss' constant squared).
constexpr double kSunGravity = 2.959122082855911e-4;
// The Moon's mean distance the magnitude law is referred to, km.
constexpr double kMoonMeanDistanceKm = 385000.6;

// Semidiameters at 1 AU (Body index 1 to 10; the Earth's and the Moon's unused), arcseconds.
constexpr double kSemidiameter[] = {0.0,   3.36,  8.41,  0.0,   4.68, 98.44,
                                    82.73, 35.02, 33.50, 0.0,   2.07};

using detail::Vector;

// The tilt B of Saturn's rings seen from a direction of ecliptic longitude `lon` and latitude
// `lat` (mean ecliptic and equinox of date), and the longitude U of that direction in the rings'
// plane, from the plane's inclination `i` and node `node` (Meeus, ch. 45).
void ringAngles(double lon, double lat, double i, double node, double& tilt, double& u) {
  const double s = std::sin(lon - node);
  tilt = std::asin(std::clamp(std::sin(i) * std::cos(lat) * s - std::cos(i) * std::sin(lat),
                              -1.0, 1.0));
  u = std::atan2(std::sin(i) * std::sin(lat) + std::cos(i) * std::cos(lat) * s,
                 std::cos(lat) * std::cos(lon - node));
}

void fail(Illumination& out) {
  out = {NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN};
}

}  // namespace

bool computeIllumination(Illumination& out, Body body, double jdTt) {
  fail(out);
  if (body < Body::Mercury || body > Body::Pluto || body == Body::Earth) return false;
  BodyPosition earth;
  if (!detail::withinSpan(jdTt) || !computeHeliocentricPosition(earth, Body::Earth, jdTt)) return false;
  const Vector e = detail::fromSpherical(earth.L, earth.B, earth.R);
  Vector helio, geo;
  double delta;
  if (body == Body::Moon || body == Body::Pluto) {
    // The apparent place on the mean ecliptic of date (less the nutation) at its true distance;
    // Pluto's less the annual aberration too (the Moon's cancels with the Earth's).
    detail::OfDate ofDate;
    ApparentPlace place;
    if (!detail::ofDateAt(ofDate, jdTt) || !detail::apparentPlace(place, body, ofDate)) {
      return false;
    }
    double lon = place.ecliptic.longitude - ofDate.nutation.longitude;
    double lat = place.ecliptic.latitude;
    if (body == Body::Pluto) {
      const double sun = earth.L + kPi;
      const double apparentLon = lon;
      lon += kAberration * std::cos(sun - apparentLon) / std::cos(lat);
      lat += kAberration * std::sin(sun - apparentLon) * std::sin(lat);
    }
    delta = place.distanceAu;
    geo = detail::fromSpherical(lon, lat, delta);
    helio = e + geo;
  } else {
    // The planet where the light left it, from its place and motion now (one pass over its
    // series; mean ecliptic and equinox of date): back along its velocity and by the Sun's pull
    // over the light time, taken from the distance then, the book's way.
    detail::Motion m;
    detail::heliocentricMotion(static_cast<int>(body), jdTt, m);
    const double rNow = std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z);
    double tau = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
      const double pull = -0.5 * kSunGravity * tau * tau / (rNow * rNow * rNow);
      helio = {m.x - m.vx * tau + pull * m.x, m.y - m.vy * tau + pull * m.y,
               m.z - m.vz * tau + pull * m.z};
      geo = helio - e;
      tau = std::sqrt(dot(geo, geo)) * kLightTimePerAu;
    }
    delta = std::sqrt(dot(geo, geo));
  }
  const double lon = std::atan2(geo.y, geo.x);
  const double lat = std::asin(geo.z / delta);
  const double r = std::sqrt(dot(helio, helio));
  const double phase = std::acos(std::clamp(dot(helio, geo) / (r * delta), -1.0, 1.0));
  const double phaseDeg = phase / kDegree;
  const double logDistances = 5.0 * std::log10(r * delta);

  double magnitude = NAN, diameter = NAN;
  switch (body) {
    case Body::Mercury:
      magnitude = -0.42 + logDistances +
                  phaseDeg * (0.0380 + phaseDeg * (-0.000273 + phaseDeg * 0.000002));
      break;
    case Body::Venus:
      magnitude = -4.40 + logDistances +
                  phaseDeg * (0.0009 + phaseDeg * (0.000239 - phaseDeg * 0.00000065));
      break;
    case Body::Mars: magnitude = -1.52 + logDistances + 0.016 * phaseDeg; break;
    case Body::Jupiter: magnitude = -9.40 + logDistances + 0.005 * phaseDeg; break;
    case Body::Saturn: {
      // The rings' plane, its inclination and node on the ecliptic of date (Meeus, ch. 45).
      const double T = (jdTt - kJ2000Epoch) / 36525.0;
      const double i = (28.075216 - T * (0.012998 - T * 0.000004)) * kDegree;
      const double node = (169.508470 + T * (1.394681 + T * 0.000412)) * kDegree;
      double tilt, uEarth;
      ringAngles(lon, lat, i, node, tilt, uEarth);
      // From the Sun: the heliocentric place, less the Sun's aberration-like terms the book
      // applies (0.01759 deg / r, 0.000764 deg cos(l - node) / r).
      double l = std::atan2(helio.y, helio.x);
      double b = std::asin(helio.z / r);
      l -= 0.01759 * kDegree / r;
      b -= 0.000764 * kDegree * std::cos(l - node) / r;
      double tiltSun, uSun;
      ringAngles(l, b, i, node, tiltSun, uSun);
      const double du = std::fabs(signedAngle(uSun - uEarth)) / kDegree;
      const double sinB = std::sin(std::fabs(tilt));
      out.ringTilt = tilt;
      out.ringMagnitude = -2.60 * sinB + 1.25 * sinB * sinB;
      magnitude = -8.88 + logDistances + 0.044 * du + out.ringMagnitude;
      break;
    }
    case Body::Uranus: magnitude = -7.19 + logDistances; break;
    case Body::Neptune: magnitude = -6.87 + logDistances; break;
    case Body::Pluto: magnitude = -1.00 + logDistances; break;
    case Body::Moon: {
      const double p2 = phase * phase;
      magnitude = -12.717 + 1.49 * phase + 0.0431 * p2 * p2 +
                  5.0 * std::log10(r * delta * kAstronomicalUnitKm / kMoonMeanDistanceKm);
      diameter = 2.0 * 358473400.0 / (delta * kAstronomicalUnitKm) * kArcsecond;
      break;
    }
    default: return false;
  }
  if (body != Body::Moon) {
    diameter = 2.0 * kSemidiameter[static_cast<int>(body)] / delta * kArcsecond;
  }
  out.phaseAngle = phase;
  out.illuminatedFraction = (1.0 + std::cos(phase)) / 2.0;
  out.diameter = diameter;
  out.magnitude = magnitude;
  out.heliocentricAu = r;
  out.geocentricAu = delta;
  return true;
}

}  // namespace dockorrery
