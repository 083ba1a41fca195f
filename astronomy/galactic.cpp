// Equatorial coordinates of J2000.0 to galactic and back: one rotation about the galactic pole,
// written as the spherical triangle of the celestial pole, the galactic pole and the direction,
// each angle taken by atan2 so that the poles of both frames need no case of their own.
#include "astronomy/galactic.h"

#include <cmath>
#include <limits>

#include "astronomy/angles.h"

namespace dockorrery {

namespace {

// The pole's declination, once for every call.
const double kSinPole = std::sin(kGalacticPoleDeclination);
const double kCosPole = std::cos(kGalacticPoleDeclination);

// A direction turned between two frames whose poles are each at declination kGalacticPole* in
// the other: `along` is the direction's angle from the other frame's pole meridian (right
// ascension minus the pole's, or the celestial pole's longitude minus the galactic longitude);
// gives the same angle in the new frame and the latitude there.
void turn(double& along, double& latitude, double longitudeFromPole, double fromLatitude) {
  const double sinB = std::sin(fromLatitude), cosB = std::cos(fromLatitude);
  const double sinL = std::sin(longitudeFromPole), cosL = std::cos(longitudeFromPole);
  const double x = sinB * kCosPole - cosB * kSinPole * cosL;
  const double y = cosB * sinL;
  along = std::atan2(y, x);
  latitude = std::atan2(sinB * kSinPole + cosB * kCosPole * cosL, std::hypot(x, y));
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

bool equatorialToGalactic(GalacticCoordinates& galactic, const EquatorialCoordinates& equatorial) {
  galactic = {kNaN, kNaN};
  if (!std::isfinite(equatorial.rightAscension) || !std::isfinite(equatorial.declination)) {
    return false;
  }
  // The book's eq. 13.7 and 13.8 in the form of atan2: cos b sin(l0 - l) = cos d sin(a - aG),
  // cos b cos(l0 - l) = sin d cos dG - cos d sin dG cos(a - aG).
  double fromPole, latitude;
  turn(fromPole, latitude,
       reduceAngle(equatorial.rightAscension) - kGalacticPoleRightAscension,
       equatorial.declination);
  galactic = {reduceAngle(kGalacticLongitudeOfCelestialPole - fromPole), latitude};
  return true;
}

bool galacticToEquatorial(EquatorialCoordinates& equatorial, const GalacticCoordinates& galactic) {
  equatorial = {kNaN, kNaN};
  if (!std::isfinite(galactic.longitude) || !std::isfinite(galactic.latitude)) return false;
  // The same triangle read from the galactic pole: the celestial pole lies at galactic latitude
  // dG on the meridian of l0, and the pole of the galaxy at right ascension aG.
  double fromPole, declination;
  turn(fromPole, declination,
       kGalacticLongitudeOfCelestialPole - reduceAngle(galactic.longitude), galactic.latitude);
  equatorial = {reduceAngle(kGalacticPoleRightAscension + fromPole), declination};
  return true;
}

}  // namespace dockorrery
