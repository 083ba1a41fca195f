// The design floor's position source, put in place of computeBodyPosition at link time
// (ld --wrap): each body's position is computed once per date and copied on every later call.
// Everything else of the frame, the applet's own code, runs as it is, so the design floor
// sends the applet's requests in the applet's order and differs only in the series' cost.
#include <type_traits>

#include "ephemeris/position.h"

// The wrapped symbol is named by its mangled name in bench/CMakeLists.txt; a change of the
// signature must change that name too, or the applet's own evaluation would run unwrapped.
static_assert(std::is_same_v<decltype(dockorrery::computeBodyPosition),
                             void(dockorrery::BodyPosition&, int, double)>);

using dockorrery::BodyPosition;

extern "C" {

// The real computeBodyPosition, as ld --wrap names it.
void __real__ZN10dockorrery19computeBodyPositionERNS_12BodyPositionEid(BodyPosition& position,
                                                                      int body, double jd);

// Fills `position` as computeBodyPosition does, from a cache of one date per body (0..8).
void __wrap__ZN10dockorrery19computeBodyPositionERNS_12BodyPositionEid(BodyPosition& position,
                                                                      int body, double jd) {
  static BodyPosition cache[9];
  static bool filled[9];
  if (body < 0 || body > 8) {
    __real__ZN10dockorrery19computeBodyPositionERNS_12BodyPositionEid(position, body, jd);
    return;
  }
  if (!filled[body] || cache[body].jd != jd) {
    __real__ZN10dockorrery19computeBodyPositionERNS_12BodyPositionEid(cache[body], body, jd);
    filled[body] = true;
  }
  position = cache[body];
}

}  // extern "C"
