// Makes tests/data/astronomy_delta_t.csv from Astronomy Engine's delta T (its default model, the
// polynomials of Espenak and Meeus), an implementation written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-delta-t.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// One row per instant: ut_jd (a Julian Day, UT) and delta_t (TT - UT, seconds), for every tenth
// year from -2000 to 5990 and a day either side of each year where the model changes polynomial,
// so that a wrong boundary or coefficient shows.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000 } from './common.mjs';

// The model counts years of 365.24217 days from 2000 January 15.
const jdOfYear = (year) => J2000 + 14 + (year - 2000) * 365.24217;
const boundaries = [-500, 500, 1600, 1700, 1800, 1860, 1900, 1920, 1941, 1961, 1986, 2005, 2050,
  2150];

const instants = [];
for (let year = -2000; year < 6000; year += 10) instants.push(jdOfYear(year) + 0.25);
for (const year of boundaries) instants.push(jdOfYear(year) - 1, jdOfYear(year) + 1);
instants.sort((a, b) => a - b);

const lines = [
  '# Made by tools/astronomy-fixture/make-delta-t.mjs with astronomy-engine 2.1.19; do not edit.',
  'ut_jd,delta_t',
];
for (const jd of instants) {
  const time = Astronomy.MakeTime(jd - J2000);
  lines.push(`${jd.toFixed(5)},${((time.tt - time.ut) * 86400).toFixed(6)}`);
}
fs.writeFileSync(path.join(outDir, 'astronomy_delta_t.csv'), lines.join('\n') + '\n');
