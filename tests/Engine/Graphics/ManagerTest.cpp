#include <gtest/gtest.h>

#include "GraphicsFixture.h"

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
    const Platform::PresentParameters& parameters = ManagerImpl::instance()->presentParameters();
    EXPECT_EQ(parameters.backBufferWidth, test.width);
    EXPECT_EQ(parameters.backBufferHeight, test.height);
    EXPECT_EQ(parameters.vSync, test.vSync);
    EXPECT_EQ(parameters.multisampleSamples, test.samples);
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

}  // namespace
}  // namespace Engine::Graphics
