// The book's approximate elements of a solar eclipse, the first guess of the searches. Internal to
// the library's routines.
#pragma once

#include <cstdint>

namespace dockorrery::detail {

// The book's approximate elements of the solar eclipse at new Moon k (k whole): the instant of
// greatest eclipse (TT), gamma and u (Earth radii) and the magnitude of a partial eclipse
// (NaN when the eclipse is central). False when the Moon is too far from its node for any eclipse
// (|sin F| > 0.36, or |gamma| > 1.5433 + u); the fields are filled either way.
struct SolarEclipseElements {
  double peakJdTt, gamma, u, magnitude;
};
bool solarEclipseElements(SolarEclipseElements& elements, double k);

}  // namespace dockorrery::detail
