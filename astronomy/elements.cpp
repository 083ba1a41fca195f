// Orbits by mean anomaly at an epoch, and the magnitudes of minor planets and comets.
#include "astronomy/elements.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/magnitudes.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/vector.h"

namespace dockorrery {

namespace {

constexpr double kGauss = 0.01720209895;  // k, rad a day at 1 AU
constexpr double kLargestSemiMajorAxisAu = 1e6;

void fillNan(OrbitalElements& e) {
  e.perihelionJdTt = e.perihelionDistanceAu = e.eccentricity = NAN;
  e.inclination = e.argumentOfPerihelion = e.ascendingNode = NAN;
}

void fillNan(MinorBodyBrightness& b) {
  b.magnitude = b.heliocentricAu = b.geocentricAu = b.phaseAngle = NAN;
}

// The body's distances and phase angle at jdTt, seen from the centre of the Earth: the body where
// the light left it (the light time from its own orbit), the Earth at jdTt, both ecliptic of
// J2000.0.
bool distancesAt(MinorBodyBrightness& b, const OrbitalElements& elements, double jdTt) {
  detail::Vector v, earth;
  double trueDistance;
  if (!detail::orbitGeocentricJ2000(v, trueDistance, elements, jdTt, false, &earth)) return false;
  const detail::Vector body = earth + v;
  b.heliocentricAu = length(body);
  b.geocentricAu = length(v);
  // The angle at the body between the Sun (-body) and the Earth (-v), by atan2 of the cross and
  // dot products, which keeps its digits near 0 and pi.
  b.phaseAngle = std::atan2(length(cross(body, v)), dot(body, v));
  return b.heliocentricAu > 0.0 && b.geocentricAu > 0.0;
}

// A magnitude's law at the body's distances, then the checks every result passes.
template <typename Law>
bool magnitudeAt(MinorBodyBrightness& b, const OrbitalElements& elements, double jdTt,
                 bool parametersFinite, Law law) {
  b.jdTt = jdTt;
  fillNan(b);
  if (!parametersFinite || !distancesAt(b, elements, jdTt)) {
    fillNan(b);
    return false;
  }
  b.magnitude = law(b);
  if (!std::isfinite(b.magnitude)) {
    fillNan(b);
    return false;
  }
  return true;
}

}  // namespace

double detail::asteroidMagnitude(double h, double g, double r, double delta, double phaseAngle) {
  const double t = std::tan(0.5 * phaseAngle);
  const double phi1 = std::exp(-3.33 * std::pow(t, 0.63));
  const double phi2 = std::exp(-1.87 * std::pow(t, 1.22));
  const double phase = (1.0 - g) * phi1 + g * phi2;
  if (!(phase > 0.0)) return NAN;
  return h + 5.0 * std::log10(r * delta) - 2.5 * std::log10(phase);
}

double detail::cometMagnitude(double g, double k, double r, double delta) {
  return g + 5.0 * std::log10(delta) + 2.5 * k * std::log10(r);
}

bool orbitalElementsFromMeanAnomaly(OrbitalElements& elements, double epochJdTt,
                                    double meanAnomaly, double semiMajorAxisAu,
                                    double eccentricity, double inclination,
                                    double argumentOfPerihelion, double ascendingNode) {
  fillNan(elements);
  if (!detail::withinSpan(epochJdTt) || !std::isfinite(meanAnomaly) ||
      !std::isfinite(argumentOfPerihelion) || !std::isfinite(ascendingNode) ||
      !(semiMajorAxisAu > 0.0 && semiMajorAxisAu <= kLargestSemiMajorAxisAu) ||
      !(eccentricity >= 0.0 && eccentricity < 1.0) ||
      !(inclination >= 0.0 && inclination <= kPi)) {
    return false;
  }
  const double a = semiMajorAxisAu;
  const double n = kGauss / (a * std::sqrt(a));
  // The passage nearest the epoch: M in (-pi, pi] leaves at most half a period between them.
  elements.perihelionJdTt = epochJdTt - signedAngle(meanAnomaly) / n;
  elements.perihelionDistanceAu = a * (1.0 - eccentricity);
  elements.eccentricity = eccentricity;
  elements.inclination = inclination;
  elements.argumentOfPerihelion = reduceAngle(argumentOfPerihelion);
  elements.ascendingNode = reduceAngle(ascendingNode);
  return true;
}

bool computeAsteroidMagnitude(MinorBodyBrightness& brightness, const OrbitalElements& elements,
                              double absoluteMagnitude, double slopeParameter, double jdTt) {
  return magnitudeAt(brightness, elements, jdTt,
                     std::isfinite(absoluteMagnitude) && std::isfinite(slopeParameter),
                     [&](const MinorBodyBrightness& b) {
                       return detail::asteroidMagnitude(absoluteMagnitude, slopeParameter,
                                                        b.heliocentricAu, b.geocentricAu,
                                                        b.phaseAngle);
                     });
}

bool computeCometMagnitude(MinorBodyBrightness& brightness, const OrbitalElements& elements,
                           double absoluteMagnitude, double slopeParameter, double jdTt) {
  return magnitudeAt(brightness, elements, jdTt,
                     std::isfinite(absoluteMagnitude) && std::isfinite(slopeParameter),
                     [&](const MinorBodyBrightness& b) {
                       return detail::cometMagnitude(absoluteMagnitude, slopeParameter,
                                                     b.heliocentricAu, b.geocentricAu);
                     });
}

}  // namespace dockorrery
