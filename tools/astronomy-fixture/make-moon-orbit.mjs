// Makes tests/data/astronomy_moon_apsides.csv and tests/data/astronomy_moon_nodes.csv from
// Astronomy Engine's apsides (SearchLunarApsis, NextLunarApsis: the extrema of its Moon's
// distance) and nodes (SearchMoonNode, NextMoonNode: the roots of its Moon's ecliptic latitude),
// an implementation written independently of the library's, with a Moon of its own.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-moon-orbit.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// astronomy_moon_apsides.csv, one row per apsis: kind (perigee or apogee), tt_jd (its instant,
// a Julian Day, TT) and distance_km (centre of the Earth to centre of the Moon). Every apsis from
// 1900 to 2100 in order, then, each after a row `far` alone, the next four apsides after each of
// 40 instants spread over -2000 to 5990.
// astronomy_moon_nodes.csv, the same for the nodes: kind (ascending or descending) and tt_jd.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000, FIRST_JD, END_JD, ttTime } from './common.mjs';

const tt = (time) => (time.tt + J2000).toFixed(7);
// Instants far from 2000: every 200 years from -2000 on, 0.37 day further each time.
const far = Array.from({ length: 40 }, (_, i) => 990574.5 + 73048.5 * i + 0.37 * i);

function apsisRows() {
  const row = (a) => `${a.kind === 0 ? 'perigee' : 'apogee'},${tt(a.time)},${a.dist_km.toFixed(3)}`;
  const rows = [];
  for (let a = Astronomy.SearchLunarApsis(ttTime(FIRST_JD)); a.time.tt + J2000 < END_JD;
    a = Astronomy.NextLunarApsis(a)) {
    rows.push(row(a));
  }
  for (const jd of far) {
    rows.push(`far,${jd.toFixed(5)},0`);
    let a = Astronomy.SearchLunarApsis(ttTime(jd));
    for (let n = 0; n < 4; ++n, a = Astronomy.NextLunarApsis(a)) rows.push(row(a));
  }
  return rows;
}

function nodeRows() {
  const row = (n) => `${n.kind > 0 ? 'ascending' : 'descending'},${tt(n.time)}`;
  const rows = [];
  for (let n = Astronomy.SearchMoonNode(ttTime(FIRST_JD)); n.time.tt + J2000 < END_JD;
    n = Astronomy.NextMoonNode(n)) {
    rows.push(row(n));
  }
  for (const jd of far) {
    rows.push(`far,${jd.toFixed(5)}`);
    let n = Astronomy.SearchMoonNode(ttTime(jd));
    for (let k = 0; k < 4; ++k, n = Astronomy.NextMoonNode(n)) rows.push(row(n));
  }
  return rows;
}

const version = JSON.parse(fs.readFileSync(
  path.join(here, 'node_modules', 'astronomy-engine', 'package.json'), 'utf8')).version;
const note = `# Made by tools/astronomy-fixture/make-moon-orbit.mjs with astronomy-engine ${version}; do not edit.`;
fs.writeFileSync(path.join(outDir, 'astronomy_moon_apsides.csv'),
  [note, 'kind,tt_jd,distance_km', ...apsisRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_moon_nodes.csv'),
  [note, 'kind,tt_jd', ...nodeRows(), ''].join('\n'));
