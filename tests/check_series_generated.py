#!/usr/bin/env python3
"""Checks that committed generated sources are exactly what their generator makes now.

Usage: check_series_generated.py REPO_ROOT [GENERATOR DATA OUT]

GENERATOR (default tools/gen_series.py) reads DATA (default ephemeris/data/vsop87d) and its
output must match the committed sources in OUT (default ephemeris/series) byte for byte; the
three paths are relative to REPO_ROOT. The generator takes --data and --out.
"""

import difflib
import os
import subprocess
import sys
import tempfile

def main(argv):
    if len(argv) not in (1, 4):
        print(__doc__, file=sys.stderr)
        return 2
    repo = os.path.abspath(argv[0])
    paths = argv[1:] or ["tools/gen_series.py", "ephemeris/data/vsop87d", "ephemeris/series"]
    generator, data, committed = (os.path.join(repo, path) for path in paths)
    tool = os.path.basename(generator)
    with tempfile.TemporaryDirectory() as out:
        result = subprocess.run([sys.executable, generator, "--data", data, "--out", out])
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
                with open(os.path.join(committed, name), "rb") as f:
                    current = f.read()
            except OSError:
                print(f"{name}: generated but not committed", file=sys.stderr)
                failures += 1
                continue
            if fresh != current:
                failures += 1
                diff = difflib.unified_diff(
                    current.decode("utf-8", "replace").splitlines(),
                    fresh.decode("utf-8", "replace").splitlines(),
                    f"committed/{name}", f"generated/{name}", lineterm="", n=1)
                print("\n".join(list(diff)[:40]), file=sys.stderr)
        print(f"{len(names) - failures} of {len(names)} generated files match the committed ones")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
