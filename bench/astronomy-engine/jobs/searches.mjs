// Jobs of the searches: the Moon rising through the horizon (its centre, airless) within two
// days, and the Moon's upper culmination, at Greenwich.
import { Astronomy, timeOf } from "../engine.mjs";

const greenwich = new Astronomy.Observer(51.4769, 0.0, 0.0);

export const jobs = {
  "search of an altitude, Moon": (jdUt) =>
    Astronomy.SearchAltitude(Astronomy.Body.Moon, greenwich, +1, timeOf(jdUt), 2, 0.0),
  "search of an hour angle, Moon": (jdUt) =>
    Astronomy.SearchHourAngle(Astronomy.Body.Moon, greenwich, 0.0, timeOf(jdUt)),
};
