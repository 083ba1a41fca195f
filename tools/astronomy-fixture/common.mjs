// What the fixture scripts share: the folder they write to, the epochs, the reference's time of
// a TT Julian Day and the fixed pseudo-random sequences they draw from.
import * as path from 'node:path';
import { fileURLToPath } from 'node:url';
import * as Astronomy from 'astronomy-engine';

export const here = path.dirname(fileURLToPath(import.meta.url));
// The script's first argument, else tests/data of the repository.
export const outDir = process.argv[2] ?? path.join(here, '..', '..', 'tests', 'data');

export const J2000 = 2451545.0;
export const FIRST_JD = 2415020.5;  // 1900 January 1, 0h
export const END_JD = 2488069.5;    // 2100 January 1, 0h
// The library's span, -2000 January 1, 0h to 6000 January 1, 0h.
export const SPAN_FIRST_JD = 990574.5;
export const SPAN_END_JD = 3912514.5;
// The years at each end of the span whose every event a table far from 2000 lists: two
// theories part with the powers of the time from 2000, so the largest differences lie there.
export const SPAN_END_YEARS = 20;
export const YEAR = 365.2425;  // days, of the Gregorian calendar

// Those two runs, [from, until] as Julian Days (TT): the second ends `reach` days before the
// span's end, so that a search from before its last event finds what follows within the span.
export const spanEnds = (reach) => [[SPAN_FIRST_JD, SPAN_FIRST_JD + SPAN_END_YEARS * YEAR],
  [SPAN_END_JD - SPAN_END_YEARS * YEAR, SPAN_END_JD - reach]];

// `count` instants of the pseudo-random sequence `random` over the span but its last five years
// (room for the events after each), to the 1e-5 day a fixture writes.
export const spanInstants = (random, count) => Array.from({ length: count }, () =>
  Number((SPAN_FIRST_JD + (SPAN_END_JD - 5 * YEAR - SPAN_FIRST_JD) * random()).toFixed(5)));

// The reference's time of a Julian Day (TT).
export const ttTime = (jd) => Astronomy.AstroTime.FromTerrestrialTime(jd - J2000);

// A fixed linear congruential sequence in [0, 1) from `seed` (modulus 2^31); each table draws
// from its own, so that adding a table changes none of the others.
export function sequence(seed) {
  return () => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
  };
}

// The same with the 32-bit multiplier of Numerical Recipes (modulus 2^32).
export function sequence32(seed) {
  let x = seed >>> 0;
  return () => {
    x = (Math.imul(x, 1664525) + 1013904223) >>> 0;
    return x / 4294967296;
  };
}

// Vectors of three numbers: the dot and cross products, the unit vector along one, and the
// array of a reference's Vector.
export const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
export const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
  a[0] * b[1] - a[1] * b[0]];
export const unit = (a) => { const n = Math.hypot(...a); return a.map((c) => c / n); };
export const arr = (v) => [v.x, v.y, v.z];
