#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
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

  void steps(int n) { for (int i = 0; i < n; ++i) step(); }

  static std::vector<int> pressedKeys() {
    std::vector<int> pressed;
    for (int key = 0; key < KeyInput::kKeyCount; ++key) {
      if (KeyInput::isPressed(key)) {
        pressed.push_back(key);
      }
    }
    return pressed;
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
  mKeyboard.press(Key::X);
  step();
  EXPECT_TRUE(KeyInput::isTriggered(5));
  EXPECT_EQ(KeyInput::heldFrames(5), 1);
  steps(2);
  EXPECT_FALSE(KeyInput::isTriggered(5));
  EXPECT_EQ(KeyInput::heldFrames(5), 3);

  mKeyboard.release(Key::X);
  step();
  EXPECT_FALSE(KeyInput::isPressed(5));
  step();
  EXPECT_EQ(KeyInput::heldFrames(5), -2);
  mKeyboard.press(Key::X);
  step();
  EXPECT_TRUE(KeyInput::isTriggered(5));
  // A game started again in the same process starts from keys never pressed.
  KeyInput::setDefaultBindings();
  EXPECT_FALSE(KeyInput::isPressed(5));
  EXPECT_EQ(KeyInput::heldFrames(5), 0);
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
  step();  // held 45 steps: a rate below 1 repeats every step, with no division by zero
  EXPECT_TRUE(KeyInput::isRepeated(KeyInput::kUp, 0));
  mKeyboard.release(Key::Up);
  step();
  EXPECT_FALSE(KeyInput::isRepeated(KeyInput::kUp, 1));
}

TEST_F(KeyInputTest, TheNewerOfTwoOppositeDirectionsWinsAndSimultaneousOnesCancel) {
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

  mKeyboard.release(Key::Down);
  step();
  EXPECT_TRUE(KeyInput::isPressed(KeyInput::kUp));
  EXPECT_FALSE(KeyInput::isTriggered(KeyInput::kUp));  // no new first press
  EXPECT_EQ(KeyInput::heldFrames(KeyInput::kUp), 10);
  EXPECT_EQ(KeyInput::latestDirection(), KeyInput::kUp);

  // Opposites pressed on the same step cancel out.
  mKeyboard.press(Key::Left);
  mKeyboard.press(Key::Right);
  step();
  EXPECT_EQ(pressedKeys(), std::vector<int>{KeyInput::kUp});
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
  pad.buttons[0] = true;
  step();
  EXPECT_EQ(KeyInput::pollJoystickButton(), 0);
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
// travel from rest (the device reads -32768 to 32767, the framework 0 to
// 65535). Hat angles are hundredths of a degree clockwise from up; each
// direction covers 135 degrees, so a diagonal presses two keys.
TEST_F(KeyInputTest, AxesAndHatPressTheDirectionsTheyPointTo) {
  Platform::JoystickState& pad = attachPad();
  start();
  constexpr std::uint32_t kCentred = Platform::JoystickState::kHatCentered;
  constexpr int kUp = KeyInput::kUp, kRight = KeyInput::kRight, kDown = KeyInput::kDown, kLeft = KeyInput::kLeft;
  struct Case {
    int x, y;
    std::uint32_t hat;
    std::vector<int> pressed;
  };
  const Case cases[] = {
      {0, 0, kCentred, {}},
      {16384, 0, kCentred, {}},
      {16385, 0, kCentred, {kRight}},
      {-16384, 0, kCentred, {}},
      {-16385, 0, kCentred, {kLeft}},
      {0, -16384, kCentred, {}},
      {0, -16385, kCentred, {kUp}},
      {0, 16384, kCentred, {}},
      {0, 16385, kCentred, {kDown}},
      {-32768, 32767, kCentred, {kDown, kLeft}},
      {0, 0, 0, {kUp}},
      {0, 0, 2250, {kUp}},
      {0, 0, 2251, {kUp, kRight}},
      {0, 0, 9000, {kRight}},
      {0, 0, 18000, {kDown}},
      {0, 0, 27000, {kLeft}},
      {0, 0, 31500, {kUp, kLeft}},
      {0, 0, 0x0000FFFF, {}},  // centred by its low word alone
  };
  for (const Case& c : cases) {
    pad.axes[0] = c.x;
    pad.axes[1] = c.y;
    pad.hat = c.hat;
    step();
    EXPECT_EQ(pressedKeys(), c.pressed) << "x " << c.x << ", y " << c.y << ", hat " << c.hat;
  }
  pad.hat = 4500;
  step();
  EXPECT_EQ(KeyInput::latestDirection(), kUp);  // a tie goes to the lower key
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

TEST_F(KeyInputTest, WithThePadOffOnlyTheKeyboardCounts) {
  Platform::JoystickState& pad = attachPad();
  start();
  Config::instance().setting(Config::kPad).set(0);
  pad.buttons[1] = true;
  pad.buttons[3] = true;
  pad.axes[0] = 32767;
  pad.hat = 0;
  step();
  EXPECT_EQ(pressedKeys(), std::vector<int>{});
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

// F1 to F9 hold the last nine keys, one each.
TEST_F(KeyInputTest, TheFunctionKeysHoldTheLastNineKeys) {
  start();
  for (int i = 0; i < 9; ++i) {
    const Key key = static_cast<Key>(static_cast<int>(Key::F1) + i);
    mKeyboard.press(key);
    step();
    EXPECT_EQ(pressedKeys(), std::vector<int>{15 + i}) << "F" << i + 1;
    mKeyboard.release(key);
  }
}

TEST(KeyInputNameTest, NamesOfTheDefaultKeys) {
  KeyInput::setDefaultBindings();
  const std::pair<int, const char*> names[] = {
      {5, "x"}, {7, "a"}, {8, "control"}, {9, "space"}, {KeyInput::kUp, ""}, {KeyInput::kQuit, ""}};
  for (const auto& [key, name] : names) {
    EXPECT_STREQ(KeyInput::keyName(key).c_str(), name) << key;
  }
  const std::pair<int, int> buttons[] = {{7, 3}, {9, 5}, {12, 8}, {13, 9}};
  for (const auto& [key, button] : buttons) {
    EXPECT_EQ(KeyInput::joystickButton(key), button) << key;
  }
}

}  // namespace
