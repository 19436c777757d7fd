#include <gtest/gtest.h>

#include "Engine/Framework/WindowCreatorTestSupport.h"

namespace Engine {
namespace {

using WindowCreatorTestSupport::Game;

class FrameDriverGraphics : public ::testing::Test, public WindowCreatorTestSupport::Fixture {
 protected:
  int runFrames(int frames) {
    Game::onConfigure = [](Framework::Configuration configuration) {
      configuration.setWidth(800);
      configuration.setHeight(600);
    };
    Game::onUpdate = [frames] {
      if (Game::updates >= frames) {
        Framework::instance().requestEnd();
      }
    };
    return run();
  }
};

// Alt+Enter switches the window, then the device is rebuilt in the next pass,
// which sleeps instead of running a game frame.
TEST_F(FrameDriverGraphics, FullScreenSwitchResetsTheDeviceOnceInTheNextPass) {
  platform().fakeWindow.push(Platform::WindowEventType::AltEnter);
  EXPECT_EQ(runFrames(3), 0);
  PlatformFake::FakeGraphicsDevice& device = platform().fakeGraphicsDevice;
  EXPECT_EQ(platform().fakeWindow.fullScreenCalls, std::vector<bool>{true});
  EXPECT_EQ(device.callsStartingWith("create").front(), "create 800x600 full=0 vsync=1 samples=4");
  EXPECT_EQ(device.resets, 1);
  EXPECT_EQ(device.callsStartingWith("reset").front(), "reset 1280x800 full=1");
  EXPECT_EQ(device.presents, 3);
  EXPECT_EQ(platform().fakeClock.sleptTotal, 50u);
  EXPECT_FALSE(device.created);  // destroyed with the framework
}

// On a single processor a present that takes no time is followed by a 1 ms sleep, so that other threads run.
TEST_F(FrameDriverGraphics, OneProcessorYieldsAfterAnInstantPresent) {
  platform().fakeProcessor.mask = 1;
  EXPECT_EQ(runFrames(3), 0);
  EXPECT_EQ(platform().fakeClock.sleepCalls, 3u);
  EXPECT_EQ(platform().fakeClock.sleptTotal, 3u);
}

}  // namespace
}  // namespace Engine
