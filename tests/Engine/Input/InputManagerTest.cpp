#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Framework/Framework.h"
#include "Engine/Framework/WindowCreator.h"
#include "Engine/Input/Keyboard.h"
#include "Engine/Input/Manager.h"
#include "Input/src/DeviceReadings.h"
#include "Input/src/KeyCodes.h"
#include "Input/src/ManagerImpl.h"
#include "Platform/Joysticks.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine::Input {
namespace {

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

TEST(KeyCodesTest, CodesMapToTheirKeysLettersInEitherCase) {
  namespace Code = Engine::Input::KeyCode;
  const std::pair<int, Key> mapped[] = {
      {'a', Key::A},      {'A', Key::A},       {'Z', Key::Z},   {'0', Key::Digit0},   {'9', Key::Digit9},
      {' ', Key::Space},  {Code::kReturn, Key::Return}, {Code::kAlt, Key::Alt}, {134, Key::F1}, {145, Key::F12},
      {146, Key::Up},     {149, Key::Right},   {150, Key::Numpad0}, {159, Key::Numpad9},
  };
  for (const auto& [code, key] : mapped) {
    EXPECT_EQ(keyForCode(code), key) << code;
  }
  for (int code : {0, 13, 33, 47, 58, 64, 91, 96, 123, 127, 160, 256, -1, std::numeric_limits<int>::min(),
                   std::numeric_limits<int>::max()}) {
    EXPECT_FALSE(keyForCode(code).has_value()) << code;
  }
}

// Each direction covers 135 degrees; the letters are the buttons set.
TEST(HatSectorsTest, SectorBoundariesAreExactAndACentredHatSetsNothing) {
  const std::pair<unsigned, const char*> sectors[] = {
      {0, "U"},      {2250, "U"},   {2251, "UR"},  {6750, "UR"},  {6751, "R"},   {11250, "R"},
      {11251, "RD"}, {15750, "RD"}, {15751, "D"},  {20250, "D"},  {20251, "DL"}, {24750, "DL"}, {24751, "L"},
      {29250, "L"},  {29251, "UL"}, {33750, "UL"}, {33751, "U"},  {35999, "U"},  {0xFFFFFFFFu, ""}, {0x0000FFFFu, ""},
  };
  for (const auto& [angle, buttons] : sectors) {
    const auto hat = hatButtons(angle);
    std::string set;
    set += hat.up ? "U" : "";
    set += hat.right ? "R" : "";
    set += hat.down ? "D" : "";
    set += hat.left ? "L" : "";
    EXPECT_EQ(set, buttons) << angle;
  }
}

TEST(HatSectorsTest, EightWayHatDirectionsBecomeTheirAnglesAndOppositesCancel) {
  using Platform::hatAngle;
  constexpr unsigned kCentered = Platform::JoystickState::kHatCentered;
  EXPECT_EQ(hatAngle(false, false, false, false), kCentered);
  EXPECT_EQ(hatAngle(false, false, true, true), 22500u);
  EXPECT_EQ(hatAngle(true, false, false, true), 31500u);
  EXPECT_EQ(hatAngle(true, true, true, false), 9000u);
  EXPECT_EQ(hatAngle(true, true, true, true), kCentered);
}

// The axis range itself is read through the manager's joystick test.
TEST(AxisConversionTest, SignedAxisBeyondItsRangeIsClamped) {
  using Engine::Input::analogFromAxis;
  EXPECT_EQ(analogFromAxis(-100000), 0);
  EXPECT_EQ(analogFromAxis(100000), 65535);
}

TEST(PointerRoundingTest, ScaledCoordinatesRoundHalfUpAndStayBounded) {
  using Engine::Input::pointerCoordinate;
  EXPECT_EQ(pointerCoordinate(1, 0.0f, 0.5f), 1);        // 0.5
  EXPECT_EQ(pointerCoordinate(10, -80.0f, 1.25f), -87);  // -87.5 truncates toward zero
  EXPECT_EQ(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_GT(pointerCoordinate(10, 0.0f, std::numeric_limits<float>::infinity()), 0);
  EXPECT_LT(pointerCoordinate(-10, 0.0f, 1.0e30f), 0);
}

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
}  // namespace Engine::Input
