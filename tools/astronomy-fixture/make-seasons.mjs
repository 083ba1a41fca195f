// Makes tests/data/astronomy_seasons.csv from Astronomy Engine's equinoxes and solstices (the
// roots of its apparent Sun's longitude, found by its own search), an implementation written
// independently of the library's. Its Seasons(year) starts each search on the 10th of the month
// from a JavaScript Date, which takes the years 0 to 99 for 1900 to 1999; the same searches are
// started here from Julian Days instead, so that every year is the one asked.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-seasons.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// One row per year: year, then march, june, september and december, the instants of the March
// equinox, the June solstice, the September equinox and the December solstice as Julian Days
// (TT). Every year from -2000 to 5999, the library's whole span of years, so that a bound far
// from 2000 is the largest difference there is, and the book's approximate instants, hours off
// there, are seen to be refined in every year.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000 } from './common.mjs';

const years = [];
for (let year = -2000; year <= 5999; ++year) years.push(year);

const version = JSON.parse(fs.readFileSync(
  path.join(here, 'node_modules', 'astronomy-engine', 'package.json'), 'utf8')).version;
const lines = [
  `# Made by tools/astronomy-fixture/make-seasons.mjs with astronomy-engine ${version}; do not edit.`,
  'year,march,june,september,december',
];
// The Julian Day of 0h on a day of the proleptic Gregorian calendar (Meeus, ch. 7).
function julianDay(year, month, day) {
  if (month <= 2) { year -= 1; month += 12; }
  const a = Math.floor(year / 100);
  return Math.floor(365.25 * (year + 4716)) + Math.floor(30.6001 * (month + 1)) + day +
    2 - a + Math.floor(a / 4) - 1524.5;
}
// Each season as Seasons(year) finds it: the Sun's apparent longitude searched for over 20 days
// from the 10th of its month.
const season = (year, month, longitude) => {
  const start = Astronomy.MakeTime(julianDay(year, month, 10) - J2000);
  return (Astronomy.SearchSunLongitude(longitude, start, 20).tt + J2000).toFixed(7);
};
for (const year of years) {
  lines.push([year, season(year, 3, 0), season(year, 6, 90), season(year, 9, 180),
    season(year, 12, 270)].join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_seasons.csv'), lines.join('\n') + '\n');
