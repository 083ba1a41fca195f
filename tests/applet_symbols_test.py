"""Checks that the program links none of the astronomy library's further routines: no symbol
that libastronomy.a defines is defined in the program. The program must carry its symbol table
(it names computeBodyPosition), so that a stripped build cannot pass unseen.

Usage: applet_symbols_test.py PROGRAM LIBRARY
"""
import subprocess
import sys


def defined(path):
    """The names of the functions and data that `path` defines once and for all: strong global
    symbols. Local ones may share a name across files by chance, and weak ones (inline functions,
    type information the sanitizers emit) are each file's own copy of something shared."""
    out = subprocess.run(["nm", "--defined-only", "--format=posix", path],
                         capture_output=True, text=True, check=True).stdout
    names = set()
    for line in out.splitlines():
        fields = line.split()
        # posix format: name type [value size]; archives add "member.o[...]:" lines.
        if len(fields) >= 2 and fields[1] in "TDBR" and not fields[0].endswith(":"):
            names.add(fields[0])
    return names


def main(program, library):
    in_program = defined(program)
    if not any("computeBodyPosition" in name for name in in_program):
        print(f"{program} carries no symbol table to check", file=sys.stderr)
        return 1
    in_library = defined(library)
    if not in_library:
        print(f"{library} defines nothing", file=sys.stderr)
        return 1
    shared = sorted(in_program & in_library)
    for name in shared:
        print(f"{program} holds {name} of {library}", file=sys.stderr)
    return 1 if shared else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
