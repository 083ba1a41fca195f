"""Checks that the README and the manual page give, for each dock host of tests/hosts, exactly
the files the host tests start it with: every file of examples/hosts/HOST verbatim as a fenced
block of the README and as a no-fill block of the manual page (hyphens written \\-), the host's
own files it is copied from named in both, and the host's picture in the README.

Usage: hosts_documented_test.py SOURCE_DIR
"""
import checker


def check(source):
    hosts = source / "tests" / "hosts"
    homes = source / "examples" / "hosts"
    readme = (source / "README.md").read_text()
    manual = (source / "applet" / "dockorrery.1.in").read_text()
    faults = []
    for host in sorted(p for p in hosts.iterdir() if p.is_dir()):
        home = homes / host.name
        for snippet in sorted(p for p in home.rglob("*") if p.is_file()):
            name = f"{host.name}: ~/{snippet.relative_to(home)}"
            text = snippet.read_text()
            if not any(f"```{lang}\n{text}```\n" in readme for lang in ("", "sh", "xml")):
                faults.append(f"{name} is not a fenced block of README.md")
            roff = text.replace("-", "\\-")
            if f".nf\n{roff}.fi\n" not in manual:
                faults.append(f"{name} is not a no-fill block of applet/dockorrery.1.in")
            if f"~/{snippet.relative_to(home)}" not in readme:
                faults.append(f"{name}: README.md does not name the file")
        copies = host / "system-copy"
        if copies.exists():
            for line in copies.read_text().splitlines():
                system = line.split()[1]
                if f"`{system}`" not in readme or system not in manual:
                    faults.append(f"{host.name}: {system} is not named in README.md and the manual")
        picture = f"tools/screenshots/host-{host.name}.png"
        if f"]({picture})" not in readme or not (source / picture).exists():
            faults.append(f"{host.name}: README.md shows no {picture}")
    return faults


if __name__ == "__main__":
    checker.run(check)
