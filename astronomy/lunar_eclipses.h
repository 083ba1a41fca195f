// Eclipses of the Moon: the next one after an instant, its kind, peak, magnitudes and phases.
#pragma once

#include <cstdint>

#include "../base/constants.h"

namespace dockorrery {

// How deep the Moon goes into the Earth's shadow: into the penumbra only, partly into the umbra,
// or wholly into it. Invalid marks a record that holds no eclipse.
enum class LunarEclipseKind : int32_t { Penumbral, Partial, Total, Invalid };

// One eclipse of the Moon. The magnitudes are the fraction of the Moon's diameter inside the
// umbra and the penumbra at the peak (above 1 when the Moon is wholly inside; the umbral one
// negative in a penumbral eclipse, by how far the Moon misses the umbra). A semi-duration is half
// the time from the phase's first contact to its last, minutes; NaN where the phase does not
// occur (the total phase of a partial eclipse, the partial and total ones of a penumbral eclipse).
struct LunarEclipse {
  LunarEclipseKind kind;
  double peakJdTt;                      // least distance of the Moon from the shadow's axis, TT
  double peakJdUt;                      // the same instant, UT (the library's delta T)
  double umbralMagnitude;
  double penumbralMagnitude;
  double penumbralSemiDurationMinutes;  // from the first to the last contact with the penumbra
  double partialSemiDurationMinutes;    // from the first to the last contact with the umbra
  double totalSemiDurationMinutes;      // while the Moon is wholly inside the umbra
  double gamma;  // least distance of the Moon's centre from the axis, Earth equatorial radii,
                 // positive when the Moon passes north of it
};

// The first eclipse of the Moon whose peak falls after an instant.
//   Given:    jdTt      Julian Day, TT
//   Returned: eclipse   the first whose peak falls strictly after jdTt (one within 1 s of jdTt,
//                       the search's resolution, is jdTt's own and skipped): kind, peak (TT and
//                       UT), umbral and penumbral magnitudes, the semi-durations of the
//                       penumbral, partial and total phases (minutes, NaN where the phase does
//                       not occur), gamma (Earth equatorial radii)
//             (bool)    false outside the library's span or for a non-finite day, and after
//                       the last eclipse whose places lie within it (some months before
//                       kEndJd); then kind Invalid and every field NaN
//   Span:     kFirstJd to kEndJd (TT), the places 0.12 day either side of the full Moon within
//             it
//   Accuracy: Against Astronomy Engine, every eclipse of the Moon from 1900 to 2100 (the same list,
//             the same kinds), its own Moon and apparent Sun with this library's shadow: lunar
//             eclipse peak within 16 s; lunar eclipse magnitudes within 0.003; lunar eclipse
//             semi-durations within 0.3 min, each phase's difference times an hour over its
//             semi-duration (the reference's) where that semi-duration is under an hour, a phase
//             lasting under two hours from its first contact to its last (a grazing contact moves
//             by minutes for an arcsecond of the Moon's place). Its own search, with its larger
//             shadow: lunar eclipse semi-durations against the reference's own shadow within 1.7
//             min, the same scaling. Every other eclipse of -2000 to 6000 (18653 both find), where
//             the two theories of the Moon part by arcminutes: lunar eclipse peak far from 2000
//             within 6900 s; lunar eclipse magnitudes far from 2000 within 0.26; lunar eclipse
//             semi-durations far from 2000 within 50 min, scaled the same way. There an eclipse
//             whose penumbral magnitude is under that 0.26 in one may be missing in the other (288
//             are), and one whose umbral magnitude lies within 0.26 of 0 or 1 may be of the next
//             kind.
//   Notes:    Each full Moon of computeNextMoonPhases from a little before jdTt is a candidate
//             unless the Moon's mean argument of latitude F puts it far from a node (|sin F| >
//             0.36). For a candidate the apparent places of the Moon and the Sun
//             (computeApparentPlace) at three instants 2.9 hours apart give the Moon's place
//             against the point opposite the Sun as polynomials in time, good to 0.1" over the
//             whole eclipse; the peak is the least distance of the Moon's centre from the axis
//             of the shadow (the point opposite the apparent Sun: in the frame of the Earth the
//             sunlight comes from there), the contacts the instants the distance equals the sum
//             or difference of the shadow's radius and the Moon's semidiameter. The shadow by
//             Danjon's rule, as the published canon: umbra 1.01 pi - s + p, penumbra 1.01 pi +
//             s + p, with pi the Moon's and p the Sun's equatorial horizontal parallax (Earth
//             radius 6378.14 km) and s the Sun's semidiameter (radius 696000 km); the Moon's
//             radius 1737.4 km. Astronomy Engine takes an Earth of 6371 + 88 km for both
//             parallaxes: its shadow is 17 km larger at the Moon, its phases longer, and three
//             eclipses of 1900 to 2100 that graze the umbra are partial there, penumbral here.
//             The semi-durations are half the time between the phase's two contacts.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 49 and 54; Explanatory Supplement to
//             the Astronomical Almanac (1992), ch. 8
[[nodiscard]] bool computeNextLunarEclipse(LunarEclipse& eclipse, double jdTt);

}  // namespace dockorrery
