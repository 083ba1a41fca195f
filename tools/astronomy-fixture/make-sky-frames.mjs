// Makes tests/data/astronomy_galactic.csv and tests/data/astronomy_constellations.csv from
// Astronomy Engine's galactic rotations and constellation lookup, an implementation written
// independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-sky-frames.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// astronomy_galactic.csv: given,ra,dec,l,b in degrees: 300 directions of J2000.0 drawn uniformly
// over the sphere turned by Rotation_EQJ_GAL (given "equ"), then 300 galactic directions turned
// back by Rotation_GAL_EQJ (given "gal").
//
// astronomy_constellations.csv: ra,dec (J2000.0, hours and degrees, as Constellation takes
// them), symbol, name: 2000 directions drawn uniformly over the sphere, a direction inside each
// constellation and places either side of 0h at B1875.0 (taken to J2000.0 by the engine's own
// rotation), and the poles of J2000.0. The engine turns a place to the true equator of B1875.0
// (Rotation_EQJ_EQD: IAU 2006 precession and its nutation), where the boundaries are drawn on the
// mean equator: its places of B1875.0 are off by the nutation of the day, about 10". A direction
// that any of eight neighbours 30" away would put in another constellation is left out, so the
// file holds only places that both lookups, each with its own precession, must agree on.
import * as fs from 'node:fs';
import * as path from 'node:path';
import { createRequire } from 'node:module';
import * as Astronomy from 'astronomy-engine';
import { outDir, sequence32 } from './common.mjs';

const DEG = Math.PI / 180;

const next = sequence32(97531);
// A direction drawn uniformly over the sphere: longitude and latitude, degrees.
const direction = () => [360 * next(), Math.asin(2 * next() - 1) / DEG];

// A direction (degrees) turned by a rotation matrix: longitude and latitude, degrees.
const turned = (rotation, lon, lat) => {
  const v = Astronomy.VectorFromSphere(new Astronomy.Spherical(lat, lon, 1), new Astronomy.AstroTime(0));
  const s = Astronomy.SphereFromVector(Astronomy.RotateVector(rotation, v));
  return [s.lon, s.lat];
};

const galactic = ['given,ra,dec,l,b'];
const toGalactic = Astronomy.Rotation_EQJ_GAL(), fromGalactic = Astronomy.Rotation_GAL_EQJ();
for (let i = 0; i < 300; ++i) {
  const [ra, dec] = direction();
  const [l, b] = turned(toGalactic, ra, dec);
  galactic.push(['equ', ra, dec, l, b].map((x) => (typeof x === 'number' ? x.toFixed(10) : x)).join(','));
}
for (let i = 0; i < 300; ++i) {
  const [l, b] = direction();
  const [ra, dec] = turned(fromGalactic, l, b);
  galactic.push(['gal', ra, dec, l, b].map((x) => (typeof x === 'number' ? x.toFixed(10) : x)).join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_galactic.csv'), galactic.join('\n') + '\n');

// The constellation of a J2000.0 direction (degrees), unless a neighbour 30" away in any of
// eight directions is in another one.
const NEAR = 30 / 3600;
const clearOf = (ra, dec) => {
  const c = Astronomy.Constellation(ra / 15, dec);
  for (let k = 0; k < 8; ++k) {
    const a = k * Math.PI / 4;
    const d = Math.max(-90, Math.min(90, dec + NEAR * Math.cos(a)));
    const r = ra + NEAR * Math.sin(a) / Math.max(Math.cos(dec * DEG), 1e-9);
    if (Astronomy.Constellation((((r % 360) + 360) % 360) / 15, d).symbol !== c.symbol) return null;
  }
  return c;
};

const places = [];
for (let i = 0; i < 2000; ++i) places.push(direction());
// A place inside each constellation's first zone, a little above its lower edge, midway in
// right ascension, and places either side of 0h at B1875.0, taken from B1875.0 to J2000.0 (the
// lookup's own epoch, 1874-12-31T18:12:21.950Z UT) with the engine's rotation; then the poles.
const require = createRequire(import.meta.url);
const source = fs.readFileSync(require.resolve('astronomy-engine'), 'utf8');
const zones = source.match(/const ConstelBounds = \[([\s\S]*?)\n\];/)[1];
const b1875 = Astronomy.Rotation_EQD_EQJ(new Astronomy.AstroTime(-45655.74141261017));
const seen = new Set();
for (const [, index, low, high, dec] of zones.matchAll(/\[(\d+), ([\d.]+), ([\d.]+), (-?[\d.]+)\]/g)) {
  if (seen.has(index)) continue;
  seen.add(index);
  places.push(turned(b1875, (Number(low) + Number(high)) / 2 / 24, Number(dec) / 24 + 0.05));
}
for (const dec of [-85, -60, -30, 0, 30, 60, 80, 86, 88.5]) {
  places.push(turned(b1875, 0.0001, dec), turned(b1875, 359.9999, dec));
}
places.push([0, 90], [123, 90], [0, -90], [240, -90]);

const constellations = ['ra,dec,symbol,name'];
for (const [ra, dec] of places) {
  const c = clearOf(ra, dec);
  if (!c) continue;
  constellations.push([(ra / 15).toFixed(8), dec.toFixed(7), c.symbol, c.name].join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_constellations.csv'), constellations.join('\n') + '\n');
