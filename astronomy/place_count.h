// How many apparent places the library's searches evaluated on this thread, which the bench
// reads to show what a search costs besides its time. Not installed.
#pragma once

#include <cstdint>

namespace dockorrery::detail {

// Incremented by each apparent place a search evaluates (the Moon and the Sun count two).
extern thread_local std::uint64_t searchPlaceCount;

}  // namespace dockorrery::detail
