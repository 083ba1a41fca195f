"""Checks the READMEs' tables against their homes. README.md's accuracy table of the planetary series: the
terms kept (tools/gen_series.py's TERM_COUNTS), and the terms published and the bounds of ΔL, ΔB
and ΔR (tests/ephemeris_accuracy_test.cpp's kPlanets, the bounds the suite holds the series to).
library/README.md's table of differences of the astronomy library: a row for each quantity the astronomy tests
compare with the reference, by the name, unit and tolerance of the tests' tables of quantities.
The headers of astronomy/: exactly one states each of those quantities' bound, in the words
"<name> within <tolerance><unit>", the same number as the test; a statement of that form that
disagrees is a fault. And moon_phases.h states the span from a quarter to the same quarter of the
next lunation that the Moon's phases' test holds the phases to.

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


# The library's own README, which holds its tables.
LIBRARY_README = "library/README.md"


def readme_table(source, header, readme="README.md"):
    """The rows of the table of `readme` whose header row begins with `header`, each a list of
    its cells."""
    text = (source / readme).read_text()
    rows = []
    for line in text[text.index(header):].splitlines()[2:]:
        if not line.startswith("|"):
            break
        rows.append([cell.strip() for cell in line.strip("|").split("|")])
    return rows


def readme_rows(source):
    """The README's accuracy table: {planet: (kept, published, ΔL, ΔB, ΔR)}."""
    return {name: (int(kept), int(published), float(l), float(b), float(r))
            for name, kept, published, l, b, r in readme_table(source, "| planet | terms kept |")}


# The astronomy tests that hold tables of quantities: those of one header each, then those that
# check several headers together.
ASTRONOMY_TESTS = ("astronomy_apparent_test.cpp", "astronomy_elements_test.cpp",
                   "astronomy_elongation_test.cpp", "astronomy_events_test.cpp",
                   "astronomy_illumination_test.cpp", "astronomy_jupiter_moons_test.cpp",
                   "astronomy_libration_test.cpp", "astronomy_lunar_eclipses_test.cpp",
                   "astronomy_moon_orbit_test.cpp", "astronomy_moon_phases_test.cpp",
                   "astronomy_precession_test.cpp", "astronomy_rise_set_test.cpp",
                   "astronomy_seasons_test.cpp", "astronomy_solar_eclipses_test.cpp",
                   "astronomy_stars_test.cpp", "astronomy_time_scales_test.cpp",
                   "astronomy_transits_test.cpp",
                   "astronomy_test.cpp", "astronomy_sky_frames_test.cpp")
# How the README writes a test's unit after a number.
UNIT_SIGNS = {"arcsec": "″", "deg": "°", "": ""}


def tested_quantities(source):
    """The astronomy tests' tables of quantities (`Quantity<Case> quantities[] = {...}`):
    {name: (unit as the test writes it, tolerance, arcminutes of altitude or None)}, and the
    faults of reading them."""
    quantities, faults = {}, []
    for test in ASTRONOMY_TESTS:
        text = re.sub(r"^\s*//.*\n", "", (source / "tests" / test).read_text(), flags=re.M)
        tables = re.findall(r"Quantity<\w+> quantities\[\] = \{\n(.*?)\n  \};", text, re.S)
        if not tables:
            faults.append(f"tests/{test} holds no table of quantities")
        for table in tables:
            for name, unit, tolerance, rest in re.findall(
                    r'^\s*\{"([^"]+)", "([^"]*)", ([^,]+),(.*?)(?=^\s*\{"|\Z)', table,
                    re.M | re.S):
                altitude = re.search(r", ([\d.]+)\},?\s*$", rest)
                if name in quantities:
                    faults.append(f"tests/{test}: a second quantity named {name}")
                try:
                    quantities[name] = (unit, float(tolerance),
                                        altitude and float(altitude.group(1)))
                except ValueError:
                    faults.append(f"tests/{test}: the tolerance of {name}, {tolerance}, "
                                  "is not a number")
    return quantities, faults


# How a header writes a test's unit after a number, in plain ASCII: arcseconds and arcminutes by
# their signs, the rest as words ("0.0083 degree", "21 s", "23 km"); a tolerance of altitude follows
# as " + 0.5' of altitude".
HEADER_UNITS = {"arcsec": '"', "arcmin": "'", "deg": " degree", "": ""}


def comment_words(text):
    """The comments of a source file, joined into one line of words, so that a phrase may wrap."""
    words = [line.strip()[2:].strip() for line in text.splitlines()
             if line.strip().startswith("//")]
    return " ".join(" ".join(words).split())


def header_texts(source):
    """The comments of each header of astronomy/, joined: {path: text}."""
    return {header.relative_to(source).as_posix(): comment_words(header.read_text())
            for header in sorted((source / "astronomy").rglob("*.h"))}


def stated_bounds(texts, names):
    """Where the headers state "<name> within ...": {name: [(header, the words after within)]}.
    A longer name is matched first and hidden, so that "Sun rise, transit and set" is not found
    inside "one-call Sun rise, transit and set"."""
    stated = {name: [] for name in names}
    for header, text in texts.items():
        hidden = text
        for name in sorted(names, key=len, reverse=True):
            pattern = r"(?<![\w-])" + re.escape(name) + r" within "
            for match in re.finditer(pattern, hidden):
                words = re.match(r"[^,;(]*?(?=[,;(]|\.(?:\s|$)|$)", text[match.end():])
                stated[name].append((header, words.group()))
            hidden = re.sub(pattern, lambda m: "#" * len(m.group()), hidden)
    return stated


def header_faults(source):
    """Where the headers' bounds disagree with the astronomy tests' quantities (the faults of
    reading the tests are differences_faults' to report)."""
    quantities, faults = tested_quantities(source)[0], []
    for name, statements in stated_bounds(header_texts(source), quantities).items():
        wanted = header_bound(*quantities[name])
        if not statements:
            faults.append(f'no header of astronomy/ states "{name} within {wanted}"')
        elif len({header for header, _ in statements}) > 1:
            faults.append(f"{name}: more than one header states its bound, "
                          f"{sorted({header for header, _ in statements})}")
        for header, words in statements:
            if misstated(words, *quantities[name]):
                faults.append(f'{header} states "{name} within {words}", '
                              f'the test "{name} within {wanted}"')
    return faults


def header_bound(unit, want, altitude):
    """A tested bound as a header writes it: "<tolerance><unit>[ + <altitude>' of altitude]"."""
    unit = HEADER_UNITS.get(unit, " " + unit)
    return f"{want:g}{unit}" + (f" + {altitude:g}' of altitude" if altitude else "")


def misstated(words, unit, want, altitude):
    """True when `words`, what follows "<name> within " in a header, is not the tested bound."""
    unit = HEADER_UNITS.get(unit, " " + unit)
    shown = re.match(r"([\d.]+(?:e[+-]?\d+)?)" + re.escape(unit) +
                     r"(?: \+ ([\d.]+)' of altitude)?(?![\w'])", words)
    return (not shown or float(shown.group(1)) != want or
            (shown.group(2) and float(shown.group(2))) != altitude)


def lunation_faults(source):
    """Where moon_phases.h's span from a quarter to the same quarter of the next lunation is not
    the Moon's phases' test's."""
    test = (source / "tests" / "astronomy_moon_phases_test.cpp").read_text()
    constants = dict(re.findall(r"constexpr double k(Shortest|Longest)Lunation = ([\d.]+);", test))
    text = header_texts(source)["astronomy/moon_phases.h"]
    shown = re.search(r"the same quarter of the lunation before by ([\d.]+) to ([\d.]+) days", text)
    if len(constants) != 2 or not shown:
        return ["the span of a lunation is missing from tests/astronomy_moon_phases_test.cpp "
                "or astronomy/moon_phases.h"]
    want = (float(constants["Shortest"]), float(constants["Longest"]))
    if (float(shown.group(1)), float(shown.group(2))) != want:
        return [f"astronomy/moon_phases.h gives a lunation of {shown.group(1)} to "
                f"{shown.group(2)} days, the test {want[0]:g} to {want[1]:g}"]
    return []


def differences_faults(source):
    """Where the README's table of differences disagrees with the astronomy tests' quantities."""
    quantities, faults = tested_quantities(source)
    rows = readme_table(source, "| quantity | largest difference | tolerance |", LIBRARY_README)
    for name, largest, tolerance, _ in rows:
        if name not in quantities:
            faults.append(f"{LIBRARY_README}'s table of differences has a row of {name}, "
                          "which no astronomy test compares")
            continue
        unit, want, altitude = quantities[name]
        unit = UNIT_SIGNS.get(unit, " " + unit)
        shown = re.fullmatch(r"([\d.e+-]+)(.*?)(?: \+ ([\d.]+)′ of altitude)?", tolerance)
        if (not shown or shown.group(2) != unit or float(shown.group(1)) != want or
                (shown.group(3) and float(shown.group(3))) != altitude):
            wanted = f"{want:g}{unit}" + (f" + {altitude:g}′ of altitude" if altitude else "")
            faults.append(f"{LIBRARY_README} gives {name} a tolerance of {tolerance}, "
                          f"the test {wanted}")
        if not re.fullmatch(r"[\d.e+-]+" + re.escape(unit), largest):
            faults.append(f"{LIBRARY_README}'s largest difference of {name}, {largest}, "
                          "is not in the unit of its tolerance")
    for name in sorted(set(quantities) - {row[0] for row in rows}):
        faults.append(f"{LIBRARY_README}'s table of differences has no row of {name}, which the "
                      "astronomy tests compare")
    return faults


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
    return faults + differences_faults(source) + header_faults(source) + lunation_faults(source)


if __name__ == "__main__":
    checker.run(check)
