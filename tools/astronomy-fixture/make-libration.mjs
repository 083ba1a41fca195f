// Makes tests/data/astronomy_libration.csv from Astronomy Engine: its Libration, an
// implementation of the same physical libration on its own Moon, and the IAU rotation model of
// the Moon (RotationAxis: its pole and prime meridian, a theory of the physical libration of its
// own), from which this script takes the position angle of the axis and the selenographic places
// of the Earth and the Sun.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-libration.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// One row per instant, at 300 pseudo-random instants from 1900 to 2100: tt_jd (TT); elon, elat
// (Libration's libration in longitude and latitude, degrees); and from the IAU model, degrees:
// axis_pa (the position angle of the Moon's north pole from the north point of the disk through
// east, on the true equator of date), earth_lon, earth_lat (the selenographic longitude, east
// positive, and latitude of the centre of the disk) and sun_lon, sun_lat (of the Sun).
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, FIRST_JD, END_JD, ttTime, sequence32, dot, cross, unit, arr } from './common.mjs';

const DEG = Math.PI / 180;

const next = sequence32(53531);

// The selenographic longitude (east positive) and latitude of direction `d` (J2000 equatorial)
// from the Moon's centre, in the body frame of pole `n` and prime meridian angle `spin` (deg).
function selenographic(d, n, spin) {
  const q = unit(cross([0, 0, 1], n));  // the equator's ascending node on the J2000 equator
  const w = spin * DEG;
  const nq = cross(n, q);
  const m = q.map((c, i) => Math.cos(w) * c + Math.sin(w) * nq[i]);
  const e = cross(n, m);
  const u = unit(d);
  return [Math.atan2(dot(u, e), dot(u, m)) / DEG, Math.asin(dot(u, n)) / DEG];
}

// The position angle of direction `p` at direction `d` (both on one equator), degrees.
function positionAngle(p, d) {
  const [a, b] = [unit(d), unit(p)];
  const ra = Math.atan2(a[1], a[0]), dec = Math.asin(a[2]);
  const rp = Math.atan2(b[1], b[0]), dp = Math.asin(b[2]);
  return Math.atan2(Math.cos(dp) * Math.sin(rp - ra),
    Math.sin(dp) * Math.cos(dec) - Math.cos(dp) * Math.sin(dec) * Math.cos(rp - ra)) / DEG;
}

const rows = ['tt_jd,elon,elat,axis_pa,earth_lon,earth_lat,sun_lon,sun_lat'];
for (let i = 0; i < 300; ++i) {
  const jd = FIRST_JD + (END_JD - FIRST_JD) * next();
  const time = ttTime(jd);
  const lib = Astronomy.Libration(time);
  const moon = arr(Astronomy.GeoMoon(time));
  // The Moon turned as it was when the light left it (1.3 s before).
  const axis = Astronomy.RotationAxis(Astronomy.Body.Moon,
    time.AddDays(-Math.hypot(...moon) / Astronomy.C_AUDAY));
  const pole = arr(axis.north);
  const sun = arr(Astronomy.GeoVector(Astronomy.Body.Sun, time, true));
  const toDate = Astronomy.Rotation_EQJ_EQD(time);
  const pa = positionAngle(arr(Astronomy.RotateVector(toDate, axis.north)),
    arr(Astronomy.RotateVector(toDate, Astronomy.GeoMoon(time))));
  const earth = selenographic(moon.map((c) => -c), pole, axis.spin);
  const sunSeen = selenographic(sun.map((c, k) => c - moon[k]), pole, axis.spin);
  rows.push([jd.toFixed(6), lib.elon.toFixed(6), lib.elat.toFixed(6), pa.toFixed(6),
    earth[0].toFixed(6), earth[1].toFixed(6), sunSeen[0].toFixed(6), sunSeen[1].toFixed(6)]
    .join(','));
}
fs.writeFileSync(path.join(outDir, 'astronomy_libration.csv'), rows.join('\n') + '\n');
