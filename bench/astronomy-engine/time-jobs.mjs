// Times jobs of Astronomy Engine, the peer the library is measured against for what libnova lacks,
// in Node on the same machine as the library's own rows. Each job is a function of one instant
// (a Julian Day, UT) that does what the library's row of the same name does once; the jobs live
// in the modules of jobs/ (each exports `jobs`, an object of name to function), one per subject.
//
// Usage: node time-jobs.mjs [NAME...]   (no name: every job)
// Prints one line per job, "NAME<TAB>nanoseconds per call": the median of 7 runs, each of at least
// 0.2 s of the process's CPU time in calls over the same thousand instants of 1950-2050 as the
// library's rows, after a warm-up run for the JIT. Astronomy Engine comes from tools/astronomy-fixture (npm ci there).
import { readdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

import { instants } from "./engine.mjs";

const here = dirname(fileURLToPath(import.meta.url));

// CPU time of the process (user and system), ns: what the library's rows measure too, so that
// a busy machine slows neither side's figure.
function cpuNs() {
  const { user, system } = process.cpuUsage();
  return (user + system) * 1000;
}

function medianNs(job) {
  let sink = 0;
  const run = () => {
    let calls = 0;
    const start = cpuNs();
    let elapsed = 0;
    while (elapsed < 2e8) {
      const r = job(instants[calls % instants.length]);
      if (r === sink) sink = 1;  // keeps the result alive
      ++calls;
      elapsed = cpuNs() - start;
    }
    return elapsed / calls;
  };
  run();
  const runs = Array.from({ length: 7 }, run).sort((a, b) => a - b);
  return runs[3];
}

async function allJobs() {
  const all = {};
  const folder = join(here, "jobs");
  for (const file of readdirSync(folder).filter((f) => f.endsWith(".mjs")).sort()) {
    Object.assign(all, (await import(join(folder, file))).jobs);
  }
  return all;
}

{
  const all = await allJobs();
  const names = process.argv.length > 2 ? process.argv.slice(2) : Object.keys(all);
  for (const name of names) {
    if (!(name in all)) {
      console.error(`time-jobs: no job named "${name}"`);
      process.exit(1);
    }
    console.log(`${name}\t${medianNs(all[name]).toFixed(1)}`);
  }
}
