// Jobs of elongation: a planet's elongation from the Sun, Mercury's next greatest eastern and
// western elongation (the first after the instant and the first of the other side after it), and
// Mars' next conjunction and opposition. The engine's own conjunctions are heliocentric and
// geometric; the library's are where the apparent geocentric longitudes agree or differ by 180
// degrees, so the job takes each on to there with the engine's apparent places, as
// tools/astronomy-fixture/make-elongation.mjs does.
import { Astronomy, timeOf } from "../engine.mjs";

// The instant near `time` at which the apparent geocentric longitudes of `body` and the Sun
// differ by `target` degrees.
function apparentInstant(body, time, target) {
  const difference = (t) => {
    const planet = Astronomy.Ecliptic(Astronomy.GeoVector(body, t, true)).elon;
    const sun = Astronomy.Ecliptic(Astronomy.GeoVector(Astronomy.Body.Sun, t, true)).elon;
    return ((planet - sun - target) % 360 + 540) % 360 - 180;
  };
  const sign = difference(time.AddDays(0.5)) > difference(time.AddDays(-0.5)) ? 1 : -1;
  return Astronomy.Search((t) => sign * difference(t), time.AddDays(-0.5), time.AddDays(0.5),
    { dt_tolerance_seconds: 0.1 });
}

export const jobs = {
  "elongation, Venus": (jdUt) => Astronomy.Elongation(Astronomy.Body.Venus, timeOf(jdUt)),
  "next greatest elongations, Mercury": (jdUt) => {
    const first = Astronomy.SearchMaxElongation(Astronomy.Body.Mercury, timeOf(jdUt));
    return [first, Astronomy.SearchMaxElongation(Astronomy.Body.Mercury, first.time.AddDays(1))];
  },
  "next conjunction and opposition, Mars": (jdUt) => [
    apparentInstant(Astronomy.Body.Mars,
      Astronomy.SearchRelativeLongitude(Astronomy.Body.Mars, 180, timeOf(jdUt)), 0),
    apparentInstant(Astronomy.Body.Mars,
      Astronomy.SearchRelativeLongitude(Astronomy.Body.Mars, 0, timeOf(jdUt)), 180),
  ],
};
