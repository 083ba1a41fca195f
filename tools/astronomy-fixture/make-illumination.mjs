// Makes tests/data/astronomy_illumination.csv from Astronomy Engine's Illumination, an
// implementation written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-illumination.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository).
//
// One row per instant and body: tt_jd (TT), body, mag (visual magnitude), phase_angle
// (degrees), phase_fraction (the lit fraction of the disk), helio_dist and geo_dist (AU) and
// ring_tilt (Saturn's rings, degrees; 0 for the other bodies), at 300 pseudo-random instants from
// 1900 to 2100 for the Moon, Mercury to Neptune and Pluto.
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, FIRST_JD, END_JD, ttTime, sequence32 } from './common.mjs';

const next = sequence32(24680);

const bodies = ['Moon', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune',
  'Pluto'];
const rows = ['tt_jd,body,mag,phase_angle,phase_fraction,helio_dist,geo_dist,ring_tilt'];
for (let i = 0; i < 300; ++i) {
  const jd = FIRST_JD + (END_JD - FIRST_JD) * next();
  for (const body of bodies) {
    const a = Astronomy.Illumination(body, ttTime(jd));
    rows.push([jd.toFixed(6), body, a.mag.toFixed(5), a.phase_angle.toFixed(6),
      a.phase_fraction.toFixed(7), a.helio_dist.toFixed(8), a.geo_dist.toFixed(9),
      (a.ring_tilt ?? 0).toFixed(6)].join(','));
  }
}
fs.writeFileSync(path.join(outDir, 'astronomy_illumination.csv'), rows.join('\n') + '\n');
