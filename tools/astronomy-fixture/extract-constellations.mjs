// Writes astronomy/data/constellations/ (names.csv and boundaries.csv) from the table of the
// IAU constellation boundaries that Astronomy Engine's package carries: Delporte's boundaries of
// 1930, referred to the equinox of B1875.0, as Roman (1987) digitised them (CDS catalogue VI/42).
// The package exports no table, so its source is read as text: the arrays ConstelNames and
// ConstelBounds of astronomy.js.
//
// Usage: cd tools/astronomy-fixture && npm ci && node extract-constellations.mjs [OUT_DIR]
// (OUT_DIR defaults to astronomy/data/constellations of the repository).
//
// names.csv: abbreviation,name, one row per constellation in the package's order (alphabetical
// by abbreviation, ignoring case), with three names mended to the IAU's spelling (see NAMED).
// boundaries.csv: abbreviation,ra_low_s,ra_high_s,dec_low_arcmin, one row per zone of Roman's
// table in its order (declining lower declination): the zone from ra_low_s up to, not including,
// ra_high_s (seconds of time) and from dec_low_arcmin (arcminutes) up to the zone above it. The
// package keeps right ascension in units of 10 s of time (8640 to the turn) and declination in
// units of 2.5' (2160 to 90 degrees); a few values are tenths of those units, but every value is
// a whole number of seconds and arcminutes, which the script checks, so the files are exact.
import * as fs from 'node:fs';
import * as path from 'node:path';
import { createRequire } from 'node:module';
import { here } from './common.mjs';

const outDir = process.argv[2] ??
  path.join(here, '..', '..', 'astronomy', 'data', 'constellations');
const require = createRequire(import.meta.url);
const source = fs.readFileSync(require.resolve('astronomy-engine'), 'utf8');

// The IAU's names where the package spells them otherwise.
const NAMED = { Ant: 'Antlia', Cam: 'Camelopardalis', PsA: 'Piscis Austrinus' };

function arrayText(name) {
  const match = source.match(new RegExp(`const ${name} = \\[([\\s\\S]*?)\\n\\];`));
  if (!match) throw new Error(`no array ${name} in ${require.resolve('astronomy-engine')}`);
  return match[1];
}

const names = [...arrayText('ConstelNames').matchAll(/\['(\w{3})', '([A-Za-z ]+)'\]/g)]
  .map(([, abbreviation, name]) => [abbreviation, NAMED[abbreviation] ?? name]);
const zones = [...arrayText('ConstelBounds').matchAll(/\[(\d+), ([\d.]+), ([\d.]+), (-?[\d.]+)\]/g)]
  .map((m) => m.slice(1).map(Number));
if (names.length !== 88) throw new Error(`${names.length} constellations, expected 88`);
if (zones.length !== 357) throw new Error(`${zones.length} zones, expected 357`);

// Units of 10 s of time, and of 2.5'; a few of the table's values are tenths of them.
const whole = (value, what) => {
  const rounded = Math.round(value);
  if (Math.abs(value - rounded) > 1e-6) throw new Error(`${what} ${value} is not whole`);
  return rounded;
};
const seconds = (units) => whole(units * 10, 'a right ascension in seconds,');
const arcminutes = (units) => whole(units * 2.5, 'a declination in arcminutes,');

fs.mkdirSync(outDir, { recursive: true });
fs.writeFileSync(path.join(outDir, 'names.csv'),
  ['abbreviation,name', ...names.map((row) => row.join(','))].join('\n') + '\n');
fs.writeFileSync(path.join(outDir, 'boundaries.csv'),
  ['abbreviation,ra_low_s,ra_high_s,dec_low_arcmin',
    ...zones.map(([index, low, high, dec]) =>
      [names[index][0], seconds(low), seconds(high), arcminutes(dec)].join(','))]
    .join('\n') + '\n');
