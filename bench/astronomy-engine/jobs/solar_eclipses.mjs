// Jobs of the solar eclipse rows: the next eclipse seen from the Earth as a whole after an
// instant, every eclipse whose peak falls from 1950 to 2050, each found from the one before, and
// the next eclipse seen at Greenwich after an instant.
import { Astronomy, timeOf } from "../engine.mjs";

function eclipsesOfACentury() {
  let e = Astronomy.SearchGlobalSolarEclipse(timeOf(2433282.5));
  let count = 0;
  while (e.peak.ut < 2469807.5 - 2451545.0) {
    e = Astronomy.NextGlobalSolarEclipse(e.peak);
    ++count;
  }
  return count;
}

export const jobs = {
  "next solar eclipse": (jdUt) => Astronomy.SearchGlobalSolarEclipse(timeOf(jdUt)),
  "solar eclipses of 1950-2050": () => eclipsesOfACentury(),
};

const greenwich = new Astronomy.Observer(51.4769, 0.0, 46.0);
jobs["next local solar eclipse, Greenwich"] = (jdUt) =>
  Astronomy.SearchLocalSolarEclipse(timeOf(jdUt), greenwich);
