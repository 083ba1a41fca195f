// Apparent places from the library's own series: light time, aberration, the FK5 frame, nutation;
// and the parallax of an observer on the Earth. Positions are carried as vectors in AU on the
// mean ecliptic and equinox of date, so that light time and parallax are subtractions.
#include "astronomy/apparent.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/heliocentric.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/pluto.h"
#include "astronomy/detail/polynomials.h"
#include "astronomy/detail/precession.h"
#include "astronomy/detail/sidereal.h"
#include "astronomy/detail/vector.h"
#include "astronomy/moon.h"
#include "astronomy/pluto.h"
#include "astronomy/time_scales.h"
#include "ephemeris/position.h"

namespace dockorrery {

namespace {

// The Sun's gravitational parameter, k^2 of Gauss: AU^3 per day^2.
constexpr double kSunGravity = 2.959122082855911e-4;
// The FK5 correction of the VSOP87 frame (Meeus, Astronomical Algorithms, eq. 32.3).
constexpr double kFk5Longitude = -0.09033 * kArcsecond;
constexpr double kFk5Factor = 0.03916 * kArcsecond;
// The reference ellipsoid of the observer's height and latitude (IAU 1976).
constexpr double kPolarToEquatorial = 0.99664719;  // b / a
constexpr double kLowestHeight = -12000.0;         // m, below the deepest ocean floor
constexpr double kMetresPerKm = 1000.0;

using detail::Vector;

// Longitude in [0, 2pi) and latitude of a direction.
void toSpherical(const Vector& v, double& longitude, double& latitude) {
  longitude = reduceAngle(std::atan2(v.y, v.x));
  latitude = std::atan2(v.z, std::hypot(v.x, v.y));
}

// Where a planet moving as `m` was `tau` days before: back along its velocity, and by the Sun's
// pull over that time, GM tau^2 / 2r^2. What that leaves (the pull's own change, the Moon's on
// the Earth) keeps to 1e-8 AU over a light time of a day, a thousandth of an arcsecond.
Vector before(const detail::Motion& m, double tau) {
  const double r = std::hypot(m.x, m.y, m.z);
  const double pull = r > 0.0 ? -0.5 * kSunGravity * tau * tau / (r * r * r) : 0.0;
  return {m.x - m.vx * tau + pull * m.x, m.y - m.vy * tau + pull * m.y,
          m.z - m.vz * tau + pull * m.z};
}

// Heliocentric position of Pluto, mean ecliptic and equinox of date, AU; false outside its
// series (from a day and its light time before its first day).
bool plutoAt(double jdTt, Vector& v) {
  PlutoPosition pluto;
  if (!detail::plutoPositionOfDate(pluto, jdTt)) return false;
  v = detail::precessEclipticFromJ2000(
      detail::fromSpherical(pluto.longitude, pluto.latitude, pluto.distanceAu), jdTt);
  return true;
}

bool knownBody(Body body) {
  return body >= Body::Sun && body <= Body::Pluto && body != Body::Earth;
}

// Geometric geocentric longitude, latitude (mean ecliptic and equinox of date, rad) and distance
// (AU) of `body` as its light reaches the Earth at `jdTt`; false where its series does not hold.
bool geocentric(Body body, double jdTt, double& longitude, double& latitude, double& distance) {
  if (body == Body::Moon) {
    MoonPosition moon;
    if (!computeMoonPosition(moon, jdTt)) return false;
    longitude = moon.longitude;
    latitude = moon.latitude;
    distance = moon.distanceKm / kAstronomicalUnitKm;
    return true;
  }
  // The light time from the geometric distance now: its own change over the light time moves
  // the body by far less than 0.001". Where the body was when its light left it, seen from
  // where the Earth was then: light time and aberration in one. Each planet's place then comes
  // from its place and motion now, one pass over its series; Pluto's from its own series then.
  // The distance is the true one, at jdTt.
  detail::Motion earth;
  detail::heliocentricMotion(static_cast<int>(Body::Earth), jdTt, earth);
  const Vector earthNow{earth.x, earth.y, earth.z};
  Vector bodyNow, bodyThen;
  double tau;
  if (body == Body::Pluto) {
    if (!(jdTt >= detail::kPlutoFirstPlaceJd) || !plutoAt(jdTt, bodyNow)) return false;
    tau = length(bodyNow - earthNow) * kLightTimePerAu;
    if (!plutoAt(jdTt - tau, bodyThen)) return false;
  } else {
    detail::Motion planet;
    detail::heliocentricMotion(static_cast<int>(body), jdTt, planet);
    bodyNow = {planet.x, planet.y, planet.z};
    tau = length(bodyNow - earthNow) * kLightTimePerAu;
    bodyThen = before(planet, tau);
  }
  toSpherical(bodyThen - before(earth, tau), longitude, latitude);
  distance = length(bodyNow - earthNow);
  // The series' dynamical ecliptic and equinox to the FK5 frame.
  const double T = detail::julianCenturies(jdTt);
  const double lp = longitude - (1.397 * T + 0.00031 * T * T) * kDegree;
  if (body != Body::Pluto) {
    longitude += kFk5Longitude +
                 kFk5Factor * (std::cos(lp) + std::sin(lp)) * std::tan(latitude);
    latitude += kFk5Factor * (std::cos(lp) - std::sin(lp));
  }
  return true;
}

}  // namespace

void detail::fillNan(ApparentPlace& place) {
  place.ecliptic = {NAN, NAN};
  place.equatorial = {NAN, NAN};
  place.distanceAu = NAN;
}

void detail::fillNan(TopocentricPlace& place) {
  place.equatorial = {NAN, NAN};
  place.horizontal = {NAN, NAN};
  place.distanceAu = NAN;
}

bool detail::apparentPlace(ApparentPlace& place, Body body, const OfDate& ofDate) {
  place.jdTt = ofDate.jdTt;
  fillNan(place);
  double longitude, latitude, distance;
  if (!knownBody(body) || std::isnan(ofDate.trueObliquity) ||
      !geocentric(body, ofDate.jdTt, longitude, latitude, distance)) {
    return false;
  }
  place.ecliptic = {reduceAngle(longitude + ofDate.nutation.longitude), latitude};
  eclipticToEquatorial(place.equatorial, place.ecliptic, ofDate.trueObliquity);
  place.distanceAu = distance;
  return true;
}

bool detail::placeAndSiderealTime(ApparentPlace& place, double& siderealTime, Body body,
                                  double jdUt, double jdTt) {
  OfDate ofDate;
  static_cast<void>(ofDateAt(ofDate, jdTt));  // a failure leaves NaN: the place fails
  siderealTime = apparentSiderealTime(jdUt, ofDate);
  return apparentPlace(place, body, ofDate) && !std::isnan(siderealTime);
}

bool computeApparentPlace(ApparentPlace& place, Body body, double jdTt) {
  detail::OfDate ofDate;
  static_cast<void>(detail::ofDateAt(ofDate, jdTt));  // a failure leaves NaN: the place fails
  return detail::apparentPlace(place, body, ofDate);
}

bool detail::topocentricPlace(TopocentricPlace& place, double& siderealTime, Body body,
                              double jdUt, const Observer& observer,
                              std::optional<double> deltaTSeconds) {
  place.jdUt = jdUt;
  fillNan(place);
  siderealTime = NAN;
  if (!(std::fabs(observer.latitude) <= kPi / 2) || !std::isfinite(observer.longitude) ||
      !std::isfinite(observer.height) || observer.height < kLowestHeight) {
    return false;
  }
  ApparentPlace apparent;
  if (!detail::placeAndSiderealTime(apparent, siderealTime, body, jdUt,
                                    terrestrialTime(jdUt, deltaTSeconds))) {
    return false;
  }
  // The observer's geocentric place on the true equator of date: rho sin(phi') and
  // rho cos(phi') from the geodetic latitude and the height (Meeus, ch. 11), turned to the
  // local sidereal time.
  const double u = std::atan(kPolarToEquatorial * std::tan(observer.latitude));
  const double height = observer.height / kMetresPerKm / kEarthEquatorialRadiusKm;
  const double rhoSin = kPolarToEquatorial * std::sin(u) + height * std::sin(observer.latitude);
  const double rhoCos = std::cos(u) + height * std::cos(observer.latitude);
  const double radius = kEarthEquatorialRadiusKm / kAstronomicalUnitKm;
  const double local = siderealTime + reduceAngle(observer.longitude);
  const Vector site{rhoCos * radius * std::cos(local), rhoCos * radius * std::sin(local),
                    rhoSin * radius};
  const Vector seen = detail::fromSpherical(apparent.equatorial.rightAscension,
                                            apparent.equatorial.declination,
                                            apparent.distanceAu) -
                      site;
  toSpherical(seen, place.equatorial.rightAscension, place.equatorial.declination);
  place.distanceAu = length(seen);
  equatorialToHorizontal(place.horizontal, place.equatorial, observer, siderealTime);
  return true;
}

bool computeTopocentricPlace(TopocentricPlace& place, Body body, double jdUt,
                             const Observer& observer, std::optional<double> deltaTSeconds) {
  double siderealTime;
  return detail::topocentricPlace(place, siderealTime, body, jdUt, observer, deltaTSeconds);
}

bool computeTopocentricPlace(TopocentricPlace& place, Body body, double jdUt,
                             const Observer& observer, const Atmosphere& atmosphere,
                             std::optional<double> deltaTSeconds) {
  double siderealTime;
  const bool airless =
      detail::topocentricPlace(place, siderealTime, body, jdUt, observer, deltaTSeconds);
  const double altitude = place.horizontal.altitude;
  if (airless && refractedAltitude(place.horizontal.altitude, altitude, atmosphere.pressureHpa,
                                   atmosphere.temperatureCelsius)) {
    return true;
  }
  detail::fillNan(place);
  return false;
}

}  // namespace dockorrery
