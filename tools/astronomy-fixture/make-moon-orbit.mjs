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
// 1900 to 2100 in order, then far from 2000, each group after a row `far` (its tt_jd the instant
// searched from): the next four apsides after each of 40 instants 200 years apart from -2000 on;
// every apsis of the first and of the last 20 years of the library's span (-2000 to 6000; the
// last group ends 32 days, the search's reach, before the span's end), where the two theories of
// the Moon part the most; and the next two after each of 1000 pseudo-random instants of the span.
// astronomy_moon_nodes.csv, the same for the nodes: kind (ascending or descending) and tt_jd
// (the last group ending 28 days before the span's end).
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000, FIRST_JD, END_JD, ttTime, sequence32, spanEnds, spanInstants }
  from './common.mjs';

const tt = (time) => (time.tt + J2000).toFixed(7);
// Instants far from 2000: every 200 years from -2000 on, 0.37 day further each time.
const far = Array.from({ length: 40 }, (_, i) => 990574.5 + 73048.5 * i + 0.37 * i);
// The groups far from 2000 after those: [from, until, how many], the search's reach (days) and
// the seed of the random instants.
function farGroups(reach, seed) {
  return [...spanEnds(reach).map(([from, until]) => [from, until, Infinity]),
    ...spanInstants(sequence32(seed), 1000).map((jd) => [jd, Infinity, 2])];
}

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
  for (const [from, until, count] of farGroups(32, 20261214)) {
    rows.push(`far,${from.toFixed(5)},0`);
    let a = Astronomy.SearchLunarApsis(ttTime(from));
    for (let n = 0; n < count && a.time.tt + J2000 < until; ++n, a = Astronomy.NextLunarApsis(a)) {
      rows.push(row(a));
    }
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
  for (const [from, until, count] of farGroups(28, 20261215)) {
    rows.push(`far,${from.toFixed(5)}`);
    let n = Astronomy.SearchMoonNode(ttTime(from));
    for (let k = 0; k < count && n.time.tt + J2000 < until; ++k, n = Astronomy.NextMoonNode(n)) {
      rows.push(row(n));
    }
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
