// Makes tests/data/astronomy_searches.csv from Astronomy Engine's searches of an altitude
// (SearchAltitude: the body's centre, topocentric, airless) and of a topocentric hour angle
// (SearchHourAngle), written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-searches.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). A fixed pseudo-random sequence, so the file
// is the same each run with the same package version. A few seconds of Node.
//
// One row per search (angles in degrees, times UT Julian Days):
//   kind          altitude or hour_angle
//   body          the body's name
//   obs_lat, obs_lon, obs_height
//                 the observer (longitude east positive, height in metres)
//   start_ut      where the search starts
//   direction     altitude searches: 1 rising, -1 setting
//   target        the altitude, or the hour angle in degrees (0 to 360)
//   limit_days    altitude searches: the days searched
//   found_ut      the instant found, empty when the reference finds none within the limit
//   delta_t       the reference's TT - UT at start_ut, seconds (its model's; the search takes
//                 it as given, so the library's measured delta T is not what is compared)
// The first 1600 rows start between 1900 and 2100, at observers from pole to pole; the last
// 200 anywhere between -1500 and 5500.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000, sequence32 } from './common.mjs';

const random = sequence32(20261211);
const BODIES = ['Sun', 'Moon', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus',
  'Neptune', 'Pluto'];
const jdOfYear = (year) => 2451544.5 + (year - 2000) * 365.2425;

const lines = [
  '# Made by tools/astronomy-fixture/make-searches.mjs with astronomy-engine 2.1.19; do not edit.',
  'kind,body,obs_lat,obs_lon,obs_height,start_ut,direction,target,limit_days,found_ut,delta_t',
];
for (let i = 0; i < 1800; ++i) {
  const far = i >= 1600;
  const [first, last] = far ? [jdOfYear(-1500), jdOfYear(5500)] : [jdOfYear(1900), jdOfYear(2100)];
  const body = BODIES[Math.floor(random() * BODIES.length)];
  // Pluto's series hold from 1885 to 2099 only.
  const start = Number((body === 'Pluto' ? jdOfYear(1900) + random() * 70000
    : first + random() * (last - first)).toFixed(6));
  const lat = Number((-89.5 + random() * 179).toFixed(4));
  const lon = Number((-180 + random() * 360).toFixed(4));
  const height = Number((random() * 3000).toFixed(1));
  const observer = new Astronomy.Observer(lat, lon, height);
  const time = Astronomy.MakeTime(start - J2000);
  let row;
  if (i % 2 === 0) {
    const direction = random() < 0.5 ? 1 : -1;
    const altitude = Number((-18 + random() * 78).toFixed(4));
    const limit = 3;
    const found = Astronomy.SearchAltitude(body, observer, direction, time, limit, altitude);
    row = ['altitude', body, lat, lon, height, start, direction, altitude, limit,
      found ? (found.ut + J2000).toFixed(9) : ''];
  } else {
    const hours = Number((random() * 24).toFixed(5));
    const found = Astronomy.SearchHourAngle(body, observer, hours, time);
    row = ['hour_angle', body, lat, lon, height, start, '', (hours * 15).toFixed(4), '',
      (found.time.ut + J2000).toFixed(9)];
  }
  row.push(((time.tt - time.ut) * 86400).toFixed(6));
  lines.push(row.join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_searches.csv'), lines.join('\n') + '\n');
