// Makes tests/data/astronomy_transits.csv: every transit of Mercury and Venus from -2000 to 6000
// (the library's span), from Astronomy Engine's SearchTransit and NextTransit, an implementation
// written independently of the library's. The reference gives the
// external contacts only; the internal ones are found here by its own Search on its own shadow
// geometry, the way SearchTransit finds the external ones (its PlanetShadow, not exported: the
// Earth's centre against the cone of the planet's shadow from the Sun's disc, aberrated and
// light-time corrected places), the planet's antumbra where SearchTransit takes its penumbra.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-transits.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). Deterministic; a few seconds of Node.
//
// One row per transit:
//   body               Mercury or Venus
//   span               near (a peak of 1900 to 2100) or far (any other)
//   start_tt, second_tt, peak_tt, third_tt, finish_tt
//                      the first external contact, the first internal contact, the least
//                      separation, the last internal contact and the last external contact,
//                      Julian Days TT (the reference's apparent places, its radii: the Sun
//                      695700 km, Mercury 2439.7 km, Venus 6051.8 km); the internal ones empty
//                      where the planet's disc never lies wholly on the Sun's
//   separation         the least separation of the centres, arcminutes
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000, dot } from './common.mjs';

const SUN_RADIUS_KM = 695700.0;
const RADIUS_KM = { Mercury: 2439.7, Venus: 6051.8 };

// How far the Earth's centre lies inside the antumbra of the planet's shadow at `time`, km
// (negative outside it): the reference's CalcShadow with the Earth as target and the Sun-planet
// line as the shadow's axis, -(r + k) for its distance r from the axis and umbra radius k (the
// antumbra's radius is -k beyond the umbra's tip).
function insideAntumbra(body, time) {
  const g = Astronomy.GeoVector(Astronomy.Body[body], time, true);
  const e = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
  const dir = [g.x - e.x, g.y - e.y, g.z - e.z];
  const target = [-g.x, -g.y, -g.z];
  const u = dot(dir, target) / dot(dir, dir);
  const r = Astronomy.KM_PER_AU * Math.hypot(...dir.map((c, i) => u * c - target[i]));
  const k = SUN_RADIUS_KM - (1.0 + u) * (SUN_RADIUS_KM - RADIUS_KM[body]);
  return -(r + k);
}

// The internal contacts about the reference's peak, where the Earth's centre enters and leaves
// the antumbra; none where it stays outside.
function internalContacts(body, t) {
  if (!(insideAntumbra(body, t.peak) > 0)) return ['', ''];
  const second = Astronomy.Search((time) => insideAntumbra(body, time), t.start, t.peak);
  const third = Astronomy.Search((time) => -insideAntumbra(body, time), t.peak, t.finish);
  if (!second || !third) throw new Error(`no internal contact near ${t.peak.tt + J2000}`);
  return [jd(second), jd(third)];
}

const jd = (time) => (time.tt + J2000).toFixed(7);
const yearTime = (year) => Astronomy.MakeTime((year - 2000) * 365.2425 - 0.5);

const rows = [];
for (const body of ['Mercury', 'Venus']) {
  const b = Astronomy.Body[body];
  const [near, farEnd] = [[yearTime(1900).tt, yearTime(2101).tt], yearTime(6000).tt];
  for (let t = Astronomy.SearchTransit(b, yearTime(-2000)); t.peak.tt < farEnd;
    t = Astronomy.NextTransit(b, t.finish)) {
    rows.push([body, t.peak.tt >= near[0] && t.peak.tt < near[1] ? 'near' : 'far', t]);
  }
}

const lines = [
  '# Made by tools/astronomy-fixture/make-transits.mjs with astronomy-engine 2.1.19; do not edit.',
  'body,span,start_tt,second_tt,peak_tt,third_tt,finish_tt,separation',
  ...rows.map(([body, span, t]) => {
    const [second, third] = internalContacts(body, t);
    return [body, span, jd(t.start), second, jd(t.peak), third, jd(t.finish),
      t.separation.toFixed(5)].join(',');
  }),
];
fs.writeFileSync(path.join(outDir, 'astronomy_transits.csv'), lines.join('\n') + '\n');
