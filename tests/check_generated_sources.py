#!/usr/bin/env python3
"""Checks that every committed generated source is exactly what its generator makes now.

Usage: check_generated_sources.py REPO_ROOT

Each generator of GENERATORS is run into a temporary folder (with the folder it reads, where it
takes one, and --out) and each file it writes must match the committed one in its source folder
byte for byte. Paths are relative to REPO_ROOT.
"""

import difflib
import os
import subprocess
import sys
import tempfile

# (generator, (option, folder it reads) or None, folder of the committed sources)
GENERATORS = [
    ("tools/gen_series.py", ("--data", "ephemeris/data/vsop87d"), "ephemeris/series"),
    ("tools/gen_terms.py", ("--data", "astronomy/data/meeus"), "astronomy/tables"),
    ("tools/gen_face.py", None, "applet/art"),
    ("tools/gen_delta_t.py", ("--data", "astronomy/data/delta_t"), "astronomy/tables"),
    ("tools/gen_constellations.py", ("--data", "astronomy/data/constellations"),
     "astronomy/tables"),
    # The library's manual page, from its frame and the installed headers of the whole tree.
    ("tools/gen_manual.py", ("--source", "."), "library"),
]


def differences(repo, generator, data, committed):
    """Runs one generator; returns the number of files that fail to match, each reported."""
    tool = os.path.basename(generator)
    with tempfile.TemporaryDirectory() as out:
        command = [sys.executable, os.path.join(repo, generator), "--out", out]
        if data is not None:
            command += [data[0], os.path.join(repo, data[1])]
        result = subprocess.run(command)
        if result.returncode != 0:
            print(f"{tool} failed with status {result.returncode}", file=sys.stderr)
            return 1
        names = sorted(os.listdir(out))
        if not names:
            print(f"{tool} wrote nothing", file=sys.stderr)
            return 1
        failures = 0
        for name in names:
            with open(os.path.join(out, name), "rb") as f:
                fresh = f.read()
            try:
                with open(os.path.join(repo, committed, name), "rb") as f:
                    current = f.read()
            except OSError:
                print(f"{committed}/{name}: generated but not committed", file=sys.stderr)
                failures += 1
                continue
            if fresh != current:
                failures += 1
                diff = difflib.unified_diff(
                    current.decode("utf-8", "replace").splitlines(),
                    fresh.decode("utf-8", "replace").splitlines(),
                    f"committed/{name}", f"generated/{name}", lineterm="", n=1)
                print("\n".join(list(diff)[:40]), file=sys.stderr)
        print(f"{tool}: {len(names) - failures} of {len(names)} generated files match the "
              f"committed ones in {committed}")
        return failures


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    repo = os.path.abspath(argv[0])
    failures = sum(differences(repo, *generator) for generator in GENERATORS)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
