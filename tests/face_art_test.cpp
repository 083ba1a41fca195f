// The face artwork against the layout the drawing code copies from.

#include <gtest/gtest.h>
#include <unistd.h>
// After GoogleTest, whose names Xlib's None and Bool macros would clash with.
#include <X11/xpm.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "applet/face_art.h"
#include "tests/support/face_patterns.h"

namespace {

constexpr int kWidth = 134;
constexpr int kHeight = 148;
constexpr int kFirstRowLine = 14;  // values line and 13 colour lines come first

constexpr char kTealChar = '.', kBlackChar = '+', kOrangeChar = '@', kGreyChar = '#',
               kWhiteChar = '$';

char pixel(int x, int y) { return faceXpm[kFirstRowLine + y][x]; }

// A 5x6 cell of the image in pattern form: `ink` as 'X', black as '.', anything else as itself.
std::string cellText(int x0, int y0, char ink) {
  std::string text;
  for (int y = y0; y < y0 + 6; ++y) {
    for (int x = x0; x < x0 + 5; ++x) {
      const char c = pixel(x, y);
      text += c == ink ? 'X' : c == kBlackChar ? '.' : c;
    }
    text += '\n';
  }
  return text;
}

std::string patternText(const GlyphPattern& pattern) {
  std::string text;
  for (const char* row : pattern) text += std::string(row) + '\n';
  return text;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FaceArt, ValuesLineAndPalette) {
  EXPECT_STREQ(faceXpm[0], "134 148 13 1");
  const char* const palette[13] = {
      " \tc None",    ".\tc #79BDBF", "+\tc #000000", "@\tc #FFBF50", "#\tc #D0D0D0",
      "$\tc #FFFFFF", "%\tc #FF0000", "&\tc #FFFF00", "*\tc #FF00FF", "=\tc #C0C0C0",
      "-\tc #00FFFF", ";\tc #00FF00", ">\tc #0008FF"};
  for (int i = 0; i < 13; ++i) EXPECT_STREQ(faceXpm[1 + i], palette[i]) << "colour line " << i;
  for (int y = 0; y < kHeight; ++y) {
    ASSERT_EQ(std::strlen(faceXpm[kFirstRowLine + y]), size_t{kWidth}) << "row " << y;
  }
  // "None" is declared but no pixel uses it.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_NE(pixel(x, y), ' ') << x << ", " << y;
  }
}

TEST(FaceArt, FaceBeforeTheFirstFrame) {
  // Built area by area: teal ring, black well with its black top-right pixel, light-grey right
  // and bottom edges, black outer line.
  std::string expected;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      char c = kBlackChar;
      if (x <= 62 && y <= 62 && !(x >= 4 && x <= 59 && y >= 4 && y <= 59)) c = kTealChar;
      if ((x == 59 && y >= 5 && y <= 59) || (y == 59 && x >= 4 && x <= 59)) c = kGreyChar;
      expected += c;
    }
    expected += '\n';
  }
  std::string actual;
  for (int y = 0; y < 64; ++y) actual += std::string(faceXpm[kFirstRowLine + y], 64) + '\n';
  EXPECT_EQ(actual, expected);
}

TEST(FaceArt, DigitFontAndPointGlyph) {
  for (int d = 0; d < 10; ++d) {
    EXPECT_EQ(cellText(digitGlyphX(d), kDigitRow, kOrangeChar), patternText(kDigitPatterns[d]))
        << d;
  }
  EXPECT_EQ(cellText(kPointGlyphX, kDigitRow, kOrangeChar), patternText(kPointPattern));
}

TEST(FaceArt, LettersOfTheViewLabel) {
  const struct {
    char letter;
    const GlyphPattern& pattern;
  } cases[] = {{'I', kLetterI}, {'N', kLetterN}, {'O', kLetterO}, {'T', kLetterT}, {'U', kLetterU}};
  for (const auto& c : cases) {
    EXPECT_EQ(cellText(letterGlyphX(c.letter), kLetterRow, kWhiteChar), patternText(c.pattern))
        << c.letter;
  }
}

TEST(FaceArt, BodyDots) {
  const struct {
    int x, y;
    char colour;
  } dots[] = {{72, 88, '$'}, {74, 88, '%'}, {76, 88, '&'}, {78, 88, '*'},
              {72, 90, '='}, {74, 90, '-'}, {76, 90, ';'}, {78, 90, '>'}};
  for (const auto& dot : dots) {
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) {
        EXPECT_EQ(pixel(dot.x + dx, dot.y + dy), dot.colour) << dot.x + dx << ", " << dot.y + dy;
      }
    }
  }
}

TEST(FaceArt, ClearBlockAndEveryUnnamedPixelAreBlack) {
  // What each pixel may be: 0 for the areas checked above, else black or the one colour that
  // the never-copied content of its area is drawn in.
  std::vector<std::string> allowed(kHeight, std::string(kWidth, kBlackChar));
  auto allow = [&](int x0, int y0, int x1, int y1, char c) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) allowed[y][x] = c;
    }
  };
  allow(0, 0, 63, 63, 0);        // the face
  allow(66, 57, 120, 62, 0);     // digit font and point glyph
  allow(72, 88, 79, 91, 0);      // body dots
  for (char letter : {'I', 'N', 'O', 'T', 'U'}) {
    const int x = letterGlyphX(letter);
    allow(x, kLetterRow, x + 4, kLetterRow + 5, 0);
  }
  allow(121, 57, 130, 62, kOrangeChar);  // percent and minus
  allow(66, 4, 88, 10, kOrangeChar);     // heading word
  allow(64, 25, 133, 32, kOrangeChar);   // larger digits and plus
  allow(64, 34, 133, 41, kOrangeChar);   // symbols
  allow(64, 43, 133, 48, kOrangeChar);   // orange capitals
  for (int k = 0; k < 26; ++k) {         // other letters: left four columns only
    if (allowed[128][2 + 5 * k] != 0) allow(2 + 5 * k, 128, 5 + 5 * k, 133, kWhiteChar);
  }
  allow(2, 135, 56, 140, kWhiteChar);  // white digits and colon

  int faults = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const char c = pixel(x, y);
      if (allowed[y][x] == 0 || c == kBlackChar || c == allowed[y][x]) continue;
      if (++faults <= 20) ADD_FAILURE() << "pixel (" << x << ", " << y << ") is '" << c << "'";
    }
  }
  EXPECT_EQ(faults, 0);
  // The clear block is the source of the clear step and must be black through and through.
  for (int y = 69; y <= 122; ++y) {
    EXPECT_EQ(std::string(faceXpm[kFirstRowLine + y] + 5, 54), std::string(54, kBlackChar))
        << "row " << y;
  }
}

TEST(FaceArt, ShapeMaskIsTheSquareFrom4To59) {
  const unsigned char inside[8] = {0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F};
  for (int y = 0; y < 64; ++y) {
    for (int i = 0; i < 8; ++i) {
      const unsigned char expected = y >= 4 && y <= 59 ? inside[i] : 0x00;
      EXPECT_EQ(faceMaskBits[8 * y + i], expected) << "row " << y << " byte " << i;
    }
  }
}

// The committed file is real XPM: libXpm reads it, with nothing but "c" keys, to the same image
// as the data compiled into the program.
TEST(FaceArt, FileReadsWithLibXpmAndMatchesTheProgramsData) {
  std::string path = SOURCE_DIR "/applet/art/face.xpm";
  XpmImage file{}, built{};
  XpmInfo fileInfo{}, builtInfo{};
  ASSERT_EQ(XpmReadFileToXpmImage(path.data(), &file, &fileInfo), XpmSuccess);
  ASSERT_EQ(XpmCreateXpmImageFromData(const_cast<char**>(faceXpm), &built, &builtInfo),
            XpmSuccess);

  EXPECT_EQ(file.width, 134u);
  EXPECT_EQ(file.height, 148u);
  EXPECT_EQ(file.cpp, 1u);
  ASSERT_EQ(file.ncolors, 13u);
  ASSERT_EQ(built.ncolors, 13u);
  for (unsigned i = 0; i < 13; ++i) {
    const XpmColor& colour = file.colorTable[i];
    EXPECT_EQ(colour.string[0], faceXpm[1 + i][0]) << i;
    EXPECT_STREQ(colour.c_color, faceXpm[1 + i] + 4) << i;
    EXPECT_EQ(colour.symbolic, nullptr) << i;
    EXPECT_EQ(colour.m_color, nullptr) << i;
    EXPECT_EQ(colour.g_color, nullptr) << i;
    EXPECT_EQ(colour.g4_color, nullptr) << i;
    EXPECT_STREQ(built.colorTable[i].c_color, colour.c_color) << i;
  }
  ASSERT_EQ(built.width, file.width);
  ASSERT_EQ(built.height, file.height);
  EXPECT_EQ(std::memcmp(file.data, built.data, sizeof(unsigned) * 134 * 148), 0);
  // And the pixel indices point at the colour lines of the characters in the rows.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      ASSERT_EQ(file.colorTable[file.data[y * kWidth + x]].string[0], pixel(x, y));
    }
  }
  XpmFreeXpmImage(&file);
  XpmFreeXpmImage(&built);
  XpmFreeXpmInfo(&fileInfo);
  XpmFreeXpmInfo(&builtInfo);
}

TEST(FaceArt, GeneratorReproducesTheCommittedFiles) {
  char pattern[] = "/tmp/gen_face.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path dir = pattern;
  const std::string command =
      std::string("python3 '") + SOURCE_DIR "/tools/gen_face.py' '" + dir.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  for (const char* name : {"face.xpm", "face_mask.xbm"}) {
    const std::string generated = readFile(dir / name);
    EXPECT_FALSE(generated.empty()) << name;
    EXPECT_TRUE(generated == readFile(std::filesystem::path(SOURCE_DIR "/applet/art") / name))
        << name << " differs from what tools/gen_face.py writes";
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
