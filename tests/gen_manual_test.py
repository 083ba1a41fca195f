"""Checks tools/gen_manual.py, which writes the library's manual page from its headers.

In a copy of the files it reads: the committed page is what it generates; a header whose
Accuracy line changes makes the committed page stale, which the suite's check of generated
sources reports, and the page generated then says the new words in that routine's entry; a frame
that leaves a header out is refused. And the headers' plain text becomes the roff it should:
Greek letters, arc minutes and seconds, minus signs, quotes and names.

Usage: gen_manual_test.py SOURCE_DIR
"""
import contextlib
import io
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

import check_generated_sources as generated
import checker
import library_page_test as page

GENERATOR = ("tools/gen_manual.py", ("--source", "."), "library")
FRAME = "library/dockorrery-astronomy.3.frame"
CHANGED = "astronomy/nutation.h"  # its first Accuracy line is changed


def copy_tree(source, copy):
    """The files the generator and the check read, copied under `copy`."""
    names = ["tools/gen_manual.py", "tools/generated_sources.py", "library/CMakeLists.txt",
             FRAME, page.PAGE] + page.installed_headers(source)
    for name in names:
        (copy / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(source / name, copy / name)


def stale(copy):
    """The number of generated files that differ from the committed ones, in `copy`."""
    with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(io.StringIO()):
        return generated.differences(str(copy), *GENERATOR)


def entry(text, name):
    """The source of a routine's entry in a page."""
    return re.search(rf"^\.SS {name}\n(.*?)(?=^\.S[SH] )", text, re.M | re.S).group(1)


def regeneration_faults(source):
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        copy = pathlib.Path(folder)
        copy_tree(source, copy)
        if stale(copy):
            faults.append(f"{page.PAGE} is not what tools/gen_manual.py makes of the headers")
        header = (copy / CHANGED).read_text()
        line = re.search(r"^//   Accuracy: .*$", header, re.M).group()
        number = re.search(r"\d+(?:\.\d+)?", line)
        wanted = number.group() + "7"  # another number, which the page cannot hold by chance
        changed = line[:number.start()] + wanted + line[number.end():]
        header = header.replace(line, changed, 1)
        (copy / CHANGED).write_text(header)
        if not stale(copy):
            faults.append(f"a changed Accuracy line of {CHANGED} leaves the page as it was")
        out = copy / "out"
        subprocess.run([sys.executable, copy / GENERATOR[0], "--source", copy, "--out", out],
                       check=True)
        fresh = (out / "dockorrery-astronomy.3.in").read_text()
        routine = re.search(r"^\S.*?\b(\w+)\(", header[header.index(changed):], re.M).group(1)
        shown = re.search(r"^\.B Accuracy\n(.*?)(?=^\.TP)", entry(fresh, routine), re.M | re.S)
        if not shown or wanted not in shown.group(1):
            faults.append(f"the page generated from a changed {CHANGED} does not give "
                          f"{routine}'s Accuracy as {changed!r}")
        frame = (copy / FRAME).read_text()
        (copy / FRAME).write_text(frame.replace(" " + CHANGED, "", 1))
        refused = subprocess.run([sys.executable, copy / GENERATOR[0], "--source", copy,
                                  "--out", out], capture_output=True, text=True)
        if refused.returncode == 0 or CHANGED not in refused.stderr:
            faults.append(f"a frame without {CHANGED} is not refused: {refused.stderr!r}")
    return faults


# (the header's text, the names set in italics and in bold, the roff)
PROSE = [
    ("omega and Omega in [0, 2pi), theta Persei", (), (),
     r"\(*w and \(*W in [0, 2\(*p), \(*h Persei"),
    ("delta T = TT - UT; delta psi cos(epsilon), r Delta", (), (),
     r"\(*DT = TT \- UT; \(*D\(*q cos(\(*e), r \(*D"),
    ("within 2.4\" + 0.45' of altitude, at -28d56'10.2\", +-25\"", (), (),
     r"within 2.4\(sd + 0.45\(fm of altitude, at \-28\(de56\(fm10.2\(sd, \(+-25\(sd"),
    ("non-finite, semi-major, -0.5, A-Z, n = k / a^1.5, 0 <= e", (), (),
     r"non-finite, semi-major, \-0.5, A\-Z, n = k / a\(ha1.5, 0 \(<= e"),
    ("\"unknown error\" for '\\0', the book's \"Comet Orbits\"", (), {"Comet"},
     r"\(dqunknown error\(dq for \(aq\e0\(aq, the book's \(dqComet Orbits\(dq"),
    ("as computeApparentPlace's at jdUt, deltaT(jdUt), the epoch of `from`, jd NaN",
     {"jdUt", "from", "jd"}, {"computeApparentPlace", "deltaT"},
     r"as \fBcomputeApparentPlace\fR's at \fIjdUt\fR, \fBdeltaT\fR(\fIjdUt\fR), the epoch of "
     r"\fIfrom\fR, jd NaN"),
    ("any Body but Body::Earth, Atmosphere{} of 10 degrees C, std::chrono, int64_t", (),
     {"Body", "Atmosphere"},
     r"any Body but \fBBody::Earth\fR, \fBAtmosphere{}\fR of 10 \(deC, \fBstd::chrono\fR, "
     r"\fBint64_t\fR"),
    ("Tromso, Mueller", (), (), r"Troms\(/o, M\(:uller"),
    ("\u03c8, \u03c9 and \u03a9, \u0394T, 2.4\u2033, 1\u00b0 \u00b1 0.5\u2032", (), (),
     r"\(*q, \(*w and \(*W, \(*DT, 2.4\(sd, 1\(de \(+- 0.5\(fm"),
]


def prose_faults():
    sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tools"))
    import gen_manual
    faults = [f"{text!r} becomes {got!r}, not {want!r}" for text, italic, bold, want in PROSE
              if (got := gen_manual.prose(text, italic, bold)) != want]
    # Each sentence on a line of its own; no line ends in a full stop within a sentence or
    # begins with a control character.
    said = "a" * 86 + " ch. 21 holds it. Then " + "b" * 84 + " .profile follows"
    want = ["a" * 86, "ch. 21 holds it.", "Then " + "b" * 84, r"\&.profile follows"]
    if gen_manual.fill(said) != want:
        faults.append(f"{said!r} is filled as {gen_manual.fill(said)}, not {want}")
    return faults


def check(source):
    return regeneration_faults(source) + prose_faults()


if __name__ == "__main__":
    checker.run(check)
