#include <gtest/gtest.h>

#include <vector>

#include "Engine/Framework/Framework.h"
#include "Engine/Framework/WindowCreator.h"
#include "Engine/Input/Manager.h"
#include "PlatformFake/FakeBackend.h"

namespace {

struct FrameReading {
  bool keyA;
  int wheel;
  int pointerX;
};

std::vector<FrameReading> gReadings;

void configure(Engine::Framework::Configuration) {}

void update() {
  const Engine::Input::Manager input = Engine::Input::Manager::instance();
  gReadings.push_back({input.keyboard().isOn('a'), input.mouse().wheel(), input.mouse().x()});
  if (gReadings.size() == 4) {
    Engine::Framework::instance().requestEnd();
  }
}

Platform::WindowEvent event(Platform::WindowEventType type, bool active = false, int wheel = 0) {
  Platform::WindowEvent made;
  made.type = type;
  made.active = active;
  made.wheelDelta = wheel;
  return made;
}

// The framework starts the input manager and samples it before each game frame.
TEST(InputFrameTest, EachFrameSeesInputSampledBeforeItAndWheelWaitsForFocus) {
  PlatformFake::ScopedFakeBackend backend;
  gReadings.clear();
  backend->fakeKeyboard.press(Platform::Key::A);
  backend->fakeMouse.state.x = 321;
  using Type = Platform::WindowEventType;
  backend->fakeWindow.push(event(Type::Wheel, false, 120));  // before the window has the focus
  backend->fakeWindow.push(event(Type::Activate, true));
  backend->fakeWindow.push(event(Type::Wheel, false, -120));

  EXPECT_EQ(Engine::WindowCreator::run({&configure, &update}), 0);

  ASSERT_EQ(gReadings.size(), 4u);
  EXPECT_FALSE(gReadings[0].keyA);
  EXPECT_EQ(gReadings[0].wheel, 0);
  EXPECT_TRUE(gReadings[1].keyA);
  EXPECT_EQ(gReadings[1].wheel, 1);  // the step kept while in the background
  EXPECT_EQ(gReadings[2].wheel, -1);
  EXPECT_EQ(gReadings[3].wheel, 0);
  EXPECT_TRUE(gReadings[3].keyA);
  EXPECT_EQ(gReadings[0].pointerX, 321);  // no pointer modifier yet: window pixels
  EXPECT_FALSE(backend->fakeJoysticks.isOpen);
  EXPECT_EQ(backend->fakeJoysticks.openCount, 1);
}

}  // namespace
