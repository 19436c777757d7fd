#include <gtest/gtest.h>

#include "Engine/Graphics/MipChain.h"
#include "ImageTestFiles.h"

namespace {

using Engine::i32;
using Engine::u32;
using namespace Engine::Graphics;

TEST(MipChainTest, A100By50ImageBecomes128By64WithSevenLevels) {
  Image picture(100, 50);
  std::fill(picture.pixels.begin(), picture.pixels.end(), 0xFF808080u);
  const std::vector<Image> levels = buildTextureLevels(picture);
  ASSERT_EQ(levels.size(), 7u);
  EXPECT_EQ(levels[0].width, 128);
  EXPECT_EQ(levels[0].height, 64);
  EXPECT_EQ(levels[6].width, 2);
  EXPECT_EQ(levels[6].height, 1);
  for (i32 y = 0; y < 64; ++y) {
    for (i32 x = 0; x < 128; ++x) {
      ASSERT_EQ(levels[0].at(x, y), x < 100 && y < 50 ? 0xFF808080u : 0u) << x << "," << y;
    }
  }
  // Level 1 straddles the edge: column 49 still covers image pixels, 50 none.
  EXPECT_EQ(levels[1].at(49, 0), 0xFF808080u);
  EXPECT_EQ(levels[1].at(50, 0), 0u);
}

TEST(MipChainTest, TheBoxFilterRoundsEachChannelToNearestHalvesUp) {
  Image level(2, 2);
  level.pixels = {packPixel(0, 1, 255, 0), packPixel(0, 2, 255, 0), packPixel(0, 2, 255, 1), packPixel(2, 2, 255, 1)};
  const Image next = boxFilterHalf(level);
  ASSERT_EQ(next.width, 1);
  // blue (2 + 2) / 4 = 1, green (7 + 2) / 4 = 2, red 255, alpha (2 + 2) / 4 = 1
  EXPECT_EQ(next.at(0, 0), packPixel(1, 2, 255, 1));
  level.pixels = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu};
  EXPECT_EQ(boxFilterHalf(level).at(0, 0), 0xFFFFFFFFu);
}

TEST(MipChainTest, LevelsCanBeWrittenThroughPitchedRows) {
  const Image picture = ImageTestFiles::testPattern(8, 4);
  std::vector<u32> rows(6 * 2, 0xABABABAB);  // 4 pixels a row plus 2 the filter must not touch
  boxFilterHalf(sourceOf(picture), PixelTarget{rows.data(), 4, 2, 6 * 4});
  const Image expected = boxFilterHalf(picture);
  for (i32 y = 0; y < 2; ++y) {
    for (i32 x = 0; x < 4; ++x) {
      EXPECT_EQ(rows[static_cast<std::size_t>(y * 6 + x)], expected.at(x, y));
    }
    EXPECT_EQ(rows[static_cast<std::size_t>(y * 6 + 4)], 0xABABABABu);
  }
}

}  // namespace
