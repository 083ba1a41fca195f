// Makes the reference fixture of tests/data/ from Astronomy Engine, an independent implementation
// (its own Moon, Pluto by numerical integration, IAU 2000B nutation, IAU 2006 precession, rise and
// set by root search on the altitude).
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-fixture.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). The instants come from fixed pseudo-random
// sequences, one for each table, so running it again with the same package version gives the
// same files. The tables of places, events and phases are dense (10000 instants, 2000 random
// observer-days beside the fixed ones, every phase of 1900 to 2100), so that the largest
// difference found is the routine's bound. The places keep 7 decimals of a degree (0.0004"), the
// topocentric UT 9 of a day (0.1 ms), which the tests need no more than. A few seconds of Node.
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
//
// astronomy_apparent.csv, one row per instant (10000 between 1900 and 2099) and body (the Sun,
// the Moon, Mercury to Neptune, Pluto), geocentric, with light time and aberration (the Moon
// geometric):
//   tt_jd, body
//   ra, dec            true equator and equinox of date, degrees
//   lon, lat           true ecliptic and equinox of date, degrees
//   dist               distance, AU, 9 significant digits
//
// astronomy_topocentric.csv, one row per instant (10000 between 1900 and 2099) and body (the Moon
// and the Sun), each instant seen by an observer of its own: a latitude from pole to pole, any
// longitude, a height from 0 to 4500 m:
//   tt_jd, ut_jd, body, obs_lat, obs_lon, obs_height (metres above sea level)
//   ra, dec            topocentric, true equator and equinox of date, degrees
//   azimuth, altitude  from north through east, no refraction, degrees
//   geo_ra, geo_dec    the same body from the centre of the Earth, degrees: topocentric less
//                      geocentric is the parallax
//   refracted_altitude the altitude with Astronomy Engine's normal refraction (Saemundsson's
//                      formula for 1010 hPa and 10 degrees C, tapered below -1 degree), degrees
//
// astronomy_events.csv, one row per body, observer and day of 24 hours: first for ten observers
// from the equator to beyond both polar circles, on fixed days (solstices, equinoxes, the ends of
// polar day and night at 69.6 N) and on 28 UT days of a pseudo-random sequence; then for 2000
// observers of the sequence, each at any latitude up to 89.99 degrees and any longitude on a day
// of its own, every other one a UT day and the rest beginning at any instant (to a second):
//   body               Sun, Moon, a planet or Pluto (one for each observer's day): rise and set
//                      at the body's top limb with refraction, as Astronomy Engine defines them;
//                      civil, nautical, astronomical: the Sun's centre ascending (in the rise
//                      column) and descending (in the set column) through -6, -12 and -18
//                      degrees, no refraction, and no transit
//   obs_lat, obs_lon, jd0_ut (the day's start, UT), delta_t (TT - UT there, seconds)
//   rise, transit, set the first of each after jd0_ut, as UT Julian Days, or empty when there is
//                      none before the day ends
//   transit_altitude   the altitude of the body (for twilight the Sun) at its first upper
//                      culmination after jd0_ut, topocentric, with refraction, degrees: which
//                      side of the horizon a day without rise and set keeps to
//
// astronomy_moon_phases.csv, one row per instant: 200 between 1900 and 2099, then, for each phase
// of 1900 to 2099, one 0.001 day after the phase before it, so that every phase of the two
// centuries is the first after some instant:
//   tt_jd              the instant, TT
//   new_moon, first_quarter, full_moon, last_quarter
//                      the first of each after tt_jd, TT Julian Days
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { here, outDir, J2000, FIRST_JD, END_JD, sequence } from './common.mjs';

const KM_PER_AU = Astronomy.KM_PER_AU;

const random = sequence(20261210);

const observers = [
  ['Greenwich', 51.4769, 0.0],
  ['New York', 40.7128, -74.006],
  ['Sydney', -33.8688, 151.2093],
  ['Tromso', 69.6492, 18.9553],
  ['Quito', -0.1807, -78.4678],
  ['Anchorage', 61.2181, -149.9003],
];

// Degrees and days as the first tables give them; the dense tables keep 7 decimals of a degree
// (0.0004") and 9 of a day (0.1 ms), well below the differences their tests measure.
const deg = (x) => x.toFixed(9);
const day = (x) => x.toFixed(10);
const deg7 = (x) => x.toFixed(7);
const day9 = (x) => x.toFixed(9);

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

const allBodies = [
  Astronomy.Body.Sun, Astronomy.Body.Moon, Astronomy.Body.Mercury, Astronomy.Body.Venus,
  Astronomy.Body.Mars, Astronomy.Body.Jupiter, Astronomy.Body.Saturn, Astronomy.Body.Uranus,
  Astronomy.Body.Neptune, Astronomy.Body.Pluto,
];

// Instants between 1900 and 2099, TT Julian Days, from the sequence `next`.
function instants(next, count) {
  return Array.from({ length: count },
                    () => Number((FIRST_JD + next() * (END_JD - FIRST_JD - 1)).toFixed(5)));
}

function apparentRows() {
  const rows = [];
  for (const ttJd of instants(sequence(19), 10000)) {
    const time = Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000);
    for (const body of allBodies) {
      const eqj = Astronomy.GeoVector(body, time, true);
      const eqd = Astronomy.EquatorFromVector(
        Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), eqj));
      const ect = Astronomy.SphereFromVector(
        Astronomy.RotateVector(Astronomy.Rotation_EQJ_ECT(time), eqj));
      rows.push([ttJd.toFixed(5), body, deg7(eqd.ra * 15), deg7(eqd.dec), deg7(ect.lon),
                 deg7(ect.lat), eqd.dist.toPrecision(9)].join(','));
    }
  }
  return rows;
}

// Each instant from its own observer: a latitude from pole to pole, any longitude, a height up to
// 4.5 km above sea level.
function topocentricRows() {
  const next = sequence(23);
  const rows = [];
  for (const ttJd of instants(next, 10000)) {
    const time = Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000);
    const lat = Number((-90 + 180 * next()).toFixed(5));
    const lon = Number((-180 + 360 * next()).toFixed(5));
    const height = Math.round(4500 * next());
    const observer = new Astronomy.Observer(lat, lon, height);
    for (const body of [Astronomy.Body.Moon, Astronomy.Body.Sun]) {
      const eq = Astronomy.Equator(body, time, observer, true, true);
      const hor = Astronomy.Horizon(time, observer, eq.ra, eq.dec);
      const refracted = Astronomy.Horizon(time, observer, eq.ra, eq.dec, 'normal');
      const geo = equatorOfDate(body, time);
      rows.push([ttJd.toFixed(5), day9(time.ut + J2000), body, lat.toFixed(5), lon.toFixed(5),
                 height, deg7(eq.ra * 15), deg7(eq.dec), deg7(hor.azimuth), deg7(hor.altitude),
                 deg7(geo.ra * 15), deg7(geo.dec), deg7(refracted.altitude)].join(','));
    }
  }
  return rows;
}

// From the equator to beyond both polar circles.
const eventObservers = [
  ['Quito', -0.1807, -78.4678],
  ['Singapore', 1.3521, 103.8198],
  ['Sydney', -33.8688, 151.2093],
  ['Greenwich', 51.4769, 0.0],
  ['Ushuaia', -54.8019, -68.3030],
  ['Anchorage', 61.2181, -149.9003],
  ['Tromso', 69.6, 19.0],
  ['Longyearbyen', 78.2232, 15.6267],
  ['McMurdo', -77.8419, 166.6863],
  ['South Pole', -89.99, 0.0],
];
// Solstices, equinoxes, and the days polar day and night begin and end at 69.6 N.
const fixedDays = ['2027-06-21', '2027-12-21', '2027-03-20', '2027-09-23', '2027-05-18',
                   '2027-07-25', '2027-11-27', '2027-01-15'];
const twilights = [['civil', -6], ['nautical', -12], ['astronomical', -18]];

// The rows of one observer's day of 24 hours from `jd0` (UT): the Sun, the Moon and `planet`, then
// the three twilights.
function observerDayRows(lat, lon, jd0, planet) {
  const observer = new Astronomy.Observer(lat, lon, 0);
  const start = Astronomy.MakeTime(jd0 - J2000);
  const head = (name) => [name, lat.toFixed(4), lon.toFixed(4), String(jd0),
                          ((start.tt - start.ut) * 86400).toFixed(3)];
  const rows = [];
  for (const body of [Astronomy.Body.Sun, Astronomy.Body.Moon, planet]) {
    const rise = Astronomy.SearchRiseSet(body, observer, +1, start, 1);
    const set = Astronomy.SearchRiseSet(body, observer, -1, start, 1);
    const transit = Astronomy.SearchHourAngle(body, observer, 0, start, +1);
    rows.push([...head(body), within(start, rise), within(start, transit.time),
               within(start, set), deg(transit.hor.altitude)].join(','));
  }
  const noon = Astronomy.SearchHourAngle(Astronomy.Body.Sun, observer, 0, start, +1);
  for (const [name, altitude] of twilights) {
    const dawn = Astronomy.SearchAltitude(Astronomy.Body.Sun, observer, +1, start, 1, altitude);
    const dusk = Astronomy.SearchAltitude(Astronomy.Body.Sun, observer, -1, start, 1, altitude);
    rows.push([...head(name), within(start, dawn), '', within(start, dusk),
               deg(noon.hor.altitude)].join(','));
  }
  return rows;
}

function eventRows() {
  const next = sequence(29);
  // Days between 1900 and 2099 that end before Pluto's series does, from `next`: whole UT days,
  // or, with `anyInstant`, days beginning at any instant (to a second).
  const randomDay = (anyInstant) => {
    const jd = FIRST_JD + next() * (END_JD - FIRST_JD - 3);
    return anyInstant ? Number(jd.toFixed(5)) : Math.floor(jd) + 0.5;
  };
  const days = fixedDays.map((d) => Astronomy.MakeTime(new Date(`${d}T00:00:00Z`)).ut + J2000);
  for (let i = 0; i < 28; ++i) days.push(randomDay(false));
  const planets = allBodies.slice(2);
  const rows = [];
  days.forEach((jd0, d) => {
    eventObservers.forEach(([, lat, lon], o) => {
      rows.push(...observerDayRows(lat, lon, jd0, planets[(d + o) % planets.length]));
    });
  });
  // Then observers anywhere up to 89.99 degrees from the equator, each on a day of its own: every
  // other one a UT day, the rest days beginning at any instant, with a planet or Pluto.
  for (let i = 0; i < 2000; ++i) {
    const lat = Number((89.99 * (2 * next() - 1)).toFixed(4));
    const lon = Number((360 * next() - 180).toFixed(4));
    const jd0 = randomDay(i % 2 === 1);
    rows.push(...observerDayRows(lat, lon, jd0, planets[Math.floor(next() * planets.length)]));
  }
  return rows;
}

// The instants of the Moon's phases from the one before `firstJd` to the three after `endJd`
// (TT Julian Days), as Astronomy Engine's quarters.
function moonQuarters(firstJd, endJd) {
  const quarters = [];
  let quarter = Astronomy.SearchMoonQuarter(
    Astronomy.AstroTime.FromTerrestrialTime(firstJd - 10 - J2000));
  while (quarters.length < 4 || quarters[quarters.length - 4].time.tt + J2000 < endJd) {
    quarters.push(quarter);
    quarter = Astronomy.NextMoonQuarter(quarter);
  }
  return quarters;
}

function moonPhaseRows() {
  // The four phases after an instant: first at instants of a pseudo-random sequence, then 0.001
  // day (86 s) after the phase before each phase of 1900 to 2099, so that every phase of the two
  // centuries is the first after some instant, found from just after the phase before it.
  const row = (ttJd, quarters) => {
    const next = [];
    for (const quarter of quarters) next[quarter.quarter] = (quarter.time.tt + J2000).toFixed(7);
    return [ttJd.toFixed(5), ...next].join(',');
  };
  const random = instants(sequence(31), 200).map((ttJd) => {
    let quarter = Astronomy.SearchMoonQuarter(
      Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000));
    const quarters = [quarter];
    for (let k = 1; k < 4; ++k) quarters.push(quarter = Astronomy.NextMoonQuarter(quarter));
    return row(ttJd, quarters);
  });
  const all = moonQuarters(FIRST_JD, END_JD);
  const following = [];
  for (let i = 0; i + 4 < all.length; ++i) {
    if (all[i + 1].time.tt + J2000 < FIRST_JD || all[i + 1].time.tt + J2000 >= END_JD) continue;
    const justAfter = Number((all[i].time.tt + J2000 + 0.001).toFixed(5));
    following.push(row(justAfter, all.slice(i + 1, i + 5)));
  }
  return [...random, ...following];
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
fs.writeFileSync(path.join(outDir, 'astronomy_apparent.csv'), [
  note, 'tt_jd,body,ra,dec,lon,lat,dist', ...apparentRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_topocentric.csv'), [
  note, 'tt_jd,ut_jd,body,obs_lat,obs_lon,obs_height,ra,dec,azimuth,altitude,geo_ra,geo_dec,' +
    'refracted_altitude',
  ...topocentricRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_events.csv'), [
  note, 'body,obs_lat,obs_lon,jd0_ut,delta_t,rise,transit,set,transit_altitude',
  ...eventRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_moon_phases.csv'), [
  note, 'tt_jd,new_moon,first_quarter,full_moon,last_quarter', ...moonPhaseRows(), ''].join('\n'));
