"""Checks the layers of the tree: each includes only itself and the layers below it, and the
library's API is a folder's own headers.

The layers, lowest first: base/ (the constants, the span and the bodies every layer stands on),
calendar/, ephemeris/ (the planetary series the applet links), astronomy/ (the library's further
routines; its internal headers in astronomy/detail/), then dock/ and applet/, which the library
never includes. Every header of astronomy/ itself is installed (library/CMakeLists.txt's
library_headers), and none of astronomy/detail/ is.

Usage: layout_test.py SOURCE_DIR
"""
import re

import checker
import library_page_test as page

# Each layer and the layers it may include, itself among them.
ALLOWED = {
    "base": {"base"},
    "calendar": {"base", "calendar"},
    "ephemeris": {"base", "ephemeris"},
    "astronomy": {"base", "calendar", "ephemeris", "astronomy"},
}
INCLUDE = re.compile(r'^#include "([^"]+)"', re.M)


def layer_of(source, path, included):
    """The top folder of the file an include names: from the tree's top, or beside `path`."""
    beside = (path.parent / included).resolve()
    if beside.exists():
        return beside.relative_to(source.resolve()).parts[0]
    return included.split("/")[0]


def check(source):
    faults = []
    for layer, allowed in ALLOWED.items():
        for path in sorted((source / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for included in INCLUDE.findall(path.read_text()):
                if layer_of(source, path, included) not in allowed:
                    faults.append(f"{path.relative_to(source)} includes {included}, a layer above")
    installed = set(page.installed_headers(source))
    folder = {f"astronomy/{p.name}" for p in (source / "astronomy").glob("*.h")}
    for header in sorted(folder - installed):
        faults.append(f"{header} is in astronomy/ but not installed: internal ones go in detail/")
    for header in sorted(h for h in installed if h.startswith("astronomy/")):
        if header not in folder:
            faults.append(f"{header} is installed but not a header of astronomy/ itself")
    return faults


if __name__ == "__main__":
    checker.run(check)
