"""Checks that every routine of the library is described in one shape, in its header and in its
manual page: ERFA's Given / Returned / Notes / Reference, in this library's words.

Right above each function of the installed headers (library/CMakeLists.txt's library_headers;
namespace dockorrery, outside detail; above its template line, if any) is a comment: a
line or two of what it computes, then its blocks, each begun by a line "//   <Block>: <text>" and
continued by lines indented further, in the order of BLOCKS. Every routine has Given and
Returned; a routine with a time among its parameters (a Julian Day, a year, a date, a clock's
time) has a Span; the bounds the astronomy tests hold a routine to (readme_tables_test.py's
quantities) are stated in its Accuracy block, and such a routine names its Source. Given and
Returned hold an entry for each parameter, in the declaration's order, begun at the block's
column: Given what the routine reads, Returned what it fills (a reference not const) and then,
unless it returns void, its value as "(<type>)". The routine's entry in the manual page
(library/dockorrery-astronomy.3.in) has the same blocks, each a .TP paragraph headed
".B <Block>", in the same order (an overloaded routine's entry those of each overload in turn).

Usage: library_comments_test.py SOURCE_DIR
"""
import re

import checker
import library_page_test as page
import readme_tables_test as tables

BLOCKS = ("Given", "Returned", "Span", "Accuracy", "Notes", "Source")
ORDER = ", ".join(BLOCKS)

LABEL = re.compile(r"//   (\w+): +(?=\S)")  # a block's first line; its text begins at the end
CONTINUED = re.compile(r"// {4,}\S")          # a further line of a block, indented beyond a label


def parameters(words, name):
    """A declaration's parameters, [(name, True when the routine fills it, the declaration of
    it)], and its return type."""
    head = words.index(name + "(")
    returns = re.sub(r"\[\[\w+\]\]|\b(?:inline|constexpr|static)\b", "", words[:head]).strip()
    depth, text = 0, ""
    for char in words[head + len(name) + 1:]:
        if char in "(<[":
            depth += 1
        elif char in ")>]":
            depth -= 1
        if depth < 0:  # the parameter list's own closing parenthesis
            break
        text += "\0" if char == "," and depth == 0 else char
    found = []
    for declared in filter(None, (part.strip() for part in text.split("\0"))):
        declared = declared.split(" = ")[0]
        named = re.search(r"\(&(\w+)\)", declared) or re.search(r"(\w+)$", declared)
        filled = "&" in declared and not declared.startswith("const ")
        found.append((named.group(1), filled, declared))
    return found, returns


def comment_above(lines, index):
    """The run of comment lines right above line `index`, as (line number, text) pairs."""
    start = index
    while start > 0 and lines[start - 1].startswith("//"):
        start -= 1
    return [(number + 1, lines[number]) for number in range(start, index)]


def blocks_of(comment):
    """A comment's blocks in their order, [(block, [(column of its text, line of text)])], and
    the lines that are neither summary nor block."""
    blocks, strays = [], []
    for number, line in comment:
        label = LABEL.match(line)
        if label:
            blocks.append((label.group(1), [(label.end(), line[label.end():])]))
        elif blocks and CONTINUED.match(line):
            text = line[2:].lstrip()
            blocks[-1][1].append((len(line) - len(text), text))
        elif blocks:
            strays.append(number)
    return blocks, strays


def listed(lines):
    """The names a Given or Returned block lists: each line begun at the block's own column."""
    column = lines[0][0]
    return [text.split()[0] for at, text in lines if at == column]


def routine_faults(where, name, words, comment, quantities):
    """Where one routine's comment leaves the template: a list of faults, and its blocks."""
    what = f"{where}: {name}"
    if not comment:
        return [f"{what} has no comment right above its declaration"], []
    if LABEL.match(comment[0][1]):
        return [f"{what}: its comment does not begin with a line of what it computes"], []
    blocks, strays = blocks_of(comment)
    names = [block for block, _ in blocks]
    faults = [f"{where}:{number}: {name}: a line outside the blocks {ORDER}"
              for number in strays]
    faults += [f"{what}: {block} is no block of the template ({ORDER})"
               for block in names if block not in BLOCKS]
    known = [block for block in names if block in BLOCKS]
    if known != sorted(set(known), key=BLOCKS.index):
        faults.append(f"{what}: its blocks are {', '.join(names)}; the template's order is "
                      f"{ORDER}, each once")
    text = {block: " ".join(" ".join(line for _, line in lines).split())
            for block, lines in blocks}
    params, returns = parameters(words, name)
    required = ["Given", "Returned"]
    times = [p for p, _, declared in params
             if re.fullmatch(r"jd\w*|year", p) or re.search(r"CivilTime|time_point", declared)]
    if times:
        required.append("Span")
    stated = {block: [quantity for quantity, found in
                      tables.stated_bounds({block: said}, quantities).items() if found]
              for block, said in text.items()}
    if any(stated.values()):
        required.append("Source")
    for block in required:
        if block not in names:
            why = {"Span": f", though it takes a time ({', '.join(times)})",
                   "Source": ", though a test holds it to a reference's bounds"}.get(block, "")
            faults.append(f"{what}: its comment has no {block} block{why}")
    outside = [quantity for block, found in stated.items() if block != "Accuracy"
               for quantity in found]
    if outside:
        faults.append(f"{what}: states the tested bounds of {', '.join(outside)} outside its "
                      "Accuracy block")
    given = [p for p, filled, _ in params if not filled]
    returned = [p for p, filled, _ in params if filled]
    if returns != "void":
        returned.append(f"({returns})")
    for block, wanted in (("Given", given), ("Returned", returned)):
        lines = dict(blocks).get(block)
        if lines and listed(lines) != wanted:
            faults.append(f"{what}: its {block} lists {', '.join(listed(lines))}; the "
                          f"declaration's are {', '.join(wanted) or 'none'}")
    return faults, names


def page_blocks(text, functions):
    """The blocks of the page's entries of routines: {routine: [block, ...]}."""
    entries, current, lines = {}, None, text.splitlines()
    for line, following in zip(lines, lines[1:] + [""]):
        if line.startswith((".SS", ".SH")):
            current = line[4:].strip() if line.startswith(".SS") else None
            if current in functions:
                entries[current] = []
        elif current in functions and re.fullmatch(r"\.TP( \d+)?", line):
            block = re.fullmatch(r"\.B (\w+)", following)
            if block:
                entries[current].append(block.group(1))
    return entries


def check(source):
    quantities, faults = tables.tested_quantities(source)[0], []
    shapes, faulty = {}, set()
    for header in page.installed_headers(source):
        text = (source / header).read_text()
        lines = text.splitlines()
        for words, offset in page.declarations(text):
            declared = page.declared_name(words)
            if not declared or not declared[1]:
                continue
            name = declared[0]
            comment = comment_above(lines, text.count("\n", 0, offset))
            found, names = routine_faults(header, name, words, comment, quantities)
            faults += found
            if found:
                faulty.add(name)  # its fault is said; the page is compared with a sound comment
            # An overloaded routine has one entry, with the blocks of each overload's comment
            # in turn.
            shapes.setdefault(name, []).extend(block for block in names if block in BLOCKS)
    if not shapes:
        faults.append("no function found in the installed headers")
    entries = page_blocks((source / page.PAGE).read_text(), shapes)
    for name, blocks in sorted(shapes.items()):
        if name not in entries:
            faults.append(f"{page.PAGE} has no entry of {name}")
        elif name not in faulty and entries[name] != blocks:
            faults.append(f"{page.PAGE}: the entry of {name} has the blocks "
                          f"{', '.join(entries[name]) or 'none'}; its header's comment "
                          f"{', '.join(blocks)}")
    return faults


if __name__ == "__main__":
    checker.run(check)
