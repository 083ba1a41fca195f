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
//
// astronomy_apparent.csv, one row per instant and body (the Sun, the Moon, Mercury to Neptune,
// Pluto), geocentric, with light time and aberration (the Moon geometric):
//   tt_jd, body
//   ra, dec            true equator and equinox of date, degrees
//   lon, lat           true ecliptic and equinox of date, degrees
//   dist               distance, AU
//
// astronomy_topocentric.csv, one row per instant, observer and body (the Moon and the Sun):
//   tt_jd, ut_jd, body, obs_lat, obs_lon, obs_height (metres above sea level)
//   ra, dec, dist      topocentric, true equator and equinox of date, degrees and AU
//   azimuth, altitude  from north through east, no refraction, degrees
//   geo_ra, geo_dec    the same body from the centre of the Earth, degrees: topocentric less
//                      geocentric is the parallax
//
// astronomy_events.csv, one row per body, observer and UT day, for observers from the equator to
// beyond both polar circles, on fixed days (solstices, equinoxes, the ends of polar day and
// night at 69.6 N) and on days of a fixed pseudo-random sequence:
//   body               Sun, Moon, a planet or Pluto: rise and set at the body's top limb with
//                      refraction, as Astronomy Engine defines them; civil, nautical,
//                      astronomical: the Sun's centre ascending (in the rise column) and
//                      descending (in the set column) through -6, -12 and -18 degrees, no
//                      refraction, and no transit
//   obs_lat, obs_lon, jd0_ut (0h UT of the day), delta_t (TT - UT, seconds)
//   rise, transit, set the first of each after jd0_ut, as UT Julian Days, or empty when there is
//                      none before the day ends
//   transit_altitude   the altitude of the body (for twilight the Sun) at its first upper
//                      culmination after jd0_ut, topocentric, with refraction, degrees: which
//                      side of the horizon a day without rise and set keeps to
//
// astronomy_moon_phases.csv, one row per instant between 1900 and 2099:
//   tt_jd              the instant, TT
//   new_moon, first_quarter, full_moon, last_quarter
//                      the first of each after tt_jd, TT Julian Days
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

// A fixed linear congruential sequence in [0, 1) from `seed`; each table draws from its own, so
// that adding a table changes none of the others.
function sequence(seed) {
  return () => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
  };
}
const random = sequence(20261210);

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
  for (const ttJd of instants(sequence(19), 60)) {
    const time = Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000);
    for (const body of allBodies) {
      const eqj = Astronomy.GeoVector(body, time, true);
      const eqd = Astronomy.EquatorFromVector(
        Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), eqj));
      const ect = Astronomy.SphereFromVector(
        Astronomy.RotateVector(Astronomy.Rotation_EQJ_ECT(time), eqj));
      rows.push([ttJd.toFixed(5), body, deg(eqd.ra * 15), deg(eqd.dec), deg(ect.lon), deg(ect.lat),
                 eqd.dist.toFixed(12)].join(','));
    }
  }
  return rows;
}

// Observers with their heights above sea level, metres.
const highObservers = [
  ['Mauna Kea', 19.8207, -155.4681, 4205],
  ['La Silla', -29.2563, -70.7380, 2400],
  ['Greenwich', 51.4769, 0.0, 46],
  ['Tromso', 69.6492, 18.9553, 0],
  ['Quito', -0.1807, -78.4678, 2850],
];

function topocentricRows() {
  const rows = [];
  instants(sequence(23), 100).forEach((ttJd, i) => {
    const time = Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000);
    const [, lat, lon, height] = highObservers[i % highObservers.length];
    const observer = new Astronomy.Observer(lat, lon, height);
    for (const body of [Astronomy.Body.Moon, Astronomy.Body.Sun]) {
      const eq = Astronomy.Equator(body, time, observer, true, true);
      const hor = Astronomy.Horizon(time, observer, eq.ra, eq.dec);
      const geo = equatorOfDate(body, time);
      rows.push([ttJd.toFixed(5), day(time.ut + J2000), body, lat.toFixed(4), lon.toFixed(4),
                 height, deg(eq.ra * 15), deg(eq.dec), eq.dist.toFixed(12), deg(hor.azimuth),
                 deg(hor.altitude), deg(geo.ra * 15), deg(geo.dec)].join(','));
    }
  });
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

function eventRows() {
  const next = sequence(29);
  const days = fixedDays.map((d) => Astronomy.MakeTime(new Date(`${d}T00:00:00Z`)).ut + J2000);
  // Whole UT days between 1900 and 2099, ending before Pluto's series does.
  for (let i = 0; i < 28; ++i) days.push(Math.floor(FIRST_JD + next() * (END_JD - FIRST_JD - 3)) + 0.5);
  const planets = allBodies.slice(2);
  const rows = [];
  days.forEach((jd0, d) => {
    eventObservers.forEach(([, lat, lon], o) => {
      const observer = new Astronomy.Observer(lat, lon, 0);
      const start = Astronomy.MakeTime(jd0 - J2000);
      const head = (name) => [name, lat.toFixed(4), lon.toFixed(4), jd0.toFixed(1),
                              ((start.tt - start.ut) * 86400).toFixed(3)];
      const bodies = [Astronomy.Body.Sun, Astronomy.Body.Moon, planets[(d + o) % planets.length]];
      for (const body of bodies) {
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
    });
  });
  return rows;
}

function moonPhaseRows() {
  return instants(sequence(31), 200).map((ttJd) => {
    const next = [];
    let quarter = Astronomy.SearchMoonQuarter(Astronomy.AstroTime.FromTerrestrialTime(ttJd - J2000));
    for (let k = 0; k < 4; ++k) {
      next[quarter.quarter] = (quarter.time.tt + J2000).toFixed(7);
      quarter = Astronomy.NextMoonQuarter(quarter);
    }
    return [ttJd.toFixed(5), ...next].join(',');
  });
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
  note, 'tt_jd,ut_jd,body,obs_lat,obs_lon,obs_height,ra,dec,dist,azimuth,altitude,geo_ra,geo_dec',
  ...topocentricRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_events.csv'), [
  note, 'body,obs_lat,obs_lon,jd0_ut,delta_t,rise,transit,set,transit_altitude',
  ...eventRows(), ''].join('\n'));
fs.writeFileSync(path.join(outDir, 'astronomy_moon_phases.csv'), [
  note, 'tt_jd,new_moon,first_quarter,full_moon,last_quarter', ...moonPhaseRows(), ''].join('\n'));
