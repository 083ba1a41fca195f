#!/usr/bin/env python3
"""Generates the periodic-term tables of astronomy/tables/ from the published tables in CSV.

Usage: tools/gen_terms.py [--data DIR] [--out DIR]

--data  the directory holding moon_longitude_distance.csv, moon_latitude.csv, nutation.csv,
        pluto.csv, jupiter_moons_longitude.csv and jupiter_moons_radius.csv (default:
        astronomy/data/meeus of the repository)
--out   where moon_terms.cpp, nutation_terms.cpp, pluto_terms.cpp, jupiter_moon_terms.cpp and
        terms.h are written (default: astronomy/tables of the repository)

The output depends on nothing but the CSV files, so running the generator again reproduces the
committed sources byte for byte.

Every table keeps all its rows, in the order of the file (the order of the printed tables). The
multiples of the arguments are small integers; the coefficients are written as the file gives
them, integers as integers and the few decimal T coefficients of nutation as their decimal text,
so that no value is rounded on the way. A file is refused when its header is not the expected
one, when it has not the expected number of rows, or when a field does not parse.
"""

import csv
import os
import re
import sys

from generated_sources import cpp_closing, cpp_opening, parse_folders, write_sources


# The angles of the theory of Jupiter's moons whose multiples make its terms' arguments.
JUPITER_ANGLES = ["l1", "l2", "l3", "l4", "pi1", "pi2", "pi3", "pi4", "omega1", "omega2",
                  "omega3", "omega4", "psi", "G", "G_saturn", "Pi", "phi"]

# file: (record type, array name, expected header, expected rows). The columns are written in
# the order of the record's fields.
TABLES = {
    "moon_longitude_distance.csv": (
        "MoonLongitudeTerm", "kMoonLongitudeTerms",
        ["D", "M", "Mprime", "F", "sigma_l", "sigma_r"], 60),
    "moon_latitude.csv": (
        "MoonLatitudeTerm", "kMoonLatitudeTerms",
        ["D", "M", "Mprime", "F", "sigma_b"], 60),
    "nutation.csv": (
        "NutationTerm", "kNutationTerms",
        ["D", "M", "Mprime", "F", "Omega", "psi_sin", "psi_sin_T", "eps_cos", "eps_cos_T"], 63),
    "pluto.csv": (
        "PlutoTerm", "kPlutoTerms",
        ["J", "S", "P", "l_sin", "l_cos", "b_sin", "b_cos", "r_sin", "r_cos"], 43),
    "jupiter_moons_longitude.csv": (
        "JupiterMoonTerm", "kJupiterMoonLongitudeTerms", ["moon"] + JUPITER_ANGLES + [
            "phase", "coefficient"], 151),
    "jupiter_moons_radius.csv": (
        "JupiterMoonTerm", "kJupiterMoonRadiusTerms", ["moon"] + JUPITER_ANGLES + [
            "phase", "coefficient"], 44),
}

# Columns that hold multiples of the fundamental arguments (stored as int8_t).
MULTIPLES = {"D", "M", "Mprime", "F", "Omega", "J", "S", "P"} | set(JUPITER_ANGLES)
# Columns that may be decimal; every other one must be an integer that fits in 32 bits.
DECIMALS = {"psi_sin", "psi_sin_T", "eps_cos", "eps_cos_T", "phase", "coefficient"}

INTEGER = re.compile(r"-?(0|[1-9][0-9]*)\Z")
DECIMAL = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]+)?\Z")

# One source file per body; the Moon's two tables share one.
SOURCES = [
    ("moon_terms.cpp", ["moon_longitude_distance.csv", "moon_latitude.csv"],
     "The Moon's periodic terms of longitude, distance and latitude (Meeus, Astronomical\n"
     "Algorithms, 2nd ed., tables 47.A and 47.B), after ELP-2000/82."),
    ("nutation_terms.cpp", ["nutation.csv"],
     "The periodic terms of nutation in longitude and obliquity, IAU 1980 theory (Meeus,\n"
     "Astronomical Algorithms, 2nd ed., table 22.A)."),
    ("pluto_terms.cpp", ["pluto.csv"],
     "Pluto's periodic terms of heliocentric longitude, latitude and radius vector, J2000.0\n"
     "(Meeus, Astronomical Algorithms, 2nd ed., table 37.A, after Chapront and Francou)."),
    ("jupiter_moon_terms.cpp", ["jupiter_moons_longitude.csv", "jupiter_moons_radius.csv"],
     "The periodic terms of the longitudes and radius vectors of Jupiter's four large moons\n"
     "(Meeus, Astronomical Algorithms, 2nd ed., ch. 44, after Lieske's theory E5)."),
]


class TermError(Exception):
    pass


def read_table(path, columns, rows):
    """Returns the rows of a CSV table as lists of field texts, in file order."""
    with open(path, encoding="ascii", newline="") as f:
        reader = csv.reader(f)
        header = next(reader, None)
        if header != columns:
            raise TermError(f"{path}: header {header}, expected {columns}")
        table = []
        for row in reader:
            where = f"{path}:{reader.line_num}"
            if not row:
                continue
            if len(row) != len(columns):
                raise TermError(f"{where}: {len(row)} fields, expected {len(columns)}")
            for name, text in zip(columns, row):
                check_field(where, name, text)
            table.append(row)
    if len(table) != rows:
        raise TermError(f"{path}: {len(table)} rows, expected {rows}")
    return table


def check_field(where, name, text):
    if name in DECIMALS:
        if not DECIMAL.match(text):
            raise TermError(f"{where}: {name} {text!r} is not a decimal number")
        return
    if not INTEGER.match(text):
        raise TermError(f"{where}: {name} {text!r} is not an integer")
    value = int(text)
    limit = 127 if name in MULTIPLES else 2**31 - 1
    if not -limit <= value <= limit:
        raise TermError(f"{where}: {name} {value} out of range")


GENERATED = "Generated by tools/gen_terms.py from astronomy/data/meeus; do not edit."


def array_source(type_name, array_name, table):
    lines = [f"constexpr {type_name} {array_name}[{len(table)}] = {{"]
    for row in table:
        lines.append("    {" + ", ".join(row) + "},")
    lines.append("};")
    return lines


def term_source(comment, arrays):
    lines = cpp_opening(GENERATED + "\n" + comment, [['"astronomy/tables/terms.h"']])
    for type_name, array_name, table in arrays:
        lines.extend(array_source(type_name, array_name, table) + [""])
    return "\n".join(lines[:-1] + cpp_closing()) + "\n"


def terms_header(tables):
    lines = cpp_opening(GENERATED + """
The periodic-term arrays of the Moon, nutation, Pluto and Jupiter's moons, in the order of the
published tables; each count is the array's own bound.
""", [['"astronomy/detail/periodic_terms.h"']], header=True)
    for type_name, array_name, table in tables:
        lines.append(f"extern const {type_name} {array_name}[{len(table)}];")
    lines += cpp_closing()
    return "\n".join(lines) + "\n"


def main(argv):
    args = parse_folders(__doc__, argv, "astronomy/data/meeus", "astronomy/tables", "directory of the CSV tables")

    try:
        tables = {}
        for name, (type_name, array_name, columns, rows) in TABLES.items():
            table = read_table(os.path.join(args.data, name), columns, rows)
            tables[name] = (type_name, array_name, table)
    except (OSError, TermError) as error:
        print(f"gen_terms: {error}", file=sys.stderr)
        return 1

    sources = [(source, term_source(comment, [tables[n] for n in names]))
               for source, names, comment in SOURCES]
    sources.append(("terms.h", terms_header(tables.values())))
    write_sources(args.out, sources)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
