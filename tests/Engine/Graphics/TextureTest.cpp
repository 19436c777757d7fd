#include <gtest/gtest.h>

#include "Engine/Graphics/MipChain.h"
#include "FileIO/src/ManagerImpl.h"
#include "Graphics/src/TextureImpl.h"
#include "GraphicsFixture.h"
#include "ImageTestFiles.h"

namespace Engine::Graphics {
namespace {

using namespace ImageTestFiles;

class TextureTest : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    FileIO::ManagerOptions options;
    options.startLoader = false;
    options.abortOnError = false;
    FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  }
  void TearDown() override {
    FileIO::ManagerImpl::destroy();
    GraphicsFixture::TearDown();
  }

  static void loadFiles() {
    while (FileIO::ManagerImpl::instance()->serveRound()) {
    }
  }
};

TEST_F(TextureTest, ImageFileIsReadyOnceLoadedWithEveryLevelUploaded) {
  const Image image = testPattern(5, 3);
  mBackend->fakeFileSystem.put("data/pattern.TGA", tgaOf(image, 4, false, true).bytes());
  Texture texture = Texture::create("data/pattern.TGA");
  EXPECT_FALSE(texture.isReady());
  loadFiles();
  ASSERT_TRUE(texture.isReady() && texture.hasPixels());  // isReady decodes the loaded file
  EXPECT_EQ(texture.width(), 8);
  const std::vector<Image> expected = buildTextureLevels(image);
  const auto& uploaded = *static_cast<const PlatformFake::FakeGraphicsTexture*>(texture.impl()->deviceTexture());
  ASSERT_EQ(uploaded.pixels.size(), 3u);  // 8x4, 4x2, 2x1
  for (std::size_t level = 0; level < expected.size(); ++level) {
    EXPECT_EQ(uploaded.pixels[level], expected[level].pixels) << "level " << level;
  }
  EXPECT_EQ(uploaded.uploads, 3);
}

TEST_F(TextureTest, UnreadableOrUndecodedFilesLeaveReadyEmptyTextures) {
  mBackend->fakeFileSystem.put("data/picture.bmp", std::vector<u8>(60, 0));
  Texture bitmap = Texture::create("data/picture.bmp");
  Texture missing = Texture::create("data/missing.dds");
  mBackend->fakeFileSystem.put("data/bad.tga", std::vector<u8>(10, 0));
  Texture damaged = Texture::create("data/bad.tga");
  loadFiles();
  const std::vector<u8> junk(5, 0xEE);
  for (const Texture& texture : {Texture::create("data/picture.png"), bitmap, missing, damaged,
                                 Texture::create(junk.data(), static_cast<i32>(junk.size()))}) {
    EXPECT_TRUE(texture.isReady());
    EXPECT_FALSE(texture.hasPixels());
    EXPECT_EQ(texture.width(), 0);
  }
  EXPECT_TRUE(logged("data/bad.tga"));
  EXPECT_TRUE(logged("(image in memory)"));
  EXPECT_TRUE(device().callsStartingWith("createTexture").size() == 1);  // the manager's white one
}

TEST_F(TextureTest, TextureTheDeviceCannotHoldOrMakeIsReportedAndStaysEmpty) {
  device().fakeCaps.maxTextureSize = 64;
  Manager::destroy();
  Manager::create(640, 480, false, true, false);
  EXPECT_FALSE(Texture::create(65, 8, false).hasPixels());
  EXPECT_TRUE(logged("more than the device's largest texture (64)"));

  device().failCreateTexture = true;
  const std::vector<u8> file = tgaOf(testPattern(2, 2), 4, true, false).bytes();
  EXPECT_FALSE(Texture::create(file.data(), static_cast<i32>(file.size())).hasPixels());
  EXPECT_TRUE(logged("the device could not create (image in memory)"));
}

}  // namespace
}  // namespace Engine::Graphics
