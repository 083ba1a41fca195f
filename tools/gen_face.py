#!/usr/bin/env python3
"""Writes the applet's face artwork: applet/art/face.xpm and applet/art/face_mask.xbm.

Usage: tools/gen_face.py [OUTDIR]   (default: applet/art next to this script's parent)

The image is 134x148 pixels. Its top-left 64x64 is the face as it looks before the first
frame; right of and below it lie the cells that every frame copies onto the face: the clear
block, the orange digit font, the white letter row and the 2x2 body dots. The output depends
on nothing but this script, so running it again reproduces both files byte for byte.
"""

import os
import sys

WIDTH, HEIGHT = 134, 148
MASK_SIZE = 64

# Pixel character and colour, in the order of the colour lines.
PALETTE = [
    (" ", "None"),
    (".", "#79BDBF"),  # teal ring, outside the window shape
    ("+", "#000000"),  # black
    ("@", "#FFBF50"),  # orange
    ("#", "#D0D0D0"),  # light grey edges
    ("$", "#FFFFFF"),  # white
    ("%", "#FF0000"),  # red
    ("&", "#FFFF00"),  # yellow
    ("*", "#FF00FF"),  # magenta
    ("=", "#C0C0C0"),  # silver
    ("-", "#00FFFF"),  # cyan
    (";", "#00FF00"),  # green
    (">", "#0008FF"),  # blue
]
TEAL, BLACK, ORANGE, GREY, WHITE = ".", "+", "@", "#", "$"

# 5x6 digit font, glyphs in the left four columns. The same shapes serve the white digits.
DIGITS_5X6 = [
    [".X...", "X.X..", "X.X..", "X.X..", "X.X..", ".X..."],
    [".X...", "XX...", ".X...", ".X...", ".X...", "XXX.."],
    [".XX..", "X..X.", "...X.", "..X..", ".X...", "XXXX."],
    ["XXXX.", "...X.", ".XX..", "...X.", "X..X.", ".XX.."],
    ["..X..", ".XX..", "X.X..", "XXXX.", "..X..", "..X.."],
    ["XXXX.", "X....", "XXX..", "...X.", "X..X.", ".XX.."],
    [".XX..", "X....", "XXX..", "X..X.", "X..X.", ".XX.."],
    ["XXXX.", "...X.", "..X..", "..X..", ".X...", ".X..."],
    [".XX..", "X..X.", ".XX..", "X..X.", "X..X.", ".XX.."],
    [".XX..", "X..X.", "X..X.", ".XXX.", "...X.", ".XX.."],
]
POINT_5X6 = [".....", ".....", ".....", ".....", ".XX..", ".XX.."]
PERCENT_5X6 = ["X..X.", "...X.", "..X..", ".X...", "X....", "X..X."]
MINUS_5X6 = [".....", ".....", "XXX..", ".....", ".....", "....."]
COLON_5X6 = [".....", ".X...", ".....", ".....", ".X...", "....."]

# 5x6 capitals A to Z.
LETTERS_5X6 = {
    "A": [".XX..", "X..X.", "X..X.", "XXXX.", "X..X.", "X..X."],
    "B": ["XXX..", "X..X.", "XXX..", "X..X.", "X..X.", "XXX.."],
    "C": [".XXX.", "X....", "X....", "X....", "X....", ".XXX."],
    "D": ["XXX..", "X..X.", "X..X.", "X..X.", "X..X.", "XXX.."],
    "E": ["XXXX.", "X....", "XXX..", "X....", "X....", "XXXX."],
    "F": ["XXXX.", "X....", "XXX..", "X....", "X....", "X...."],
    "G": [".XXX.", "X....", "X....", "X.XX.", "X..X.", ".XXX."],
    "H": ["X..X.", "X..X.", "XXXX.", "X..X.", "X..X.", "X..X."],
    "I": ["XXX..", ".X...", ".X...", ".X...", ".X...", "XXX.."],
    "J": ["..XX.", "...X.", "...X.", "...X.", "X..X.", ".XX.."],
    "K": ["X..X.", "X.X..", "XX...", "XX...", "X.X..", "X..X."],
    "L": ["X....", "X....", "X....", "X....", "X....", "XXXX."],
    "M": ["X..X.", "XXXX.", "XXXX.", "X..X.", "X..X.", "X..X."],
    "N": ["X..X.", "XX.X.", "XX.X.", "X.XX.", "X.XX.", "X..X."],
    "O": [".XX..", "X..X.", "X..X.", "X..X.", "X..X.", ".XX.."],
    "P": ["XXX..", "X..X.", "X..X.", "XXX..", "X....", "X...."],
    "Q": [".XX..", "X..X.", "X..X.", "X..X.", "X.XX.", ".XXX."],
    "R": ["XXX..", "X..X.", "X..X.", "XXX..", "X.X..", "X..X."],
    "S": [".XXX.", "X....", ".XX..", "...X.", "...X.", "XXX.."],
    "T": ["XXX..", ".X...", ".X...", ".X...", ".X...", ".X..."],
    "U": ["X..X.", "X..X.", "X..X.", "X..X.", "X..X.", ".XX.."],
    "V": ["X..X.", "X..X.", "X..X.", "X..X.", ".XX..", ".XX.."],
    "W": ["X..X.", "X..X.", "X..X.", "XXXX.", "XXXX.", "X..X."],
    "X": ["X..X.", "X..X.", ".XX..", ".XX..", "X..X.", "X..X."],
    "Y": ["X.X..", "X.X..", "X.X..", ".X...", ".X...", ".X..."],
    "Z": ["XXXX.", "...X.", "..X..", ".X...", "X....", "XXXX."],
}

# 5x7 letters of the heading word.
HEADING_5X7 = {
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
}

# 5x8 digits 0-9 and the plus sign.
LARGE_5X8 = [
    [".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", "X...X", ".XXX."],
    ["..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    [".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "X....", "XXXXX"],
    [".XXX.", "X...X", "....X", "..XX.", "....X", "....X", "X...X", ".XXX."],
    ["...X.", "..XX.", ".X.X.", "X..X.", "XXXXX", "...X.", "...X.", "...X."],
    ["XXXXX", "X....", "XXXX.", "....X", "....X", "....X", "X...X", ".XXX."],
    ["..XX.", ".X...", "X....", "XXXX.", "X...X", "X...X", "X...X", ".XXX."],
    ["XXXXX", "....X", "...X.", "..X..", "..X..", ".X...", ".X...", ".X..."],
    [".XXX.", "X...X", "X...X", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    [".XXX.", "X...X", "X...X", "X...X", ".XXXX", "....X", "...X.", ".XX.."],
    [".....", "..X..", "..X..", "XXXXX", "..X..", "..X..", ".....", "....."],
]

# 5x8 unit symbols: minus, degree, C, F.
SYMBOLS_5X8 = [
    [".....", ".....", ".....", "XXXX.", ".....", ".....", ".....", "....."],
    [".XX..", "X..X.", "X..X.", ".XX..", ".....", ".....", ".....", "....."],
    [".XXX.", "X...X", "X....", "X....", "X....", "X....", "X...X", ".XXX."],
    ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "X....", "X...."],
]

# Top-left of each 2x2 body dot and its colour.
BODY_DOTS = [
    ((72, 88), WHITE), ((74, 88), "%"), ((76, 88), "&"), ((78, 88), "*"),
    ((72, 90), "="), ((74, 90), "-"), ((76, 90), ";"), ((78, 90), ">"),
]


def new_image():
    return [[BLACK] * WIDTH for _ in range(HEIGHT)]


def fill(image, x0, y0, x1, y1, char):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            image[y][x] = char


def stamp(image, x0, y0, pattern, char):
    """Writes a glyph cell whole: X in `char`, everything else black."""
    for dy, row in enumerate(pattern):
        for dx, cell in enumerate(row):
            image[y0 + dy][x0 + dx] = char if cell == "X" else BLACK


def draw_face(image):
    # Teal ring: the square (0,0)-(62,62) outside the window shape (4,4)-(59,59).
    fill(image, 0, 0, 62, 62, TEAL)
    fill(image, 4, 4, 59, 59, BLACK)
    # Light-grey right and bottom edges of the well; the top-right corner (59,4) stays black.
    fill(image, 59, 5, 59, 59, GREY)
    fill(image, 4, 59, 59, 59, GREY)
    # Column 63 and row 63 stay black: the outer line.


def draw_glyphs(image):
    # The clear block (5,69)-(58,122) is left black.
    for d, pattern in enumerate(DIGITS_5X6):
        stamp(image, 66 + 5 * d, 57, pattern, ORANGE)
    stamp(image, 116, 57, POINT_5X6, ORANGE)
    stamp(image, 121, 57, PERCENT_5X6, ORANGE)
    stamp(image, 126, 57, MINUS_5X6, ORANGE)

    for k in range(26):
        stamp(image, 2 + 5 * k, 128, LETTERS_5X6[chr(ord("A") + k)], WHITE)
    for d, pattern in enumerate(DIGITS_5X6):
        stamp(image, 2 + 5 * d, 135, pattern, WHITE)
    stamp(image, 52, 135, COLON_5X6, WHITE)

    for (x, y), char in BODY_DOTS:
        fill(image, x, y, x + 1, y + 1, char)

    # Content the program never copies: a heading, a larger digit set, unit symbols, and
    # the compass letters in the small font.
    for i, letter in enumerate("DATE"):
        stamp(image, 66 + 6 * i, 4, HEADING_5X7[letter], ORANGE)
    for i, pattern in enumerate(LARGE_5X8):
        stamp(image, 66 + 6 * i, 25, pattern, ORANGE)
    for i, pattern in enumerate(SYMBOLS_5X8):
        stamp(image, 66 + 6 * i, 34, pattern, ORANGE)
    for i, letter in enumerate("NESW"):
        stamp(image, 66 + 5 * i, 43, LETTERS_5X6[letter], ORANGE)


def xpm_text(image):
    lines = ['"%d %d %d 1",' % (WIDTH, HEIGHT, len(PALETTE))]
    lines += ['"%s\tc %s",' % (char, colour) for char, colour in PALETTE]
    lines += ['"%s",' % "".join(row) for row in image]
    lines[-1] = lines[-1][:-1] + "};"
    return "/* XPM */\nstatic const char *face_xpm[] = {\n" + "\n".join(lines) + "\n"


def mask_bytes():
    """Rows of 8 bytes, least significant bit leftmost; set inside the square (4,4)-(59,59)."""
    data = []
    for y in range(MASK_SIZE):
        for byte in range(MASK_SIZE // 8):
            value = 0
            for bit in range(8):
                x = 8 * byte + bit
                if 4 <= x <= 59 and 4 <= y <= 59:
                    value |= 1 << bit
            data.append(value)
    return data


def xbm_text(data):
    rows = [", ".join("0x%02x" % b for b in data[i:i + 12]) for i in range(0, len(data), 12)]
    return ("#define face_mask_width %d\n#define face_mask_height %d\n"
            "static unsigned char face_mask_bits[] = {\n   %s};\n"
            % (MASK_SIZE, MASK_SIZE, ",\n   ".join(rows)))


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: gen_face.py [OUTDIR]\n")
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = argv[1] if len(argv) == 2 else os.path.join(here, "..", "applet", "art")
    os.makedirs(outdir, exist_ok=True)

    image = new_image()
    draw_face(image)
    draw_glyphs(image)
    assert all(len(row) == WIDTH for row in image) and len(image) == HEIGHT

    with open(os.path.join(outdir, "face.xpm"), "w", encoding="ascii", newline="\n") as f:
        f.write(xpm_text(image))
    with open(os.path.join(outdir, "face_mask.xbm"), "w", encoding="ascii", newline="\n") as f:
        f.write(xbm_text(mask_bytes()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
