#include "astronomy/refraction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dockorrery {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool acceptable(double altitude, double pressureHpa, double temperatureCelsius) {
  return std::isfinite(altitude) && std::abs(altitude) <= kPi / 2.0 && pressureHpa >= 0.0 &&
         pressureHpa <= 1200.0 && temperatureCelsius >= -100.0 && temperatureCelsius <= 100.0;
}

// The air's refraction over the standard air's, for the same ray: the refractivity goes with the
// density, the pressure over the absolute temperature.
double scale(double pressureHpa, double temperatureCelsius) {
  return pressureHpa / kStandardPressureHpa *
         ((273.0 + kStandardTemperatureCelsius) / (273.0 + temperatureCelsius));
}

// Refraction in minutes of arc of the book's formulae, a / tan(h + b / (h + c)), h in degrees,
// held below `limit` and tapered from there to 0 at -90 degrees.
double refractionMinutes(double degrees, double limit, double a, double b, double c) {
  const double h = std::max(degrees, limit);
  const double r = a / std::tan((h + b / (h + c)) * kDegree);
  return degrees < limit ? r * (degrees + 90.0) / (limit + 90.0) : r;
}

// Saemundsson's refraction in the standard air, from the true altitude (degrees), held below
// -1 degree, where it begins to run towards its pole at -5.11.
constexpr double kTrueLimitDegrees = -1.0;
double saemundssonMinutes(double degrees) {
  return refractionMinutes(degrees, kTrueLimitDegrees, 1.02, 10.3, 5.11);
}

// Bennett's refraction in the standard air, from the apparent altitude (degrees), held below the
// apparent altitude of Saemundsson's hold, so that the two tapers begin at the same ray (their
// refractions there differ by 0.6', where holding both at -1 degree left 11').
double bennettMinutes(double degrees) {
  static const double limit = kTrueLimitDegrees + saemundssonMinutes(kTrueLimitDegrees) / 60.0;
  return refractionMinutes(degrees, limit, 1.0, 7.31, 4.4);
}

double clampAltitude(double altitude) { return std::clamp(altitude, -kPi / 2.0, kPi / 2.0); }

}  // namespace

bool refractedAltitude(double& apparentAltitude, double trueAltitude, double pressureHpa,
                       double temperatureCelsius) {
  apparentAltitude = kNaN;
  if (!acceptable(trueAltitude, pressureHpa, temperatureCelsius)) return false;
  // Saemundsson's formula names the ray by the true altitude it has in the standard air. In
  // other air the same ray, the one seen at the same apparent altitude, bends by `s` times as
  // much and so comes from another true altitude: the standard one, u, solves
  // u = h + (s - 1) R(u), a contraction (|(s - 1) dR/du| < 0.2), whose ray is then refracted by
  // s R(u). In the standard air u is h, and the book's formula stands as printed.
  const double s = scale(pressureHpa, temperatureCelsius);
  const double h = trueAltitude / kDegree;
  double u = h;
  for (int k = 0; k < 60 && s != 1.0; ++k) {
    const double next = h + (s - 1.0) * saemundssonMinutes(u) / 60.0;
    const bool done = std::abs(next - u) <= 1e-14;
    u = next;
    if (done) break;
  }
  apparentAltitude = clampAltitude(trueAltitude + s * saemundssonMinutes(u) * kDegree / 60.0);
  return true;
}

bool unrefractedAltitude(double& trueAltitude, double apparentAltitude, double pressureHpa,
                         double temperatureCelsius) {
  trueAltitude = kNaN;
  if (!acceptable(apparentAltitude, pressureHpa, temperatureCelsius)) return false;
  const double minutes = bennettMinutes(apparentAltitude / kDegree);
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
