// Makes the reference fixture of tests/data/ from Astronomy Engine, an independent implementation
// (its own Moon, Pluto by numerical integration, IAU 2000B nutation, IAU 2006 precession, rise and
// set by root search on the altitude).
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-fixture.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). The instants come from a fixed
// pseudo-random sequence, so running it again with the same package version gives the same files.
//
// astronomy_instants.csv, one row per instant between 1900 and 2099 (angles in degrees):
//   tt_jd, ut_jd       the instant as a Julian Day in TT and in UT (Astronomy Engine's delta T)
//   moon_lon, moon_lat geocentric geometric Moon, true ecliptic and equinox of date
//   moon_dist          its distance, km
//   moon_ra, moon_dec  the same Moon on the true equator and equinox of date
//   phase_angle, phase_fraction, elongation
//                      the Moon's phase angle, illuminated fraction and ecliptic elongation east
//                      of the Sun (0..360; below 180 while it waxes)
//   dpsi, deps         nutation in longitude and obliquity, arcseconds (IAU 2000B)
//   mean_obliquity, true_obliquity
//   gast_hours         Greenwich apparent sidereal time at ut_jd, hours
//   ee_seconds         the equation of the equinoxes, seconds of time
//   pluto_lon, pluto_lat, pluto_dist
//                      heliocentric Pluto, mean ecliptic and equinox of J2000.0, AU
//   obs_lat, obs_lon   an observer (longitude east positive)
//   azimuth, altitude  the Moon's moon_ra, moon_dec seen from there at ut_jd, azimuth from north
//                      through east, no refraction
//
// astronomy_rise_set.csv, one row per body, observer and UT day:
//   body, obs_lat, obs_lon, jd0_ut (0h UT of the day), delta_t (TT - UT, seconds)
//   ra_m1, dec_m1, ra_0, dec_0, ra_p1, dec_p1
//                      apparent geocentric right ascension and declination, true equator and
//                      equinox of date, at 0h TT of the day before, the day and the day after
//   dist               the body's geocentric distance at 0h TT of the day, km
//   rise, transit, set the first rising, upper culmination and setting after jd0_ut, as UT Julian
//                      Days, or empty when there is none before the day ends
import * as fs from 'node:fs';
import * as path from 'node:path';
import { fileURLToPath } from 'node:url';
import * as Astronomy from 'astronomy-engine';

const here = path.dirname(fileURLToPath(import.meta.url));
const outDir = process.argv[2] ?? path.join(here, '..', '..', 'tests', 'data');

const J2000 = 2451545.0;
const KM_PER_AU = Astronomy.KM_PER_AU;
const FIRST_JD = 2415020.5;  // 1900 January 1, 0h
const END_JD = 2488069.5;    // 2100 January 1, 0h

// A fixed linear congruential sequence in [0, 1).
let seed = 20261210;
function random() {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
}

const observers = [
  ['Greenwich', 51.4769, 0.0],
  ['New York', 40.7128, -74.006],
  ['Sydney', -33.8688, 151.2093],
  ['Tromso', 69.6492, 18.9553],
  ['Quito', -0.1807, -78.4678],
  ['Anchorage', 61.2181, -149.9003],
];

const deg = (x) => x.toFixed(9);
const day = (x) => x.toFixed(10);

// Geocentric apparent (or, for the Moon, geometric) position on the true equator of date.
function equatorOfDate(body, time) {
  const eqj = body === Astronomy.Body.Moon ? Astronomy.GeoMoon(time)
                                           : Astronomy.GeoVector(body, time, true);
  const eqd = Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), eqj);
  return Astronomy.EquatorFromVector(eqd);
}

function instantRows() {
  const rows = [];
  for (let i = 0; i < 300; ++i) {
    const ttJd = Number((FIRST_JD + random() * (END_JD - FIRST_JD)).toFixed(5));
    const time = Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000);
    const moon = Astronomy.EclipticGeoMoon(time);
    const moonEq = equatorOfDate(Astronomy.Body.Moon, time);
    const illumination = Astronomy.Illumination(Astronomy.Body.Moon, time);
    const elongation = Astronomy.MoonPhase(time);
    const tilt = Astronomy.e_tilt(time);
    const gast = Astronomy.SiderealTime(time);
    const pluto = Astronomy.SphereFromVector(
      Astronomy.RotateVector(Astronomy.Rotation_EQJ_ECL(),
                             Astronomy.HelioVector(Astronomy.Body.Pluto, time)));
    const [, lat, lon] = observers[i % observers.length];
    const observer = new Astronomy.Observer(lat, lon, 0);
    const hor = Astronomy.Horizon(time, observer, moonEq.ra, moonEq.dec);
    rows.push([
      ttJd.toFixed(5), day(time.ut + J2000),
      deg(moon.lon), deg(moon.lat), (moon.dist * KM_PER_AU).toFixed(3),
      deg(moonEq.ra * 15), deg(moonEq.dec),
      deg(illumination.phase_angle), illumination.phase_fraction.toFixed(9), deg(elongation),
      tilt.dpsi.toFixed(6), tilt.deps.toFixed(6), deg(tilt.mobl), deg(tilt.tobl),
      gast.toFixed(12), tilt.ee.toFixed(9),
      deg(pluto.lon), deg(pluto.lat), pluto.dist.toFixed(9),
      lat.toFixed(4), lon.toFixed(4), deg(hor.azimuth), deg(hor.altitude),
    ].join(','));
  }
  return rows;
}

// The first event after `start` (an AstroTime) within one day, as a UT Julian Day, or ''.
function within(start, time) {
  return time && time.ut < start.ut + 1 ? day(time.ut + J2000) : '';
}

function riseSetRows() {
  const rows = [];
  const bodies = [Astronomy.Body.Sun, Astronomy.Body.Moon, Astronomy.Body.Mars];
  for (let i = 0; i < 60; ++i) {
    // Whole UT days between 1900 and 2099.
    const jd0 = Math.floor(FIRST_JD + random() * (END_JD - FIRST_JD - 1) - 0.5) + 0.5;
    for (const body of bodies) {
      const [, lat, lon] = observers[(i + bodies.indexOf(body)) % observers.length];
      const observer = new Astronomy.Observer(lat, lon, 0);
      const start = Astronomy.MakeTime(jd0 - J2000);
      const coordinates = [-1, 0, 1].map((d) => equatorOfDate(
        body, Astronomy.AstroTime.FromTerrestrialTime(jd0 - J2000 + d)));
      const rise = Astronomy.SearchRiseSet(body, observer, +1, start, 1);
      const set = Astronomy.SearchRiseSet(body, observer, -1, start, 1);
      const transit = Astronomy.SearchHourAngle(body, observer, 0, start, +1);
      rows.push([
        body, lat.toFixed(4), lon.toFixed(4), jd0.toFixed(1),
        ((start.tt - start.ut) * 86400).toFixed(3),
        ...coordinates.flatMap((c) => [deg(c.ra * 15), deg(c.dec)]),
        (coordinates[1].dist * KM_PER_AU).toFixed(3),
        within(start, rise), within(start, transit.time), within(start, set),
      ].join(','));
    }
  }
  return rows;
}

const version = JSON.parse(fs.readFileSync(
  path.join(here, 'node_modules', 'astronomy-engine', 'package.json'), 'utf8')).version;
const note = `# Made by tools/astronomy-fixture/make-fixture.mjs with astronomy-engine ${version}; do not edit.`;
fs.mkdirSync(outDir, { recursive: true });
fs.writeFileSync(path.join(outDir, 'astronomy_instants.csv'), [
  note,
  'tt_jd,ut_jd,moon_lon,moon_lat,moon_dist,moon_ra,moon_dec,phase_angle,phase_fraction,' +
    'elongation,dpsi,deps,mean_obliquity,true_obliquity,gast_hours,ee_seconds,' +
    'pluto_lon,pluto_lat,pluto_dist,obs_lat,obs_lon,azimuth,altitude',
  ...instantRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_rise_set.csv'), [
  note,
  'body,obs_lat,obs_lon,jd0_ut,delta_t,ra_m1,dec_m1,ra_0,dec_0,ra_p1,dec_p1,dist,' +
    'rise,transit,set',
  ...riseSetRows(), ''].join('\n'));
