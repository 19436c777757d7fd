#include <gtest/gtest.h>

#include <string>

#include "Engine/Graphics/ImageFile.h"
#include "ImageTestFiles.h"

namespace Engine::Graphics {
namespace {

using ImageTestFiles::Tga;
using ImageTestFiles::tgaOf;
using ImageTestFiles::testPattern;

Engine::Graphics::ImageReadResult read(const std::vector<u8>& file, const char* name = "pic.tga") {
  return readTga(name, file.data(), file.size());
}

// The pixels of a one-row file as read; none when it is refused.
std::vector<u32> rowOf(const Tga& tga) {
  const auto result = read(tga.bytes());
  EXPECT_TRUE(result.ok()) << result.error;
  return result.image.pixels;
}

// An image ID and a colour map stored in a true-colour file are skipped.
TEST(TgaReaderTest, BothOrientationsAndBothEncodingsReadTheSame) {
  const Image picture = testPattern(37, 19);
  for (const bool runLength : {false, true}) {
    for (const bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(runLength) + " " + std::to_string(topDown));
      Tga tga = tgaOf(picture, 4, topDown, runLength);
      tga.id = {'h', 'e', 'l', 'l', 'o'};
      tga.colorMapType = 1;
      tga.mapLength = 3;
      tga.mapEntryBits = 24;
      tga.map = std::vector<u8>(9, 0xEE);
      const auto result = read(tga.bytes());
      ASSERT_TRUE(result.ok()) << result.error;
      EXPECT_EQ(result.image.pixels, picture.pixels);
    }
  }
}

TEST(TgaReaderTest, PixelSizesConvertAsTheGameExpects) {
  Image picture(2, 1);
  picture.row(0)[0] = packPixel(1, 2, 3, 4);
  picture.row(0)[1] = packPixel(200, 100, 50, 25);

  const std::vector<u32> opaque = {packPixel(1, 2, 3, 255), packPixel(200, 100, 50, 255)};
  EXPECT_EQ(rowOf(tgaOf(picture, 3, true, false)), opaque);
  // Sixteen bits: grey level then alpha, not 5-5-5 colour.
  EXPECT_EQ(rowOf(tgaOf(picture, 2, true, false)), (std::vector{packPixel(1, 1, 1, 2), packPixel(200, 200, 200, 100)}));
  // Eight-bit greyscale without a colour map: white, the level as alpha.
  Tga grey = tgaOf(picture, 1, true, false);
  grey.type = 3;
  EXPECT_EQ(rowOf(grey), (std::vector{packPixel(255, 255, 255, 1), packPixel(255, 255, 255, 200)}));
}

Tga colourMapped(u8 entryBits, std::vector<u8> map, u16 entries, std::vector<u8> indexes) {
  return Tga{1, static_cast<u16>(indexes.size()), 1, 8, 0x20, {}, 1, entries, entryBits, std::move(map),
             std::move(indexes)};
}

TEST(TgaReaderTest, ColourMappedPixelsTakeTheirPaletteEntry) {
  const u32 first = packPixel(1, 2, 3, 4);
  const u32 second = packPixel(5, 6, 7, 8);
  EXPECT_EQ(rowOf(colourMapped(32, {1, 2, 3, 4, 5, 6, 7, 8}, 2, {1, 0, 1})), (std::vector{second, first, second}));

  Tga packed = colourMapped(24, {1, 2, 3, 5, 6, 7}, 2, {});
  packed.type = 9;
  packed.width = 5;
  packed.data = {0x83, 1, 0x00, 0};  // a run of four 1s, then one literal 0
  const u32 ink = packPixel(5, 6, 7, 255);
  EXPECT_EQ(rowOf(packed), (std::vector{ink, ink, ink, ink, packPixel(1, 2, 3, 255)}));
}

struct BadTga {
  const char* what;
  Tga file;
  const char* message;
};

std::vector<BadTga> badFiles() {
  const Image picture = testPattern(4, 4);
  std::vector<BadTga> cases;
  Tga depth15 = tgaOf(picture, 4, true, false);
  depth15.bits = 15;
  cases.push_back({"15 bits", depth15, "readTGA : unsupported pixel depth. (bad.tga: 15 bits per pixel)"});
  Tga huge = tgaOf(picture, 4, true, true);
  huge.width = 20000;
  cases.push_back({"too wide", huge, "readTGA : image is too large. (bad.tga: 20000x4, sides up to 16384 are read)"});
  Tga longId = tgaOf(picture, 4, true, false);
  longId.data.clear();
  longId.id = std::vector<u8>(3, 'x');
  cases.push_back({"id", longId, "readTGA : file must be collapsed. (bad.tga: pixels need 85 bytes, the file has 21)"});
  Tga badIndex = colourMapped(24, {1, 2, 3}, 1, {0, 7});
  cases.push_back({"index", badIndex,
                   "readTGA : colour index is outside the colour map. (bad.tga: index 7, the map has 1 entries)"});
  Tga shortMap = colourMapped(24, {1, 2, 3}, 2, {0});
  cases.push_back({"map", shortMap,
                   "readTGA : file must be collapsed. (bad.tga: image ID and colour map need 24 bytes, the file has 22)"});
  Tga overrun = tgaOf(picture, 3, true, true);
  overrun.data = {0xFF, 1, 2, 3};  // a run of 128 into 16 pixels
  cases.push_back({"overrun", overrun,
                   "readTGA : can't read. compressed data is invalid. (bad.tga: a packet passes the last pixel at pixel 0)"});
  Tga truncated = tgaOf(picture, 3, true, true);
  truncated.data = {0x03, 1, 2, 3, 4, 5};  // four literal pixels, two bytes of them
  cases.push_back({"truncated", truncated,
                   "readTGA : can't read. compressed data is invalid. it must be truncated. (bad.tga: the data ends "
                   "inside a packet at byte 24)"});
  return cases;
}

TEST(TgaReaderTest, BadFilesAreRefusedWithTheFileAndTheFault) {
  for (const BadTga& bad : badFiles()) {
    SCOPED_TRACE(bad.what);
    const auto result = read(bad.file.bytes(), "bad.tga");
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, bad.message);
    EXPECT_TRUE(result.image.pixels.empty());
  }
}

// Every prefix of a valid file is read without touching a byte past its
// end (the sanitizer build checks that); uncompressed prefixes are refused.
TEST(TgaReaderTest, EveryTruncationIsSafe) {
  const Image picture = testPattern(9, 5);
  for (const bool runLength : {false, true}) {
    Tga tga = tgaOf(picture, 4, false, runLength);
    tga.id = {1, 2, 3};
    const std::vector<u8> file = tga.bytes();
    for (std::size_t length = 0; length < file.size(); ++length) {
      const std::vector<u8> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
      const auto result = read(prefix);
      if (!runLength) {
        EXPECT_FALSE(result.ok()) << length;
      }
    }
  }
}

using ImageTestFiles::Dds;

Engine::Graphics::ImageReadResult ddsRead(const std::vector<u8>& file) {
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
  const auto result = ddsRead(opaque.bytes());
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.image.pixels, ImageTestFiles::opaque(picture).pixels);
}

TEST(DdsReaderTest, PaddedRowsOfSmallerPixelsAreReadAndBounded) {
  const Image picture = testPattern(3, 4);  // 9 and 3 bytes a row, padded to 12 and 4
  const Dds truecolour = ddsOf(picture, 3);
  const auto colour = ddsRead(truecolour.bytes());
  ASSERT_TRUE(colour.ok()) << colour.error;
  EXPECT_EQ(colour.image.at(2, 3), picture.at(2, 3) | 0xFF000000u);

  const auto coverage = ddsRead(ddsOf(picture, 1).bytes());
  ASSERT_TRUE(coverage.ok()) << coverage.error;
  EXPECT_EQ(coverage.image.at(1, 2), (picture.at(1, 2) & 0xFF000000u) | 0xFFFFFFu);

  // The last row needs no padding; one byte less than its pixels is refused.
  std::vector<u8> exact = truecolour.bytes();
  exact.erase(exact.end() - 3, exact.end());
  EXPECT_TRUE(ddsRead(exact).ok());
  exact.pop_back();
  EXPECT_EQ(ddsRead(exact).error, "readDDS : file must be collapsed. (pic.dds: pixels need 173 bytes, the file has 172)");
}

TEST(DdsReaderTest, BadFilesAreRefusedWithTheFileAndTheFault) {
  const Image picture = testPattern(2, 2);
  Dds sixteen = ddsOf(picture, 4);
  sixteen.bits = 16;
  EXPECT_EQ(ddsRead(sixteen.bytes()).error, "readDDS : unsupported pixel format. (pic.dds: 16 bits per pixel)");
  // Sides whose byte counts overflow 32 bits are refused before any product.
  Dds huge = ddsOf(picture, 4);
  huge.width = 0x40000001u;
  huge.height = 0x40000001u;
  EXPECT_EQ(ddsRead(huge.bytes()).error,
            "readDDS : image is too large. (pic.dds: 1073741825x1073741825, sides up to 16384 are read)");
  const std::vector<u8> notDds = {'D', 'D', 'T', ' ', 0, 0};
  EXPECT_EQ(ddsRead(notDds).error, "readDDS : this is not a DDS file. (pic.dds: no \"DDS \" at its start)");
  EXPECT_EQ(Engine::Graphics::readImage("", notDds.data(), 5).error,
            "readTGA : file must be collapsed. (image in memory: the header needs 18 bytes, the file has 5)");
}

TEST(DdsReaderTest, EveryTruncationIsRefusedSafely) {
  const std::vector<u8> file = ddsOf(testPattern(5, 3), 3).bytes();
  // Only the last row's one byte of padding may go.
  for (std::size_t length = 0; length < file.size() - 1; ++length) {
    const std::vector<u8> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(ddsRead(prefix).ok()) << length;
  }
}

TEST(ImageFileTest, TheExtensionDecidesTheTypeIgnoringCase) {
  using namespace Engine::Graphics;
  const std::pair<const char*, int> types[] = {
      {"FRAME.TGA", kImageFileTga}, {"sky.DdS", kImageFileDds}, {"snapshot/ss00001.bmp", kImageFileBmp},
      {"face.png", kImageFileOther}, {"tga", kImageFileOther}, {nullptr, kImageFileOther},
      {"\x83\x5C.tga", kImageFileTga},  // a two-byte character before the extension
  };
  for (const auto& [name, type] : types) {
    EXPECT_EQ(getFileType(name), type) << (name ? name : "(null)");
  }
}

}  // namespace
}  // namespace Engine::Graphics
