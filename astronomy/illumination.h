// How a planet or the Moon looks from the Earth: its phase, apparent size and brightness, and
// the tilt of Saturn's rings.
#pragma once

#include "../base/body.h"

namespace dockorrery {

// The look of a body seen from the centre of the Earth at an instant.
struct Illumination {
  double phaseAngle;           // angle Sun-body-Earth, rad in [0, pi]; 0 when fully lit
  double illuminatedFraction;  // lit fraction of the disk's diameter, (1 + cos phaseAngle) / 2
  double diameter;             // apparent equatorial diameter, rad
  double magnitude;            // visual magnitude
  double heliocentricAu;       // distance from the Sun, AU
  double geocentricAu;         // distance from the centre of the Earth, AU
  double ringTilt;             // Saturn: B, the rings' plane to the line of sight, rad in
                               // [-pi/2, pi/2], positive when their northern face is seen;
                               // NaN for every other body
  double ringMagnitude;        // Saturn: the rings' share of the magnitude (<= 0); else NaN
};

// The phase, apparent diameter and visual magnitude of a planet, Pluto or the Moon.
//   Given:    body          Body::Mercury to Body::Pluto, not Body::Earth
//             jdTt          Julian Day (TT)
//   Returned: illumination  phase angle and lit fraction, equatorial diameter (rad), visual
//                           magnitude, the distances from the Sun and the Earth (AU), and
//                           for Saturn its rings' tilt and their share of the magnitude
//             (bool)        false for the Sun, the Earth, a value outside the enumeration,
//                           outside computeApparentPlace's span or for a non-finite day; then
//                           every field NaN
//   Span:     as computeApparentPlace's
//   Accuracy: Against Astronomy Engine's Illumination at 300 instants of 1900 to 2100, for the
//             Moon, Mercury to Neptune and Pluto: phase angle within 0.05 degree and
//             illuminated fraction within 4e-4, largest for Mercury near the Earth, where the
//             reference takes the aberrated direction for the planet's place; ring tilt within
//             0.035 degree, from the reference's simpler plane of the rings (and its opposite
//             sign); magnitude within 0.08 mag for Mars, Jupiter, Uranus, Neptune, Pluto and the
//             Moon, where the reference adds small phase terms (Pluto's 0.04 mag a degree);
//             Mercury's, Venus' and Saturn's follow newer laws there: magnitude by another law
//             within 0.8 mag. Against libnova at 300 instants of 1900 to 2100, Mercury to
//             Neptune, the same laws from the full VSOP87 without light time: phase angle
//             against libnova within 0.04 degree, illuminated fraction against libnova within
//             3.1e-4, semidiameter against libnova within 0.0025" and magnitude against libnova
//             within 0.004 mag; libnova's Saturn is its globe without the term in the
//             longitudes' difference: Saturn's globe against libnova within 0.32 mag, never
//             brighter. The book's examples: Venus' phase angle to 0.005 degree and its
//             magnitude -4.2, Saturn's ring tilt 16.442 degrees to its digits.
//   Notes:    The planets from the series, where the light left them (the book's way), the Moon
//             and Pluto from computeApparentPlace less nutation and aberration, added to the
//             Earth's heliocentric place: the distances and the phase angle. Magnitudes of the
//             planets and Pluto by the laws of the Astronomical Almanac since 1984 (the book's
//             second set in ch. 41; not Mueller's), Saturn's with its rings' tilt B and the
//             difference of the Sun's and the Earth's longitudes in the rings' plane (the
//             book's ch. 45); the Moon's by -12.717 + 1.49 i + 0.0431 i^4 (i the phase angle in
//             rad) + 5 log10(r Delta / 385000.6 km). Diameters from the book's semidiameters at
//             1 AU (Mercury 3.36", Venus 8.41", Mars 4.68", Jupiter 98.44", Saturn 82.73",
//             Uranus 35.02", Neptune 33.50", Pluto 2.07"), the Moon's from 358473400" km over
//             its distance; the rings and the Moon's parallax are left out.
//   Source:   Meeus, Astronomical Algorithms, 2nd ed., ch. 41 (example 41.a), 45 (example 45.a)
//             and 55
[[nodiscard]] bool computeIllumination(Illumination& illumination, Body body, double jdTt);

}  // namespace dockorrery
