// Makes tests/data/astronomy_stars.csv from Astronomy Engine's places of user-defined stars, an
// implementation written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-stars.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// The stars are those of tests/data/bright_stars.csv, and stars drawn at random. Astronomy
// Engine's DefineStar takes a fixed J2000.0 place and distance, without proper motion or radial
// velocity: each star is first moved to the instant along its space velocity (a straight line
// from the catalogue's epoch), then defined there. A star without parallax stands at 1e9 light
// years.
//
// Rows of kind "place", 300 pseudo-random star-instants of 1800 to 2200, each with an observer
// of its own from pole to pole: ut_jd and tt_jd, star, latitude and longitude (degrees), ra
// (hours) and dec (degrees) of the apparent place of date (Equator, of date, with aberration),
// azimuth and altitude (Horizon, airless) and refracted_altitude (Horizon, "normal").
// Rows of kind "events", 120 pseudo-random star-days of 1800 to 2200 at observers up to 80
// degrees of latitude: the day's start (ut_jd, 0h UT), and the first rise and set
// (SearchRiseSet, with its refraction of 34') and upper transit (SearchHourAngle) within the
// day, as Julian Days (UT), empty where none falls in it.
// Rows of kinds "random place" (4000) and "random events" (2000) are the same for stars drawn
// at random, the star's name empty and its values in the last columns: star_ra and star_dec
// (degrees, ICRS at the epoch), pm_ra (mu alpha cos delta) and pm_dec (mas a year), parallax
// (mas), rv (km/s) and epoch_jd (TT); blank in the catalogue stars' rows.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000, sequence32 } from './common.mjs';

const data = path.join(here, '..', '..', 'tests', 'data');  // the catalogue's folder
const FIRST_JD = 2378496.5;  // 1800 January 1
const END_JD = 2524593.5;    // 2200 January 1
const DEG = Math.PI / 180;
const MAS = DEG / 3600000;
const AU_KM = 149597870.7;
const AU_PER_YEAR_PER_KMS = 365.25 * 86400 / AU_KM;

const next = sequence32(31415);
const RANDOM_PLACES = 4000, RANDOM_DAYS = 2000;

const stars = fs.readFileSync(path.join(data, 'bright_stars.csv'), 'utf8').split('\n')
  .filter((line) => line && !line.startsWith('#')).slice(1).map((line) => {
    const f = line.split(',');
    const sign = f[4] === '-' ? -1 : 1;
    return {
      name: f[0],
      ra: (Number(f[1]) + Number(f[2]) / 60 + Number(f[3]) / 3600) * 15 * DEG,
      dec: sign * (Number(f[5]) + Number(f[6]) / 60 + Number(f[7]) / 3600) * DEG,
      pmRa: Number(f[8]) * MAS, pmDec: Number(f[9]) * MAS, parallax: Number(f[10]) * MAS,
      rv: Number(f[11]),
    };
  });

// Defines Star1 as `star` moved along its space velocity to Julian Day `ttJd` (TT).
function defineMoved(star, ttJd) {
  const ca = Math.cos(star.ra), sa = Math.sin(star.ra);
  const cd = Math.cos(star.dec), sd = Math.sin(star.dec);
  const radial = star.rv * AU_PER_YEAR_PER_KMS * star.parallax;
  const t = (ttJd - (star.epoch ?? J2000)) / 365.25;
  const x = cd * ca + t * (-star.pmRa * sa - star.pmDec * sd * ca + radial * cd * ca);
  const y = cd * sa + t * (star.pmRa * ca - star.pmDec * sd * sa + radial * cd * sa);
  const z = sd + t * (star.pmDec * cd + radial * sd);
  const r = Math.hypot(x, y, z);
  let ra = Math.atan2(y, x) / DEG / 15;
  if (ra < 0) ra += 24;
  if (ra >= 24) ra -= 24;
  const dec = Math.asin(z / r) / DEG;
  const lightYears = star.parallax > 0 ? r / star.parallax / Astronomy.AU_PER_LY : 1e9;
  Astronomy.DefineStar(Astronomy.Body.Star1, ra, dec, lightYears);
}

const fixed = (v, n) => (v === null ? '' : v.toFixed(n));

// The row of a star's apparent place at `utJd` for an observer at `latitude`, `longitude`.
function placeRow(kind, name, star, utJd, latitude, longitude) {
  const time = Astronomy.MakeTime(utJd - J2000);
  const ttJd = time.tt + J2000;
  defineMoved(star, ttJd);
  const observer = new Astronomy.Observer(latitude, longitude, 0);
  const eq = Astronomy.Equator(Astronomy.Body.Star1, time, observer, true, true);
  const hor = Astronomy.Horizon(time, observer, eq.ra, eq.dec, null);
  const refracted = Astronomy.Horizon(time, observer, eq.ra, eq.dec, 'normal');
  return [kind, utJd.toFixed(6), ttJd.toFixed(8), name, latitude.toFixed(5),
    longitude.toFixed(5), eq.ra.toFixed(10), eq.dec.toFixed(9), hor.azimuth.toFixed(8),
    hor.altitude.toFixed(8), refracted.altitude.toFixed(8), '', '', ''];
}

// The row of a star's first rise, upper transit and set on the UT day that begins at `dayJd`.
function eventsRow(kind, name, star, dayJd, latitude, longitude) {
  const start = Astronomy.MakeTime(dayJd - J2000);
  // The star's space motion over a day is far below what a rise shows: defined at midday.
  defineMoved(star, start.tt + J2000 + 0.5);
  const observer = new Astronomy.Observer(latitude, longitude, 0);
  const within = (t) => (t && t.ut + J2000 < dayJd + 1 ? t.ut + J2000 : null);
  const rise = within(Astronomy.SearchRiseSet(Astronomy.Body.Star1, observer, +1, start, 1));
  const set = within(Astronomy.SearchRiseSet(Astronomy.Body.Star1, observer, -1, start, 1));
  const transit =
    within(Astronomy.SearchHourAngle(Astronomy.Body.Star1, observer, 0, start, +1).time);
  return [kind, dayJd.toFixed(1), '', name, latitude.toFixed(5), longitude.toFixed(5),
    '', '', '', '', '', fixed(rise, 8), fixed(transit, 8), fixed(set, 8)];
}

const rows = ['kind,ut_jd,tt_jd,star,latitude,longitude,ra,dec,azimuth,altitude,' +
  'refracted_altitude,rise,transit,set,star_ra,star_dec,pm_ra,pm_dec,parallax,rv,epoch_jd'];
const NO_STAR = ['', '', '', '', '', '', ''];  // a catalogue star's: the catalogue has them
for (let i = 0; i < 300; ++i) {
  const star = stars[Math.floor(next() * stars.length)];
  const utJd = FIRST_JD + (END_JD - FIRST_JD) * next();
  const latitude = -90 + 180 * next(), longitude = -180 + 360 * next();
  rows.push(placeRow('place', star.name, star, utJd, latitude, longitude).concat(NO_STAR)
    .join(','));
}
for (let i = 0; i < 120; ++i) {
  const star = stars[Math.floor(next() * stars.length)];
  const dayJd = Math.floor(FIRST_JD + (END_JD - FIRST_JD) * next()) + 0.5;
  const latitude = -80 + 160 * next(), longitude = -180 + 360 * next();
  rows.push(eventsRow('events', star.name, star, dayJd, latitude, longitude).concat(NO_STAR)
    .join(','));
}

// Stars drawn at random, each with the values it is drawn with: a place uniform over the
// sphere, each proper motion up to LARGEST_PM either way, a parallax up to LARGEST_PARALLAX (none
// for one star in four), a radial velocity up to LARGEST_RV either way and an epoch of 1800 to
// 2200.
const LARGEST_PM = 12000;       // mas a year
const LARGEST_PARALLAX = 1000;  // mas
const LARGEST_RV = 500;         // km/s
const random = sequence32(27182);
function randomStar() {
  const ra = 360 * random(), dec = Math.asin(2 * random() - 1) / DEG;
  const pmRa = LARGEST_PM * (2 * random() - 1), pmDec = LARGEST_PM * (2 * random() - 1);
  const parallax = random() < 0.25 ? 0 : LARGEST_PARALLAX * random();
  const rv = LARGEST_RV * (2 * random() - 1);
  const epoch = FIRST_JD + (END_JD - FIRST_JD) * random();
  return {
    ra: ra * DEG, dec: dec * DEG, pmRa: pmRa * MAS, pmDec: pmDec * MAS, parallax: parallax * MAS,
    rv, epoch,
    columns: [ra.toFixed(9), dec.toFixed(9), pmRa.toFixed(4), pmDec.toFixed(4), parallax.toFixed(4),
      rv.toFixed(4), epoch.toFixed(6)],
  };
}
// An instant of 1800 to 2200 (UT), one in two within ten years of either end, where the two
// precessions part most.
const DECADE = 3652.5;
function randomInstant() {
  if (random() < 0.5) return FIRST_JD + (END_JD - FIRST_JD) * random();
  return random() < 0.5 ? FIRST_JD + DECADE * random() : END_JD - DECADE * random();
}
for (let i = 0; i < RANDOM_PLACES; ++i) {
  const star = randomStar();
  const utJd = randomInstant();
  const latitude = -90 + 180 * random(), longitude = -180 + 360 * random();
  rows.push(placeRow('random place', '', star, utJd, latitude, longitude).concat(star.columns)
    .join(','));
}
for (let i = 0; i < RANDOM_DAYS; ++i) {
  const star = randomStar();
  const dayJd = Math.floor(randomInstant() - 1) + 0.5;
  const latitude = -80 + 160 * random(), longitude = -180 + 360 * random();
  rows.push(eventsRow('random events', '', star, dayJd, latitude, longitude).concat(star.columns)
    .join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_stars.csv'), rows.join('\n') + '\n');
