#!/usr/bin/env python3
"""The library README's worked example is the program tests/readme_example.cpp, shown whole, and the
output it shows is what the program prints.

Usage: readme_example_test.py library/README.md readme_example.cpp PROGRAM
"""
import subprocess
import sys

import checker


def main():
    readme_path, source_path, program = sys.argv[1:4]
    with open(readme_path, encoding="utf-8") as f:
        readme = f.read()
    with open(source_path, encoding="utf-8") as f:
        source = f.read()
    output = subprocess.run([program], check=True, capture_output=True, text=True).stdout
    failures = []
    if "```cpp\n" + source + "```\n" not in readme:
        failures.append(f"the README does not show {source_path} whole in a cpp block")
    if "```text\n" + output + "```\n" not in readme:
        failures.append("the README does not show the program's output:\n" + output)
    return failures


if __name__ == "__main__":
    sys.exit(checker.report(main()))
