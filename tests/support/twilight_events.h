// A day's twilight as the record of a body's day, for the tests that check both alike: its dawn
// in place of the rise, its dusk in place of the set, and no transit.
#pragma once

#include <cmath>

#include "astronomy/events.h"

inline dockorrery::RiseTransitSet twilightEvents(const dockorrery::TwilightTimes& t) {
  using dockorrery::RiseSetKind;
  using dockorrery::TwilightKind;
  const RiseSetKind kind = t.kind == TwilightKind::DawnOrDusk   ? RiseSetKind::RisesAndSets
                           : t.kind == TwilightKind::DarkNever  ? RiseSetKind::Circumpolar
                           : t.kind == TwilightKind::DarkAllDay ? RiseSetKind::NeverRises
                                                                : RiseSetKind::Invalid;
  return {kind, t.hasDawn, false, t.hasDusk, t.dawnJdUt, NAN, t.duskJdUt};
}
