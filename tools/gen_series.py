#!/usr/bin/env python3
"""Generates the abridged VSOP87D tables of ephemeris/series/ from the published series files.

Usage: tools/gen_series.py [--data DIR] [--out DIR]

--data  the directory holding VSOP87D.mer ... VSOP87D.nep (default: ephemeris/data/vsop87d of
        the repository)
--out   where mercury.cpp ... neptune.cpp, theories.h and theories.cpp are written (default:
        ephemeris/series of the repository)

The output depends on nothing but the series files, so running the generator again reproduces
the committed sources byte for byte.

Each planet's series are the members of one record, in the order the evaluation reads them
(L0..L5, B0..B5, R0..R5). Members lie in memory in declaration order, so every compiler lays the
terms out in reading order; separate arrays come out in whatever order the compiler likes (GCC
reverses them), and the evaluation would then walk memory backwards at each series boundary.

Each series keeps its leading terms, as many as TERM_COUNTS gives (the selection printed in
Meeus, Astronomical Algorithms, 2nd ed., Appendix III). The files do not list the terms strictly
by amplitude, so a series is first sorted by its unrounded amplitude, largest first, with ties
kept in file order. The stored values are rounded from the decimal text of the files, halves away
from zero: the amplitude to a whole number of 1e-8 units, the phase to 8 decimals from 1 rad up
and 9 below, the frequency to 9 decimals except 8 from 1 up to but not including 10.
"""

import math
import os
import re
import sys
from decimal import ROUND_HALF_UP, Decimal

from generated_sources import cpp_closing, cpp_opening, parse_folders, write_sources

# (name, file suffix) in body order 1..8.
PLANETS = [
    ("Mercury", "mer"), ("Venus", "ven"), ("Earth", "ear"), ("Mars", "mar"),
    ("Jupiter", "jup"), ("Saturn", "sat"), ("Uranus", "ura"), ("Neptune", "nep"),
]
COORDINATES = "LBR"

# Terms kept per series: L0..L5, B0..B5, R0..R5; 0 leaves the series empty.
TERM_COUNTS = {
    "Mercury": [38, 16, 10, 8, 6, 1, 14, 11, 9, 7, 2, 0, 13, 8, 7, 5, 0, 0],
    "Venus":   [24, 12, 8, 3, 3, 1, 9, 4, 4, 4, 1, 0, 12, 3, 3, 1, 1, 0],
    "Earth":   [64, 34, 20, 7, 3, 1, 5, 2, 0, 0, 0, 0, 40, 10, 6, 2, 1, 0],
    "Mars":    [69, 46, 33, 12, 8, 2, 16, 9, 7, 4, 3, 0, 45, 27, 11, 6, 4, 0],
    "Jupiter": [64, 61, 57, 39, 19, 5, 26, 22, 14, 9, 6, 1, 46, 43, 36, 28, 15, 7],
    "Saturn":  [90, 79, 63, 48, 27, 12, 34, 32, 29, 21, 12, 2, 44, 38, 32, 28, 23, 18],
    "Uranus":  [91, 57, 35, 18, 4, 0, 28, 20, 11, 4, 1, 0, 59, 35, 18, 10, 2, 0],
    "Neptune": [38, 18, 7, 4, 1, 0, 17, 13, 6, 4, 1, 0, 32, 15, 5, 1, 0, 0],
}

HEADER = re.compile(r"VSOP87 VERSION D\d\s+(\w+)\s+VARIABLE (\d) \(LBR\)\s+\*T\*\*(\d)\s+(\d+) TERMS?\b")
TWO_PI = 2 * math.pi


class SeriesError(Exception):
    pass


def read_series(path):
    """Returns {(coordinate, power): [(A, B, C) as decimal text, ...]} in file order."""
    series = {}
    expected = {}
    current = None
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip():
                continue
            match = HEADER.search(line)
            if match:
                current = (int(match.group(2)) - 1, int(match.group(3)))
                if current in series or not 0 <= current[0] < 3 or current[1] > 5:
                    raise SeriesError(f"{path}:{number}: unexpected series header")
                series[current] = []
                expected[current] = int(match.group(4))
                continue
            if "VSOP87" in line:
                raise SeriesError(f"{path}:{number}: unreadable series header")
            if current is None:
                raise SeriesError(f"{path}:{number}: term before the first header")
            # The last three fields of a term line are the amplitude, phase and frequency.
            fields = line.split()
            if len(fields) < 5:
                raise SeriesError(f"{path}:{number}: short term line")
            series[current].append(tuple(fields[-3:]))
    for key, terms in series.items():
        if len(terms) != expected[key]:
            raise SeriesError(f"{path}: series {COORDINATES[key[0]]}{key[1]} has {len(terms)} "
                              f"terms, its header says {expected[key]}")
    return series


def round_half_away(text, places):
    """Rounds decimal text to `places` decimals, halves away from zero, as a Decimal."""
    return Decimal(text).quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)


def literal(value):
    """C++ literal of a rounded Decimal: its fixed-point text, or 0."""
    return "0" if value == 0 else format(value, "f")


def stored_term(term):
    amplitude, phase, frequency = term
    A = (Decimal(amplitude) * 100000000).quantize(Decimal(1), rounding=ROUND_HALF_UP)
    B = round_half_away(phase, 8 if Decimal(phase) >= 1 else 9)
    C = round_half_away(frequency, 8 if 1 <= Decimal(frequency) < 10 else 9)
    return A, B, C


def check_term(where, A, B, C):
    if A < 1:
        raise SeriesError(f"{where}: amplitude {A} rounds below 1")
    if not 0 <= float(B) < TWO_PI:
        raise SeriesError(f"{where}: phase {B} outside [0, 2pi)")
    if C < 0:
        raise SeriesError(f"{where}: negative frequency {C}")


def select(name, path):
    """Returns the 18 stored series of one planet, each a list of (A, B, C) Decimals."""
    published = read_series(path)
    selected = []
    for index, count in enumerate(TERM_COUNTS[name]):
        coordinate, power = divmod(index, 6)
        label = f"{name} {COORDINATES[coordinate]}{power}"
        terms = published.get((coordinate, power), [])
        if len(terms) < count:
            raise SeriesError(f"{label}: {count} terms wanted, {len(terms)} published")
        # sorted() is stable, so equal amplitudes keep their order in the file.
        leading = sorted(terms, key=lambda term: Decimal(term[0]), reverse=True)[:count]
        stored = [stored_term(term) for term in leading]
        for A, B, C in stored:
            check_term(label, A, B, C)
        selected.append(stored)
    return selected


GENERATED = "Generated by tools/gen_series.py from the VSOP87D files; do not edit."
THEORIES_HEADER = '"ephemeris/series/theories.h"'


def series_name(index):
    coordinate, power = divmod(index, 6)
    return f"{COORDINATES[coordinate]}{power}"


def record_name(name):
    return f"k{name}Series"


def planet_source(name, suffix, selected):
    lines = cpp_opening(f"""
Generated by tools/gen_series.py from VSOP87D.{suffix} (VSOP87 version D, Bretagnon and
Francou 1988); do not edit.
{name}: heliocentric L, B (1e-8 rad) and R (1e-8 AU) at powers 0..5 of tau, mean ecliptic
and equinox of date. Terms are (A, B rad, C rad per Julian millennium), largest A first.
""", [[THEORIES_HEADER]])
    lines.append(f"constexpr {name}Series {record_name(name)} = {{")
    for index, terms in enumerate(selected):
        if not terms:
            continue
        lines.append(f"    .{series_name(index)} = {{")
        for A, B, C in terms:
            lines.append(f"        {{{A}, {literal(B)}, {literal(C)}}},")
        lines.append("    },")
    lines.append("};")
    lines += cpp_closing()
    return "\n".join(lines) + "\n"


def theories_header(planets):
    lines = cpp_opening(GENERATED + """
The non-empty series of each planet, one data source per planet, bound into kPlanetTheories
by theories.cpp. Each planet's series are members of one record, L0..L5, B0..B5, R0..R5:
members are laid out in declaration order, so the terms lie in memory in the order the
evaluation reads them, whatever order a compiler gives separate arrays.
""", [['"ephemeris/series.h"']], header=True)
    lines += [
        "// The selection the tables are cut to, TERM_COUNTS of the generator: terms kept per series,",
        "// L0..L5, B0..B5, R0..R5, Mercury to Neptune; 0 leaves a series empty.",
        "constexpr int32_t kSelectedTermCounts[8][18] = {",
    ]
    for name, _, _ in planets:
        lines.append(f"    // {name}")
        lines.append("    {" + ", ".join(str(count) for count in TERM_COUNTS[name]) + "},")
    lines.append("};")
    for name, _, selected in planets:
        lines.append("")
        lines.append(f"struct {name}Series {{")
        for index, terms in enumerate(selected):
            if terms:
                lines.append(f"  SeriesTerm {series_name(index)}[{len(terms)}];")
        lines.append("};")
        lines.append(f"extern const {name}Series {record_name(name)};")
    lines += cpp_closing()
    return "\n".join(lines) + "\n"


def theories_source(planets):
    lines = cpp_opening(GENERATED + """
Binds the per-planet series into kPlanetTheories, Mercury to Neptune, each planet's
series in the order L0..L5, B0..B5, R0..R5.
""", [["<cstddef>"], [THEORIES_HEADER]])
    lines += [
        "namespace {",
        "",
        "// The count comes from the array's own bound, so it cannot drift from the data.",
        "template <std::size_t N>",
        "constexpr Series bind(const SeriesTerm (&terms)[N]) {",
        "  return {static_cast<int32_t>(N), terms};",
        "}",
        "",
        "}  // namespace",
        "",
        "constexpr PlanetTheory kPlanetTheories[8] = {",
    ]
    for name, _, selected in planets:
        lines.append(f"    // {name}")
        lines.append("    {{")
        for coordinate in range(3):
            entries = []
            for power in range(6):
                index = coordinate * 6 + power
                entries.append(f"bind({record_name(name)}.{series_name(index)})" if selected[index]
                               else "{0, nullptr}")
            lines.append("        " + ", ".join(entries[:3]) + ",")
            lines.append("        " + ", ".join(entries[3:]) + ",")
        lines.append("    }},")
    lines.append("};")
    lines += cpp_closing()
    return "\n".join(lines) + "\n"


def main(argv):
    args = parse_folders(__doc__, argv, "ephemeris/data/vsop87d", "ephemeris/series", "directory of the VSOP87D.* files")

    try:
        planets = []
        for name, suffix in PLANETS:
            path = os.path.join(args.data, f"VSOP87D.{suffix}")
            planets.append((name, suffix, select(name, path)))
    except (OSError, SeriesError) as error:
        print(f"gen_series: {error}", file=sys.stderr)
        return 1

    sources = [(f"{name.lower()}.cpp", planet_source(name, suffix, selected))
               for name, suffix, selected in planets]
    sources.append(("theories.h", theories_header(planets)))
    sources.append(("theories.cpp", theories_source(planets)))
    write_sources(args.out, sources)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
