#include <gtest/gtest.h>

#include "Engine/Framework/Framework.h"
#include "Engine/Framework/WindowCreator.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine {
namespace {

int gUpdates = 0;

GameEntry entryEndingAfter(int frames) {
  static int sFrames = 0;
  sFrames = frames;
  gUpdates = 0;
  GameEntry entry;
  entry.configure = [](Framework::Configuration configuration) {
    configuration.setWidth(800);
    configuration.setHeight(600);
  };
  entry.update = [] {
    if (++gUpdates >= sFrames) {
      Framework::instance().requestEnd();
    }
  };
  return entry;
}

// Alt+Enter switches the window, then the device is rebuilt in the next pass,
// which sleeps instead of running a game frame.
TEST(FrameDriverGraphics, FullScreenSwitchResetsTheDeviceOnceInTheNextPass) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeProcessor.mask = 0b11;
  backend->fakeWindow.push(Platform::WindowEventType::AltEnter);
  EXPECT_EQ(WindowCreator::run(entryEndingAfter(3)), 0);
  PlatformFake::FakeGraphicsDevice& device = backend->fakeGraphicsDevice;
  EXPECT_EQ(backend->fakeWindow.fullScreenCalls, std::vector<bool>{true});
  EXPECT_EQ(device.resets, 1);
  EXPECT_EQ(device.callsStartingWith("reset").front(), "reset 1280x800 full=1");
  EXPECT_EQ(device.presents, 3);
  EXPECT_EQ(backend->fakeClock.sleptTotal, 50u);
  EXPECT_FALSE(device.created);  // destroyed with the framework
}

TEST(FrameDriverGraphics, EveryFrameIsClearedAndPresented) {
  PlatformFake::ScopedFakeBackend backend;
  EXPECT_EQ(WindowCreator::run(entryEndingAfter(2)), 0);
  PlatformFake::FakeGraphicsDevice& device = backend->fakeGraphicsDevice;
  EXPECT_EQ(device.callsStartingWith("clear").size(), 2u);
  EXPECT_EQ(device.presents, 2);
  EXPECT_EQ(device.callsStartingWith("create").front(), "create 800x600 full=0 vsync=1 samples=4");
}

// On a single processor a present that takes no time is followed by a 1 ms
// sleep, so that other threads get to run.
TEST(FrameDriverGraphics, OneProcessorYieldsAfterAnInstantPresent) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeProcessor.mask = 1;
  EXPECT_EQ(WindowCreator::run(entryEndingAfter(3)), 0);
  EXPECT_EQ(backend->fakeClock.sleepCalls, 3u);
  EXPECT_EQ(backend->fakeClock.sleptTotal, 3u);
}

}  // namespace
}  // namespace Engine
