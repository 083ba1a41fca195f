// Jobs of illumination: a body's phase angle, lit fraction and visual magnitude (and Saturn's
// ring tilt) at an instant, the engine's Illumination.
import { Astronomy, timeOf } from "../engine.mjs";

export const jobs = {
  "illumination, Venus": (jdUt) => Astronomy.Illumination(Astronomy.Body.Venus, timeOf(jdUt)),
  "illumination, Saturn": (jdUt) => Astronomy.Illumination(Astronomy.Body.Saturn, timeOf(jdUt)),
  "illumination, Moon": (jdUt) => Astronomy.Illumination(Astronomy.Body.Moon, timeOf(jdUt)),
};
