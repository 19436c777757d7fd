// The input manager on SDL's real keyboard, mouse and joystick subsystems,
// with a real window on a virtual X display and no joystick attached.

#include <gtest/gtest.h>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "Platform/SystemBackend.h"

namespace {

using Engine::Input::Manager;
using Engine::Input::ManagerImpl;
using Engine::Input::MouseButton;

// One backend for the whole suite: starting SDL's video system a second time
// in one process sometimes fails to reach the X server.
class InputSmokeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { mBackend = Platform::createSystemBackend().release(); }
  static void TearDownTestSuite() {
    delete mBackend;
    mBackend = nullptr;
  }

  void SetUp() override {
    Platform::setBackend(mBackend);
    Platform::WindowDesc desc;
    desc.title = "input smoke";
    ASSERT_TRUE(mBackend->window().create(desc));
  }

  void TearDown() override {
    Manager::destroy();
    mBackend->window().destroy();
    Platform::setBackend(nullptr);
  }

  static inline Platform::SystemBackend* mBackend = nullptr;
};

TEST_F(InputSmokeTest, NothingHeldAndNoJoystickOverSeveralFrames) {
  Manager::create();
  const Manager manager = Manager::instance();
  EXPECT_EQ(manager.joystickNumber(), 0) << "this test expects a machine with no joystick attached";
  for (int frame = 0; frame < 5; ++frame) {
    for (Platform::WindowEvent event; mBackend->window().pollEvent(event);) {
    }
    ManagerImpl::instance()->update({}, true, 0);
    for (int code = 0; code < 256; ++code) {
      EXPECT_FALSE(manager.keyboard().isOn(code)) << code;
    }
    for (const MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
      EXPECT_FALSE(manager.mouse().isOn(button));
    }
    EXPECT_EQ(manager.mouse().wheel(), 0);
  }
  // Without the window creator nothing has the focus.
  Manager::instance().update(1.0f, 0.0f, 0.0f);
  EXPECT_FALSE(manager.keyboard().isOn('a'));
}

TEST_F(InputSmokeTest, JoystickSystemStartsAndStopsAgain) {
  for (int round = 0; round < 2; ++round) {
    Manager::create();
    ManagerImpl::instance()->update({}, true, 0);
    EXPECT_EQ(Manager::instance().joystickNumber(), 0);
    Manager::destroy();
    Platform::JoystickState state;
    EXPECT_FALSE(mBackend->joysticks().read(0, state));
  }
}

}  // namespace
