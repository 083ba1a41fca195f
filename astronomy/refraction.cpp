#include "refraction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dockorrery {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLimitDegrees = -1.0;  // where the formulae give way to the taper

bool acceptable(double altitude, double pressureHpa, double temperatureCelsius) {
  return std::isfinite(altitude) && std::abs(altitude) <= kPi / 2.0 && pressureHpa >= 0.0 &&
         pressureHpa <= 1200.0 && temperatureCelsius >= -100.0 && temperatureCelsius <= 100.0;
}

double scale(double pressureHpa, double temperatureCelsius) {
  return pressureHpa / 1010.0 * (283.0 / (273.0 + temperatureCelsius));
}

// Refraction in minutes of arc of the book's formulae, a / tan(h + b / (h + c)), held
// below kLimitDegrees and tapered to 0 at -90 degrees.
double refractionMinutes(double degrees, double a, double b, double c) {
  const double h = std::max(degrees, kLimitDegrees);
  const double r = a / std::tan((h + b / (h + c)) * kDegree);
  return degrees < kLimitDegrees ? r * (degrees + 90.0) / (kLimitDegrees + 90.0) : r;
}

double clampAltitude(double altitude) { return std::clamp(altitude, -kPi / 2.0, kPi / 2.0); }

}  // namespace

bool refractedAltitude(double& apparentAltitude, double trueAltitude, double pressureHpa,
                       double temperatureCelsius) {
  apparentAltitude = kNaN;
  if (!acceptable(trueAltitude, pressureHpa, temperatureCelsius)) return false;
  const double minutes = refractionMinutes(trueAltitude / kDegree, 1.02, 10.3, 5.11);
  apparentAltitude = clampAltitude(
      trueAltitude + minutes * scale(pressureHpa, temperatureCelsius) * kDegree / 60.0);
  return true;
}

bool unrefractedAltitude(double& trueAltitude, double apparentAltitude, double pressureHpa,
                         double temperatureCelsius) {
  trueAltitude = kNaN;
  if (!acceptable(apparentAltitude, pressureHpa, temperatureCelsius)) return false;
  const double minutes = refractionMinutes(apparentAltitude / kDegree, 1.0, 7.31, 4.4);
  trueAltitude = clampAltitude(
      apparentAltitude - minutes * scale(pressureHpa, temperatureCelsius) * kDegree / 60.0);
  return true;
}

bool computeAirmass(double& airmass, double apparentAltitude) {
  airmass = kNaN;
  if (!std::isfinite(apparentAltitude) || std::abs(apparentAltitude) > kPi / 2.0) return false;
  const double h = std::max(apparentAltitude / kDegree, 0.0);
  airmass = 1.0 / (std::sin(h * kDegree) + 0.50572 * std::pow(h + 6.07995, -1.6364));
  return true;
}

}  // namespace dockorrery
