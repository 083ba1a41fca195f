// What the jobs of jobs/ share: Astronomy Engine from tools/astronomy-fixture (npm ci there), the
// instants every job is timed over, and the conversion of a UT Julian Day to its time.
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(join(here, "../../tools/astronomy-fixture/package.json"));
export const Astronomy = require("astronomy-engine");

// The library's thousand instants of 1950-2050 (bench/astronomy_bench.cpp), the same sequence.
export const instants = (() => {
  const v = [];
  let x = 271828;
  for (let i = 0; i < 1000; ++i) {
    x = (Math.imul(x, 1664525) + 1013904223) >>> 0;
    v.push(2433282.5 + 36525.0 * (x / 4294967296.0));
  }
  return v;
})();

// An Astronomy Engine time from a UT Julian Day.
export const timeOf = (jdUt) => Astronomy.MakeTime(jdUt - 2451545.0);
