// Rising, transit, setting and twilight from the library's apparent places over three days.
#include "astronomy/events.h"

#include <cmath>
#include <iterator>

#include "astronomy/apparent.h"
#include "astronomy/time_scales.h"

namespace {

// The Sun's centre at the start of each twilight, in the enumeration's order.
constexpr double kTwilightAltitude[] = {-6.0 * kDegree, -12.0 * kDegree, -18.0 * kDegree};

void invalid(RiseTransitSet& events) {
  events.kind = RiseSetKind::Invalid;
  events.hasRise = events.hasTransit = events.hasSet = false;
  events.riseJdUt = events.transitJdUt = events.setJdUt = NAN;
}

// The events of `body` crossing `altitude` (rad), or its standard altitude when that is NaN.
bool findEvents(RiseTransitSet& events, Body body, const Observer& observer, double jdUt,
            std::optional<double> deltaTSeconds, double altitude) {
  // The library's span and a finite day first: the places below would be of another day.
  if (!withinSpan(jdUt)) {
    invalid(events);
    return false;
  }
  ApparentPlace places[3];
  for (int d = 0; d < 3; ++d) {
    if (!computeApparentPlace(places[d], body, jdUt + (d - 1))) {
      invalid(events);
      return false;
    }
  }
  if (std::isnan(altitude)) {
    altitude = body == Body::Sun    ? kStandardAltitudeSun
               : body == Body::Moon ? moonStandardAltitude(places[1].distanceAu *
                                                           kAstronomicalUnitKm)
                                    : kStandardAltitudeStar;
  }
  const EquatorialCoordinates apparent[3] = {places[0].equatorial, places[1].equatorial,
                                             places[2].equatorial};
  return computeRiseTransitSet(events, jdUt, apparent, observer, altitude, deltaTSeconds);
}

}  // namespace

bool computeBodyRiseTransitSet(RiseTransitSet& events, Body body, const Observer& observer,
                               double jdUt, std::optional<double> deltaTSeconds) {
  return findEvents(events, body, observer, jdUt, deltaTSeconds, NAN);
}

bool computeTwilight(RiseTransitSet& events, Twilight twilight, const Observer& observer,
                     double jdUt, std::optional<double> deltaTSeconds) {
  const auto index = static_cast<int32_t>(twilight);
  if (index < 0 || index >= static_cast<int32_t>(std::size(kTwilightAltitude))) {
    invalid(events);
    return false;
  }
  return findEvents(events, Body::Sun, observer, jdUt, deltaTSeconds, kTwilightAltitude[index]);
}
