// Makes tests/data/astronomy_elongation.csv, astronomy_greatest_elongations.csv and
// astronomy_conjunctions.csv from Astronomy Engine: elongations from the Sun (Elongation), the
// greatest elongations of Mercury and Venus (SearchMaxElongation, the maximum of its angle from
// the Sun with aberration) and the conjunctions and oppositions of the planets, an implementation
// written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-elongation.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// astronomy_elongation.csv, one row per instant and body: tt_jd (TT), body, elongation (the
// angle from the Sun, degrees) and visibility (evening: east of the Sun; morning: west), at 300
// pseudo-random instants from 1900 to 2100 for the Moon, Mercury to Neptune and Pluto.
// astronomy_greatest_elongations.csv, one row per event: body, kind (east or west), tt_jd and
// elongation (degrees): every one of Mercury and Venus from 1900 to 2100, in order, then far
// from 2000, each group after a `far` row (its tt_jd the instant searched from): the next four
// after 20 instants 400 years apart from -2000 on (to 5600); every one of the first and of the
// last 20 years of the library's span (-2000 to 6000; the last group ends where the searches'
// reach, 125 days for Mercury and 590 for Venus, meets the span's end), where the two theories
// part the most; and the next two after each of 200 pseudo-random instants of the span.
// astronomy_conjunctions.csv, the same for the conjunctions with the Sun (kind conjunction,
// beyond the Sun, superior for Mercury and Venus), the oppositions of Mars to Neptune and the
// inferior conjunctions of Mercury and Venus: body, kind, tt_jd; far from 2000 the next two of
// each kind after the 20 instants, every one of the span's first and last 20 years (the reach:
// 135 days for Mercury, 595 for Venus, 815 for Mars, 405 for the others) and the next of each
// kind after each of 100 pseudo-random instants of the span. The reference's
// SearchRelativeLongitude finds where the heliocentric longitudes of the planet and the Earth
// agree or differ by 180 degrees, geometric; each is taken here to where the reference's apparent
// geocentric longitudes (light time and aberration, its GeoVector) agree or differ by 180 degrees,
// a few minutes away, which is what the library computes.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000, FIRST_JD, END_JD, ttTime, sequence32, spanEnds, spanInstants }
  from './common.mjs';

const tt = (time) => (time.tt + J2000).toFixed(7);
const far = Array.from({ length: 20 }, (_, i) => 990574.5 + 146097 * i + 0.37 * i);

const next = sequence32(12345);

// How far after an instant the library's searches reach for the next event of each kind, days
// (elongation.h).
const ELONGATION_REACH = { Mercury: 125, Venus: 590 };
const CONJUNCTION_REACH = { Mercury: 135, Venus: 595, Mars: 815 };  // 405 for the others

function elongationRows() {
  const bodies = ['Moon', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune',
    'Pluto'];
  const rows = [];
  for (let i = 0; i < 300; ++i) {
    const jd = FIRST_JD + (END_JD - FIRST_JD) * next();
    for (const body of bodies) {
      const e = Astronomy.Elongation(body, ttTime(jd));
      rows.push(`${jd.toFixed(6)},${body},${e.elongation.toFixed(7)},${e.visibility}`);
    }
  }
  return rows;
}

function greatestRows() {
  const rows = [];
  const run = (body, from, until, count) => {
    let t = ttTime(from);
    for (let n = 0; n < count; ++n) {
      const e = Astronomy.SearchMaxElongation(body, t);
      if (e.time.tt + J2000 >= until) break;
      rows.push(`${body},${e.visibility === 'evening' ? 'east' : 'west'},${tt(e.time)},` +
        e.elongation.toFixed(7));
      t = e.time.AddDays(1);
    }
  };
  for (const body of ['Mercury', 'Venus']) run(body, FIRST_JD, END_JD, 1e6);
  for (const body of ['Mercury', 'Venus']) {
    for (const jd of far) {
      rows.push(`${body},far,${jd.toFixed(5)},0`);
      run(body, jd, Infinity, 4);
    }
  }
  for (const body of ['Mercury', 'Venus']) {
    for (const [from, until] of spanEnds(ELONGATION_REACH[body])) {
      rows.push(`${body},far,${from.toFixed(5)},0`);
      run(body, from, until, Infinity);
    }
  }
  for (const jd of spanInstants(sequence32(20261212), 200)) {
    for (const body of ['Mercury', 'Venus']) {
      rows.push(`${body},far,${jd.toFixed(5)},0`);
      run(body, jd, Infinity, 2);
    }
  }
  return rows;
}

// The instant near `time` at which the reference's apparent geocentric longitudes of `body` and
// the Sun differ by `target` degrees.
function apparentInstant(body, time, target) {
  const difference = (t) => {
    const planet = Astronomy.Ecliptic(Astronomy.GeoVector(body, t, true)).elon;
    const sun = Astronomy.Ecliptic(Astronomy.GeoVector('Sun', t, true)).elon;
    return ((planet - sun - target) % 360 + 540) % 360 - 180;
  };
  // Rising through the target from beyond the Sun and towards an opposition; falling towards
  // an inferior conjunction, where the planet is retrograde.
  const sign = difference(time.AddDays(0.5)) > difference(time.AddDays(-0.5)) ? 1 : -1;
  return Astronomy.Search((t) => sign * difference(t), time.AddDays(-0.5), time.AddDays(0.5),
    { dt_tolerance_seconds: 0.1 });
}

function conjunctionRows() {
  const rows = [];
  const planets = ['Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune'];
  const run = (body, from, until, count) => {
    const inner = body === 'Mercury' || body === 'Venus';
    // Relative longitude 180: beyond the Sun; 0: an opposition or inferior conjunction.
    const kinds = [[180, 'conjunction', 0], [0, inner ? 'inferior' : 'opposition', 180]];
    const events = [];
    for (const [relative, kind, target] of kinds) {
      let t = ttTime(from);
      for (let n = 0; n < count; ++n) {
        const helio = Astronomy.SearchRelativeLongitude(body, relative, t);
        if (helio.tt + J2000 >= until) break;
        events.push([apparentInstant(body, helio, target === 0 ? 0 : 180), kind]);
        t = helio.AddDays(1);
      }
    }
    events.sort((a, b) => a[0].tt - b[0].tt);
    for (const [time, kind] of events) rows.push(`${body},${kind},${tt(time)}`);
  };
  for (const body of planets) run(body, FIRST_JD, END_JD, 1e6);
  for (const body of planets) {
    for (const jd of far) {
      rows.push(`${body},far,${jd.toFixed(5)}`);
      run(body, jd, Infinity, 2);
    }
  }
  for (const body of planets) {
    for (const [from, until] of spanEnds(CONJUNCTION_REACH[body] ?? 405)) {
      rows.push(`${body},far,${from.toFixed(5)}`);
      run(body, from, until, Infinity);
    }
  }
  for (const jd of spanInstants(sequence32(20261213), 100)) {
    for (const body of planets) {
      rows.push(`${body},far,${jd.toFixed(5)}`);
      run(body, jd, Infinity, 1);
    }
  }
  return rows;
}

const version = JSON.parse(fs.readFileSync(
  path.join(here, 'node_modules', 'astronomy-engine', 'package.json'), 'utf8')).version;
const note = `# Made by tools/astronomy-fixture/make-elongation.mjs with astronomy-engine ${version}; do not edit.`;
fs.writeFileSync(path.join(outDir, 'astronomy_elongation.csv'),
  [note, 'tt_jd,body,elongation,visibility', ...elongationRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_greatest_elongations.csv'),
  [note, 'body,kind,tt_jd,elongation', ...greatestRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_conjunctions.csv'),
  [note, 'body,kind,tt_jd', ...conjunctionRows(), ''].join('\n'));
