#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "Engine/FileIO/ArchiveBuilder.h"
#include "Engine/Graphics/MipChain.h"
#include "Graphics/src/TextureImpl.h"
#include "GraphicsFixture.h"
#include "ImageTestFiles.h"

namespace Engine::Graphics {
namespace {

class GraphicsManager : public GraphicsFixture {
 protected:
  void SetUp() override {}  // each test makes its own manager
};

// Windowed: the requested size; full screen: the chosen mode (the fake desktop is 16:10); samples as the device allows.
TEST_F(GraphicsManager, BackBufferFollowsTheWindowModeAndTheDevice) {
  struct Case {
    bool fullScreen, vSync, antiAlias;
    u32 maxSamples, width, height, samples;
  };
  const Case cases[] = {{false, false, true, 4, 800, 600, 4}, {true, true, false, 4, 1280, 800, 0},
                        {false, true, true, 2, 800, 600, 2},   {false, true, true, 1, 800, 600, 0}};
  for (const Case& test : cases) {
    device().fakeCaps.maxMultisampleSamples = test.maxSamples;
    Manager::create(800, 600, test.fullScreen, test.vSync, test.antiAlias);
    const Platform::PresentParameters& made = ManagerImpl::instance()->presentParameters();
    EXPECT_EQ(std::tuple(made.backBufferWidth, made.backBufferHeight, made.vSync, made.multisampleSamples),
              std::tuple(test.width, test.height, test.vSync, test.samples));
    Manager::destroy();
  }
}

// A double toggle still resets once; a failed present or reset leaves the device inactive until a retry.
TEST_F(GraphicsManager, DeviceResetsOnceAndStaysInactiveAfterAFailureUntilARetry) {
  Manager::create(640, 480, false, true, false);
  Manager manager = Manager::instance();
  manager.setFullScreen(true);
  manager.setFullScreen(false);
  EXPECT_FALSE(manager.isActive());
  manager.restore();
  manager.restore();
  EXPECT_TRUE(manager.isActive());
  EXPECT_EQ(device().resets, 1);
  EXPECT_EQ(device().callsStartingWith("reset").back(), "reset 640x480 full=0");
  EXPECT_TRUE(logged("Graphics-restore() : Direct3D Device Reset Succeeded"));

  device().failPresent = true;
  manager.endDraw();
  EXPECT_FALSE(manager.isActive());
  EXPECT_EQ(manager.frameId(), 1u);  // the frame still counts
  manager.setFullScreen(true);
  device().failReset = true;
  manager.restore();
  EXPECT_FALSE(manager.isActive());
  EXPECT_TRUE(logged("Graphics-restore() : Direct3D Device Reset Failed"));
  device().failReset = false;
  manager.restore();
  EXPECT_TRUE(manager.isActive());
  EXPECT_EQ(device().callsStartingWith("reset").back(), "reset 1280x800 full=1");
}

std::vector<std::string> gWritten;

void recordWrite(const char* name, u32 width, u32 height, u32 pitch, const void*) {
  gWritten.push_back(std::string(name) + " " + std::to_string(width) + "x" + std::to_string(height) + " " +
                     std::to_string(pitch));
}

TEST_F(GraphicsManager, ScreenshotWithAnEmptyNameStaysPending) {
  gWritten.clear();
  ManagerImpl::setImageWriter(&recordWrite);
  Manager::create(640, 480, false, true, false);
  Manager manager = Manager::instance();
  manager.captureScreen("");
  manager.endDraw();
  EXPECT_TRUE(gWritten.empty());
  manager.captureScreen("snapshot/ss00001.bmp");
  manager.endDraw();
  manager.endDraw();
  ManagerImpl::setImageWriter(nullptr);
  EXPECT_EQ(gWritten, std::vector<std::string>{"snapshot/ss00001.bmp 640x480 2560"});
}

TEST_F(GraphicsManager, SecondCreateHalts) {
  Manager::create(640, 480, false, true, false);
  EXPECT_DEATH(Manager::create(640, 480, false, true, false), "!gManagerImpl");
}

using namespace ImageTestFiles;

class TextureTest : public GraphicsFixture {
 protected:
  TestSupport::LooseFiles mFiles;
};

TEST_F(TextureTest, ImageFileIsReadyOnceLoadedWithEveryLevelUploaded) {
  const Image image = testPattern(5, 3);
  mBackend->fakeFileSystem.put("data/pattern.TGA", tgaOf(image, 4, false, true).bytes());
  Texture texture = Texture::create("data/pattern.TGA");
  EXPECT_FALSE(texture.isReady());
  TestSupport::pumpFiles();
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
  TestSupport::pumpFiles();
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

using Calls = std::vector<std::string>;

class RenderStates : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    device().takeCalls();
  }
  Manager manager() { return Manager::instance(); }
};

TEST_F(RenderStates, OnlyChangedStatesReachTheDeviceInTheirOrder) {
  manager().setBlendMode(1);
  EXPECT_EQ(device().takeCalls(), (Calls{"setRenderState AlphaBlendEnable 1", "setRenderState DestinationBlend 3"}));
  manager().setBlendMode(1);
  EXPECT_TRUE(device().takeCalls().empty());
  manager().setBlendMode(5);
  EXPECT_EQ(device().takeCalls(), (Calls{"setRenderState SourceBlend 1", "setRenderState AlphaTestEnable 1"}));
  manager().setBlendMode(42);  // anything else is additive
  const Calls additive = {"setRenderState DestinationBlend 1", "setRenderState SourceBlend 2",
                          "setRenderState AlphaTestEnable 0"};
  EXPECT_EQ(device().takeCalls(), additive);
  manager().setCullMode(1);
  manager().setCullMode(2);
  manager().setCullMode(7);
  const Calls cull = {"setRenderState CullMode 2", "setRenderState CullMode 1", "setRenderState CullMode 0"};
  EXPECT_EQ(device().takeCalls(), cull);
  manager().setTextureFilter(0);
  const Calls point = {"setSamplerState MinFilter 1", "setSamplerState MagFilter 1", "setSamplerState MipFilter 0"};
  EXPECT_EQ(device().takeCalls(), point);
}

TEST_F(RenderStates, ResetReappliesEveryStateAndUnbindsEverything) {
  manager().enableDepthWrite(false);
  manager().setCullMode(0);
  manager().setLightingMode(1);
  manager().setVertexBuffer(VertexBuffer::create(3));
  manager().setFullScreen(true);
  device().takeCalls();
  manager().restore();
  const Calls expected = {
      "reset 1280x800 full=1",           "setProgram 1",
      "setRenderState AlphaReference 128", "setRenderState SourceBlend 2",
      "setSamplerState MaxAnisotropy 16", "setRenderState CullMode 0",
      "setRenderState DepthTest 1",       "setRenderState DepthWrite 0",
      "setRenderState AlphaBlendEnable 0", "setRenderState DestinationBlend 0",
      "setRenderState AlphaTestEnable 0", "setSamplerState MinFilter 3",
      "setSamplerState MagFilter 3",      "setSamplerState MipFilter 2",
      "setTexture null",                  "setVertexBuffer null",
      "setIndexBuffer null"};
  EXPECT_EQ(device().takeCalls(), expected);
}

// The shading they give shows in the render tests; here, which values reach the registers and when.
TEST_F(RenderStates, ConstantsAreUploadedAtTheDrawOnlyWhenChanged) {
  manager().setVertexBuffer(VertexBuffer::create(3));
  manager().setLightColor(0, Math::Vector3(1.0f, 0.5f, 0.25f));
  manager().setLightIntensity(0, 2.0f);
  manager().setLightPosition(1, Math::Vector3(3.0f, 4.0f, 5.0f));
  manager().setLightColor(2, Math::Vector3(0.0f, 0.0f, 0.5f));
  manager().setLightIntensity(2, 4.0f);
  manager().draw(0, 1, 0);
  device().takeCalls();
  const std::vector<float>& pixel = device().pixelConstants;
  // Colour x intensity: red of light 0, blue of light 2; then x of light 1, and its y for the vertices.
  const std::vector<float> lights = {pixel[6 * 4], pixel[8 * 4 + 2], pixel[1 * 4 + 1],
                                     device().vertexConstants[13 * 4 + 1]};
  EXPECT_EQ(lights, (std::vector<float>{2.0f, 2.0f, 3.0f, 4.0f}));
  Math::Matrix44 identity;
  identity.setIdentity();
  manager().setProjectionViewMatrix(identity);  // the same matrix again
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().takeCalls(), Calls{"draw TriangleList 0 1"});
  Math::Matrix34 world;
  const float rows[3][4] = {{2, 1, 0, 5}, {1, 4, 0, 6}, {0, 0, 8, 7}};
  std::memcpy(world.m, rows, sizeof rows);
  manager().setWorldMatrix(world);
  manager().draw(0, 1, 0);
  // Position transform: projection-view x world; normals by the inverse transpose (determinant 56).
  EXPECT_FLOAT_EQ(device().vertexConstants[0 * 4 + 3], 5.0f);
  EXPECT_FLOAT_EQ(device().vertexConstants[7 * 4 + 0], 32.0f / 56.0f);
  EXPECT_FLOAT_EQ(device().vertexConstants[9 * 4 + 2], 7.0f / 56.0f);
}

// A skipped frame sends states but no clear, draw or present, and keeps its
// screenshot for the next drawn frame; the switch waits for a frame's start.
TEST_F(RenderStates, SkippedFramesReachTheDeviceOnlyWithStates) {
  gWritten.clear();
  ManagerImpl::setImageWriter(&recordWrite);
  manager().setVertexBuffer(VertexBuffer::create(3));
  manager().beginDraw();
  manager().skipDrawing(true);
  manager().draw(0, 1, 0);
  manager().endDraw();
  EXPECT_EQ(device().callsStartingWith("draw").size(), 1u);
  EXPECT_EQ(device().callsStartingWith("present").size(), 1u);
  device().takeCalls();
  manager().beginDraw();
  manager().setCullMode(1);
  manager().draw(0, 1, 0);
  manager().captureScreen("skipped.bmp");
  manager().endDraw();
  EXPECT_EQ(device().takeCalls(), Calls{"setRenderState CullMode 2"});
  EXPECT_TRUE(gWritten.empty());
  manager().skipDrawing(false);
  manager().beginDraw();
  manager().endDraw();
  ManagerImpl::setImageWriter(nullptr);
  EXPECT_EQ(device().callsStartingWith("clear").size(), 1u);
  EXPECT_EQ(device().callsStartingWith("present").size(), 1u);
  EXPECT_EQ(gWritten, std::vector<std::string>{"skipped.bmp 640x480 2560"});
  EXPECT_EQ(manager().frameId(), 3u);
}

TEST_F(RenderStates, BoundTextureOutlivesItsHandleAndAnEmptyOneDrawsWhite) {
  manager().setVertexBuffer(VertexBuffer::create(3));
  Texture texture = Texture::create(8, 4, false);
  u32* pixel = nullptr;
  i32 pitch = 0;
  texture.lock(&pixel, &pitch, 2, 1, 3, 2, 0);
  EXPECT_EQ(pitch, 32);
  *pixel = 0xFF00FF00u;
  texture.unlock(&pixel, 0);
  auto* deviceTexture = static_cast<PlatformFake::FakeGraphicsTexture*>(texture.impl()->deviceTexture());
  EXPECT_EQ(deviceTexture->pixels[0][1 * 8 + 2], 0xFF00FF00u);
  manager().setTexture(texture);
  texture.release();
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture, deviceTexture);
  manager().setTexture(Texture());
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture->width(), 1u);
}

}  // namespace
}  // namespace Engine::Graphics
