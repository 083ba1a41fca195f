// The constellation of a direction: its place precessed to the boundaries' own equinox, B1875.0,
// then looked up in Roman's zones in his order.
#include "astronomy/constellations.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "astronomy/tables/constellation_table.h"
#include "astronomy/precession.h"

namespace dockorrery {

namespace {

static_assert(sizeof(Constellation::abbreviation) == sizeof(detail::ConstellationName::abbreviation));
static_assert(sizeof(Constellation::name) == sizeof(detail::ConstellationName::name));
static_assert(std::size(detail::kConstellationNames) == kConstellationCount);

// The zone holding a place of B1875.0 (seconds of time in [0, 86400], arcminutes): the first
// that holds it; the last zone holds the rest of the sky, whatever rounding did at its edges.
// The zones come in order of declining lower declination (the generator refuses any other), so
// none before the first that reaches down to the place can hold it: the scan starts there.
const detail::ConstellationZone& zoneOf(double seconds, double arcminutes) {
  const detail::ConstellationZone* const begin = std::begin(detail::kConstellationZones);
  const detail::ConstellationZone* const last = std::end(detail::kConstellationZones) - 1;
  const detail::ConstellationZone* zone =
      std::partition_point(begin, last, [arcminutes](const detail::ConstellationZone& z) {
        return z.decLowArcminutes > arcminutes;
      });
  for (; zone != last; ++zone) {
    if (seconds >= zone->raLowSeconds && seconds < zone->raHighSeconds) return *zone;
  }
  return *last;
}

}  // namespace

bool findConstellation(Constellation& constellation, const EquatorialCoordinates& equatorial,
                       double jdTt) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constellation = {-1, "", "", {kNaN, kNaN}};
  EquatorialCoordinates b1875;
  if (!precessEquatorial(b1875, equatorial, jdTt, kB1875Epoch)) return false;
  // A right ascension a hair below 2pi may round up to 86400 s, which is 0 h again.
  double seconds = b1875.rightAscension / kTwoPi * detail::kSecondsPerTurn;
  if (seconds >= detail::kSecondsPerTurn) seconds = 0.0;
  const double arcminutes = b1875.declination / kDegree * 60.0;
  const detail::ConstellationZone& zone = zoneOf(seconds, arcminutes);
  const detail::ConstellationName& names = detail::kConstellationNames[zone.constellation];
  constellation.index = zone.constellation;
  std::memcpy(constellation.abbreviation, names.abbreviation, sizeof names.abbreviation);
  std::memcpy(constellation.name, names.name, sizeof names.name);
  constellation.b1875 = b1875;
  return true;
}

}  // namespace dockorrery
