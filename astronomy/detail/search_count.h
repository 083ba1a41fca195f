// A count of the places the library's searches evaluate, for the bench to report how much work a
// search did. Not installed: the library's own.
#pragma once

namespace dockorrery::detail {

// Apparent places (and Moon positions) evaluated by the searches of this thread so far.
inline thread_local long searchPlaces = 0;

}  // namespace dockorrery::detail
