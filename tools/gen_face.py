#!/usr/bin/env python3
"""Writes the applet's face artwork and its layout: applet/art/face.xpm, face_mask.xbm and
face_layout.h.

Usage: tools/gen_face.py [--out DIR]   (default: applet/art of the repository)

The image is 134x148 pixels. Its top-left 64x64 is the face as it looks before the first
frame; right of and below it lie the cells that every frame copies onto the face: the clear
block, the orange digit font, the white letter row and the 2x2 body dots. face_layout.h gives
the drawing code, the tests and the bench every one of those positions, with the places on the
face the readout and the view label are drawn to. The output depends on nothing but this
script, so running it again reproduces the three files byte for byte.
"""

import sys

from generated_sources import parse_folders, write_sources

WIDTH, HEIGHT = 134, 148
FACE_SIZE = 64            # the face, both windows and the shape mask
SHAPE = (4, 59)           # first and last row and column inside the window shape
WELL = (5, 5, 54)         # the plot well: top-left and size
CLEAR_BLOCK = (5, 69)     # top-left of the black block of the well's size
GLYPH_WIDTH, GLYPH_HEIGHT = 5, 6
DIGIT_GLYPHS = (66, 57)   # orange digit 0; digit d is 5d further right, the point glyph after 9
LETTER_GLYPHS = (2, 128)  # white A; the capital of index k is 5k further right
DOT_SIZE = 2
READOUT = (6, 50, 10)     # on the face: top-left of the readout and its number of cells
LABEL = (7, 6)            # on the face: top-left of the view label

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

# Top-left of each 2x2 body dot, its colour's name and its pixel character.
BODY_DOTS = [
    ((72, 88), "White", WHITE), ((74, 88), "Red", "%"), ((76, 88), "Yellow", "&"),
    ((78, 88), "Magenta", "*"), ((72, 90), "Silver", "="), ((74, 90), "Cyan", "-"),
    ((76, 90), "Green", ";"), ((78, 90), "Blue", ">"),
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


def digit_x(digit):
    return DIGIT_GLYPHS[0] + GLYPH_WIDTH * digit


def letter_x(letter):
    return LETTER_GLYPHS[0] + GLYPH_WIDTH * (ord(letter) - ord("A"))


def draw_face(image):
    first, last = SHAPE
    # Teal ring: the square (0,0)-(62,62) outside the window shape (4,4)-(59,59).
    fill(image, 0, 0, FACE_SIZE - 2, FACE_SIZE - 2, TEAL)
    fill(image, first, first, last, last, BLACK)
    # Light-grey right and bottom edges of the well; the top-right corner (59,4) stays black.
    fill(image, last, first + 1, last, last, GREY)
    fill(image, first, last, last, last, GREY)
    # Column 63 and row 63 stay black: the outer line.


def draw_glyphs(image):
    # The clear block (5,69)-(58,122) is left black.
    row = DIGIT_GLYPHS[1]
    for d, pattern in enumerate(DIGITS_5X6):
        stamp(image, digit_x(d), row, pattern, ORANGE)
    stamp(image, digit_x(10), row, POINT_5X6, ORANGE)
    stamp(image, digit_x(11), row, PERCENT_5X6, ORANGE)
    stamp(image, digit_x(12), row, MINUS_5X6, ORANGE)

    for k in range(26):
        letter = chr(ord("A") + k)
        stamp(image, letter_x(letter), LETTER_GLYPHS[1], LETTERS_5X6[letter], WHITE)
    for d, pattern in enumerate(DIGITS_5X6):
        stamp(image, 2 + 5 * d, 135, pattern, WHITE)
    stamp(image, 52, 135, COLON_5X6, WHITE)

    for (x, y), _, char in BODY_DOTS:
        fill(image, x, y, x + DOT_SIZE - 1, y + DOT_SIZE - 1, char)

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
    first, last = SHAPE
    data = []
    for y in range(FACE_SIZE):
        for byte in range(FACE_SIZE // 8):
            value = 0
            for bit in range(8):
                x = 8 * byte + bit
                if first <= x <= last and first <= y <= last:
                    value |= 1 << bit
            data.append(value)
    return data


def xbm_text(data):
    rows = [", ".join("0x%02x" % b for b in data[i:i + 12]) for i in range(0, len(data), 12)]
    return ("#define face_mask_width %d\n#define face_mask_height %d\n"
            "static unsigned char face_mask_bits[] = {\n   %s};\n"
            % (FACE_SIZE, FACE_SIZE, ",\n   ".join(rows)))


def layout_text():
    dots = "\n".join(f"constexpr ArtworkCell k{name}Dot = {{{x}, {y}}};"
                     for (x, y), name, _ in BODY_DOTS)
    return f"""// Written by tools/gen_face.py with face.xpm and face_mask.xbm; edit the generator, not this file.
// Where everything lies in the face artwork and on the face, in pixels from the top-left corner:
// the one place the drawing code, the tests and the bench take these positions from.
#pragma once

namespace dockorrery {{

// The artwork: {WIDTH}x{HEIGHT} pixels in {len(PALETTE)} colours, one character a pixel.
constexpr int kArtworkWidth = {WIDTH};
constexpr int kArtworkHeight = {HEIGHT};
constexpr int kArtworkColours = {len(PALETTE)};

// The face: the artwork's top-left {FACE_SIZE}x{FACE_SIZE}, the size of both windows and of the shape mask,
// which keeps the square from (kShapeFirst, kShapeFirst) to (kShapeLast, kShapeLast).
constexpr int kFaceSize = {FACE_SIZE};
constexpr int kShapeFirst = {SHAPE[0]};
constexpr int kShapeLast = {SHAPE[1]};

// The plot well of the face, a square cleared every frame from the black clear block of the
// artwork, of the same size.
constexpr int kWellX = {WELL[0]};
constexpr int kWellY = {WELL[1]};
constexpr int kWellSize = {WELL[2]};
constexpr int kClearBlockX = {CLEAR_BLOCK[0]};
constexpr int kClearBlockY = {CLEAR_BLOCK[1]};

// Glyph cells, {GLYPH_WIDTH}x{GLYPH_HEIGHT} pixels, the same in the artwork and on the face: the orange digit d
// at (digitGlyphX(d), kDigitRow) with the point glyph after the nine, the white capital letter
// at (letterGlyphX(letter), kLetterRow).
constexpr int kGlyphWidth = {GLYPH_WIDTH};
constexpr int kGlyphHeight = {GLYPH_HEIGHT};
constexpr int kDigitRow = {DIGIT_GLYPHS[1]};
constexpr int kLetterRow = {LETTER_GLYPHS[1]};
constexpr int digitGlyphX(int digit) {{ return {DIGIT_GLYPHS[0]} + kGlyphWidth * digit; }}
constexpr int kPointGlyphX = digitGlyphX(10);
constexpr int letterGlyphX(char letter) {{ return {LETTER_GLYPHS[0]} + kGlyphWidth * (letter - 'A'); }}

// The body dots: the top-left of each {DOT_SIZE}x{DOT_SIZE} cell, by its colour.
struct ArtworkCell {{
  int x, y;
}};
constexpr int kDotSize = {DOT_SIZE};
{dots}

// On the face: the readout, kReadoutCells glyph cells left to right from (kReadoutX, kReadoutY),
// and the view label, up to three cells from (kLabelX, kLabelY) in the top-left of the well.
constexpr int kReadoutX = {READOUT[0]};
constexpr int kReadoutY = {READOUT[1]};
constexpr int kReadoutCells = {READOUT[2]};
constexpr int kReadoutWidth = kReadoutCells * kGlyphWidth;
constexpr int kLabelX = {LABEL[0]};
constexpr int kLabelY = {LABEL[1]};

}}  // namespace dockorrery
"""


def main(argv):
    args = parse_folders(__doc__, argv, None, "applet/art", None)
    image = new_image()
    draw_face(image)
    draw_glyphs(image)
    assert all(len(row) == WIDTH for row in image) and len(image) == HEIGHT
    # Every frame copies the clear block over the well: both must be black through and through.
    for x0, y0 in (WELL[:2], CLEAR_BLOCK):
        assert all(image[y][x] == BLACK
                   for y in range(y0, y0 + WELL[2]) for x in range(x0, x0 + WELL[2]))
    write_sources(args.out, [("face.xpm", xpm_text(image)), ("face_mask.xbm", xbm_text(mask_bytes())),
                             ("face_layout.h", layout_text())])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
