// Jobs of the places the library's first table times: one apparent geocentric place of date
// (light time and aberration, precession and nutation to the true equator of date).
import { Astronomy, timeOf } from "../engine.mjs";

const ofDate = (body) => (jdUt) => {
  const time = timeOf(jdUt);
  const j2000 = Astronomy.GeoVector(body, time, true);
  return Astronomy.EquatorFromVector(Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), j2000));
};

export const jobs = {
  "apparent place, Sun": ofDate(Astronomy.Body.Sun),
  "apparent place, Moon": ofDate(Astronomy.Body.Moon),
  "apparent place, Mars": ofDate(Astronomy.Body.Mars),
};
