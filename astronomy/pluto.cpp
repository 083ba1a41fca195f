// Pluto from the generated table of astronomy/tables.
#include "astronomy/detail/polynomials.h"
#include "astronomy/pluto.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/pluto.h"
#include "astronomy/tables/terms.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kAngleUnit = 1e-6 * kDegree;  // longitude and latitude terms: 1e-6 degree
constexpr double kRadiusUnit = 1e-7;           // radius terms: 1e-7 AU

// The mean longitudes of Jupiter, Saturn and Pluto in degrees, constant and rate per century.
constexpr double kJ[] = {34.35, 3034.9057};
constexpr double kS[] = {50.08, 1222.1138};
constexpr double kP[] = {238.96, 144.9600};

// The fit's terms at jdTt, from `firstJd` up to kPlutoEndJd.
bool fitFrom(PlutoPosition& position, double jdTt, double firstJd) {
  position.jdTt = jdTt;
  // Written so that a NaN day fails the test as well.
  if (!(jdTt >= firstJd && jdTt < kPlutoEndJd)) {
    position.longitude = position.latitude = position.distanceAu = NAN;
    return false;
  }

  const double T = detail::julianCenturies(jdTt);
  const double J = detail::polynomial(kJ, T) * kDegree;
  const double S = detail::polynomial(kS, T) * kDegree;
  const double P = detail::polynomial(kP, T) * kDegree;

  double l = 0.0, b = 0.0, r = 0.0;
  for (const PlutoTerm& term : kPlutoTerms) {
    const double argument = term.J * J + term.S * S + term.P * P;
    const double s = std::sin(argument), c = std::cos(argument);
    l += term.lSin * s + term.lCos * c;
    b += term.bSin * s + term.bCos * c;
    r += term.rSin * s + term.rCos * c;
  }
  position.longitude = reduceAngle((238.958116 + 144.96 * T) * kDegree + l * kAngleUnit);
  position.latitude = -3.908239 * kDegree + b * kAngleUnit;
  position.distanceAu = 40.7241346 + r * kRadiusUnit;
  return true;
}

}  // namespace

bool computePlutoPosition(PlutoPosition& position, double jdTt) {
  return fitFrom(position, jdTt, kPlutoFirstJd);
}

// Its periodic terms and their arguments' steady motion hold a day and a third before the fit's
// first day as on it, where nothing ends but the fit's making: against Astronomy Engine's
// integrated Pluto the same 5.742" in longitude, 1.439" in latitude and 1.32e-3 AU there as on
// its first day.
bool detail::plutoPositionOfDate(PlutoPosition& position, double jdTt) {
  return fitFrom(position, jdTt, kPlutoFirstPlaceJd - kPlutoLongestLightTime);
}

}  // namespace dockorrery
