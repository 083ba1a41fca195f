// Makes tests/data/astronomy_transits.csv: every transit of Mercury and Venus from 1900 to 2100,
// and the first few after -1500, 3000 and 5500, from Astronomy Engine's SearchTransit and
// NextTransit, an implementation written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-transits.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). Deterministic; a few seconds of Node.
//
// One row per transit:
//   body               Mercury or Venus
//   span               near (1900 to 2100) or far (the samples)
//   start_tt, peak_tt, finish_tt
//                      the first external contact, the least separation and the last external
//                      contact, Julian Days TT (the reference's apparent places, its radii: the
//                      Sun 695700 km, Mercury 2439.7 km, Venus 6051.8 km)
//   separation         the least separation of the centres, arcminutes
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000 } from './common.mjs';

const yearTime = (year) => Astronomy.MakeTime((year - 2000) * 365.2425 - 0.5);

const rows = [];
for (const body of ['Mercury', 'Venus']) {
  const b = Astronomy.Body[body];
  const end = yearTime(2101).tt;
  for (let t = Astronomy.SearchTransit(b, yearTime(1900)); t.peak.tt < end;
    t = Astronomy.NextTransit(b, t.finish)) {
    rows.push([body, 'near', t]);
  }
  for (const year of [-1500, 3000, 5500]) {
    let t = Astronomy.SearchTransit(b, yearTime(year));
    for (let n = 0; n < (body === 'Mercury' ? 3 : 2); ++n, t = Astronomy.NextTransit(b, t.finish)) {
      rows.push([body, 'far', t]);
    }
  }
}

const jd = (time) => (time.tt + J2000).toFixed(7);
const lines = [
  '# Made by tools/astronomy-fixture/make-transits.mjs with astronomy-engine 2.1.19; do not edit.',
  'body,span,start_tt,peak_tt,finish_tt,separation',
  ...rows.map(([body, span, t]) =>
    [body, span, jd(t.start), jd(t.peak), jd(t.finish), t.separation.toFixed(5)].join(',')),
];
fs.writeFileSync(path.join(outDir, 'astronomy_transits.csv'), lines.join('\n') + '\n');
