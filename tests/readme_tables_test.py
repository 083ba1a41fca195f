"""Checks the README's accuracy table of the planetary series against its homes: the terms kept
(tools/gen_series.py's TERM_COUNTS), and the terms published and the bounds of ΔL, ΔB and ΔR
(tests/ephemeris_accuracy_test.cpp's kPlanets, the bounds the suite holds the series to).

Usage: readme_tables_test.py SOURCE_DIR
"""
import ast
import re

import checker


def term_counts(source):
    """TERM_COUNTS of the generator, read without running it: {planet: terms kept}."""
    text = (source / "tools" / "gen_series.py").read_text()
    literal = re.search(r"^TERM_COUNTS = (\{.*?^\})", text, re.M | re.S).group(1)
    return {name: sum(counts) for name, counts in ast.literal_eval(literal).items()}


def accuracy_bounds(source):
    """The accuracy test's planets: {planet: (terms published, ΔL, ΔB, ΔR)}, as written."""
    text = (source / "tests" / "ephemeris_accuracy_test.cpp").read_text()
    rows = re.findall(r'\{"(\w+)", "\w+", (\d+), ([\d.e+-]+), ([\d.e+-]+), ([\d.e+-]+)\}', text)
    return {name: (int(n), float(l), float(b), float(r)) for name, n, l, b, r in rows}


def readme_rows(source):
    """The README's accuracy table: {planet: (kept, published, ΔL, ΔB, ΔR)}."""
    text = (source / "README.md").read_text()
    table = text[text.index("| planet | terms kept |"):]
    rows = {}
    for line in table.splitlines()[2:]:
        if not line.startswith("|"):
            break
        name, kept, published, l, b, r = (cell.strip() for cell in line.strip("|").split("|"))
        rows[name] = (int(kept), int(published), float(l), float(b), float(r))
    return rows


def check(source):
    kept, bounds, readme = term_counts(source), accuracy_bounds(source), readme_rows(source)
    faults = []
    if not bounds or set(kept) != set(bounds):
        faults.append(f"the generator's planets {sorted(kept)} are not the accuracy test's "
                      f"{sorted(bounds)}")
    for name in kept:
        want = (kept[name],) + bounds.get(name, ())
        if readme.get(name) != want:
            faults.append(f"README.md's row of {name} is {readme.get(name)}, the homes say {want}")
    for name in set(readme) - set(kept):
        faults.append(f"README.md has a row of {name}, which the series do not hold")
    return faults


if __name__ == "__main__":
    checker.run(check)
