#include "Canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Engine::u32;

std::string fontFile(const std::string& name, const std::string& text) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path) << text;
  return path.string();
}

// Glyph 'A': one dot at the top left, one in row 5 column 3, one at the bottom right.
std::string glyphA() {
  std::string rows = "; a test font\nglyph 65 A\n#.......\n";
  for (int row = 1; row < 15; ++row) rows += row == 5 ? "...#....\n" : "........\n";
  return rows + ".......#\n";
}

u32 at(const Canvas& canvas, int x, int y) { return canvas.image().row(y)[x]; }

int inked(const Canvas& canvas) {
  int count = 0;
  for (int y = 0; y < canvas.image().height; ++y) {
    for (int x = 0; x < canvas.image().width; ++x) count += at(canvas, x, y) != 0;
  }
  return count;
}

// "AB" at scale 2 is 32 wide, centred on 20: from x 4; 'B' is not in the font.
TEST(PictureCanvasTest, TextIsCentredScaledAndShadedDownItsRows) {
  const BitmapFont font(fontFile("picture_font_a.txt", glyphA()));
  Canvas canvas;
  canvas.resize(40, 40);
  canvas.text(20, 2, 2, 0xff0000ffu, 0xffff0000u, "AB", font);
  const struct { int x, y; u32 colour; } dots[] = {
      {4, 2, 0xff0000ffu}, {5, 3, 0xff0000ffu}, {3, 2, 0u}, {6, 2, 0u},
      {10, 12, 0xff5500aau},  // row 5 of 15: a third of the way down
      {18, 32, 0xffff0000u}, {19, 33, 0xffff0000u}, {20, 32, 0u},
  };
  for (const auto& dot : dots) EXPECT_EQ(at(canvas, dot.x, dot.y), dot.colour) << dot.x << "," << dot.y;
  EXPECT_EQ(inked(canvas), 12);
}

TEST(PictureCanvasTest, ShapesStayInsideTheirRectsAndThePicture) {
  Canvas canvas;
  canvas.resize(8, 8);
  canvas.verticalGradient({0, 0, 1, 3}, 0xff000000u, 0xff0000ffu);
  EXPECT_EQ(at(canvas, 0, 1), 0xff000080u);
  EXPECT_EQ(at(canvas, 0, 2), 0xff0000ffu);
  canvas.outline({4, 4, 4, 4}, 1, 0xffffffffu);
  EXPECT_EQ(at(canvas, 7, 7), 0xffffffffu);
  EXPECT_EQ(at(canvas, 5, 5), 0u);
  EXPECT_EQ(inked(canvas), 3 + 12);
  canvas.speckle({-4, -4, 20, 20}, 100, 1, 0xff123456u);
  EXPECT_EQ(inked(canvas), 64);
}

TEST(PictureCanvasTest, SpecklesAreAboutTheirShareAndTheSameForASeed) {
  Canvas none, half, again, other;
  for (Canvas* canvas : {&none, &half, &again, &other}) canvas->resize(32, 32);
  none.speckle({0, 0, 32, 32}, 0, 1, 0xffffffffu);
  half.speckle({0, 0, 32, 32}, 50, 1, 0xffffffffu);
  again.speckle({0, 0, 32, 32}, 50, 1, 0xffffffffu);
  other.speckle({0, 0, 32, 32}, 50, 2, 0xffffffffu);
  EXPECT_EQ(inked(none), 0);
  EXPECT_NEAR(inked(half), 512, 80);
  EXPECT_EQ(half.image().pixels, again.image().pixels);
  EXPECT_NE(half.image().pixels, other.image().pixels);
}

TEST(PictureCanvasDeathTest, AMalformedFontStopsNamingItsLine) {
  const std::string shortRow = fontFile("picture_font_bad.txt", "glyph 65\n#......\n");
  EXPECT_EXIT(BitmapFont{shortRow}, testing::ExitedWithCode(1), "picture_font_bad.txt:2: a glyph row");
  const std::string badCode = fontFile("picture_font_code.txt", "; fine\nglyph 300\n");
  EXPECT_EXIT(BitmapFont{badCode}, testing::ExitedWithCode(1), "picture_font_code.txt:2: expected");
  EXPECT_EXIT(BitmapFont{"/nonexistent/font.txt"}, testing::ExitedWithCode(1), "font.txt: cannot be read");
}

}  // namespace
