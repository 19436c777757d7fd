#include <gtest/gtest.h>

#include "Engine/Graphics/ImageFile.h"
#include "ImageTestFiles.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::u8;
using namespace Engine::Graphics;

TEST(ImageFileTest, TheExtensionDecidesTheTypeIgnoringCase) {
  const std::pair<const char*, int> types[] = {
      {"picture/gui/frame.tga", kImageFileTga}, {"FRAME.TGA", kImageFileTga}, {"sky.DdS", kImageFileDds},
      {"snapshot/ss00001.bmp", kImageFileBmp},  {"face.png", kImageFileOther}, {"tga", kImageFileOther},
      {"", kImageFileOther},                    {nullptr, kImageFileOther},
      {"\x83\x5C.tga", kImageFileTga},  // a two-byte character before the extension
  };
  for (const auto& [name, type] : types) {
    EXPECT_EQ(getFileType(name), type) << (name ? name : "(null)");
  }
}

TEST(ImageFileTest, TheWriterFollowsTheExtensionWithAlphaOff) {
  Image picture(2, 2);
  picture.pixels = {0x10203040, 0x50607080, 0x11223344, 0x55667788};
  EXPECT_EQ(encodeImageFile("a.tga", sourceOf(picture)), writeTga(sourceOf(picture), false));
  EXPECT_EQ(encodeImageFile("a.DDS", sourceOf(picture)), writeDds(sourceOf(picture), false));
  EXPECT_EQ(encodeImageFile("a.bmp", sourceOf(picture)), writeBmp(sourceOf(picture)));
  EXPECT_TRUE(encodeImageFile("a.png", sourceOf(picture)).empty());
}

TEST(ImageFileTest, LoadingReportsAFailureOnTheDebugStream) {
  PlatformFake::ScopedFakeBackend backend;
  const std::vector<u8> cut = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 32, 0x20, 1, 2};
  Image image;
  EXPECT_FALSE(loadImage("ui/frame.tga", kImageFileTga, cut.data(), cut.size(), image));
  ASSERT_EQ(backend->fakeDebugOutput.lines.size(), 1u);
  EXPECT_EQ(backend->fakeDebugOutput.lines[0],
            "readTGA : file must be collapsed. (ui/frame.tga: pixels need 82 bytes, the file has 20)\n");

  const std::vector<u8> good = ImageTestFiles::tgaOf(ImageTestFiles::testPattern(3, 3), 4, true, false).bytes();
  EXPECT_TRUE(loadImage("ui/frame.tga", kImageFileTga, good.data(), good.size(), image));
  EXPECT_EQ(image.width, 3);
  // BMP files are written, never read.
  EXPECT_FALSE(loadImage("ui/frame.bmp", kImageFileBmp, good.data(), good.size(), image));
  EXPECT_EQ(backend->fakeDebugOutput.lines.size(), 1u);
}

}  // namespace
