// What the readers of the Minor Planet Center's lines promise for any bytes at all, checked the
// same way by the hostile-input test and the fuzzer.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>

#include "astronomy/mpc_orbits.h"
#include "base/constants.h"

namespace mpc_promises {

// A text field: NUL-terminated within its buffer, printable ASCII before the NUL.
inline bool printable(const char* text, size_t size) {
  const size_t length = strnlen(text, size);
  if (length == size) return false;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < 0x20 || text[i] >= 0x7f) return false;
  }
  return true;
}

// Null when the outcome of a read keeps every promise of the header; else what it broke.
inline const char* broken(bool ok, const dockorrery::MpcOrbit& o, dockorrery::MpcBodyKind kind) {
  using namespace dockorrery;
  const OrbitalElements& el = o.elements;
  if (o.kind != kind) return "the kind is not the reader's";
  if (!printable(o.name, sizeof o.name) || !printable(o.provisional, sizeof o.provisional)) {
    return "a text is not NUL-terminated printable ASCII";
  }
  if (!ok) {
    const bool nan = std::isnan(el.perihelionJdTt) && std::isnan(el.perihelionDistanceAu) &&
                     std::isnan(el.eccentricity) && std::isnan(el.inclination) &&
                     std::isnan(el.argumentOfPerihelion) && std::isnan(el.ascendingNode) &&
                     std::isnan(o.epochJdTt) && std::isnan(o.absoluteMagnitude) &&
                     std::isnan(o.slopeParameter);
    if (!nan) return "a failure left a number";
    if (o.number != 0 || o.name[0] || o.provisional[0] || o.orbitType || o.fragment) {
      return "a failure left a designation";
    }
    if (o.error == MpcLineError::None || o.errorColumn < 1) return "a failure without its error";
    return nullptr;
  }
  if (o.error != MpcLineError::None || o.errorColumn != 0) return "a success with an error";
  const bool comet = kind == MpcBodyKind::Comet;
  if (!detail::withinSpan(el.perihelionJdTt) || !(el.perihelionDistanceAu > 0.0) ||
      !std::isfinite(el.perihelionDistanceAu) || !(el.eccentricity >= 0.0) ||
      !(el.eccentricity < (comet ? 100.000001 : 1.0)) || !(el.inclination >= 0.0) ||
      !(el.inclination <= kPi) || !(el.argumentOfPerihelion >= 0.0) ||
      !(el.argumentOfPerihelion < kTwoPi) || !(el.ascendingNode >= 0.0) ||
      !(el.ascendingNode < kTwoPi)) {
    return "elements out of their ranges";
  }
  if (comet ? !(std::isnan(o.epochJdTt) || detail::withinSpan(o.epochJdTt))
            : !detail::withinSpan(o.epochJdTt)) {
    return "an epoch outside the span";
  }
  if (std::isinf(o.absoluteMagnitude) || std::isinf(o.slopeParameter)) return "an infinity";
  if (o.number < 0 || (o.number == 0 && !o.provisional[0])) return "no designation";
  OrbitPosition p;
  if (!computeOrbitPosition(p, el, el.perihelionJdTt)) return "elements the orbit refuses";
  return nullptr;
}

}  // namespace mpc_promises
