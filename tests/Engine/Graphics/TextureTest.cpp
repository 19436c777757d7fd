#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Graphics/MipChain.h"
#include "FileIO/src/ManagerImpl.h"
#include "Graphics/src/TextureImpl.h"
#include "ImageTestFiles.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine::Graphics {
namespace {

using namespace ImageTestFiles;

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Manager::create(640, 480, false, true, false);
    FileIO::ManagerOptions options;
    options.startLoader = false;
    options.abortOnError = false;
    FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  }
  void TearDown() override {
    FileIO::ManagerImpl::destroy();
    Manager::destroy();
  }

  static void loadFiles() {
    while (FileIO::ManagerImpl::instance()->serveRound()) {
    }
  }
  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }
  static const PlatformFake::FakeGraphicsTexture& fake(const Texture& texture) {
    return *static_cast<const PlatformFake::FakeGraphicsTexture*>(texture.impl()->deviceTexture());
  }
  bool logged(const std::string& text) {
    for (const std::string& line : mBackend->fakeDebugOutput.lines) {
      if (line.find(text) != std::string::npos) {
        return true;
      }
    }
    return false;
  }

  PlatformFake::ScopedFakeBackend mBackend;
};

TEST_F(TextureTest, ImageFileIsReadyOnceLoadedWithEveryLevelUploaded) {
  const Image image = testPattern(5, 3);
  mBackend->fakeFileSystem.put("data/pattern.TGA", tgaOf(image, 4, false, true).bytes());
  Texture texture = Texture::create("data/pattern.TGA");
  EXPECT_FALSE(texture.isReady());
  EXPECT_EQ(texture.width(), 0);
  loadFiles();
  ASSERT_TRUE(texture.isReady());
  ASSERT_TRUE(texture.hasPixels());
  EXPECT_EQ(texture.width(), 8);
  EXPECT_EQ(texture.height(), 4);
  const std::vector<Image> expected = buildTextureLevels(image);
  const PlatformFake::FakeGraphicsTexture& uploaded = fake(texture);
  ASSERT_EQ(uploaded.pixels.size(), 3u);  // 8x4, 4x2, 2x1
  for (std::size_t level = 0; level < expected.size(); ++level) {
    EXPECT_EQ(uploaded.pixels[level], expected[level].pixels) << "level " << level;
  }
  EXPECT_EQ(uploaded.uploads, 3);
  EXPECT_TRUE(texture.isReady());  // decoded once
  EXPECT_EQ(device().callsStartingWith("createTexture 8x4").size(), 1u);
}

TEST_F(TextureTest, TextureSetWhileLoadingIsBoundWhenSetAgainReady) {
  mBackend->fakeFileSystem.put("data/late.tga", tgaOf(testPattern(2, 2), 4, true, false).bytes());
  Texture texture = Texture::create("data/late.tga");
  Manager::instance().setVertexBuffer(VertexBuffer::create(3));
  Manager::instance().setTexture(texture);
  Manager::instance().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture->width(), 1u);  // white meanwhile
  loadFiles();
  ASSERT_TRUE(texture.isReady());
  Manager::instance().setTexture(texture);
  Manager::instance().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture, texture.impl()->deviceTexture());
}

TEST_F(TextureTest, UnreadableOrUndecodedFilesLeaveReadyEmptyTextures) {
  Texture other = Texture::create("data/picture.png");
  EXPECT_TRUE(other.isReady());
  EXPECT_FALSE(other.hasPixels());
  mBackend->fakeFileSystem.put("data/picture.bmp", std::vector<u8>(60, 0));
  Texture bitmap = Texture::create("data/picture.bmp");
  Texture missing = Texture::create("data/missing.dds");
  mBackend->fakeFileSystem.put("data/bad.tga", std::vector<u8>(10, 0));
  Texture damaged = Texture::create("data/bad.tga");
  EXPECT_FALSE(bitmap.isReady());
  loadFiles();
  for (const Texture& texture : {bitmap, missing, damaged}) {
    EXPECT_TRUE(texture.isReady());
    EXPECT_FALSE(texture.hasPixels());
    EXPECT_EQ(texture.width(), 0);
  }
  const std::vector<u8> junk(5, 0xEE);
  Texture refused = Texture::create(junk.data(), static_cast<i32>(junk.size()));
  EXPECT_TRUE(refused.isReady());
  EXPECT_FALSE(refused.hasPixels());
  EXPECT_TRUE(logged("data/bad.tga"));
  EXPECT_TRUE(logged("(image in memory)"));
  EXPECT_TRUE(device().callsStartingWith("createTexture").size() == 1);  // the manager's white one
}

TEST_F(TextureTest, TextureTheDeviceCannotHoldOrMakeIsReportedAndStaysEmpty) {
  device().fakeCaps.maxTextureSize = 64;
  Manager::destroy();
  Manager::create(640, 480, false, true, false);
  Texture large = Texture::create(65, 8, false);
  EXPECT_FALSE(large.hasPixels());
  EXPECT_EQ(large.width(), 0);
  EXPECT_TRUE(logged("more than the device's largest texture (64)"));

  device().failCreateTexture = true;
  const std::vector<u8> file = tgaOf(testPattern(2, 2), 4, true, false).bytes();
  Texture failed = Texture::create(file.data(), static_cast<i32>(file.size()));
  EXPECT_TRUE(failed.isReady());
  EXPECT_FALSE(failed.hasPixels());
  EXPECT_TRUE(logged("the device could not create (image in memory)"));
}

}  // namespace
}  // namespace Engine::Graphics
