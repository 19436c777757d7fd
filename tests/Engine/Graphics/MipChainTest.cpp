#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "Engine/Graphics/ImageFile.h"
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
  const std::tuple sides{levels[0].width, levels[0].height, levels[6].width, levels[6].height};
  EXPECT_EQ(sides, std::tuple(128, 64, 2, 1));
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

using Engine::u8;
using ImageTestFiles::opaque;
using ImageTestFiles::testPattern;

u32 fieldU32(const std::vector<u8>& file, std::size_t at) {
  return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<u32>(file[at + 3]) << 24);
}

// Pixels inside rows longer than the image, as a locked surface gives them.
struct PitchedPixels {
  std::vector<u32> storage;
  PixelSource source;

  explicit PitchedPixels(const Image& image) : storage(static_cast<std::size_t>((image.width + 3) * image.height), 0xDEADBEEF) {
    for (i32 y = 0; y < image.height; ++y) {
      std::memcpy(&storage[static_cast<std::size_t>(y * (image.width + 3))], image.row(y),
                  static_cast<std::size_t>(image.width) * 4);
    }
    source = {storage.data(), image.width, image.height, (image.width + 3) * 4};
  }
};

TEST(ImageWriterTest, TgaAndDdsWrittenThenReadGiveThePixelsBack) {
  const Image picture = testPattern(13, 7);
  const PitchedPixels pitched(picture);
  for (const bool withAlpha : {true, false}) {
    const std::vector<u8> tga = Engine::Graphics::writeTga(pitched.source, withAlpha);
    ASSERT_EQ(tga.size(), 18u + 13 * 7 * (withAlpha ? 4 : 3) + 26);
    EXPECT_EQ(tga[17], withAlpha ? 0x28 : 0x20);
    EXPECT_STREQ(reinterpret_cast<const char*>(&tga[tga.size() - 18]), "TRUEVISION-XFILE.");
    const std::vector<u8> dds = Engine::Graphics::writeDds(pitched.source, withAlpha);
    ASSERT_EQ(dds.size(), 128u + 13 * 7 * 4);
    EXPECT_EQ(fieldU32(dds, 8), 0x1007u);
    EXPECT_EQ(fieldU32(dds, 108), 0x1002u);
    const auto fromTga = Engine::Graphics::readTga("shot.tga", tga.data(), tga.size());
    const auto fromDds = Engine::Graphics::readDds("shot.dds", dds.data(), dds.size());
    const std::vector<u32>& expected = withAlpha ? picture.pixels : opaque(picture).pixels;
    EXPECT_EQ(fromTga.image.pixels, expected) << fromTga.error;
    EXPECT_EQ(fromDds.image.pixels, expected) << fromDds.error;
  }
}

TEST(ImageWriterTest, BmpRowsArePaddedToFourBytesAndStoredBottomUp) {
  const Image picture = testPattern(5, 3);
  const std::vector<u8> file = Engine::Graphics::writeBmp(PitchedPixels(picture).source);
  ASSERT_EQ(file.size(), 54u + 16 * 3);  // 15 bytes of pixels and one of padding a row
  EXPECT_EQ(fieldU32(file, 2), file.size());
  EXPECT_EQ(fieldU32(file, 18), 5u);
  EXPECT_EQ(fieldU32(file, 22), 3u);
  for (i32 y = 0; y < 3; ++y) {
    const u8* row = &file[54 + static_cast<std::size_t>(2 - y) * 16];
    for (i32 x = 0; x < 5; ++x) {
      EXPECT_EQ(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16), picture.at(x, y) & 0xFFFFFFu);
    }
    EXPECT_EQ(row[15], 0);
  }
}

TEST(ImageWriterTest, WritersRefuseWhatTheFormatCannotHold) {
  const Image nothing;
  EXPECT_TRUE(Engine::Graphics::writeTga(sourceOf(nothing), true).empty());
  EXPECT_TRUE(Engine::Graphics::writeDds(sourceOf(nothing), true).empty());
  EXPECT_TRUE(Engine::Graphics::writeBmp(sourceOf(nothing)).empty());
  const Image tooWide(70000, 1);
  EXPECT_TRUE(Engine::Graphics::writeTga(sourceOf(tooWide), false).empty());
}

}  // namespace
