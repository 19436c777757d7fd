#include <gtest/gtest.h>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::Input::Joystick;
using Engine::Input::Manager;
using Engine::Input::ManagerImpl;
using Engine::Input::MouseButton;
using Engine::Input::PointerModifier;
using Platform::Key;

class InputManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { Manager::destroy(); }

  // One frame with the window in the foreground unless said otherwise.
  void frame(bool active = true, int wheel = 0, PointerModifier pointer = {}) {
    ManagerImpl::instance()->update(pointer, active, wheel);
  }

  PlatformFake::ScopedFakeBackend mBackend;
  PlatformFake::FakeKeyboard& mKeyboard = mBackend->fakeKeyboard;
  PlatformFake::FakeJoysticks& mJoysticks = mBackend->fakeJoysticks;
};

TEST_F(InputManagerTest, KeyPressHoldAndReleaseAcrossFrames) {
  Manager::create();
  const auto keyboard = Manager::instance().keyboard();
  mKeyboard.press(Key::X);
  mKeyboard.press(Key::Shift);
  // Nothing changes between updates: the game reads one sample per frame.
  EXPECT_FALSE(keyboard.isOn('x'));
  frame();
  EXPECT_TRUE(keyboard.isOn('x') && keyboard.isOn('X') && keyboard.isOn(131));
  EXPECT_FALSE(keyboard.isOn(200));

  mKeyboard.release(Key::X);
  frame();
  EXPECT_FALSE(keyboard.isOn('x'));
  EXPECT_TRUE(keyboard.isOn(131));
  EXPECT_EQ(mKeyboard.reads, 2);
}

TEST_F(InputManagerTest, InactiveWindowReadsAllReleasedUntilActiveAgain) {
  mJoysticks.attached.resize(1);
  mJoysticks.attached[0].state.buttons[0] = true;
  Manager::create();
  mKeyboard.press(Key::Return);
  mBackend->fakeMouse.state.left = true;
  frame(true, 1);
  const Manager manager = Manager::instance();
  EXPECT_TRUE(manager.keyboard().isOn(128));
  EXPECT_EQ(manager.mouse().wheel(), 1);

  frame(false, 1);
  EXPECT_FALSE(manager.keyboard().isOn(128) || manager.mouse().isOn(MouseButton::Left));
  EXPECT_EQ(manager.mouse().wheel(), 0);
  EXPECT_FALSE(manager.joystick(0).isEnabled() || manager.joystick(0).isOn(0));

  frame();
  EXPECT_TRUE(manager.keyboard().isOn(128) && manager.mouse().isOn(MouseButton::Left));
  EXPECT_TRUE(manager.joystick(0).isEnabled() && manager.joystick(0).isOn(0));
}

TEST_F(InputManagerTest, PointerIsScaledAndItsMovementMeasured) {
  Manager::create();
  const auto mouse = Manager::instance().mouse();
  mBackend->fakeMouse.state = {133, 40, false, false, false};
  frame(true, 0, {0.75f, 0.0f, 0.0f});
  EXPECT_EQ(mouse.x(), 100);
  EXPECT_EQ(mouse.y(), 30);
  EXPECT_EQ(mouse.moveX(), 100);

  mBackend->fakeMouse.state.x = 1;
  mBackend->fakeMouse.state.y = 0;
  frame(false, 0, {0.5f, 0.0f, -10.0f});  // the pointer is read even in the background
  EXPECT_EQ(mouse.x(), 1);
  EXPECT_EQ(mouse.y(), -4);  // -5 + 0.5 truncates toward zero
  EXPECT_EQ(mouse.moveX(), -99);
  EXPECT_EQ(mouse.moveY(), -34);
}

TEST_F(InputManagerTest, JoystickButtonsAxesAndHatAcrossFrames) {
  mJoysticks.attached.resize(2);
  Manager::create();
  const Manager manager = Manager::instance();
  ASSERT_EQ(manager.joystickNumber(), 2);
  const Joystick pad = manager.joystick(0);

  Platform::JoystickState& state = mJoysticks.attached[0].state;
  state.buttons[3] = true;
  state.buttons[127] = true;
  state.axes = {-32768, 32767, 0, 0, 0, 0, 0, 0};
  state.hat = Platform::hatAngle(true, true, false, false);
  frame();
  EXPECT_TRUE(pad.isOn(3));
  EXPECT_TRUE(pad.isOn(127));
  EXPECT_FALSE(pad.isOn(4));
  EXPECT_EQ(pad.analog(0), 0);
  EXPECT_EQ(pad.analog(1), 65535);
  EXPECT_TRUE(pad.isOn(Joystick::kHatUp) && pad.isOn(Joystick::kHatRight));
  EXPECT_FALSE(pad.isOn(Joystick::kHatDown) || pad.isOn(Joystick::kHatLeft));
  EXPECT_FALSE(pad.isOn(132));  // out of range
  EXPECT_FALSE(pad.isOn(-1));
  EXPECT_EQ(pad.analog(8), 0);

  state.buttons[3] = false;
  state.hat = Platform::JoystickState::kHatCentered;
  frame();
  EXPECT_FALSE(pad.isOn(3));
  EXPECT_FALSE(pad.isOn(Joystick::kHatUp) || pad.isOn(Joystick::kHatRight));
}

TEST_F(InputManagerTest, UnreadableJoystickReportsReleasedZeroAndDisabledThatFrame) {
  mJoysticks.attached.resize(1);
  mJoysticks.attached[0].state.buttons[1] = true;
  mJoysticks.attached[0].state.axes[0] = 1000;
  Manager::create();
  const Joystick pad = Manager::instance().joystick(0);
  frame();
  EXPECT_EQ(pad.analog(0), 33768);

  mJoysticks.attached[0].readable = false;
  frame();
  EXPECT_FALSE(pad.isEnabled());
  EXPECT_FALSE(pad.isOn(1));
  EXPECT_EQ(pad.analog(0), 0);

  mJoysticks.attached[0].readable = true;
  frame();
  EXPECT_TRUE(pad.isEnabled());
  EXPECT_TRUE(pad.isOn(1));
}

using InputManagerDeathTest = InputManagerTest;

TEST_F(InputManagerDeathTest, SecondCreationAndBadJoystickIndexHalt) {
  Manager::create();
  EXPECT_EXIT(Manager::create(), ::testing::ExitedWithCode(1), "!gManagerImpl");
  EXPECT_EXIT(Manager::instance().joystick(0), ::testing::ExitedWithCode(1), "joystick index out of range");
}

}  // namespace
