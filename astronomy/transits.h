// Transits of Mercury and Venus across the Sun: the next one after an instant.
#pragma once

#include "../base/body.h"
#include "../base/constants.h"

namespace dockorrery {

// One transit seen from the centre of the Earth, Julian Days (TT): the external contacts (the
// planet's disc touching the Sun's from outside, first and last), the internal ones (touching it
// from inside, second and third; NaN in a grazing transit where the planet's disc never lies
// wholly on the Sun's), the peak (least separation of the centres) and that separation.
struct Transit {
  double firstContactJdTt;
  double secondContactJdTt;
  double peakJdTt;
  double thirdContactJdTt;
  double lastContactJdTt;
  double leastSeparation;  // of the planet's centre from the Sun's at the peak, rad
};

// The first transit of Mercury or Venus whose peak falls after an instant.
//   Given:    body      Body::Mercury or Body::Venus
//             jdTt      Julian Day, TT
//   Returned: transit   the first whose peak falls strictly after jdTt (one within 0.01 s of
//                       jdTt, the search's resolution, is jdTt's own and skipped): the contacts
//                       and the peak (TT), the least separation (rad)
//             (bool)    false for any other body or a value outside the enumeration, outside the
//                       library's span or for a non-finite day, and after the last transit whose
//                       places lie within the span; then every field NaN
//   Span:     kFirstJd to kEndJd (TT)
//   Accuracy: Against Astronomy Engine, every transit of 1900 to 2100 (the same list, 28 of Mercury
//             and 2 of Venus), its internal contacts found on its own shadow geometry as it finds
//             the external ones: transit contacts within 260 s, each of the four (the external I
//             and IV, and the internal II and III where both find them: in 1999 November the
//             planet's disc lies wholly on the Sun's for 21 minutes here, by 2", and not in the
//             reference), times two hours over the duration of its phase (I to IV, II to III) where
//             that is shorter, as a grazing contact moves by minutes for an arcsecond; the largest,
//             256 s, Mercury's contact III of 1957 May 6, its centre 44" inside the Sun's limb.
//             Where the least separation is under 12' (the planet's centre at least 3.7' inside the
//             Sun's limb; 21 transits of Mercury and both of Venus, each phase over three hours):
//             central transit contacts within 110 s, the same four contacts. All 30: transit peak
//             within 90 s; transit least separation within 5.6". The planet is 0.3 to 0.6 AU away,
//             so that an arcsecond of its heliocentric place is several here; the reference's
//             Mercury is 3" off. Every other transit of -2000 to 6000 (1092 both find), where the
//             two theories part by arcminutes: transit contacts far from 2000 within 8100 s, the
//             same four contacts and the same scaling; transit peak far from 2000 within 5400 s;
//             transit least separation far from 2000 within 460". A transit whose planet's disc
//             reaches less than that 460" inside the Sun's limb (the sum of the semidiameters less
//             the least separation) in one may be missing in the other: 75 are, the deepest 7.0'
//             inside (Venus in 5763), Venus' of -1276 4.1'.
//   Notes:    Each inferior conjunction from the mean ones of the book (a few days off for
//             Mercury) is a candidate when the Sun's mean longitude then lies near the planet's
//             node; the conjunction in apparent longitude is found by secant steps on the
//             apparent places of the planet and the Sun (computeApparentPlace), and three places
//             0.2 day either side of it give the planet's path against the Sun as quadratics in
//             time, from which the peak and the contacts (separation = the Sun's semidiameter
//             plus or less the planet's) follow. Radii as the reference takes them: the Sun
//             695700 km, Mercury 2439.7 km, Venus 6051.8 km.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 36 (the mean conjunctions)
[[nodiscard]] bool computeNextTransit(Transit& transit, Body body, double jdTt);

}  // namespace dockorrery
