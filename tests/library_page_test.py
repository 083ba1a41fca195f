"""Checks the library's manual page, library/dockorrery-astronomy.3.in, against its homes.

Every public name of the installed headers (library/CMakeLists.txt's library_headers): each
function declared at namespace scope, outside dockorrery::detail, is shown with its parameter
list ("name(" in the page), each record, enumeration, alias and constant is named; and every
heading of an entry (.SS after the DESCRIPTION) is such a name, so that a renamed or removed
routine leaves no entry behind. Every accuracy the astronomy tests hold a routine to is stated
in the page as its header states it, "<quantity> within <tolerance>", with the tests' number
(which readme_tables_test.py holds the headers to); the heliocentric series' bounds, here and in
astronomy/heliocentric.h, are the accuracy test's largest, and the span between a quarter and
the next is moon_phases.h's. And the page is sound roff: man renders it without a groff
warning and within 80 columns, it holds no line of a patch, and no omicron (groff's *o: the
headers' omega is *w).

Usage: library_page_test.py SOURCE_DIR
"""
import os
import re
import subprocess

import checker
import readme_tables_test as tables

PAGE = "library/dockorrery-astronomy.3.in"


def installed_headers(source):
    """The headers the library installs, as library/CMakeLists.txt lists them."""
    text = (source / "library" / "CMakeLists.txt").read_text()
    return re.search(r"set\(library_headers\s+(.*?)\)", text, re.S).group(1).split()


def declarations(text):
    """The declarations of a header at the scope of the namespace dockorrery, outside its detail
    namespace: (words, offset), each statement's words (a template's parameter list dropped) and
    where in `text` it begins, so that the comment above it can be found."""
    blank = lambda match: re.sub(r"[^\n]", " ", match.group())  # keeps every offset
    text = re.sub(r"//[^\n]*|/\*.*?\*/", blank, text, flags=re.S)
    text = re.sub(r"^[ \t]*#[^\n]*", blank, text, flags=re.M)
    found, scopes, statement, start = [], [], "", 0

    def declare(words):
        words = re.sub(r"^template\s*<[^>]*>\s*", "", " ".join(words.split()))
        if scopes == ["dockorrery"] and words:
            found.append((words, start))

    for match in re.finditer(r"[{};]|[^{};]+", text):
        token = match.group()
        if token == "{":
            namespace = re.fullmatch(r"\s*namespace (\w+)\s*", statement)
            if namespace:
                scopes.append(namespace.group(1))
            else:
                declare(statement)
                scopes.append(None)  # a body or an initializer: nothing in it is declared here
            statement = ""
        elif token == "}":
            scopes.pop()
            statement = ""
        elif token == ";":
            declare(statement)
            statement = ""
        else:
            if not statement.strip() and token.strip():
                start = match.start() + len(token) - len(token.lstrip())
            statement += token
    return found


def declared_name(words):
    """What a declaration's words declare: (its name, True for a function, False for a record,
    an enumeration, an alias or a constant), or None."""
    kind = (re.match(r"(?:struct|class|enum(?: class)?) (\w+)", words) or
            re.match(r"using (\w+) =", words) or
            re.match(r"(?:inline )?constexpr [\w:]+ (\w+)(?: ?\[\])? ?=", words))
    if kind:
        return kind.group(1), False
    function = re.match(r"[^=(]*?(\w+) ?\(", words)
    return function and (function.group(1), True)


def public_names(text):
    """The names a header declares at the scope of the namespace dockorrery, outside its
    detail namespace: ({function}, {record, enumeration, alias or constant})."""
    functions, others = set(), set()
    for words, _ in declarations(text):
        declared = declared_name(words)
        if declared:
            (functions if declared[1] else others).add(declared[0])
    return functions, others


# The escapes the page uses, as plain text: the arc second and minute as a header writes them,
# and delta T, which a header spells out.
ESCAPES = {r"\(*DT": "delta T", r"\-": "-", r"\(sd": '"', r"\(fm": "'", r"\(dq": '"',
           r"\(aq": "'", r"\(de": "°", r"\&": "", r"\ ": " ", r"\e": "\\"}


def page_text(page):
    """The page as its reader sees the words: macros gone (an alternating font macro joins its
    arguments), escapes read, lines joined; and the headings of its entries after DESCRIPTION."""
    words, headings, section = [], [], ""
    for line in page.splitlines():
        if line.startswith('.\\"'):
            continue
        macro = re.match(r"\.(\w+) ?(.*)", line)
        if macro:
            name, rest = macro.groups()
            arguments = [quoted if quoted or not bare else bare
                         for quoted, bare in re.findall(r'"((?:[^"]|"")*)"|(\S+)', rest)]
            if name == "SH":
                section = " ".join(arguments)
            if name == "SS" and section != "DESCRIPTION":
                headings.append(" ".join(arguments))
            if name in ("B", "I", "SH", "SS"):
                line = " ".join(arguments)
            elif name in ("BI", "BR", "IB", "IR", "RB", "RI"):
                line = "".join(arguments)
            else:
                continue
        words.append(line)
    text = re.sub(r"\\f[BIRP]", "", " ".join(words))
    for escape, plain in ESCAPES.items():
        text = text.replace(escape, plain)
    text = re.sub(r"\\\(\*\w", "", text)
    return " ".join(text.split()), headings


def name_faults(source, text, headings):
    functions, others = set(), set()
    for header in installed_headers(source):
        f, o = public_names((source / header).read_text())
        functions |= f
        others |= o
    faults = []
    if not functions:
        faults.append("no function found in the installed headers")
    for name in sorted(functions):
        if name + "(" not in text:
            faults.append(f"{PAGE} does not show {name}() with its parameters")
    for name in sorted(others):
        if not re.search(r"(?<!\w)" + name + r"(?!\w)", text):
            faults.append(f"{PAGE} does not name {name}")
    for heading in headings:
        if heading not in functions | others:
            faults.append(f"{PAGE} has an entry {heading}, which no installed header declares")
    return faults


def bound_faults(source, text):
    """The tests' tolerances, "<name> within <tolerance>", as the page states them (the faults of
    reading the tests are readme_tables_test's to report)."""
    quantities, faults = tables.tested_quantities(source)[0], []
    for name, statements in tables.stated_bounds({PAGE: text}, quantities).items():
        wanted = tables.header_bound(*quantities[name])
        if not statements:
            faults.append(f'{PAGE} does not state "{name} within {wanted}"')
        for _, words in statements:
            if tables.misstated(words, *quantities[name]):
                faults.append(f'{PAGE} states "{name} within {words}", '
                              f'the test "{name} within {wanted}"')
    return faults


HELIOCENTRIC = "astronomy/heliocentric.h"


def series_faults(source, text):
    """The heliocentric series' bounds, in the page and in heliocentric.h: the largest of the
    accuracy test's planets, and the Earth's."""
    bounds = tables.accuracy_bounds(source)
    faults = []
    largest = tuple(max(bound[i] for bound in bounds.values()) for i in (1, 2, 3))
    earth = bounds.get("Earth", (0, 0, 0, 0))[1:]
    texts = {PAGE: text,
             HELIOCENTRIC: tables.comment_words((source / HELIOCENTRIC).read_text())}
    for where, words in texts.items():
        shown = re.search(r'to ([\d.]+)" in L, ([\d.]+)" in B and ([\d.e-]+) AU in R', words)
        if not shown or tuple(map(float, shown.groups())) != largest:
            faults.append(f"{where} does not give the series' largest bounds, {largest[0]:g}\" "
                          f"in L, {largest[1]:g}\" in B and {largest[2]:g} AU in R")
        shown = re.search(r'the Earth to ([\d.]+)", ([\d.]+)" and ([\d.e-]+) AU', words)
        if not shown or tuple(map(float, shown.groups())) != earth:
            faults.append(f"{where} does not give the Earth series' bounds, {earth}")
    lunation = r"the same quarter of the lunation before by ([\d.]+) to ([\d.]+) days"
    header = re.search(lunation, tables.header_texts(source)["astronomy/moon_phases.h"])
    shown = re.search(lunation, text)
    if not header or not shown or header.groups() != shown.groups():
        faults.append(f"{PAGE} does not give moon_phases.h's span from a quarter to the next")
    return faults


def roff_faults(source, page):
    """Where the page's source is no sound manual page: groff's warnings, lines wider than a
    terminal of 80 columns, a patch's lines pasted in, an omicron."""
    faults = [f"{PAGE} holds {stray!r}, a patch's line" for stray in ("++ b/", "--- a/", "@@ ")
              if stray in page]
    if r"\(*o" in page:
        faults.append(f"{PAGE} sets an omicron, \\(*o; omega is \\(*w")
    shown = subprocess.run(["man", "--warnings=w", "-l", str(source / PAGE)],
                           capture_output=True, text=True,
                           env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8"))
    if shown.returncode or shown.stderr:
        faults.append(f"man renders {PAGE} with status {shown.returncode} and warnings:\n"
                      f"{shown.stderr}")
    faults += [f"{PAGE} renders a line of {len(line)} columns: {line.strip()}"
               for line in shown.stdout.splitlines() if len(line) > 80]
    return faults


def check(source):
    page = (source / PAGE).read_text()
    text, headings = page_text(page)
    return (name_faults(source, text, headings) + bound_faults(source, text) +
            series_faults(source, text) + roff_faults(source, page))


if __name__ == "__main__":
    checker.run(check)
