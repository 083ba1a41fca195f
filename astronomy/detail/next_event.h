// The rule by which the searches of "the next event after an instant" tell an event after the
// instant from the instant's own. Internal to the library; not installed.
#pragma once

namespace dockorrery::detail {

// True when an event found at `eventJd` follows the instant `startJd` asked from (Julian Days on
// one scale): by more than `resolutionDays`, the search's resolution (its tolerance, or how far
// apart the instants it finds for one event from different seeds lie). An event within it of
// the start cannot be told from one at the start: it is the start's own, and is skipped, so that
// asking from the instant of one event finds the next rather than that one again. False for NaN.
constexpr bool followsStart(double eventJd, double startJd, double resolutionDays) {
  return eventJd > startJd + resolutionDays;
}

}  // namespace dockorrery::detail
