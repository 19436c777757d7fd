#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "Graphics/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine::Graphics {
namespace {

class GraphicsManager : public ::testing::Test {
 protected:
  void TearDown() override { Manager::destroy(); }

  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }
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

TEST_F(GraphicsManager, WindowedBackBufferIsTheRequestedSize) {
  Manager::create(800, 600, false, false, true);
  const Platform::PresentParameters& parameters = ManagerImpl::instance()->presentParameters();
  EXPECT_EQ(parameters.backBufferWidth, 800u);
  EXPECT_EQ(parameters.backBufferHeight, 600u);
  EXPECT_FALSE(parameters.vSync);  // presented immediately
  EXPECT_EQ(parameters.multisampleSamples, 4u);
  EXPECT_EQ(device().calls.front(), "create 800x600 full=0 vsync=0 samples=4");
}

TEST_F(GraphicsManager, FullScreenBackBufferIsTheChosenModeSize) {
  Manager::create(800, 600, true, true, false);
  const Platform::PresentParameters& parameters = ManagerImpl::instance()->presentParameters();
  EXPECT_EQ(parameters.backBufferWidth, 1280u);  // the fake desktop is 16:10
  EXPECT_EQ(parameters.backBufferHeight, 800u);
  EXPECT_TRUE(parameters.vSync);
  EXPECT_EQ(parameters.multisampleSamples, 0u);
}

TEST_F(GraphicsManager, MultisamplingFollowsWhatTheDeviceCanDo) {
  device().fakeCaps.maxMultisampleSamples = 2;
  Manager::create(640, 480, false, true, true);
  EXPECT_EQ(ManagerImpl::instance()->presentParameters().multisampleSamples, 2u);
  Manager::destroy();
  device().fakeCaps.maxMultisampleSamples = 1;
  Manager::create(640, 480, false, true, true);
  EXPECT_EQ(ManagerImpl::instance()->presentParameters().multisampleSamples, 0u);
}

TEST_F(GraphicsManager, CreationMakesAnOpaqueWhiteTextureAndAppliesTheStates) {
  Manager::create(640, 480, false, true, false);
  EXPECT_EQ(device().callsStartingWith("createTexture").front(), "createTexture 1x1 levels=1");
  const std::vector<std::string> filters = device().callsStartingWith("setSamplerState MinFilter");
  ASSERT_EQ(filters.size(), 2u);  // the cached point filter, then the linear one
  EXPECT_EQ(filters.back(), "setSamplerState MinFilter 3");
}

TEST_F(GraphicsManager, FrameClearsTheWholeBufferThenLetterboxes) {
  device().desktop = {1280, 720, 60};
  device().modes = {{1280, 720, 60}};
  Manager::create(800, 600, true, true, false);
  device().takeCalls();
  Manager::instance().beginDraw();
  const std::vector<std::string> expected = {"setViewport 0 0 1280 720", "clear ff000000 1 0",
                                             "setViewport 160 0 960 720"};
  EXPECT_EQ(device().takeCalls(), expected);
  Manager::instance().endDraw();
  EXPECT_EQ(device().takeCalls(), std::vector<std::string>{"present"});
  EXPECT_EQ(Manager::instance().frameId(), 1u);
}

TEST_F(GraphicsManager, DoubleFullScreenToggleStillRestoresOnce) {
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
}

TEST_F(GraphicsManager, FailedResetStaysInactiveAndRetries) {
  Manager::create(640, 480, false, true, false);
  Manager manager = Manager::instance();
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

TEST_F(GraphicsManager, FailedPresentMarksTheDeviceUnusableAndStillCountsTheFrame) {
  Manager::create(640, 480, false, true, false);
  device().failPresent = true;
  Manager::instance().endDraw();
  EXPECT_FALSE(Manager::instance().isActive());
  EXPECT_EQ(Manager::instance().frameId(), 1u);
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

TEST_F(GraphicsManager, PointerModifierFollowsAWindowLargerThanTheBackBuffer) {
  mBackend->fakeWindow.desc.width = 2560;  // the window shows the back buffer twice as large
  mBackend->fakeWindow.desc.height = 1600;
  Manager::create(800, 600, true, true, false);  // back buffer 1280x800
  f32 scale = 0;
  Math::Vector2 offset(0.0f, 0.0f);
  Manager::instance().getPointerModifier(&scale, &offset);
  const f32 offsetX = offset.x;
  const f32 offsetY = offset.y;
  // The 4:3 screen spans window x 213.3 to 2346.7.
  EXPECT_NEAR((2560.0f / 2 + offsetX) * scale, 400.0f, 0.01f);
  EXPECT_NEAR((2560.0f * 2 / 24 + offsetX) * scale, 0.0f, 0.01f);
  EXPECT_FLOAT_EQ(offsetY, 0.0f);
}

TEST_F(GraphicsManager, SecondCreateHalts) {
  Manager::create(640, 480, false, true, false);
  EXPECT_DEATH(Manager::create(640, 480, false, true, false), "!gManagerImpl");
}

// The default writer: the image file of the name's extension, written whole
// through the file manager.
TEST(GraphicsScreenshot, BmpOfTheBackBufferIsWrittenThroughTheFileManager) {
  PlatformFake::ScopedFakeBackend backend;
  FileIO::ManagerOptions options;
  options.startLoader = false;
  FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  Manager::create(800, 600, false, true, false);
  Manager manager = Manager::instance();
  manager.captureScreen("snapshot/ss00000.bmp");
  manager.endDraw();
  while (FileIO::ManagerImpl::instance()->serveRound()) {
  }
  Manager::destroy();
  FileIO::ManagerImpl::destroy();
  const auto file = backend->fakeFileSystem.contents("snapshot/ss00000.bmp");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->size(), 1440054u);
  EXPECT_EQ((*file)[0], 'B');
  EXPECT_EQ((*file)[1], 'M');
}

}  // namespace
}  // namespace Engine::Graphics
