// Jobs of the transits of Mercury and Venus: the next one after an instant, as the library's rows
// of the same names.
import { Astronomy, timeOf } from "../engine.mjs";

export const jobs = {
  "next transit, Mercury": (jdUt) => Astronomy.SearchTransit(Astronomy.Body.Mercury, timeOf(jdUt)).peak.ut,
  "next transit, Venus": (jdUt) => Astronomy.SearchTransit(Astronomy.Body.Venus, timeOf(jdUt)).peak.ut,
};
