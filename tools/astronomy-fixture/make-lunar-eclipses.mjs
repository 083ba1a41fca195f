// Makes tests/data/astronomy_lunar_eclipses.csv: every eclipse of the Moon from 1900 to 2100, then
// every other one from -2000 to 6000 (the library's span: -2000 to 1900, then 2101 to 6000), from
// Astronomy Engine, an implementation written independently of the library's.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-lunar-eclipses.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). Deterministic; a minute or two of Node.
//
// Two views of each eclipse. The first takes the reference's own Moon (GeoMoon) and apparent Sun
// (GeoVector with aberration, the direction the sunlight comes from in the Earth's frame) with
// the library's shadow, Danjon's rule of the published canon (umbra 1.01 pi - s + p, penumbra
// 1.01 pi + s + p; Earth 6378.14 km, Sun 696000 km, Moon 1737.4 km), and finds the peak and the
// contacts with the reference's root search: it tests the library's search and its places. The
// second is the reference's own SearchLunarEclipse/NextLunarEclipse, whose shadow is that of an
// Earth of 6371 + 88 km: it shows that no eclipse is missed or invented beyond the ones the two
// shadows disagree on, and how far its semi-durations are from the canon's.
//
// One row per full Moon at which either view finds an eclipse:
//   peak_tt            the peak, least distance of the Moon's centre from the shadow's axis in km
//                      (first view), Julian Day TT; the reference's own full Moon where the first
//                      view finds none
//   kind               penumbral, partial, total or none (first view)
//   umbral_mag, penumbral_mag
//                      the magnitudes at the peak (first view)
//   sd_penumbral, sd_partial, sd_total
//                      semi-durations, minutes, nan where the phase does not occur (first view)
//   ae_kind            the reference's own kind, none where it reports no eclipse
//   ae_peak_tt, ae_sd_penumbral, ae_sd_partial, ae_sd_total
//                      its own peak (JD TT) and semi-durations (minutes, nan where none)
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000 } from './common.mjs';

const KM_PER_AU = Astronomy.KM_PER_AU;
const EARTH_KM = 6378.14, SUN_KM = 696000.0, MOON_KM = 1737.4;
const spans = [[1900, 2101], [-2000, 1900], [2101, 6000]];

const norm = (v) => Math.hypot(v.x, v.y, v.z);
function shadow(time) {
  const s = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
  const m = Astronomy.GeoMoon(time);
  const dm = norm(m) * KM_PER_AU, ds = norm(s) * KM_PER_AU;
  const cosGamma = -(m.x * s.x + m.y * s.y + m.z * s.z) / (norm(m) * norm(s));
  const gamma = Math.acos(Math.min(1, cosGamma));
  const moonParallax = Math.asin(EARTH_KM / dm), sunParallax = Math.asin(EARTH_KM / ds);
  const sunSd = Math.asin(SUN_KM / ds);
  return {
    gamma,
    km: dm * Math.sin(gamma),
    umbra: 1.01 * moonParallax + sunParallax - sunSd,
    penumbra: 1.01 * moonParallax + sunParallax + sunSd,
    moonSd: Math.asin(MOON_KM / dm),
  };
}

function peakNear(time) {
  const dt = 1 / 86400;
  const slope = (t) => (shadow(t.AddDays(dt)).km - shadow(t.AddDays(-dt)).km) / (2 * dt);
  return Astronomy.Search(slope, time.AddDays(-0.05), time.AddDays(0.05),
    { dt_tolerance_seconds: 0.01 });
}

// Half the time between the two instants the distance from the axis crosses the radius.
function semiDuration(peak, radius) {
  const excess = (t) => { const s = shadow(t); return s.gamma - radius(s); };
  if (!(excess(peak) < 0)) return NaN;
  const options = { dt_tolerance_seconds: 0.01 };
  const first = Astronomy.Search((t) => -excess(t), peak.AddDays(-0.25), peak, options);
  const last = Astronomy.Search(excess, peak, peak.AddDays(0.25), options);
  return (last.tt - first.tt) * 720;
}

const kinds = ['penumbral', 'partial', 'total'];
const fmt = (x, digits) => (Number.isFinite(x) ? x.toFixed(digits) : 'nan');

const rows = [];
for (const [firstYear, endYear] of spans) {
  const start = Astronomy.MakeTime(new Date(Date.UTC(2000, 0, 1)));
  const startTime = start.AddDays((firstYear - 2000) * 365.2425);
  const endTime = start.AddDays((endYear - 2000) * 365.2425);

  // The reference's own eclipses of the span, by peak.
  const own = [];
  for (let e = Astronomy.SearchLunarEclipse(startTime); e.peak.tt < endTime.tt;
    e = Astronomy.NextLunarEclipse(e.peak)) {
    if (e.peak.tt >= startTime.tt) own.push(e);
  }

  for (let full = Astronomy.SearchMoonPhase(180, startTime, 40); full.tt < endTime.tt;
    full = Astronomy.SearchMoonPhase(180, full.AddDays(10), 40)) {
    const mine = own.find((e) => Math.abs(e.peak.tt - full.tt) < 1);
    let kind = 'none', peakTt = full.tt, umbralMag = NaN, penumbralMag = NaN;
    const sd = [NaN, NaN, NaN];
    if (Math.abs(Astronomy.EclipticGeoMoon(full).lat) < 1.8) {
      const peak = peakNear(full);
      const s = shadow(peak);
      penumbralMag = (s.penumbra + s.moonSd - s.gamma) / (2 * s.moonSd);
      umbralMag = (s.umbra + s.moonSd - s.gamma) / (2 * s.moonSd);
      if (penumbralMag > 0) {
        peakTt = peak.tt;
        kind = kinds[umbralMag >= 1 ? 2 : umbralMag > 0 ? 1 : 0];
        sd[0] = semiDuration(peak, (x) => x.penumbra + x.moonSd);
        sd[1] = semiDuration(peak, (x) => x.umbra + x.moonSd);
        sd[2] = semiDuration(peak, (x) => x.umbra - x.moonSd);
      }
    }
    if (kind === 'none' && !mine) continue;
    const aeSd = mine ? [mine.sd_penum, mine.sd_partial, mine.sd_total].map((x) => (x > 0 ? x : NaN))
      : [NaN, NaN, NaN];
    rows.push([
      (peakTt + J2000).toFixed(7), kind, fmt(umbralMag, 6), fmt(penumbralMag, 6),
      ...sd.map((x) => fmt(x, 4)),
      mine ? mine.kind : 'none', mine ? (mine.peak.tt + J2000).toFixed(7) : 'nan',
      ...aeSd.map((x) => fmt(x, 4)),
    ].join(','));
  }
}

const lines = [
  '# Made by tools/astronomy-fixture/make-lunar-eclipses.mjs with astronomy-engine 2.1.19; do not edit.',
  'peak_tt,kind,umbral_mag,penumbral_mag,sd_penumbral,sd_partial,sd_total,' +
    'ae_kind,ae_peak_tt,ae_sd_penumbral,ae_sd_partial,ae_sd_total',
  ...rows,
];
fs.writeFileSync(path.join(outDir, 'astronomy_lunar_eclipses.csv'), lines.join('\n') + '\n');
