// The bodies of the program and its astronomy library.
#pragma once

#include "constants.h"

#include <cstdint>

namespace dockorrery {

// The Sun and the eight planets carry the body indices of the planetary series (0 Sun,
// 1 Mercury ... 8 Neptune), the values BodyPosition records; the Moon and Pluto follow.
enum class Body : int32_t {
  Sun = 0, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune, Moon, Pluto
};

}  // namespace dockorrery
