// Eclipses of the Sun: the next one seen from somewhere on the Earth, its kind, peak and the place
// under its peak.
#pragma once

#include <cstdint>
#include <optional>

#include "coordinates.h"
#include "../base/constants.h"

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
//   Returned: eclipse   the first whose peak falls strictly after jdTt (one within 1 s of jdTt,
//                       the search's resolution, is jdTt's own and skipped): kind; central;
//                       peakJdTt (TT), peakJdUt (UT, the library's delta T); axisDistanceKm
//                       (km) and gamma (Earth equatorial radii) of the axis from the Earth's
//                       centre at the peak; latitude (geodetic, [-pi/2, pi/2]) and longitude
//                       (east positive, (-pi, pi]) where the axis meets the Earth's surface at
//                       the peak, rad, NaN when the axis misses the Earth
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
//             the disc). Every eclipse of -2000 to 1900 and 2100 to 6000 (18421 both find, each
//             found from the peak of the one before) and 100 found from instants of -1000 to 3000:
//             solar eclipse peak from -1000 to 3000 within 3700 s (TT) and solar eclipse peak far
//             from 2000 within 6900 s (the largest at the span's first eclipse, in -2000), which
//             the secular terms of the two theories of the Moon set, growing as the square of the
//             time from 2000; solar eclipse axis distance far from 2000 within 920 km. There an
//             eclipse whose axis passes further than 1.4 Earth radii from the centre (the
//             penumbra grazing the Earth) may be found by one only (259 are), and one whose axis
//             passes within 0.15 Earth radii of the limb may be of another kind (253 are)
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

// One contact of a local eclipse (or its peak): when, and how high the Sun stands then.
struct EclipseContact {
  double jdUt;      // Julian Day (UT); NaN when the contact does not occur
  double altitude;  // the Sun's topocentric altitude, rad, no refraction; NaN as above
};

// A solar eclipse seen from one place.
struct LocalSolarEclipse {
  SolarEclipseKind kind;        // Partial, Annular or Total there
  EclipseContact partialBegin;  // the Moon's limb first touches the Sun's
  EclipseContact centralBegin;  // the annular or total phase begins; NaN for a partial eclipse
  EclipseContact peak;          // the least separation of the centres
  EclipseContact centralEnd;    // the annular or total phase ends; NaN for a partial eclipse
  EclipseContact partialEnd;    // the limbs part
  double obscuration;           // fraction of the Sun's disc covered at the peak, [0, 1]
  double magnitude;             // fraction of the Sun's diameter covered at the peak
};

// Fills `eclipse` with the first solar eclipse seen by `observer` whose peak there follows
// Julian Day `jdUt` (UT).
//   Given:    observer       longitude (east positive) and geodetic latitude, rad; height, m
//             jdUt           Julian Day (UT) to search from
//             deltaTSeconds  TT - UT, s; when absent the library's deltaT
//   Returned: eclipse        the first whose peak there falls strictly after jdUt (one within
//                            0.1 s of jdUt, the search's resolution, is jdUt's own and
//                            skipped): kind there (Partial, Annular, Total); the instants (UT)
//                            of the partial and central contacts and of the peak, with the
//                            Sun's geometric topocentric altitude at each (rad, [-pi/2, pi/2]),
//                            NaN for the contacts that do not occur; at the peak the
//                            obscuration, [0, 1], and the magnitude, the fraction of the Sun's
//                            diameter the Moon covers, (0, 1.1], above 1 in a total eclipse
//             (bool)         false when jdUt is not finite or outside the library's span, the
//                            observer is not on the Earth (latitude outside [-pi/2, pi/2], a
//                            longitude or height that is not finite or a height below -12 km),
//                            delta T is not finite, or no eclipse is seen within 80 years or
//                            before the span's end; then kind Invalid and every number NaN
//   Span:     the library's span
//   Accuracy: Against Astronomy Engine, every eclipse 32 observers see from 1900 to 2100 (from pole
//             to pole, up to 4200 m; 2494 both find): the same eclipses and kinds, but for 31 where
//             the Sun stands within a degree of the horizon or the limbs only graze (under a
//             thousandth of the Sun covered at the peak, by the one that finds it, which a few km
//             of the shadow's place decide), and kinds where the central phase lasts less than a
//             minute (the edge of the path); local solar eclipse contacts within 46 s and local
//             solar eclipse altitudes within 0.18 degree, at the peak, at the partial contacts of
//             an eclipse whose peak covers a hundredth of the Sun or more (the reference's
//             obscuration there), and at the central ones where the central phase lasts a minute or
//             more in both (nearer a grazing contact a km of the shadow moves the instant by more),
//             the reference's refracted altitudes taken back by its own refraction; local solar
//             eclipse obscuration within 0.003
//   Notes:    An eclipse is seen when the Sun's centre stands above the horizon (geometric, no
//             refraction) at a partial contact or at the peak. Astronomy Engine asks the same of
//             its refracted altitude at the partial contacts only, so near the horizon the lists
//             may differ by an eclipse: the test leaves out those whose Sun stands within a
//             degree of the horizon. Each eclipse seen from the Earth as a whole
//             (computeNextSolarEclipse) is looked at from the observer: the peak is the least
//             angular separation of the topocentric Sun and Moon (computeTopocentricPlace), found
//             by Newton steps on their relative motion from the global peak; the contacts are
//             the instants the separation equals the sum (partial) or the difference (central)
//             of their apparent radii (the Sun's radius 696000 km, the Moon's 1737.4 km),
//             first from the straight relative motion at the peak, then by secant steps to 0.1 s.
//             An eclipse whose straight relative motion from the global peak passes the Sun by
//             more than 1.4 degree (the radii, and the bending of three hours) is left after one
//             pair of places, and one whose Sun stands too low at the peak to rise before the
//             partial contacts (15 degrees an hour at most) before its contacts are looked for.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 54 (the global eclipses searched) and 40
//             (the topocentric places)
[[nodiscard]] bool computeNextLocalSolarEclipse(
    LocalSolarEclipse& eclipse, const Observer& observer, double jdUt,
    std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
