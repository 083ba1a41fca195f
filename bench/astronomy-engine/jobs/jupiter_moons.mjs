// Jobs of Jupiter's moons: the four moons where the light that reaches the Earth left them,
// Jupiter's light time from its geocentric vector and the engine's JupiterMoons then.
import { Astronomy, timeOf } from "../engine.mjs";

export const jobs = {
  "Jupiter's four moons": (jdUt) => {
    const time = timeOf(jdUt);
    const jupiter = Astronomy.GeoVector(Astronomy.Body.Jupiter, time, false);
    return Astronomy.JupiterMoons(time.AddDays(-jupiter.Length() / Astronomy.C_AUDAY));
  },
};
