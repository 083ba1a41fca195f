// Makes tests/data/astronomy_jupiter_moons.csv and astronomy_jupiter_moon_events.csv from
// Astronomy Engine's JupiterMoons (the L1.2 theory of Lainey, Duriez and Vienne: the moons' state
// vectors from Jupiter's centre, J2000 equatorial), an implementation independent of the
// library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-jupiter-moons.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// The vectors are turned here to the book's X, Y and Z, in Jupiter's equatorial radii of the
// book's theory (71398 km): seen from the centre of the Earth where the light that arrives at
// the instant left each moon (Jupiter's light time, then the moon's own distance along the line
// of sight), X across Jupiter's axis on the sky (positive west), Y along it (positive north, the
// axis of the IAU rotation model of Jupiter), Z along the line of sight (positive beyond Jupiter)
// and X, Y scaled by the perspective of the moon's distance. From the Sun, the same moons
// against Jupiter's heliocentric direction, scaled by the perspective of the Sun's centre.
//
// astronomy_jupiter_moons.csv: one row per instant and moon, at 300 pseudo-random instants from
// 1900 to 2100 and at the few of LARGEST: tt_jd (TT), moon (1 Io to 4 Callisto), x, y, z.
// astronomy_jupiter_moon_events.csv: where the reference's places put a moon on Jupiter's disk
// (polar radius 0.93513 of the equatorial) or in its shadow: from 40 instants of 1990 to 2030,
// each moon's first change of state within 5 days, found to a second, and the instants 20
// minutes before and after it: tt_jd, moon, and the state there: transit, occultation, eclipse,
// shadow_transit (1 or 0).
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, FIRST_JD, END_JD, ttTime, sequence32, dot, cross, unit, arr } from './common.mjs';

const RADIUS_AU = 71398.0 / Astronomy.KM_PER_AU;
const POLAR_RATIO = 66854.0 / 71492.0;

const next = sequence32(44044);

// Instants of 1900 to 2100 where the library's places part most from these: in some 1.3 million
// random instants, each moon's largest difference (Io's X in 2097, Europa's X in 2058,
// Ganymede's X in 2098, Callisto's Z in 2099), and two more of Callisto's X (2087) and Europa's
// (2058).
const LARGEST = [2487274.2785, 2472766.3970, 2487616.9881, 2488045.5890, 2483408.1332354,
  2472780.7564706];

const moonsAt = (time) => {
  const m = Astronomy.JupiterMoons(time);
  return [m.io, m.europa, m.ganymede, m.callisto].map(arr);
};

// X, Y, Z of a jovicentric vector `v` (AU) seen along unit `u` from `distance` AU, Y along the
// sky image of pole `n`.
function seen(v, u, n, distance) {
  const north = unit(n.map((c, i) => c - dot(n, u) * u[i]));
  const west = cross(u, north);
  const z = dot(v, u);
  const w = distance / (distance + z);
  return [dot(v, west) * w / RADIUS_AU, dot(v, north) * w / RADIUS_AU, z / RADIUS_AU];
}

// Every moon's X, Y, Z from the Earth and from the Sun at TT Julian Day `jd`.
function places(jd) {
  const time = ttTime(jd);
  const geo = arr(Astronomy.GeoVector(Astronomy.Body.Jupiter, time, false));
  const delta = Math.hypot(...geo);
  const emitted = time.AddDays(-delta / Astronomy.C_AUDAY);
  const u = unit(geo);
  const helio = arr(Astronomy.HelioVector(Astronomy.Body.Jupiter, emitted));
  const pole = arr(Astronomy.RotationAxis(Astronomy.Body.Jupiter, emitted).north);
  const moons = moonsAt(emitted);
  return moons.map((m, k) => {
    // The moon's own light time: its place when the light that reaches the Earth left it.
    const own = moonsAt(emitted.AddDays(-dot(m, u) / Astronomy.C_AUDAY))[k];
    return {
      earth: seen(own, u, pole, delta),
      sun: seen(m, unit(helio), pole, Math.hypot(...helio)),
    };
  });
}

const onDisk = (p) => p[0] * p[0] + (p[1] / POLAR_RATIO) ** 2 < 1;
const state = (p) => [onDisk(p.earth) && p.earth[2] < 0, onDisk(p.earth) && p.earth[2] > 0,
  onDisk(p.sun) && p.sun[2] > 0, onDisk(p.sun) && p.sun[2] < 0].map(Number);

const rows = ['tt_jd,moon,x,y,z'];
for (let i = 0; i < 300; ++i) {
  const jd = FIRST_JD + (END_JD - FIRST_JD) * next();
  places(jd).forEach((p, k) =>
    rows.push([jd.toFixed(6), k + 1, ...p.earth.map((c) => c.toFixed(5))].join(',')));
}
for (const jd of LARGEST) {
  places(jd).forEach((p, k) =>
    rows.push([jd.toFixed(7), k + 1, ...p.earth.map((c) => c.toFixed(5))].join(',')));
}
fs.writeFileSync(path.join(outDir, 'astronomy_jupiter_moons.csv'), rows.join('\n') + '\n');

const events = ['tt_jd,moon,transit,occultation,eclipse,shadow_transit'];
const STEP = 5 / 1440, MARGIN = 20 / 1440;
for (let i = 0; i < 40; ++i) {
  const start = 2447892.5 + (2462502.5 - 2447892.5) * next();
  for (let k = 0; k < 4; ++k) {
    const at = (jd) => state(places(jd)[k]).join(',');
    const first = at(start);
    let jd = start;
    while (jd < start + 5 && at(jd + STEP) === first) jd += STEP;
    if (jd >= start + 5) continue;
    let [lo, hi] = [jd, jd + STEP];
    while (hi - lo > 1 / 86400) {
      const mid = (lo + hi) / 2;
      if (at(mid) === first) lo = mid; else hi = mid;
    }
    for (const t of [lo - MARGIN, hi + MARGIN]) events.push([t.toFixed(6), k + 1, at(t)].join(','));
  }
}
fs.writeFileSync(path.join(outDir, 'astronomy_jupiter_moon_events.csv'), events.join('\n') + '\n');
