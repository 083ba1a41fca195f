// Jobs of the Moon's orbit: the next perigee and apogee (the first apsis after the instant and
// the one after it, of the other kind), and the next ascending and descending node.
import { Astronomy, timeOf } from "../engine.mjs";

export const jobs = {
  "next perigee and apogee": (jdUt) => {
    const first = Astronomy.SearchLunarApsis(timeOf(jdUt));
    return [first, Astronomy.NextLunarApsis(first)];
  },
  "next ascending and descending node": (jdUt) => {
    const first = Astronomy.SearchMoonNode(timeOf(jdUt));
    return [first, Astronomy.NextMoonNode(first)];
  },
};
