// Rising, transit and setting by interpolation of the body's coordinates over three days.
#include "astronomy/rise_set.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/crossings.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

// The interpolation through the coordinates of three days (Meeus, eq. 3.3), y(n) = y0 +
// n/2 (a + b + n c), at n = m + delta T days: as a polynomial in m, the fraction of the UT day.
// Right ascension differences are taken the short way round, across 0h as well.
void quadratic(double y0, double a, double b, double deltaTDays,
               double (&coefficients)[detail::DayModel::kTerms]) {
  const double c = b - a, d = deltaTDays;
  for (double& k : coefficients) k = 0.0;
  coefficients[0] = y0 + (a + b) / 2.0 * d + c / 2.0 * d * d;
  coefficients[1] = (a + b) / 2.0 + c * d;
  coefficients[2] = c / 2.0;
}

// True when every angle of the inputs is finite and every latitude and declination within
// [-pi/2, pi/2].
bool validInputs(const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                 double standardAltitude) {
  const auto latitude = [](double a) { return std::fabs(a) <= kPi / 2.0; };  // false for NaN
  for (const EquatorialCoordinates& p : apparent) {
    if (!std::isfinite(p.rightAscension) || !latitude(p.declination)) return false;
  }
  return std::isfinite(observer.longitude) && latitude(observer.latitude) &&
         latitude(standardAltitude);
}

}  // namespace

double moonStandardAltitude(double distanceKm) {
  if (!std::isfinite(distanceKm) || !(distanceKm > kEarthEquatorialRadiusKm)) return NAN;
  return 0.7275 * std::asin(kEarthEquatorialRadiusKm / distanceKm) - kHorizonRefraction;
}

bool computeRiseTransitSet(RiseTransitSet& events, double jdUt,
                           const EquatorialCoordinates (&apparent)[3], const Observer& observer,
                           double standardAltitude, std::optional<double> deltaTSeconds) {
  const double deltaTDays = (deltaTSeconds ? *deltaTSeconds : deltaT(jdUt)) / kSecondsPerDay;
  // Delta T is a fraction of a day over the whole span: beyond a day the three days of
  // coordinates would not hold the instants to interpolate.
  if (!detail::withinSpan(jdUt) || !(std::fabs(deltaTDays) <= 1.0) ||
      !validInputs(apparent, observer, standardAltitude)) {
    detail::invalidEvents(events);
    return false;
  }
  // The hour angle is the sidereal time at 0h UT, turned at the sidereal rate, plus the
  // longitude, less the interpolated right ascension.
  detail::DayModel model;
  quadratic(apparent[1].rightAscension,
            signedAngle(apparent[1].rightAscension - apparent[0].rightAscension),
            signedAngle(apparent[2].rightAscension - apparent[1].rightAscension), deltaTDays,
            model.hourAngle);
  for (double& k : model.hourAngle) k = -k;
  model.hourAngle[0] += apparentSiderealTime(jdUt) + reduceAngle(observer.longitude);
  quadratic(apparent[1].declination, apparent[1].declination - apparent[0].declination,
            apparent[2].declination - apparent[1].declination, deltaTDays, model.declination);
  for (double& k : model.crossing) k = 0.0;
  model.crossing[0] = standardAltitude;
  detail::fillEvents(events, detail::searchDay(model, observer.latitude), jdUt);
  return true;
}

}  // namespace dockorrery
