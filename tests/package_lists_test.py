"""Checks the lists of Debian packages written outside their home against it.

The dock hosts' home is tests/hosts (a folder each, named for the window manager's package); the
test packages' home is tools/install-deps' test group. debian/control's <!nocheck> Build-Depends
must be that group, its Suggests the hosts; the groups that start dock hosts must hold every one;
the suite's CMake probes must be the test group; the host tests must run every host; the
debtest group must hold what debian/tests/control depends on.

Usage: package_lists_test.py SOURCE_DIR
"""
import re

import checker


def groups(install_deps):
    """The package groups of tools/install-deps: {group: set of packages}."""
    found = {}
    for name, body in re.findall(r'^\s*(\w+)\)\s*packages="\$packages([^"]*)"', install_deps, re.M):
        found[name] = set(body.split())
    return found


def field(control, name):
    """Every value of the field `name` in the stanzas of a Debian control file, one string."""
    return " ".join(re.findall(rf"^{name}:((?:.*\n)(?:[ \t].*\n)*)", control, re.M))


def relations(text):
    """{package: profile or ''} of a relation field (alternatives taken one by one)."""
    found = {}
    for item in re.split(r"[,|]", text):
        item = item.strip()
        if item and not item.startswith("$"):
            name = item.split()[0]
            found[name] = "nocheck" if "<!nocheck>" in item else ""
    return found


def check(source):
    hosts = {p.name for p in (source / "tests" / "hosts").iterdir() if p.is_dir()}
    deps = groups((source / "tools" / "install-deps").read_text())
    control = (source / "debian" / "control").read_text()
    tests_control = (source / "debian" / "tests" / "control").read_text()
    cmake = (source / "tests" / "CMakeLists.txt").read_text()
    hosts_test = (source / "tests" / "x_hosts_test.cpp").read_text()
    faults = []

    def same(what, have, want):
        if have != want:
            faults.append(f"{what}: {' '.join(sorted(have - want)) or 'none'} too many, "
                          f"{' '.join(sorted(want - have)) or 'none'} missing")

    def holds(what, have, want):
        if want - have:
            faults.append(f"{what}: {' '.join(sorted(want - have))} missing")

    build_depends = relations(field(control, "Build-Depends"))
    same("debian/control <!nocheck> Build-Depends against install-deps' test group",
         {p for p, profile in build_depends.items() if profile}, deps["test"])
    same("debian/control Suggests against tests/hosts", set(relations(field(control, "Suggests"))),
         hosts)
    for group in ("test", "screenshots"):
        holds(f"install-deps' {group} group against tests/hosts", deps[group], hosts)
    package_test = cmake.index("if(DOCKORRERY_PACKAGE_TEST")
    probed = set(re.findall(r"^\s*test_dependency\(([\w.+-]+) ", cmake[:package_test], re.M))
    same("the suite's CMake probes against install-deps' test group", probed | hosts, deps["test"])
    holds("install-deps' deb and debtest groups against the package test's CMake probes",
          deps["deb"] | deps["debtest"],
          set(re.findall(r"test_dependency\(([\w.+-]+) ", cmake[package_test:])))
    instantiation = hosts_test[hosts_test.index("INSTANTIATE_TEST_SUITE_P(Hosts, InTheDock"):]
    instantiation = instantiation[:instantiation.index(";")]
    same("tests/x_hosts_test.cpp's hosts against tests/hosts",
         set(re.findall(r'Host\{\.name = "(\w+)"', instantiation)), hosts)
    ours = set(re.findall(r"^Package: (\S+)", control, re.M))
    same("debian/tests/control's Depends against install-deps' debtest group",
         set(relations(field(tests_control, "Depends"))) - ours, deps["debtest"] - {"autopkgtest"})
    return faults


if __name__ == "__main__":
    checker.run(check)
