// Rotations between the ecliptic, equatorial and horizontal frames. Each angle comes from atan2
// of its sine and cosine parts, so that no pole or quadrant needs a case of its own.
#include "astronomy/coordinates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "astronomy/angles.h"

namespace dockorrery {

namespace {

// asin of a value that rounding may have pushed just past +-1.
double clampedAsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }

}  // namespace

void eclipticToEquatorial(EquatorialCoordinates& equatorial, const EclipticCoordinates& ecliptic,
                          double obliquity) {
  const double sinE = std::sin(obliquity), cosE = std::cos(obliquity);
  const double sinL = std::sin(ecliptic.longitude), cosL = std::cos(ecliptic.longitude);
  const double sinB = std::sin(ecliptic.latitude), cosB = std::cos(ecliptic.latitude);
  equatorial.rightAscension =
      reduceAngle(std::atan2(sinL * cosB * cosE - sinB * sinE, cosL * cosB));
  equatorial.declination = clampedAsin(sinB * cosE + cosB * sinE * sinL);
}

void equatorialToEcliptic(EclipticCoordinates& ecliptic, const EquatorialCoordinates& equatorial,
                          double obliquity) {
  const double sinE = std::sin(obliquity), cosE = std::cos(obliquity);
  const double sinA = std::sin(equatorial.rightAscension),
               cosA = std::cos(equatorial.rightAscension);
  const double sinD = std::sin(equatorial.declination), cosD = std::cos(equatorial.declination);
  ecliptic.longitude = reduceAngle(std::atan2(sinA * cosD * cosE + sinD * sinE, cosA * cosD));
  ecliptic.latitude = clampedAsin(sinD * cosE - cosD * sinE * sinA);
}

void equatorialToHorizontal(HorizontalCoordinates& horizontal,
                            const EquatorialCoordinates& equatorial, const Observer& observer,
                            double siderealTime) {
  // A longitude of any size is a direction: reduced first, so that it does not swamp the rest.
  const double H = siderealTime + reduceAngle(observer.longitude) - equatorial.rightAscension;
  const double sinH = std::sin(H), cosH = std::cos(H);
  const double sinD = std::sin(equatorial.declination), cosD = std::cos(equatorial.declination);
  const double sinP = std::sin(observer.latitude), cosP = std::cos(observer.latitude);
  // East and north components of the direction in the observer's horizon plane.
  const double east = -cosD * sinH;
  const double north = sinD * cosP - cosD * cosH * sinP;
  horizontal.azimuth = reduceAngle(std::atan2(east, north));
  // Not the arcsine of the up component, which loses half the digits near the zenith and the
  // nadir (1e-8 rad there), so that horizontalToEquatorial undoes this to rounding everywhere.
  horizontal.altitude = std::atan2(sinD * sinP + cosD * cosH * cosP, std::hypot(east, north));
}

bool horizontalToEquatorial(EquatorialCoordinates& equatorial,
                            const HorizontalCoordinates& horizontal, const Observer& observer,
                            double siderealTime) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  equatorial = {kNaN, kNaN};
  const double longitude = reduceAngle(observer.longitude);
  if (!std::isfinite(horizontal.azimuth) || !std::isfinite(horizontal.altitude) ||
      !std::isfinite(longitude) || !std::isfinite(observer.latitude) ||
      !std::isfinite(siderealTime)) {
    return false;
  }
  const double sinA = std::sin(horizontal.azimuth), cosA = std::cos(horizontal.azimuth);
  const double sinh = std::sin(horizontal.altitude), cosh = std::cos(horizontal.altitude);
  const double sinP = std::sin(observer.latitude), cosP = std::cos(observer.latitude);
  // The east, north and up components, turned about the east axis by the colatitude: cos d sin H
  // is the westward component, cos d cos H the one towards the meridian above the equator.
  const double east = cosh * sinA, north = cosh * cosA;
  const double west = -east;
  const double meridian = sinh * cosP - north * sinP;
  const double pole = sinh * sinP + north * cosP;
  const double H = std::atan2(west, meridian);
  // atan2 of the sine against the length of the rest keeps full precision near the poles, where
  // an arcsine loses it.
  equatorial.declination = std::atan2(pole, std::hypot(west, meridian));
  equatorial.rightAscension = reduceAngle(siderealTime + longitude - H);
  return true;
}

}  // namespace dockorrery
