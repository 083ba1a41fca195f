// Jobs of the equinoxes and solstices: the four seasons of the year in which the instant falls.
import { Astronomy } from "../engine.mjs";

// The year of a Julian Day, by the same rule as the library's row (bench/astronomy_bench.cpp).
const yearOf = (jd) => Math.floor(2000 + (jd - 2451545.0) / 365.25);

export const jobs = {
  "seasons of a year": (jdUt) => Astronomy.Seasons(yearOf(jdUt)),
};
