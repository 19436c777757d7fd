#include <gtest/gtest.h>

#include "Engine/Graphics/ImageFile.h"
#include "ImageTestFiles.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::u8;
using namespace Engine::Graphics;

TEST(ImageFileTest, TheExtensionDecidesTheTypeIgnoringCase) {
  EXPECT_EQ(getFileType("picture/gui/frame.tga"), kImageFileTga);
  EXPECT_EQ(getFileType("FRAME.TGA"), kImageFileTga);
  EXPECT_EQ(getFileType("sky.DdS"), kImageFileDds);
  EXPECT_EQ(getFileType("snapshot/ss00001.bmp"), kImageFileBmp);
  EXPECT_EQ(getFileType("face.png"), kImageFileOther);
  EXPECT_EQ(getFileType("tga"), kImageFileOther);
  EXPECT_EQ(getFileType(""), kImageFileOther);
  EXPECT_EQ(getFileType(nullptr), kImageFileOther);
  EXPECT_EQ(getFileType("\x83\x5C.tga"), kImageFileTga);  // a two-byte character before the extension
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
