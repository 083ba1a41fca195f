// Jobs of the eclipses of the Moon: the next one after an instant, and every one of a century by
// repeated calls, as the library's rows of the same names.
import { Astronomy, timeOf } from "../engine.mjs";

const start1950 = Astronomy.MakeTime(2433282.5 - 2451545.0);
const end2050 = 2469807.5 - 2451545.0;

export const jobs = {
  "next lunar eclipse": (jdUt) => Astronomy.SearchLunarEclipse(timeOf(jdUt)).peak.ut,
  "lunar eclipses 1950-2050": () => {
    let count = 0;
    for (let e = Astronomy.SearchLunarEclipse(start1950); e.peak.tt < end2050;
      e = Astronomy.NextLunarEclipse(e.peak)) {
      ++count;
    }
    return count;
  },
};
