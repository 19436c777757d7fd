#include <gtest/gtest.h>

#include "Engine/Graphics/ImageFile.h"
#include "ImageTestFiles.h"

namespace {

using Engine::u8;
using Engine::Graphics::Image;
using Engine::Graphics::packPixel;
using Engine::Graphics::readDds;
using ImageTestFiles::Dds;
using ImageTestFiles::testPattern;

Engine::Graphics::ImageReadResult read(const std::vector<u8>& file) {
  return readDds("pic.dds", file.data(), file.size());
}

Dds ddsOf(const Image& image, int pixelBytes) {
  Dds dds;
  dds.width = static_cast<Engine::u32>(image.width);
  dds.height = static_cast<Engine::u32>(image.height);
  dds.bits = static_cast<Engine::u32>(pixelBytes * 8);
  dds.data = ImageTestFiles::storedPixels(image, pixelBytes, true, 4);
  return dds;
}

// An image in memory is read as DDS by its magic, as TGA otherwise.
TEST(DdsReaderTest, ThirtyTwoBitsKeepAlphaOnlyWithAnAlphaMask) {
  const Image picture = testPattern(6, 3);
  const std::vector<u8> dds = ddsOf(picture, 4).bytes();
  const auto withAlpha = Engine::Graphics::readImage("", dds.data(), dds.size());
  ASSERT_TRUE(withAlpha.ok()) << withAlpha.error;
  EXPECT_EQ(withAlpha.image.pixels, picture.pixels);

  Dds opaque = ddsOf(picture, 4);
  opaque.alphaMask = 0;
  const auto result = read(opaque.bytes());
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.image.pixels, ImageTestFiles::opaque(picture).pixels);
}

TEST(DdsReaderTest, PaddedRowsOfSmallerPixelsAreReadAndBounded) {
  const Image picture = testPattern(3, 4);  // 9 and 3 bytes a row, padded to 12 and 4
  const Dds truecolour = ddsOf(picture, 3);
  const auto colour = read(truecolour.bytes());
  ASSERT_TRUE(colour.ok()) << colour.error;
  EXPECT_EQ(colour.image.at(2, 3), picture.at(2, 3) | 0xFF000000u);

  const auto coverage = read(ddsOf(picture, 1).bytes());
  ASSERT_TRUE(coverage.ok()) << coverage.error;
  EXPECT_EQ(coverage.image.at(1, 2), (picture.at(1, 2) & 0xFF000000u) | 0xFFFFFFu);

  // The last row needs no padding; one byte less than its pixels is refused.
  std::vector<u8> exact = truecolour.bytes();
  exact.erase(exact.end() - 3, exact.end());
  EXPECT_TRUE(read(exact).ok());
  exact.pop_back();
  EXPECT_EQ(read(exact).error, "readDDS : file must be collapsed. (pic.dds: pixels need 173 bytes, the file has 172)");
}

TEST(DdsReaderTest, BadFilesAreRefusedWithTheFileAndTheFault) {
  const Image picture = testPattern(2, 2);
  Dds sixteen = ddsOf(picture, 4);
  sixteen.bits = 16;
  EXPECT_EQ(read(sixteen.bytes()).error, "readDDS : unsupported pixel format. (pic.dds: 16 bits per pixel)");
  // Sides whose byte counts overflow 32 bits are refused before any product.
  Dds huge = ddsOf(picture, 4);
  huge.width = 0x40000001u;
  huge.height = 0x40000001u;
  EXPECT_EQ(read(huge.bytes()).error,
            "readDDS : image is too large. (pic.dds: 1073741825x1073741825, sides up to 16384 are read)");
  const std::vector<u8> notDds = {'D', 'D', 'T', ' ', 0, 0};
  EXPECT_EQ(read(notDds).error, "readDDS : this is not a DDS file. (pic.dds: no \"DDS \" at its start)");
  EXPECT_EQ(Engine::Graphics::readImage("", notDds.data(), 5).error,
            "readTGA : file must be collapsed. (image in memory: the header needs 18 bytes, the file has 5)");
}

TEST(DdsReaderTest, EveryTruncationIsRefusedSafely) {
  const std::vector<u8> file = ddsOf(testPattern(5, 3), 3).bytes();
  // Only the last row's one byte of padding may go.
  for (std::size_t length = 0; length < file.size() - 1; ++length) {
    const std::vector<u8> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(read(prefix).ok()) << length;
  }
}

TEST(ImageFileTest, TheExtensionDecidesTheTypeIgnoringCase) {
  using namespace Engine::Graphics;
  const std::pair<const char*, int> types[] = {
      {"FRAME.TGA", kImageFileTga}, {"sky.DdS", kImageFileDds}, {"snapshot/ss00001.bmp", kImageFileBmp},
      {"face.png", kImageFileOther}, {"tga", kImageFileOther}, {nullptr, kImageFileOther},
      {"\x83\x5C.tga", kImageFileTga},  // a two-byte character before the extension
  };
  for (const auto& [name, type] : types) EXPECT_EQ(getFileType(name), type) << (name ? name : "(null)");
}

}  // namespace
