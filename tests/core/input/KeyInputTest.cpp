#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace {

namespace KeyInput = Game::KeyInput;
using Game::Config;
using Platform::Key;

class KeyInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KeyInput::setDefaultBindings();
    Config::instance().setDefaults();
  }

  void TearDown() override {
    forgetJoystick();
    Config::instance().setDefaults();
  }

  // The logical keys keep their joystick handle for the program's life; a
  // manager without joysticks makes the next test start from none.
  void forgetJoystick() {
    Engine::Input::Manager::destroy();
    mBackend->fakeJoysticks.attached.clear();
    Engine::Input::Manager::create();
    KeyInput::initJoystick();
    Engine::Input::Manager::destroy();
  }

  // Starts input with the joysticks attached so far, then lets every key's
  // count settle on "released".
  void start() {
    Engine::Input::Manager::create();
    step();
    KeyInput::initJoystick();
    step();
  }

  // One logic step: a fresh device sample, then the logical keys.
  void step(bool windowActive = true) {
    Engine::Input::ManagerImpl::instance()->update({}, windowActive, 0);
    KeyInput::updateJoystick();
  }

  void steps(int n) {
    for (int i = 0; i < n; ++i) {
      step();
    }
  }

  Platform::JoystickState& attachPad() {
    mBackend->fakeJoysticks.attached.resize(1);
    return mBackend->fakeJoysticks.attached[0].state;
  }

  PlatformFake::ScopedFakeBackend mBackend;
  PlatformFake::FakeKeyboard& mKeyboard = mBackend->fakeKeyboard;
};

TEST_F(KeyInputTest, PressHoldAndReleaseCountSteps) {
  start();
  EXPECT_FALSE(KeyInput::isPressed(5));
  mKeyboard.press(Key::X);
  step();
  EXPECT_TRUE(KeyInput::isPressed(5));
  EXPECT_TRUE(KeyInput::isTriggered(5));
  EXPECT_EQ(KeyInput::heldFrames(5), 1);
  steps(2);
  EXPECT_FALSE(KeyInput::isTriggered(5));
  EXPECT_EQ(KeyInput::heldFrames(5), 3);

  mKeyboard.release(Key::X);
  step();
  EXPECT_FALSE(KeyInput::isPressed(5));
  EXPECT_EQ(KeyInput::heldFrames(5), -1);
  step();
  EXPECT_EQ(KeyInput::heldFrames(5), -2);
  mKeyboard.press(Key::X);
  step();
  EXPECT_TRUE(KeyInput::isTriggered(5));
}

TEST_F(KeyInputTest, AutoRepeatFiresOnTheFirstStepThenFrom32AtTheRate) {
  start();
  mKeyboard.press(Key::Up);
  std::vector<int> fired;
  for (int count = 1; count <= 44; ++count) {
    step();
    ASSERT_EQ(KeyInput::heldFrames(KeyInput::kUp), count);
    if (KeyInput::isRepeated(KeyInput::kUp, 4)) {
      fired.push_back(count);
    }
  }
  EXPECT_EQ(fired, (std::vector<int>{1, 32, 36, 40, 44}));
  EXPECT_TRUE(KeyInput::isRepeated(KeyInput::kUp, 0));  // no division by zero
  mKeyboard.release(Key::Up);
  step();
  EXPECT_FALSE(KeyInput::isRepeated(KeyInput::kUp, 1));
}

TEST_F(KeyInputTest, TheNewerOfTwoOppositeDirectionsWinsUntilReleased) {
  start();
  mKeyboard.press(Key::Up);
  steps(5);
  mKeyboard.press(Key::Down);
  step();
  EXPECT_FALSE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_TRUE(KeyInput::isTriggered(KeyInput::kDown));
  EXPECT_EQ(KeyInput::heldFrames(KeyInput::kUp), 0);  // held but overruled
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kDown);
  steps(3);
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kDown));
  EXPECT_FALSE(KeyInput::isPressed(KeyInput::kUp));

  mKeyboard.release(Key::Down);
  step();
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_FALSE(KeyInput::isTriggered(KeyInput::kUp));  // no new first press
  EXPECT_EQ(KeyInput::heldFrames(KeyInput::kUp), 10);
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kUp);
}

TEST_F(KeyInputTest, OppositesPressedOnTheSameStepCancelOut) {
  start();
  mKeyboard.press(Key::Left);
  mKeyboard.press(Key::Right);
  mKeyboard.press(Key::Up);
  step();
  EXPECT_FALSE(KeyInput::isPressed(KeyInput::kLeft));
  EXPECT_FALSE(KeyInput::isPressed(KeyInput::kRight));
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kUp);
}

TEST_F(KeyInputTest, PollJoystickButtonFindsTheFirstOfTheTen) {
  EXPECT_EQ(KeyInput::pollJoystickButton(), -1);  // before any joystick
  Platform::JoystickState& pad = attachPad();
  start();
  EXPECT_EQ(KeyInput::pollJoystickButton(), -1);
  pad.buttons[10] = true;
  step();
  EXPECT_EQ(KeyInput::pollJoystickButton(), -1);
  pad.buttons[7] = true;
  pad.buttons[3] = true;
  step();
  EXPECT_EQ(KeyInput::pollJoystickButton(), 3);
  step(false);  // an unreadable pad reports nothing
  EXPECT_EQ(KeyInput::pollJoystickButton(), -1);
}

TEST_F(KeyInputTest, RebindingAndOutOfRangeButtons) {
  Platform::JoystickState& pad = attachPad();
  start();
  KeyInput::setJoystickButton(5, 9);
  KeyInput::setJoystickButton(6, 132);
  KeyInput::setJoystickButton(6, -2);
  EXPECT_EQ(KeyInput::joystickButton(6), 2);
  pad.buttons[9] = true;
  step();
  EXPECT_TRUE(KeyInput::isPressed(5));
  EXPECT_TRUE(KeyInput::isPressed(13));  // 'd' keeps button 9 too
  KeyInput::setJoystickButton(5, KeyInput::kNoButton);
  step();
  EXPECT_FALSE(KeyInput::isPressed(5));
}

// The pad's first two axes press the directions beyond a quarter of their
// travel from rest; the device reads -32768 to 32767, the framework 0 to 65535.
TEST_F(KeyInputTest, AxesPressDirectionsBeyondAQuarterOfTheirTravel) {
  Platform::JoystickState& pad = attachPad();
  start();
  struct Case {
    int x, y;
    std::vector<int> pressed;
  };
  const Case cases[] = {
      {0, 0, {}},
      {16384, 0, {}},
      {16385, 0, {KeyInput::kRight}},
      {-16384, 0, {}},
      {-16385, 0, {KeyInput::kLeft}},
      {0, -16384, {}},
      {0, -16385, {KeyInput::kUp}},
      {0, 16384, {}},
      {0, 16385, {KeyInput::kDown}},
      {-32768, 32767, {KeyInput::kDown, KeyInput::kLeft}},
  };
  for (const Case& c : cases) {
    pad.axes[0] = c.x;
    pad.axes[1] = c.y;
    step();
    std::vector<int> pressed;
    for (int key = 0; key < KeyInput::kKeyCount; ++key) {
      if (KeyInput::isPressed(key)) {
        pressed.push_back(key);
      }
    }
    EXPECT_EQ(pressed, c.pressed) << "x " << c.x << ", y " << c.y;
  }
}

// An unreadable pad reads every axis as 0, the far corner of up and left:
// nothing may be pressed from it.
TEST_F(KeyInputTest, AnUnreadablePadPressesNoDirection) {
  Platform::JoystickState& pad = attachPad();
  pad.axes[0] = -32768;
  pad.axes[1] = -32768;
  start();
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  step(false);
  EXPECT_FALSE(KeyInput::joystick().isEnabled());
  EXPECT_EQ(KeyInput::joystick().analog(0), 0);
  EXPECT_EQ(KeyInput::latestDirection(), -1);
}

// Hat angles are hundredths of a degree clockwise from up; each direction
// covers 135 degrees, so a diagonal presses two keys.
TEST_F(KeyInputTest, TheHatPressesTheDirectionsItsAngleCovers) {
  Platform::JoystickState& pad = attachPad();
  start();
  struct Case {
    std::uint32_t angle;
    bool up, right, down, left;
  };
  const Case cases[] = {
      {Platform::JoystickState::kHatCentered, false, false, false, false},
      {0, true, false, false, false},
      {2250, true, false, false, false},
      {2251, true, true, false, false},
      {4500, true, true, false, false},
      {9000, false, true, false, false},
      {13500, false, true, true, false},
      {18000, false, false, true, false},
      {27000, false, false, false, true},
      {31500, true, false, false, true},
      {0x0000FFFF, false, false, false, false},  // centred by its low word alone
  };
  for (const Case& c : cases) {
    pad.hat = c.angle;
    step();
    EXPECT_EQ(KeyInput::isPressed(KeyInput::kUp), c.up) << c.angle;
    EXPECT_EQ(KeyInput::isPressed(KeyInput::kRight), c.right) << c.angle;
    EXPECT_EQ(KeyInput::isPressed(KeyInput::kDown), c.down) << c.angle;
    EXPECT_EQ(KeyInput::isPressed(KeyInput::kLeft), c.left) << c.angle;
  }
  pad.hat = 4500;
  step();
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kUp);  // a tie goes to the lower key
}

TEST_F(KeyInputTest, WithThePadOffOnlyTheKeyboardCounts) {
  Platform::JoystickState& pad = attachPad();
  start();
  Config::instance().setting(Config::kPad).set(0);
  pad.buttons[1] = true;
  pad.buttons[3] = true;
  pad.axes[0] = 32767;
  pad.hat = 0;
  step();
  for (int key = 0; key < KeyInput::kKeyCount; ++key) {
    EXPECT_FALSE(KeyInput::isPressed(key)) << key;
  }
  EXPECT_EQ(KeyInput::pollJoystickButton(), -1);
  mKeyboard.press(Key::X);
  step();
  EXPECT_TRUE(KeyInput::isTriggered(5));

  Config::instance().setting(Config::kPad).set(1);
  step();
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_TRUE(KeyInput::isTriggered(KeyInput::kRight));
  EXPECT_TRUE(KeyInput::isTriggered(7));
  EXPECT_EQ(KeyInput::pollJoystickButton(), 1);
}

// A direction held for 1024 steps or more is too old to be the latest.
TEST_F(KeyInputTest, LatestDirectionIgnoresCountsOf1024AndMore) {
  start();
  mKeyboard.press(Key::Up);
  steps(1023);
  EXPECT_EQ(KeyInput::heldFrames(KeyInput::kUp), 1023);
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kUp);
  step();
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_EQ(KeyInput::latestDirection(), -1);
  mKeyboard.press(Key::Right);
  step();
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kRight);
  steps(1023);
  EXPECT_EQ(KeyInput::latestDirection(), -1);
  EXPECT_TRUE(KeyInput::isRepeated(KeyInput::kRight, 4));  // (1024 - 32) % 4 == 0
}

TEST(KeyInputNameTest, NamesOfTheDefaultKeys) {
  KeyInput::setDefaultBindings();
  const char* expected[] = {"c", "x", "z", "control", "space", "q", "w"};
  const int keys[] = {4, 5, 6, 8, 9, 10, 11};
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(KeyInput::keyName(keys[i]).c_str(), expected[i]) << keys[i];
  }
  EXPECT_STREQ(KeyInput::keyName(KeyInput::kUp).c_str(), "");
  EXPECT_STREQ(KeyInput::keyName(KeyInput::kQuit).c_str(), "");
  EXPECT_STREQ(KeyInput::keyName(7).c_str(), "a");
  EXPECT_EQ(KeyInput::keyboardCode(KeyInput::kReturnToTitle), 142);
  EXPECT_EQ(KeyInput::joystickButton(KeyInput::kDown), 129);
  EXPECT_EQ(KeyInput::joystickButton(KeyInput::kQuit), -1);
}

}  // namespace
