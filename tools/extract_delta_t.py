#!/usr/bin/python3
"""Extracts the published values of delta T = TT - UT1 that Debian's python3-skyfield ships into
CSV tables of astronomy/data/delta_t, which tools/gen_delta_t.py turns into the library's table.

Usage: tools/extract_delta_t.py [--skyfield DIR] [--out DIR]

--skyfield  the data folder of the installed Skyfield (default: Debian's python3-skyfield,
            /usr/lib/python3/dist-packages/skyfield/data); its .npz and .npy files need numpy,
            so run this with Debian's /usr/bin/python3
--out       where the tables are written (default: astronomy/data/delta_t of the repository)

Writes:
  iers_daily.csv  tt_jd, delta_t: the IERS daily values (from UT1 - UTC of its finals2000A
                  series and the leap seconds), one a day at 0h UTC, as Skyfield bundles them
  s15_2020.csv    year0, year1, a0, a1, a2, a3: the cubic splines of delta T of Stephenson,
                  Morrison and Hohenkerk (2016), Table S15 in its 2020 update, years -720 to
                  2019: delta T = a0 + a1 t + a2 t^2 + a3 t^3 s, t = (year - year0) / (year1 -
                  year0), the year counted as (TT Julian Day - 1721045) / 365.25
  historic.csv    tt_jd, delta_t: the observed values of 1657 to 1984, half-yearly, that the
                  tests compare the table with
The values are written as Python's repr of each double, so a second run writes the same bytes.
"""
import argparse
import os

import numpy as np

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write_csv(path, header, rows):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(",".join(header) + "\n")
        for row in rows:
            f.write(",".join(repr(float(v)) for v in row) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--skyfield", default="/usr/lib/python3/dist-packages/skyfield/data")
    parser.add_argument("--out", default=os.path.join(REPO, "astronomy/data/delta_t"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    # Skyfield stores the daily TT as a value less its index, and delta T in units of 1e-7 s.
    iers = np.load(os.path.join(args.skyfield, "iers.npz"))
    tt = iers["tt_jd_minus_arange"] + np.arange(len(iers["tt_jd_minus_arange"]))
    delta_t = (iers["delta_t_1e7"] / 1e7).round(7)
    write_csv(os.path.join(args.out, "iers_daily.csv"), ["tt_jd", "delta_t"], zip(tt, delta_t))

    # Its columns are year0, year1, then the coefficients highest power first.
    s15 = np.load(os.path.join(args.skyfield, "delta_t.npz"))["Table-S15.2020.txt"]
    write_csv(os.path.join(args.out, "s15_2020.csv"), ["year0", "year1", "a0", "a1", "a2", "a3"],
              ((y0, y1, a0, a1, a2, a3) for y0, y1, a3, a2, a1, a0 in s15.T))

    historic = np.load(os.path.join(args.skyfield, "historic_deltat.npy"))
    write_csv(os.path.join(args.out, "historic.csv"), ["tt_jd", "delta_t"], historic.T)


if __name__ == "__main__":
    main()
