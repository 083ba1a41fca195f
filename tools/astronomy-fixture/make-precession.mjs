// Makes tests/data/astronomy_precession.csv from Astronomy Engine's precession (IAU 2006), an
// implementation written independently of the library's (IAU 1976).
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-precession.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// The engine turns the mean equator of J2000.0 to the true equator of date (Rotation_EQJ_EQD:
// its precession, then its nutation); the nutation is taken out again by the transpose of its
// own rotation, built from its e_tilt as the engine builds it, leaving the mean equator and
// equinox of date. A place of one epoch goes to another through J2000.0, which is exact for a
// rotation. Rows kind,from_jd,to_jd (TT), ra,dec (degrees, mean equator and equinox of from_jd)
// and to_ra,to_dec (degrees, of to_jd), each a direction drawn uniformly over the sphere, 2000 of
// each kind: "j2000" from J2000.0 to an instant of 1800 to 2200, "epochs" between two instants
// of 1800 to 2200, "span" from J2000.0 to an instant of the library's span (-2000 to 6000) and
// "span epochs" between two instants of the span.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000, ttTime, sequence32 } from './common.mjs';

const DEG = Math.PI / 180;
const ASEC = DEG / 3600;
const FIRST_JD = 2378496.5;  // 1800 January 1
const END_JD = 2524593.5;    // 2200 January 1
const SPAN_FIRST_JD = 990574.5;  // -2000 January 1
const SPAN_END_JD = 3912514.5;   // 6000 January 1
const COUNT = 2000;  // rows of each kind

// The engine's nutation of `time` undone: the transpose of its nutation_rot (From2000).
function nutationInto2000(time) {
  const tilt = Astronomy.e_tilt(time);
  const cobm = Math.cos(tilt.mobl * DEG), sobm = Math.sin(tilt.mobl * DEG);
  const cobt = Math.cos(tilt.tobl * DEG), sobt = Math.sin(tilt.tobl * DEG);
  const cpsi = Math.cos(tilt.dpsi * ASEC), spsi = Math.sin(tilt.dpsi * ASEC);
  return new Astronomy.RotationMatrix([
    [cpsi, -spsi * cobm, -spsi * sobm],
    [spsi * cobt, cpsi * cobm * cobt + sobm * sobt, cpsi * sobm * cobt - cobm * sobt],
    [spsi * sobt, cpsi * cobm * sobt - sobm * cobt, cpsi * sobm * sobt + cobm * cobt],
  ]);
}

// The rotation from the mean equator of J2000.0 to the mean equator and equinox of `jd` (TT).
function meanOfDate(jd) {
  const time = ttTime(jd);
  return Astronomy.CombineRotation(Astronomy.Rotation_EQJ_EQD(time), nutationInto2000(time));
}

const next = sequence32(16180);
const row = (kind, from, to) => {
  const ra = 360 * next(), dec = Math.asin(2 * next() - 1) / DEG;
  const rotation = Astronomy.CombineRotation(Astronomy.InverseRotation(meanOfDate(from)),
    meanOfDate(to));
  const v = Astronomy.VectorFromSphere(new Astronomy.Spherical(dec, ra, 1), ttTime(J2000));
  const s = Astronomy.SphereFromVector(Astronomy.RotateVector(rotation, v));
  return [kind, from.toFixed(6), to.toFixed(6), ra.toFixed(10), dec.toFixed(10), s.lon.toFixed(10),
    s.lat.toFixed(10)].join(',');
};
const rows = ['kind,from_jd,to_jd,ra,dec,to_ra,to_dec'];
const within = (first, end) => first + (end - first) * next();
for (let i = 0; i < COUNT; ++i) rows.push(row('j2000', J2000, within(FIRST_JD, END_JD)));
for (let i = 0; i < COUNT; ++i) {
  rows.push(row('epochs', within(FIRST_JD, END_JD), within(FIRST_JD, END_JD)));
}
for (let i = 0; i < COUNT; ++i) rows.push(row('span', J2000, within(SPAN_FIRST_JD, SPAN_END_JD)));
for (let i = 0; i < COUNT; ++i) {
  rows.push(row('span epochs', within(SPAN_FIRST_JD, SPAN_END_JD),
    within(SPAN_FIRST_JD, SPAN_END_JD)));
}
fs.writeFileSync(path.join(outDir, 'astronomy_precession.csv'), rows.join('\n') + '\n');
