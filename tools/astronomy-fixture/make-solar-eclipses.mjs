// Makes the solar eclipse fixture of tests/data/ from Astronomy Engine: every solar eclipse of
// 1900 to 2100 seen from the Earth as a whole, a sample of eclipses far beyond, every one of the
// rest of the library's span, and every eclipse a set of observers sees from 1900 to 2100.
//
// Usage: cd tools/astronomy-fixture && npm ci && node make-solar-eclipses.mjs [OUT_DIR]
// (OUT_DIR defaults to tests/data of the repository). The sample instants and the observers come
// from a fixed pseudo-random sequence, so running it again with the same package version gives
// the same files. A minute of Node.
//
// astronomy_solar_eclipses.csv, one row per eclipse: first every eclipse whose peak falls from
// 1900 January 1 to 2100 January 1 in order (NextGlobalSolarEclipse from each peak), then, for
// 100 instants of a pseudo-random sequence from -1000 to 1900 and from 2100 to 3000, the first
// eclipse after each:
//   start_tt           the instant the search began, TT Julian Day (empty in the dense list)
//   peak_tt, peak_ut   the peak, TT and UT Julian Days (Astronomy Engine's delta T)
//   kind               partial, annular or total, as Astronomy Engine reports it: the kind where
//                      the shadow's axis meets the Earth at the peak, partial when it misses
//   distance_km        least distance of the shadow's axis from the Earth's centre, km
//   lat, lon           geodetic latitude and longitude (east positive) where the axis meets the
//                      Earth at the peak, degrees; empty for a partial eclipse
//
// astronomy_solar_eclipses_far.csv, one row per eclipse whose peak (TT) falls from -2000 January 1
// to 1900 January 1 or from 2100 January 1 to 6000 January 1, in order: peak_tt, kind and
// distance_km as above.
//
// astronomy_local_solar_eclipses.csv, one row per observer and eclipse it sees from 1900 January
// 1 to 2100 January 1 (SearchLocalSolarEclipse from 1900, then NextLocalSolarEclipse from each
// peak; it passes over an eclipse whose partial contacts both fall with the Sun's refracted
// altitude below 0):
//   obs_lat, obs_lon, obs_height
//                      the observer, degrees (east positive), metres
//   kind               partial, annular or total, seen there
//   obscuration        the fraction of the Sun's disc covered at the peak
//   then for each of partial_begin, central_begin, peak, central_end, partial_end:
//   <event>_ut         the instant, UT Julian Day; empty when the phase does not occur there
//   <event>_alt        the Sun's topocentric altitude then, degrees, without refraction (the
//                      reference refracts it; its own inverse refraction takes it back)
import * as fs from 'node:fs';
import * as path from 'node:path';
import * as Astronomy from 'astronomy-engine';
import { outDir, J2000, FIRST_JD, END_JD, SPAN_FIRST_JD, SPAN_END_JD, ttTime, sequence }
  from './common.mjs';

const FAR_FIRST_JD = 1355807.5;  // -1000 January 1
const FAR_END_JD = 2816787.5;    // 3000 January 1

const random = sequence(20261211);

const day9 = (x) => x.toFixed(9);
const deg7 = (x) => x.toFixed(7);
const kindName = (k) => k.toLowerCase();

function globalRow(start, e) {
  const central = e.kind !== Astronomy.EclipseKind.Partial;
  return [start === null ? '' : day9(start), day9(e.peak.tt + J2000), day9(e.peak.ut + J2000),
          kindName(e.kind), e.distance.toFixed(3), central ? deg7(e.latitude) : '',
          central ? deg7(e.longitude) : ''].join(',');
}

function globalRows() {
  const rows = [];
  let e = Astronomy.SearchGlobalSolarEclipse(Astronomy.MakeTime(FIRST_JD - J2000));
  while (e.peak.ut + J2000 < END_JD) {
    rows.push(globalRow(null, e));
    e = Astronomy.NextGlobalSolarEclipse(e.peak);
  }
  for (let i = 0; i < 100; ++i) {
    const early = i % 2 === 0;
    const span = early ? [FAR_FIRST_JD, FIRST_JD] : [END_JD, FAR_END_JD];
    const start = Number((span[0] + random() * (span[1] - span[0])).toFixed(5));
    const time = Astronomy.AstroTime.FromTerrestrialTime(start - J2000);
    rows.push(globalRow(start, Astronomy.SearchGlobalSolarEclipse(time)));
  }
  return rows;
}

// Every eclipse whose peak (TT) falls from `first` to `end`, Julian Days (TT).
function everyEclipse(first, end) {
  const rows = [];
  let e = Astronomy.SearchGlobalSolarEclipse(ttTime(first));
  for (; e.peak.tt + J2000 < end; e = Astronomy.NextGlobalSolarEclipse(e.peak)) {
    // The reference takes the eclipse of the nearest new Moon, which may precede `first`.
    if (e.peak.tt + J2000 >= first) {
      rows.push([day9(e.peak.tt + J2000), kindName(e.kind), e.distance.toFixed(3)].join(','));
    }
  }
  return rows;
}

// Places where eclipses are often watched, high and polar ones, and more from the sequence.
const observers = [
  [51.4769, 0.0, 46], [40.7128, -74.006, 10], [-33.8688, 151.2093, 5], [69.6492, 18.9553, 10],
  [-0.1807, -78.4678, 2850], [61.2181, -149.9003, 30], [35.6762, 139.6503, 40],
  [-22.9068, -43.1729, 5], [30.0444, 31.2357, 23], [78.2232, 15.6267, 10], [-77.8419, 166.6863, 10],
  [19.8207, -155.4681, 4200], [28.6139, 77.209, 216], [64.1466, -21.9426, 20],
  [-54.8019, -68.303, 10], [1.3521, 103.8198, 15],
];
for (let i = 0; i < 16; ++i) {
  const lat = Number((Math.asin(2 * random() - 1) * 180 / Math.PI).toFixed(4));
  const lon = Number((360 * random() - 180).toFixed(4));
  observers.push([lat, lon, Math.round(3000 * random())]);
}

function localRows() {
  const rows = [];
  for (const [lat, lon, height] of observers) {
    const observer = new Astronomy.Observer(lat, lon, height);
    let e = Astronomy.SearchLocalSolarEclipse(Astronomy.MakeTime(FIRST_JD - J2000), observer);
    while (e.peak.time.ut + J2000 < END_JD) {
      const event = (ev) => ev ? [day9(ev.time.ut + J2000),
                                  deg7(ev.altitude + Astronomy.InverseRefraction(
                                    'normal', ev.altitude))] : ['', ''];
      rows.push([lat, lon, height, kindName(e.kind), e.obscuration.toFixed(6),
                 ...event(e.partial_begin), ...event(e.total_begin), ...event(e.peak),
                 ...event(e.total_end), ...event(e.partial_end)].join(','));
      e = Astronomy.NextLocalSolarEclipse(e.peak.time, observer);
    }
  }
  return rows;
}

fs.writeFileSync(path.join(outDir, 'astronomy_solar_eclipses.csv'), [
  'start_tt,peak_tt,peak_ut,kind,distance_km,lat,lon', ...globalRows()].join('\n') + '\n');
fs.writeFileSync(path.join(outDir, 'astronomy_solar_eclipses_far.csv'), [
  'peak_tt,kind,distance_km', ...everyEclipse(SPAN_FIRST_JD, FIRST_JD),
  ...everyEclipse(END_JD, SPAN_END_JD)].join('\n') + '\n');
fs.writeFileSync(path.join(outDir, 'astronomy_local_solar_eclipses.csv'), [
  'obs_lat,obs_lon,obs_height,kind,obscuration,' +
  ['partial_begin', 'central_begin', 'peak', 'central_end', 'partial_end']
    .map((e) => `${e}_ut,${e}_alt`).join(','), ...localRows()].join('\n') + '\n');
