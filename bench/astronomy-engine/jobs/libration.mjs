// Jobs of the Moon's libration: its libration in longitude and latitude at an instant, the
// engine's Libration.
import { Astronomy, timeOf } from "../engine.mjs";

export const jobs = {
  "libration of the Moon": (jdUt) => Astronomy.Libration(timeOf(jdUt)),
};
