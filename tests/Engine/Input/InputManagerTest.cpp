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

// A joystick as one line: enabled or not, every button on from -1 to 132, then analogs 0, 1 and 8.
std::string padLine(const Joystick& pad) {
  std::string line = pad.isEnabled() ? "on" : "off";
  for (int button = -1; button <= Joystick::kButtonCount; ++button) {
    line += pad.isOn(button) ? " " + std::to_string(button) : "";
  }
  return line + " | " + std::to_string(pad.analog(0)) + " " + std::to_string(pad.analog(1)) + " " +
         std::to_string(pad.analog(8));
}

std::string mouseLine(const Mouse& mouse) {
  return std::to_string(mouse.x()) + "," + std::to_string(mouse.y()) + " moved " + std::to_string(mouse.moveX()) +
         "," + std::to_string(mouse.moveY()) + " wheel " + std::to_string(mouse.wheel()) +
         (mouse.isOn(MouseButton::Left) ? " left" : "");
}

TEST_F(InputManagerTest, InactiveWindowReadsAllReleasedUntilActiveAgain) {
  mJoysticks.attached.resize(1);
  mJoysticks.attached[0].state.buttons[0] = true;
  Manager::create();
  mKeyboard.press(Key::Return);
  mBackend->fakeMouse.state.left = true;
  const Manager manager = Manager::instance();
  const auto seen = [&] {
    return std::string(manager.keyboard().isOn(128) ? "return " : "") + mouseLine(manager.mouse()) + " pad " +
           padLine(manager.joystick(0));
  };
  frame(true, 1);
  EXPECT_EQ(seen(), "return 0,0 moved 0,0 wheel 1 left pad on 0 | 32768 32768 0");
  frame(false, 1);
  EXPECT_EQ(seen(), "0,0 moved 0,0 wheel 0 pad off | 0 0 0");
  frame();
  EXPECT_EQ(seen(), "return 0,0 moved 0,0 wheel 0 left pad on 0 | 32768 32768 0");
}

TEST_F(InputManagerTest, PointerIsScaledAndItsMovementMeasured) {
  Manager::create();
  const auto mouse = Manager::instance().mouse();
  mBackend->fakeMouse.state = {133, 40, false, false, false};
  frame(true, 0, {0.75f, 0.0f, 0.0f});
  EXPECT_EQ(mouseLine(mouse), "100,30 moved 100,30 wheel 0");
  mBackend->fakeMouse.state.x = 1;
  mBackend->fakeMouse.state.y = 0;
  frame(false, 0, {0.5f, 0.0f, -10.0f});  // the pointer is read even in the background
  EXPECT_EQ(mouseLine(mouse), "1,-4 moved -99,-34 wheel 0");  // y: -5 + 0.5 truncates toward zero
}

// An unreadable joystick reads released, zero and disabled for as long as it stays so.
TEST_F(InputManagerTest, JoystickButtonsAxesAndHatAcrossFramesUntilUnreadable) {
  mJoysticks.attached.resize(2);
  Manager::create();
  const Manager manager = Manager::instance();
  ASSERT_EQ(manager.joystickNumber(), 2);
  const Joystick pad = manager.joystick(0);

  Platform::JoystickState& state = mJoysticks.attached[0].state;
  state.buttons[3] = true;
  state.buttons[127] = true;
  state.axes = {-32768, 1000, 0, 0, 0, 0, 0, 0};
  state.hat = Platform::hatAngle(true, true, false, false);
  frame();
  EXPECT_EQ(padLine(pad), "on 3 127 128 131 | 0 33768 0");  // the hat's up and right
  state.buttons[3] = false;
  state.hat = Platform::JoystickState::kHatCentered;
  frame();
  EXPECT_EQ(padLine(pad), "on 127 | 0 33768 0");
  mJoysticks.attached[0].readable = false;
  frame();
  EXPECT_EQ(padLine(pad), "off | 0 0 0");
  mJoysticks.attached[0].readable = true;
  frame();
  EXPECT_EQ(padLine(pad), "on 127 | 0 33768 0");
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
    EXPECT_EQ(std::string(hat.up ? "U" : "") + (hat.right ? "R" : "") + (hat.down ? "D" : "") + (hat.left ? "L" : ""),
              buttons) << angle;
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
  EXPECT_EQ(analogFromAxis(32767), 65535);
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

// Each frame's key A, wheel step and pointer x.
std::vector<std::string> gReadings;

void configure(Engine::Framework::Configuration) {}

void update() {
  const Engine::Input::Manager input = Engine::Input::Manager::instance();
  const std::string key = input.keyboard().isOn('a') ? "a " : "";
  gReadings.push_back(key + std::to_string(input.mouse().wheel()) + " " + std::to_string(input.mouse().x()));
  if (gReadings.size() == 4) {
    Engine::Framework::instance().requestEnd();
  }
}

// The framework starts the input manager and samples it before each game frame.
TEST(InputFrameTest, EachFrameSeesInputSampledBeforeItAndWheelWaitsForFocus) {
  PlatformFake::ScopedFakeBackend backend;
  gReadings.clear();
  backend->fakeKeyboard.press(Platform::Key::A);
  backend->fakeMouse.state.x = 321;
  using Type = Platform::WindowEventType;
  backend->fakeWindow.push({.type = Type::Wheel, .wheelDelta = 120, .droppedPaths = {}});  // before the focus
  backend->fakeWindow.push({.type = Type::Activate, .active = true, .droppedPaths = {}});
  backend->fakeWindow.push({.type = Type::Wheel, .wheelDelta = -120, .droppedPaths = {}});

  EXPECT_EQ(Engine::WindowCreator::run({&configure, &update}), 0);
  // The step kept while in the background comes with the focus; no pointer modifier yet: window pixels.
  EXPECT_EQ(gReadings, (std::vector<std::string>{"0 321", "a 1 321", "a -1 321", "a 0 321"}));
  EXPECT_FALSE(backend->fakeJoysticks.isOpen);
  EXPECT_EQ(backend->fakeJoysticks.openCount, 1);
}

}  // namespace
}  // namespace Engine::Input
