// Stars from a catalogue. The star is carried as a rectangular vector in units of its distance at
// the catalogue's epoch, so that a star of unknown distance (parallax 0) is the same arithmetic
// with the parallax's terms vanishing: its space motion, the Earth's displacement from the Sun
// (annual parallax) and the Earth's velocity (aberration) are sums of vectors.
#include "astronomy/detail/polynomials.h"
#include "astronomy/stars.h"

#include <cmath>
#include <limits>

#include "astronomy/angles.h"
#include "astronomy/detail/apparent.h"
#include "astronomy/detail/crossings.h"
#include "astronomy/detail/heliocentric.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/detail/precession.h"
#include "astronomy/detail/sidereal.h"
#include "astronomy/detail/stars.h"
#include "astronomy/detail/vector.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kJulianYear = 365.25;  // days
// A radial velocity of 1 km/s in AU per Julian year.
constexpr double kAuPerYearPerKmPerS = kJulianYear * kSecondsPerDay / kAstronomicalUnitKm;
constexpr double kLightAuPerDay = 1.0 / kLightTimePerAu;
constexpr double kLowestHeight = -12000.0;  // m, as the bodies' topocentric places take

bool within(double value, double limit) { return std::fabs(value) <= limit; }  // false for NaN

bool validStar(const CatalogueStar& star) {
  return std::isfinite(star.place.rightAscension) && within(star.place.declination, kPi / 2.0) &&
         within(star.properMotionRightAscension, kLargestProperMotion) &&
         within(star.properMotionDeclination, kLargestProperMotion) &&
         star.parallax >= 0.0 && star.parallax <= kLargestParallax &&
         within(star.radialVelocityKmPerS, kLargestRadialVelocityKmPerS) &&
         detail::withinSpan(star.epochJdTt);
}

bool validObserver(const Observer& observer) {
  return within(observer.latitude, kPi / 2.0) && std::isfinite(observer.longitude) &&
         std::isfinite(observer.height) && observer.height >= kLowestHeight;
}

}  // namespace

detail::Motion detail::earthMotionForStars(double jdTt) {
  const double T = detail::julianCenturies(jdTt);
  // Meeus, ch. 25: the Sun's mean longitude and mean anomaly, and the orbit's eccentricity.
  const double meanLongitude =
      (280.46646 + (36000.76983 + 0.0003032 * T) * T) * kDegree + kPi;  // the Earth's
  const double M = (357.52911 + (35999.05029 - 0.0001537 * T) * T) * kDegree;
  const double e = 0.016708634 - (0.000042037 + 0.0000001267 * T) * T;
  constexpr double a = 1.000001018;                                  // AU
  constexpr double n = 35999.05029 * kDegree / kJulianCentury;      // rad per day
  double E = M + e * std::sin(M);
  for (int k = 0; k < 2; ++k) E -= (E - e * std::sin(E) - M) / (1.0 - e * std::cos(E));
  const double cE = std::cos(E), sE = std::sin(E), b = a * std::sqrt(1.0 - e * e);
  const double rate = n / (1.0 - e * cE);
  const double x = a * (cE - e), y = b * sE, vx = -a * sE * rate, vy = b * cE * rate;
  const double perihelion = meanLongitude - M, cp = std::cos(perihelion),
               sp = std::sin(perihelion);
  // Meeus, ch. 47: the Moon's mean longitude and its equation of the centre; its mean distance
  // and motion; the Earth's share of the pair, 1 / (1 + 81.3005).
  const double moonAnomaly = (134.9633964 + 477198.8675055 * T) * kDegree;
  const double moon = (218.3164477 + 481267.88123421 * T) * kDegree +
                      6.289 * kDegree * std::sin(moonAnomaly);
  constexpr double kEarthShare = 1.0 / 82.3005;
  constexpr double moonRadius = 385000.56 / kAstronomicalUnitKm * kEarthShare;  // AU
  constexpr double moonSpeed = moonRadius * 481267.88123421 * kDegree / kJulianCentury;
  const double cm = std::cos(moon), sm = std::sin(moon);
  return {cp * x - sp * y - moonRadius * cm,
          sp * x + cp * y - moonRadius * sm,
          0.0,
          cp * vx - sp * vy + moonSpeed * sm,
          sp * vx + cp * vy - moonSpeed * cm,
          0.0};
}

namespace {

// The apparent place of `star` at ofDate.jdTt, with its nutation and obliquities, seen from the
// Earth moving as `earth` (mean ecliptic and equinox of date, AU and AU per day).
bool starPlace(ApparentPlace& place, const CatalogueStar& star, const detail::OfDate& ofDate,
               const detail::Motion& earth) {
  place.jdTt = ofDate.jdTt;
  detail::fillNan(place);
  if (!validStar(star) || std::isnan(ofDate.trueObliquity)) return false;
  // The space motion, per Julian year in units of the epoch's distance: the proper motion along
  // the parallel and the meridian, and the radial velocity over the distance.
  const double ca = std::cos(star.place.rightAscension), sa = std::sin(star.place.rightAscension);
  const double cd = std::cos(star.place.declination), sd = std::sin(star.place.declination);
  const double radial = star.radialVelocityKmPerS * kAuPerYearPerKmPerS * star.parallax;
  const double east = star.properMotionRightAscension, north = star.properMotionDeclination;
  const double t = (ofDate.jdTt - star.epochJdTt) / kJulianYear;
  const detail::Vector atEpoch{
      cd * ca + t * (-east * sa - north * sd * ca + radial * cd * ca),
      cd * sa + t * (east * ca - north * sd * sa + radial * cd * sa),
      sd + t * (north * cd + radial * sd)};
  // To the mean equator of date, then to its ecliptic, the frame of the Earth's motion.
  const detail::Matrix toEcliptic = detail::rotationAboutX(-ofDate.meanObliquity) *
                                    detail::equatorialPrecession(kJ2000Epoch, ofDate.jdTt);
  // Seen from the Earth: its heliocentric place in the same units (annual parallax), then its
  // velocity over the speed of light added to the unit direction (aberration).
  const detail::Vector v =
      toEcliptic * atEpoch - star.parallax * detail::Vector{earth.x, earth.y, earth.z};
  const double length = detail::length(v);
  if (!(length > 0.0) || !std::isfinite(length)) return false;  // a star through the Sun
  const double x = v.x / length + earth.vx / kLightAuPerDay;
  const double y = v.y / length + earth.vy / kLightAuPerDay;
  const double z = v.z / length + earth.vz / kLightAuPerDay;
  place.ecliptic = {reduceAngle(std::atan2(y, x) + ofDate.nutation.longitude),
                    std::atan2(z, std::hypot(x, y))};
  eclipticToEquatorial(place.equatorial, place.ecliptic, ofDate.trueObliquity);
  place.distanceAu = star.parallax > 0.0 ? length / star.parallax : kInfinity;
  return true;
}

// The star's apparent place at Julian Day `jdUt` (UT), `deltaTDays` after it on TT, seen from
// the Earth moving as `earth` then, and the apparent sidereal time there (rad), with one
// nutation.
bool placeAndSiderealTime(ApparentPlace& place, double& siderealTime, const CatalogueStar& star,
                          double jdUt, double deltaTDays, const detail::Motion& earth) {
  detail::OfDate ofDate;
  static_cast<void>(detail::ofDateAt(ofDate, jdUt + deltaTDays));  // NaN fails the place
  siderealTime = detail::apparentSiderealTime(jdUt, ofDate);
  return starPlace(place, star, ofDate, earth) && !std::isnan(siderealTime);
}

}  // namespace

bool computeStarApparentPlace(ApparentPlace& place, const CatalogueStar& star, double jdTt) {
  detail::OfDate ofDate;
  // A failure leaves NaN: the place fails before it needs the Earth.
  if (!detail::ofDateAt(ofDate, jdTt)) return starPlace(place, star, ofDate, {});
  return starPlace(place, star, ofDate, detail::earthMotionForStars(jdTt));
}

bool computeStarTopocentricPlace(TopocentricPlace& place, const CatalogueStar& star, double jdUt,
                                 const Observer& observer, std::optional<double> deltaTSeconds) {
  place.jdUt = jdUt;
  detail::fillNan(place);
  ApparentPlace apparent;
  double siderealTime;
  const double deltaTDays = terrestrialTime(jdUt, deltaTSeconds) - jdUt;
  if (!validObserver(observer) || !detail::withinSpan(jdUt + deltaTDays) ||
      !placeAndSiderealTime(apparent, siderealTime, star, jdUt, deltaTDays,
                            detail::earthMotionForStars(jdUt + deltaTDays))) {
    return false;
  }
  // The observer is at most 4.3e-5 AU from the centre of the Earth, the star at least 1e4 AU:
  // the diurnal parallax stays below 0.001", and the place is the geocentric one.
  place.equatorial = apparent.equatorial;
  place.distanceAu = apparent.distanceAu;
  equatorialToHorizontal(place.horizontal, place.equatorial, observer, siderealTime);
  return true;
}

bool computeStarTopocentricPlace(TopocentricPlace& place, const CatalogueStar& star, double jdUt,
                                 const Observer& observer, const Atmosphere& atmosphere,
                                 std::optional<double> deltaTSeconds) {
  double refracted = kNaN;
  if (!computeStarTopocentricPlace(place, star, jdUt, observer, deltaTSeconds) ||
      !refractedAltitude(refracted, place.horizontal.altitude, atmosphere.pressureHpa,
                         atmosphere.temperatureCelsius)) {
    detail::fillNan(place);
    return false;
  }
  place.horizontal.altitude = refracted;
  return true;
}

bool computeStarRiseTransitSet(RiseTransitSet& events, const CatalogueStar& star,
                               const Observer& observer, double jdUt,
                               std::optional<double> deltaTSeconds) {
  const double deltaTDays = terrestrialTime(jdUt, deltaTSeconds) - jdUt;
  if (!detail::withinSpan(jdUt) || !(std::fabs(deltaTDays) < 1.0) ||
      !within(observer.latitude, kPi / 2.0) || !std::isfinite(observer.longitude)) {
    detail::invalidEvents(events);
    return false;
  }
  // The day's model through the star's place at its start and end: the slowly moving part of
  // the hour angle (less the Earth's turning, taken the short way from the start), the
  // declination and the standard altitude.
  double hourAngle[2], declination[2];
  const double crossing[2] = {kStandardAltitudeStar, kStandardAltitudeStar};
  for (int k = 0; k < 2; ++k) {
    ApparentPlace place;
    double siderealTime;
    if (!placeAndSiderealTime(place, siderealTime, star, jdUt + k, deltaTDays,
                              detail::earthMotionForStars(jdUt + k + deltaTDays))) {
      detail::invalidEvents(events);
      return false;
    }
    const double w = signedAngle(siderealTime + reduceAngle(observer.longitude) -
                                 place.equatorial.rightAscension - kSiderealRotationPerDay * k);
    hourAngle[k] = k == 0 ? w : hourAngle[0] + signedAngle(w - hourAngle[0]);
    declination[k] = place.equatorial.declination;
  }
  detail::DayModel model;
  detail::interpolate(hourAngle, 2, model.hourAngle);
  detail::interpolate(declination, 2, model.declination);
  detail::interpolate(crossing, 2, model.crossing);
  detail::fillEvents(events, detail::searchDay(model, observer.latitude), jdUt);
  return true;
}

}  // namespace dockorrery
