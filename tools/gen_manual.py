#!/usr/bin/env python3
"""Generates the library's manual page, library/dockorrery-astronomy.3.in, from its headers.

Usage: tools/gen_manual.py [--source DIR] [--out DIR]

--source  the source tree read (default: the repository): the installed headers, as
          library/CMakeLists.txt's library_headers lists them, and the page's frame,
          library/dockorrery-astronomy.3.frame
--out     where dockorrery-astronomy.3.in is written (default: library of the repository)

The output depends on nothing but those files, so running the generator again reproduces the
committed page byte for byte; the build then writes the package's version into it.

The frame is the page without its entries: its title, NAME, LIBRARY, SYNOPSIS, DESCRIPTION, the
.SH line of each topic section, EXAMPLES, FILES and SEE ALSO. Under each topic's .SH line, a line
`.\\" @entries HEADER...` names the headers the section gathers, in order; each installed header
is named exactly once, and the frame's opening comment is its own, left out of the page. In the
marker's place go each header's path and the comment that opens it, then, header by header, an
entry (.SS) for each declaration of the namespace dockorrery outside detail, in the header's
order:

- a function: for each of its overloads, its declaration as code (parameters in italics, lines
  broken to fit 80 columns), the lines of its comment before the first block, and each block of
  the template (Given, Returned, Span, Accuracy, Notes, Source) as a .TP paragraph headed by the
  block's name; Given and Returned as one line for each parameter and the value returned;
- a record or an enumeration: its declaration as code, each member's comment beside it where it
  fits on one line and else in a list after the comment above the declaration;
- a constant or an alias: the same, where declarations without a comment of their own right
  below one another share the entry of the first.

The headers' plain text becomes roff: Greek letters written out (pi, omega, Omega, delta T) or
in Unicode become groff's glyphs, ' and " after a number the arc minute and second, - a minus
sign unless it joins two words, and quotes, backslashes and carets their escapes; the routine's
parameters (or the record's fields) are set in italics where they are written as code (with a
capital letter or a digit inside, or between backquotes), the library's names and the
enumerators of the enumerations the entry deals with in bold. The comments' ASCII spellings of a
few proper names get their accents back. Each sentence begins a source line, as groff wants.
"""

import os
import re
import sys
import unicodedata

from generated_sources import parse_folders, write_sources

PAGE = "dockorrery-astronomy.3.in"
FRAME = "library/dockorrery-astronomy.3.frame"
MARKER = re.compile(r'\.\\" @entries((?: +\S+)+) *$')

LABEL = re.compile(r"//   (\w+): +(?=\S)")  # a block's first line; its text begins at the end
CONTINUED = re.compile(r"// {4,}\S")          # a further line of a block

CODE_WIDTH = 72   # a line of code: the page indents its entries by 7 of 80 columns
TEXT_WIDTH = 90   # a source line of running text

GENERATED = r""".\" The manual page of the dockorrery astronomy library, written by tools/gen_manual.py
.\" from library/dockorrery-astronomy.3.frame and the comments and declarations of the installed
.\" headers (library/CMakeLists.txt's library_headers): do not edit it, change those and run the
.\" generator. The build writes it, with the package's version, to
.\" build/library/dockorrery-astronomy.3.
"""

# Greek letters as the headers spell them, and groff's glyphs. gamma is left alone: it names the
# eclipses' fields, and the comments mean those.
GREEK = {"alpha": "a", "beta": "b", "delta": "d", "epsilon": "e", "zeta": "z", "eta": "y",
         "theta": "h", "iota": "i", "kappa": "k", "lambda": "l", "mu": "m", "nu": "n", "xi": "c",
         "pi": "p", "rho": "r", "sigma": "s", "tau": "t", "upsilon": "u", "phi": "f", "chi": "x",
         "psi": "q", "omega": "w", "Gamma": "G", "Delta": "D", "Theta": "H", "Lambda": "L",
         "Xi": "C", "Pi": "P", "Sigma": "S", "Upsilon": "U", "Phi": "F", "Psi": "Q", "Omega": "W"}
# The same and a few signs as a header may write them in Unicode (which spells lambda "lamda");
# gamma is unambiguous there.
SIGNS = dict({unicodedata.lookup(("GREEK SMALL LETTER " if name.islower() else
                                  "GREEK CAPITAL LETTER ") + name.upper().replace("MB", "M")):
              r"\(*" + glyph for name, glyph in GREEK.items()},
             **{"\u03b3": r"\(*g", "\u00b0": r"\(de", "\u2032": r"\(fm", "\u2033": r"\(sd",
                "\u00b1": r"\(+-", "\u2212": r"\-", "\u2264": r"\(<=", "\u2265": r"\(>=",
                "\u00d7": r"\(mu", "\u2013": r"\(en", "\u2014": r"\(em", "\u2019": "'"})
# Proper names the headers write in ASCII.
ACCENTED = {"Mueller": r"M\(:uller", "Tromso": r"Troms\(/o", "Delimitation": r"D\('elimitation"}
# Words that begin a block in lower case on purpose.
LOWER_CASE = {"libnova"}


class ManualError(Exception):
    pass


# --- reading the headers ---

class Declaration:
    """One declaration at the scope of the namespace dockorrery: its kind ("function", "record",
    "enum", "alias" or "constant"), name, words (comments and template line left out), template
    line, the comment right above it (lines without //), its trailing comment, its members
    (records and enumerations: [(code, comment or None)]), and its first and last lines."""

    def __init__(self, **fields):
        self.__dict__.update(fields)


def blank_comments(text):
    """`text` with its comments and preprocessor lines blanked, every offset kept."""
    blank = lambda match: re.sub(r"[^\n]", " ", match.group())
    text = re.sub(r"//[^\n]*|/\*.*?\*/", blank, text, flags=re.S)
    return re.sub(r"^[ \t]*#[^\n]*", blank, text, flags=re.M)


def statements(text):
    """The statements at the scope of the namespace dockorrery, outside detail: [(start, end of
    the declaration's words, (body start, body end) or None)], offsets into `text`."""
    code = blank_comments(text)
    found, scopes, start, words = [], [], None, ""
    for match in re.finditer(r"[{};]|[^{};]+", code):
        token = match.group()
        if token == "{":
            namespace = re.fullmatch(r"\s*namespace (\w+)\s*", words)
            if namespace:
                scopes.append(namespace.group(1))
            elif scopes == ["dockorrery"] and words.strip():
                found.append([start, match.start(), [match.start(), None]])
                scopes.append(found[-1])
            else:
                scopes.append(None)  # a body or an initializer: nothing in it is declared here
            words, start = "", None
        elif token == "}":
            scope = scopes.pop()
            if isinstance(scope, list):
                scope[2][1] = match.start()
            words, start = "", None
        elif token == ";":
            if scopes == ["dockorrery"] and words.strip():
                found.append([start, match.start(), None])
            words, start = "", None
        else:
            if start is None and token.strip():
                start = match.start() + len(token) - len(token.lstrip())
            words += token
    return found


def line_of(text, offset):
    return text.count("\n", 0, offset)


def comment_above(lines, index):
    """The comment lines right above line `index`, each without its //."""
    start = index
    while start > 0 and lines[start - 1].lstrip().startswith("//"):
        start -= 1
    return [line.lstrip() for line in lines[start:index]]


def comment_text(line):
    """A comment line's text: the line after its // and the spaces that follow."""
    return line.split("//", 1)[1].strip()


def members_of(body, enum):
    """The members of a record's or an enumeration's body: [(code, comment or None)]; a line of
    comment alone continues the comment of the member before it."""
    members = []
    for line in body.split("\n"):
        code, _, comment = line.partition("//")
        code, comment = code.strip(), comment.strip()
        if code:
            parts = [part.strip() for part in code.split(",")] if enum else [code]
            members += [[part, None] for part in parts if part]
            if comment:
                members[-1][1] = comment
        elif comment and members:
            members[-1][1] = (members[-1][1] + " " if members[-1][1] else "") + comment
    return [tuple(member) for member in members]


def kind_and_name(words):
    """What a declaration's words declare: (kind, name)."""
    record = re.match(r"(struct|class|enum(?: class)?) (\w+)", words)
    if record:
        return ("enum" if record.group(1).startswith("enum") else "record"), record.group(2)
    alias = re.match(r"using (\w+) =", words)
    if alias:
        return "alias", alias.group(1)
    constant = re.match(r"(?:inline )?constexpr [\w:]+ (\w+)(?: ?\[\])? ?=", words)
    if constant:
        return "constant", constant.group(1)
    function = re.match(r"[^=(]*?(\w+) ?\(", words)
    if function:
        return "function", function.group(1)
    raise ManualError(f"cannot tell what `{words}` declares")


def read_header(text):
    """A header's opening comment and its declarations."""
    lines = text.split("\n")
    opening = []
    for line in lines:
        if not line.startswith("//"):
            break
        opening.append(comment_text(line))
    declarations = []
    for start, end, body in statements(text):
        words = " ".join(blank_comments(text[start:end]).split())
        words = words.replace("( ", "(").replace(" )", ")")
        template = re.match(r"template ?<[^>]*>", words)
        if template:
            words = words[template.end():].strip()
        kind, name = kind_and_name(words)
        first = line_of(text, start)
        last = line_of(text, body[1] if body else end)
        members = []
        if body and kind in ("record", "enum"):
            members = members_of(text[body[0] + 1:body[1]], kind == "enum")
        trailing = None
        if not body:
            rest = lines[last][len(lines[last].split("//")[0]):]
            if rest.startswith("//"):
                trailing = comment_text(rest)
                column = len(lines[last]) - len(rest)
                following = last + 1
                while (following < len(lines) and lines[following].lstrip().startswith("//") and
                       lines[following].index("//") == column):
                    trailing += " " + comment_text(lines[following])
                    following += 1
        declarations.append(Declaration(
            kind=kind, name=name, words=words, template=template and template.group(),
            above=comment_above(lines, first), trailing=trailing, members=members,
            first=first, last=last))
    return " ".join(opening), declarations


def installed_headers(source):
    """The headers the library installs, as library/CMakeLists.txt lists them."""
    with open(os.path.join(source, "library", "CMakeLists.txt"), encoding="utf-8") as f:
        listed = re.search(r"set\(library_headers\s+(.*?)\)", f.read(), re.S)
    if not listed:
        raise ManualError("library/CMakeLists.txt sets no library_headers")
    return listed.group(1).split()


# --- the parts of a routine's comment ---

def function_comment(above):
    """A routine's comment: its summary and its blocks, [(block, [(column, text)])]."""
    summary, blocks = [], []
    for line in above:
        label = LABEL.match(line)
        if label:
            blocks.append((label.group(1), [(label.end(), line[label.end():].rstrip())]))
        elif blocks and (CONTINUED.match(line) or line.strip() == "//"):
            text = line[2:].lstrip()
            blocks[-1][1].append((len(line) - len(text), text.rstrip()))
        elif blocks:
            blocks[-1][1].append((len(line), comment_text(line)))  # a stray line: kept, not lost
        else:
            summary.append(comment_text(line))
    return " ".join(summary), blocks


def listed_entries(lines):
    """The entries of a Given or Returned block: [(name, text)], each begun at the block's own
    column."""
    column, entries = lines[0][0], []
    for at, text in lines:
        if at == column or not entries:
            name, _, rest = text.partition(" ")
            entries.append([name, rest.strip()])
        else:
            entries[-1][1] = (entries[-1][1] + " " + text).strip()
    return entries


def parameters(words, name):
    """A function's declaration split for its synopsis: the words up to and with "name(", each
    parameter as (before its name, its name, after it), and what follows the list."""
    head = words.index(name + "(") + len(name) + 1
    depth, parts, part = 0, [], ""
    for index, char in enumerate(words[head:], head):
        if char in "(<[":
            depth += 1
        elif char in ")>]":
            depth -= 1
        if depth < 0:
            tail = words[index:]
            break
        if char == "," and depth == 0:
            parts.append(part.strip())
            part = ""
        else:
            part += char
    if part.strip():
        parts.append(part.strip())
    found = []
    for declared in parts:
        named = (re.search(r"\(&(\w+)\)", declared) or
                 re.search(r"(\w+)(?= = |$)", declared))
        found.append((declared[:named.start(1)], named.group(1), declared[named.end(1):]))
    return words[:head], found, tail


# --- text into roff ---

def placeholder(index):
    return chr(0xE000 + index)


def prose(text, italic=(), bold=(), enumerators=(), marks=True):
    """The roff of a comment's plain text: see the module's description. `italic` are the names
    set in italics where written as code, `bold` the library's names, `enumerators` those of the
    enumerations the entry deals with; `marks` False leaves the fonts alone (code comments)."""
    saved = []

    def save(roff):
        saved.append(roff)
        return placeholder(len(saved) - 1)

    patterns = [
        (r"[^\x00-\x7f]", lambda m: save(SIGNS[m[0]]) if m[0] in SIGNS else m[0]),
        # A quotation, a title or a string, is taken as written: no name in it is code.
        (r'(?<![\w.])"([^"\n]*)"(?!\w)',
         lambda m: save(r"\(dq" + prose(m[1], marks=False) + r"\(dq")),
        # 28d56'10.2": degrees, minutes and seconds of arc.
        (r"(\d+)d(\d+)'(\d+(?:\.\d+)?)\"", lambda m: save(rf"{m[1]}\(de{m[2]}\(fm{m[3]}\(sd")),
        # delta T, delta psi, delta epsilon: one symbol each.
        (r"\b[Dd]elta (T|psi|epsilon)\b",
         lambda m: save(r"\(*D" + ("T" if m[1] == "T" else r"\(*" + GREEK[m[1]]))),
        (r"\bdegrees C\b", lambda m: save(r"\(deC")),
        # C's character literals.
        (r"'(\\0|\w)'", lambda m: save(r"\(aq" + m[1].replace("\\", r"\e") + r"\(aq")),
        (r"\+-", lambda m: save(r"\(+-")),
        # A hyphen joins two words; any other - is a minus sign (or a range, A-Z).
        (r"(?<![A-Za-z]{2})-|-(?![A-Za-z]{2})", lambda m: save(r"\-")),
    ]
    for pattern, replace in patterns:
        text = re.sub(pattern, replace, text)

    def plain(segment):
        segment = segment.replace("\\", r"\e")
        segment = re.sub(r"(\d)'", r"\1\\(fm", segment)
        segment = re.sub(r'(\d)"', r"\1\\(sd", segment)
        segment = segment.replace('"', r"\(dq").replace("^", r"\(ha").replace("~", r"\(ti")
        return segment.replace("<=", r"\(<=").replace(">=", r"\(>=")

    def word(match):
        quoted, name = match.group(1), match.group()
        if quoted:
            return (r"\fI" if quoted in italic else r"\fB") + quoted + r"\fR"
        coded = re.search(r"[A-Z0-9_]", name[1:]) is not None
        if marks and ("::" in name or name.endswith("{}") or (name in bold and coded) or
                      name in enumerators or re.fullmatch(r"\w*_\w*", name)):
            font = r"\fI" if name in italic and coded else r"\fB"
            return font + name + r"\fR"
        if marks and name in italic and coded:
            return r"\fI" + name + r"\fR"
        letters = re.fullmatch(r"([A-Za-z]+)(\d*)", name)
        if letters and letters.group(1) in GREEK:
            return r"\(*" + GREEK[letters.group(1)] + letters.group(2)
        return ACCENTED.get(name, name)

    out, position = [], 0
    for match in re.finditer(r"`(\w+)`|[A-Za-z_]\w*(?:::\w+)*(?:\{\})?", text):
        out.append(plain(text[position:match.start()]))
        out.append(word(match))
        position = match.end()
    out.append(plain(text[position:]))
    roff = re.sub("[\uE000-\uF8FF]", lambda m: saved[ord(m.group()) - 0xE000], "".join(out))
    stray = re.search(r"[^\x20-\x7e]", roff)
    if stray:
        raise ManualError(f"no roff for {stray.group()!r} in `{text}`")
    return roff


def shown_width(roff):
    """The columns a line of roff takes once rendered."""
    roff = re.sub(r"\\f[BIRP]|\\&", "", roff)
    return len(re.sub(r"\\\(\*.|\\\(..|\\[e\-]", "x", roff))


def sentence(text):
    """`text` ended as a sentence."""
    return text if re.search(r"[.?!]\)?$", text) else text + "."


def capitalized(text):
    """A block's text begun with a capital, unless its first word is code or a name."""
    first = re.match(r"[a-z]+\b", text)
    if first and first.group() not in LOWER_CASE:
        return text[0].upper() + text[1:]
    return text


def fill(roff):
    """Source lines of a paragraph of roff: each sentence on a line of its own and wrapped at
    spaces, never right after a word that ends in a full stop inside a sentence (groff would
    take it for a sentence's end), and no line begun with a control character."""
    lines = []
    ending = r"[.?!](?:\)|\\\(dq)*"
    for said in re.split(r"(?<=[.?!]) +(?=[A-Z]|\\f|\\\(\*)|(?<=[.?!]\)) +(?=[A-Z])", roff):
        words = said.split()
        groups = []
        for word in words:
            if groups and re.search(ending + "$", groups[-1][-1]):
                groups[-1].append(word)  # glued to the word after it
            else:
                groups.append([word])
        line = ""
        for group in groups:
            piece = " ".join(group)
            if line and len(line) + 1 + len(piece) > TEXT_WIDTH:
                lines.append(line)
                line = piece
            else:
                line = f"{line} {piece}" if line else piece
        lines.append(line)
    return [r"\&" + line if line[:1] in (".", "'") else line for line in lines]


def code_argument(text):
    """A macro's argument holding code."""
    text = text.replace("\\", r"\e").replace("-", r"\-")
    if not text or " " in text or text.startswith('"'):
        return '"' + text.replace('"', '""') + '"'
    return text


def code_line(pieces):
    """A line of code as a macro: pieces [(font, text)], bold and italic alternating from bold."""
    merged = []
    for font, text in pieces:
        if merged and merged[-1][0] == font:
            merged[-1] = (font, merged[-1][1] + text)
        elif text:
            merged.append((font, text))
    if merged[0][0] != "B":
        merged.insert(0, ("B", ""))
    if len(merged) == 1:
        return ".B " + code_argument(merged[0][1])
    return ".BI " + " ".join(code_argument(text) for _, text in merged)


# --- the entries ---

class Library:
    """What every entry needs of the whole library: its public names, the enumerators of each
    enumeration and the members of each record."""

    def __init__(self, declarations):
        self.names = {d.name for d in declarations}
        self.records = {d.name: d for d in declarations if d.kind in ("record", "enum")}

    def enumerators(self, text):
        """The enumerators of the enumerations `text` names, and of the records' fields it names
        (Body's, the bodies' names, are left plain)."""
        seen, todo = set(), set(re.findall(r"\w+", text)) & set(self.records)
        while todo:
            name = todo.pop()
            seen.add(name)
            for code, _ in self.records[name].members:
                todo |= (set(re.findall(r"\w+", code)) & set(self.records)) - seen
        return {re.match(r"\w+", code).group()
                for name in seen - {"Body"} if self.records[name].kind == "enum"
                for code, _ in self.records[name].members}


def member_names(code, enum):
    """The names a member's code declares: an enumerator, or a record's fields."""
    if enum:
        return re.match(r"\w+", code).group()
    parts = code.rstrip(";").split(",")
    return ", ".join(re.search(r"(\w+)\s*(?:\[\w*\])?\s*(?:=.*)?$", part).group(1)
                     for part in parts)


def commented_code(codes, notes, roff_of):
    """Lines of code with each note beside its line where every one fits, as macros; else the
    lines alone and None."""
    noted = [len(code) for code, note in zip(codes, notes) if note]
    column = max(noted, default=0) + 2
    lines = []
    for code, note in zip(codes, notes):
        if not note:
            lines.append(code_line([("B", code)]))
            continue
        comment = "// " + roff_of(note)
        if column + shown_width(comment) > CODE_WIDTH:
            return [code_line([("B", code)]) for code in codes], None
        padded = code.ljust(column).replace("\\", r"\e").replace("-", r"\-")
        lines.append(f'.BR "{padded}" "{comment}"')
    return lines, True


def listing(items, tag_font, roff_of):
    """A list of names and their notes: .TP paragraphs."""
    items = [(name, note) for name, note in items if note]
    if not items:
        return []
    width = min(max(len(name) for name, _ in items) + 2, 30)
    lines = []
    for index, (name, note) in enumerate(items):
        lines.append(f".TP {width}" if index == 0 else ".TP")
        lines.append(f".{tag_font} " + code_argument(name))
        lines += fill(sentence(roff_of(note)))
    return lines


def record_entry(declaration, library):
    """A record's or an enumeration's code, its comment and its members'."""
    enum = declaration.kind == "enum"
    fields = {member_names(code, False) for code, _ in declaration.members} if not enum else set()
    italic = {name.strip() for names in fields for name in names.split(",")}
    scope = library.enumerators(declaration.words + " " +
                                " ".join(code for code, _ in declaration.members))
    roff = lambda text, marks=True: prose(text, italic, library.names, scope, marks)
    head = declaration.words
    codes = [code for code, _ in declaration.members]
    notes = [note for _, note in declaration.members]
    if enum and not any(notes) and len(f"{head} {{ {', '.join(codes)} }};") <= CODE_WIDTH:
        lines, inline = [code_line([("B", f"{head} {{ {', '.join(codes)} }};")])], True
    else:
        shown = [f"  {code}," if enum and index < len(codes) - 1 else f"  {code}"
                 for index, code in enumerate(codes)]
        body, inline = commented_code(shown, notes, lambda note: roff(note, False))
        if enum and (not inline or not any(notes)):
            packed, line = [], " "
            for code in shown:
                if len(line) + 1 + len(code.strip()) > CODE_WIDTH:
                    packed.append(line)
                    line = " "
                line += " " + code.strip()
            body = [code_line([("B", text)]) for text in packed + [line]]
        lines = [code_line([("B", head + " {")])] + body + [code_line([("B", "};")])]
    text = [".nf"] + lines + [".fi"]
    if declaration.above:
        text += [".PP"] + fill(roff(" ".join(comment_text(l) for l in declaration.above)))
    if not inline:
        items = [(member_names(code, enum), note) for code, note in declaration.members]
        text += listing(items, "B" if enum else "I", roff)
    return text


def constants_entry(group, library):
    """Constants and aliases that share an entry: their code, the comment above the first and
    each one's own comment."""
    roff = lambda text, marks=True: prose(text, (), library.names, (), marks)
    codes = [d.words + ";" for d in group]
    notes = [d.trailing for d in group]
    above = " ".join(comment_text(l) for l in group[0].above)
    if len(group) > 1 and not notes[0] and any(notes) and above:
        notes[0], above = above, ""  # the comment above is the first one's own
    lines, inline = commented_code(codes, notes, lambda note: roff(note, False))
    text = [".nf"] + lines + [".fi"]
    if above:
        text += [".PP"] + fill(roff(above))
    if not inline:
        text += listing([(d.name, note) for d, note in zip(group, notes)], "B", roff)
    return text


def synopsis(declaration, params, head, tail):
    """A function's declaration as lines of code, broken between parameters to fit."""
    pieces = [[("B", head)]]
    for index, (before, name, after) in enumerate(params):
        end = ", " if index < len(params) - 1 else tail + ";"
        pieces.append([("B", before), ("I", name), ("B", after + end)])
    if not params:
        pieces[0].append(("B", tail + ";"))
    lines, line, width = [], [], 0
    for piece in pieces:
        size = sum(len(text) for _, text in piece)
        if line and width + len("".join(t for _, t in piece).rstrip()) > CODE_WIDTH:
            lines.append(line)
            line, width = [("B", "    ")], 4
        line += piece
        width += size
    lines.append(line)
    shown = [[(font, text.rstrip() if i == len(l) - 1 else text) for i, (font, text) in
              enumerate(l)] for l in lines]
    template = [code_line([("B", declaration.template)])] if declaration.template else []
    return template + [code_line(l) for l in shown]


def function_entry(overloads, library):
    """A function's overloads, each with its code, its summary and its blocks."""
    text = []
    for number, declaration in enumerate(overloads):
        head, params, tail = parameters(declaration.words, declaration.name)
        italic = {name for _, name, _ in params}
        scope = library.enumerators(declaration.words)
        roff = lambda said: prose(said, italic, library.names, scope)
        summary, blocks = function_comment(declaration.above)
        text += ([".PP"] if number else []) + [".nf"]
        text += synopsis(declaration, params, head, tail) + [".fi"]
        if summary:
            text += [".PP"] + fill(roff(summary))
        for index, (block, lines) in enumerate(blocks):
            text += [".TP 10" if index == 0 else ".TP", f".B {block}"]
            if block in ("Given", "Returned"):
                for entry, (name, said) in enumerate(listed_entries(lines)):
                    text += [".br"] if entry else []
                    value = re.fullmatch(r"\((.+)\)", name)
                    text.append(f".RB ( {code_argument(value.group(1))} ):" if value
                                else f".IR {code_argument(name)} :")
                    text += fill(sentence(roff(said))) if said else []
            else:
                said = " ".join(line for _, line in lines)
                text += fill(sentence(roff(capitalized(said))))
    return text


def entries(declarations, library):
    """The entries of a header's declarations, in its order: [(heading, lines)]."""
    found, done = [], set()
    for index, declaration in enumerate(declarations):
        if declaration.kind == "function":
            if declaration.name in done:
                continue
            done.add(declaration.name)
            overloads = [d for d in declarations
                         if d.kind == "function" and d.name == declaration.name]
            found.append((declaration.name, function_entry(overloads, library)))
        elif declaration.kind in ("record", "enum"):
            found.append((declaration.name, record_entry(declaration, library)))
        else:
            before = declarations[index - 1] if index else None
            if (before and before.kind in ("constant", "alias") and not declaration.above and
                    before.last == declaration.first - 1):
                continue  # shares the entry of the one above it
            group = [declaration]
            for after in declarations[index + 1:]:
                if (after.kind not in ("constant", "alias") or after.above or
                        after.first != group[-1].last + 1):
                    break
                group.append(after)
            found.append((declaration.name, constants_entry(group, library)))
    return found


# --- the page ---

def page(source):
    """The manual page's text."""
    headers = installed_headers(source)
    read = {}
    for header in headers:
        with open(os.path.join(source, header), encoding="utf-8") as f:
            read[header] = read_header(f.read())
    library = Library([d for _, declarations in read.values() for d in declarations])
    with open(os.path.join(source, FRAME), encoding="utf-8") as f:
        frame = f.read().split("\n")
    while frame and frame[0].startswith('.\\"'):
        frame.pop(0)  # the frame's own comment
    lines, placed = [GENERATED.rstrip("\n")], []
    for line in frame:
        marker = MARKER.match(line)
        if not marker:
            lines.append(line)
            continue
        section = marker.group(1).split()
        for header in section:
            if header not in read:
                raise ManualError(f"{FRAME} names {header}, which the library does not install")
            placed.append(header)
            lines += [".TP", ".I <dockorrery/" + header + ">"] + fill(sentence(prose(
                read[header][0], (), library.names)))
        for header in section:
            for heading, text in entries(read[header][1], library):
                lines += [f".SS {heading}"] + text
    for header in headers:
        if placed.count(header) != 1:
            raise ManualError(f"{FRAME} names {header} {placed.count(header)} times, not once")
    return "\n".join(lines)


def main(argv):
    args = parse_folders(__doc__, argv, ".", "library",
                         "the source tree whose headers and frame are read", "--source")
    try:
        text = page(args.source)
    except (OSError, ManualError) as error:
        print(f"gen_manual: {error}", file=sys.stderr)
        return 1
    write_sources(args.out, [(PAGE, text)])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
