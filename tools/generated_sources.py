"""What the generators share: their command line, the opening and closing of a C++ source and the writing of
their sources.

Each generator writes sources into a folder of the repository, the table generators from
published tables in a data folder; both folders can be named on the command line, so that a
check can generate into a temporary folder and compare.
"""

import argparse
import os

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_folders(doc, argv, data, out, data_help, data_option="--data"):
    """Returns the arguments --data (or `data_option`) and --out, by default the repository's
    folders `data` and `out` (each a path relative to the repository); no --data when `data` is
    None."""
    parser = argparse.ArgumentParser(description=doc.split("\n")[0])
    if data is not None:
        parser.add_argument(data_option, default=os.path.join(REPO, data), help=data_help)
    parser.add_argument("--out", default=os.path.join(REPO, out),
                        help="directory to write the generated sources into")
    return parser.parse_args(argv)


def write_sources(out, sources):
    """Writes each (file name, text) of `sources` into the folder `out`, in ASCII with Unix line
    ends, so that the output is the same byte for byte on every machine."""
    os.makedirs(out, exist_ok=True)
    for name, text in sources:
        with open(os.path.join(out, name), "w", encoding="ascii", newline="\n") as f:
            f.write(text)


def cpp_opening(comment, includes, header=False):
    """The opening lines of a generated C++ file: each line of the text `comment` as a // comment,
    then for a header #pragma once, then each group of `includes` ("<cstddef>",
    "\"ephemeris/series.h\"") as #include lines, then the opening of the namespace of every name
    of the program, which cpp_closing closes; a blank line ends each part after the comment."""
    lines = [f"// {line}" for line in comment.strip("\n").split("\n")]
    if header:
        lines += ["#pragma once", ""]
    for group in includes:
        lines += [f"#include {name}" for name in group] + [""]
    return lines + ["namespace dockorrery {", ""]


def cpp_closing():
    """The closing lines of a generated C++ file: a blank line and the end of the namespace that
    cpp_opening opened."""
    return ["", "}  // namespace dockorrery"]

