// Eclipses of the Sun: the next one seen from somewhere on the Earth, its kind, peak and the place
// under its peak.
#pragma once

#include <cstdint>

#include "../ephemeris/constants.h"

namespace dockorrery {

// What the Moon's shadow does on the Earth. Partial: only the penumbra touches it. Annular: the
// shadow's axis (or, off the axis, the inverted umbra) meets it beyond the umbra's vertex, so the
// Moon leaves a ring of the Sun. Total: the umbra itself reaches it. Hybrid: along the path of the
// axis the eclipse is total in one part and annular in another. Invalid: no answer.
enum class SolarEclipseKind : int32_t { Partial, Annular, Total, Hybrid, Invalid };

// A solar eclipse as the Earth as a whole sees it, at its peak: the instant the shadow's axis
// passes nearest the centre of the Earth.
struct GlobalSolarEclipse {
  SolarEclipseKind kind;
  bool central;             // the axis meets the Earth's surface at the peak
  double peakJdTt;          // Julian Day (TT)
  double peakJdUt;          // the same instant, Julian Day (UT)
  double axisDistanceKm;    // least distance of the axis from the centre of the Earth, km
  double gamma;             // the same in Earth equatorial radii (6378.14 km)
  double latitude;          // geodetic, rad, where the axis meets the surface; NaN unless central
  double longitude;         // east positive, rad in (-pi, pi]; NaN unless central
};

// Fills `eclipse` with the first solar eclipse whose peak follows Julian Day `jdTt` (TT).
//   Given:    jdTt      Julian Day (TT) to search from
//   Returned: eclipse   kind; central; peakJdTt (TT), peakJdUt (UT, the library's delta T);
//                       axisDistanceKm (km) and gamma (Earth equatorial radii) of the axis from
//                       the Earth's centre at the peak; latitude (geodetic, [-pi/2, pi/2]) and
//                       longitude (east positive, (-pi, pi]) where the axis meets the Earth's
//                       surface at the peak, rad, NaN when the axis misses the Earth
//             (bool)    false when jdTt is not finite or outside the library's span (kFirstJd,
//                       kEndJd), or the eclipse found peaks beyond it; then kind Invalid, central
//                       false and every number NaN
//   Span:     the library's span; the eclipse's peak lies within six lunations (179 days) of jdTt
//   Accuracy: Against Astronomy Engine, every solar eclipse of 1900 to 2100 (452, each found from
//             the peak of the one before): the same eclipses and kinds, once a hybrid is taken to
//             its kind at the peak and a non-central total or annular eclipse to partial;
//             solar eclipse peak within 18 s, which the reference's Moon (8" from the ELP, which
//             the Moon covers in 16 s) sets; solar eclipse axis distance within 6 km; solar
//             eclipse peak place within 0.23 degree (latitude, and longitude times the cosine of
//             the latitude; the largest where the axis grazes the Earth, far from the centre of
//             the disc). A sample of 100 eclipses from -1000 to 3000: the same eclipses and kinds;
//             solar eclipse peak from -1000 to 3000 within 3500 s (TT), which the secular terms
//             of the two theories of the Moon set, growing as the square of the time from 2000
//   Notes:    Each lunation is first tried with the book's approximate elements of the eclipse
//             (the least distance gamma of the axis and the umbra's radius u, from the Moon's
//             mean arguments): one whose |gamma| exceeds 1.5433 + u by more than their error
//             (0.03) is passed over without a place. Otherwise the peak is the least distance of
//             the axis through the centres of the apparent Sun and Moon (computeApparentPlace,
//             true equator of date) from the centre of the Earth: its projection on the plane
//             through the centre square to the axis moves nearly in a straight line, so a pair
//             of places either side of the book's instant (within 70 s of the peak from 1900 to
//             2100) and two Newton steps reach it, the second moving the first's shadow on by the
//             rates of the first pair: three pairs of places. The shadow's cones come from the Sun's radius 696000 km and the Moon's
//             mean radius 1737.4 km; an eclipse is one where the penumbra touches the Earth (the
//             IAU 1976 ellipsoid, 6378.14 km, flattening 1/298.257), a central one where the axis
//             meets it. The kind is the sign of the umbra's radius where the axis meets the
//             surface (off the axis, at the plane through the centre: a non-central total or
//             annular eclipse is only reported where the umbra touches the Earth; partial
//             otherwise); a central eclipse is hybrid when that sign differs at either end of the
//             path (the instants the axis grazes the Earth, from the same straight motion: two
//             further pairs of places, taken only when the umbra at the peak is within 10 km of
//             the narrowing the path's ends could bring). Astronomy Engine reports no hybrid eclipse and reports a
//             non-central total or annular one as partial, and its umbra at the surface takes the
//             Moon's polar radius.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 54 (the first guess)
[[nodiscard]] bool computeNextSolarEclipse(GlobalSolarEclipse& eclipse, double jdTt);

}  // namespace dockorrery
