// The glyph patterns of the face artwork as the program's drawing relies on them, 5x6 cells with
// row 0 at the top: 'X' is the glyph's colour (orange digits, white letters), '.' black.
#pragma once

using GlyphPattern = const char* const[6];

inline constexpr GlyphPattern kDigitPatterns[10] = {
    {".X...", "X.X..", "X.X..", "X.X..", "X.X..", ".X..."},
    {".X...", "XX...", ".X...", ".X...", ".X...", "XXX.."},
    {".XX..", "X..X.", "...X.", "..X..", ".X...", "XXXX."},
    {"XXXX.", "...X.", ".XX..", "...X.", "X..X.", ".XX.."},
    {"..X..", ".XX..", "X.X..", "XXXX.", "..X..", "..X.."},
    {"XXXX.", "X....", "XXX..", "...X.", "X..X.", ".XX.."},
    {".XX..", "X....", "XXX..", "X..X.", "X..X.", ".XX.."},
    {"XXXX.", "...X.", "..X..", "..X..", ".X...", ".X..."},
    {".XX..", "X..X.", ".XX..", "X..X.", "X..X.", ".XX.."},
    {".XX..", "X..X.", "X..X.", ".XXX.", "...X.", ".XX.."},
};

inline constexpr GlyphPattern kPointPattern = {".....", ".....", ".....",
                                               ".....", ".XX..", ".XX.."};

inline constexpr GlyphPattern kLetterI = {"XXX..", ".X...", ".X...", ".X...", ".X...", "XXX.."};
inline constexpr GlyphPattern kLetterN = {"X..X.", "XX.X.", "XX.X.", "X.XX.", "X.XX.", "X..X."};
inline constexpr GlyphPattern kLetterO = {".XX..", "X..X.", "X..X.", "X..X.", "X..X.", ".XX.."};
inline constexpr GlyphPattern kLetterT = {"XXX..", ".X...", ".X...", ".X...", ".X...", ".X..."};
inline constexpr GlyphPattern kLetterU = {"X..X.", "X..X.", "X..X.", "X..X.", "X..X.", ".XX.."};

// The pattern of a readout character: a digit, or '.' for the point glyph.
inline const GlyphPattern& readoutGlyph(char c) {
  return c == '.' ? kPointPattern : kDigitPatterns[c - '0'];
}

// The pattern of a label letter: I, N, O, T or U.
inline const GlyphPattern& labelGlyph(char letter) {
  switch (letter) {
    case 'I': return kLetterI;
    case 'N': return kLetterN;
    case 'O': return kLetterO;
    case 'U': return kLetterU;
    default: return kLetterT;
  }
}
