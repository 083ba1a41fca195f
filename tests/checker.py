"""What the checkers of the tree share: reporting the faults they find.

A checker collects its faults as lines of text; none means the tree is as it should be.
"""
import pathlib
import sys


def report(faults):
    """Prints each fault on a line of its own; returns the exit status, 1 if any, else 0."""
    for fault in faults:
        print(fault)
    return 1 if faults else 0


def run(check):
    """Exits with the report of `check`'s faults in the source tree the command line names."""
    sys.exit(report(check(pathlib.Path(sys.argv[1]))))
