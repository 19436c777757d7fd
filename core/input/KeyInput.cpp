#include "core/input/KeyInput.h"

#include <array>
#include <climits>

#include "Engine/Base/Assert.h"
#include "Engine/Input/Keyboard.h"
#include "Engine/Input/Manager.h"
#include "core/config/Config.h"

namespace Game::KeyInput {

using Engine::i32;
using Engine::Input::Joystick;

namespace {

namespace Code = Engine::Input::KeyCode;

struct LogicalKey {
  bool pressed = false;
  i32 count = 0;  // > 0: steps held; < 0: steps since release
  i32 keyboardCode = 0;
  i32 joystickButton = kNoButton;
};

struct DefaultBinding {
  i32 keyboardCode;
  i32 joystickButton;
};

constexpr std::array<DefaultBinding, kKeyCount> kDefaultBindings = {{
    {Code::kUp, Joystick::kHatUp},
    {Code::kRight, Joystick::kHatRight},
    {Code::kDown, Joystick::kHatDown},
    {Code::kLeft, Joystick::kHatLeft},
    {'c', 0},
    {'x', 1},
    {'z', 2},
    {'a', 3},
    {Code::kControl, 4},
    {' ', 5},
    {'q', 6},
    {'w', 7},
    {'s', 8},
    {'d', 9},
    {Code::kEscape, kNoButton},
    {Code::kF1, kNoButton},
    {Code::kF1 + 1, kNoButton},
    {Code::kF1 + 2, kNoButton},
    {Code::kF1 + 3, kNoButton},
    {Code::kF1 + 4, kNoButton},
    {Code::kF1 + 5, kNoButton},
    {Code::kF1 + 6, kNoButton},
    {Code::kF1 + 7, kNoButton},
    {Code::kF1 + 8, kNoButton},
}};

// Axis readings beyond these count as a pushed direction (rest is 32768).
constexpr i32 kAxisLow = 16384;
constexpr i32 kAxisHigh = 49152;
constexpr i32 kPolledButtonCount = 10;

struct State {
  std::array<LogicalKey, kKeyCount> keys;
  Joystick joystick;
  bool joystickHasButtons = false;
  KeySource* source = nullptr;
};

State gState;

LogicalKey& keyAt(i32 key) {
  ENGINE_ASSERT(key >= 0 && key < kKeyCount && "logical key out of range");
  return gState.keys[static_cast<std::size_t>(key)];
}

bool isPadOn() { return Config::instance().setting(Config::kPad).value() != 0; }

bool isJoystickReadable() {
  return isPadOn() && gState.joystickHasButtons && !gState.joystick.isNull() && gState.joystick.isEnabled();
}

void pressFromJoystick() {
  const Joystick& pad = gState.joystick;
  for (LogicalKey& key : gState.keys) {
    if (key.joystickButton >= 0) {
      key.pressed = pad.isOn(key.joystickButton);
    }
  }
  if (pad.analogNumber() > 1) {
    const i32 x = pad.analog(0);
    const i32 y = pad.analog(1);
    keyAt(kUp).pressed |= y < kAxisLow;
    keyAt(kRight).pressed |= x > kAxisHigh;
    keyAt(kDown).pressed |= y > kAxisHigh;
    keyAt(kLeft).pressed |= x < kAxisLow;
  }
}

void pressFromSource() {
  const Engine::u32 mask = gState.source->nextKeys();
  for (i32 key = 0; key < kKeyCount; ++key) {
    if ((mask >> key) & 1u) {
      keyAt(key).pressed = true;
    }
  }
}

void pressFromKeyboard() {
  const Engine::Input::Keyboard keyboard = Engine::Input::Manager::instance().keyboard();
  for (LogicalKey& key : gState.keys) {
    if (key.keyboardCode > 0 && keyboard.isOn(key.keyboardCode)) {
      key.pressed = true;
    }
  }
}

// Counts saturate rather than wrap, however long the game runs.
void advanceCount(LogicalKey& key) {
  if (key.pressed) {
    key.count = key.count <= 0 ? 1 : (key.count < INT_MAX ? key.count + 1 : key.count);
  } else {
    key.count = key.count > 0 ? -1 : (key.count > INT_MIN ? key.count - 1 : key.count);
  }
}

// Of two opposite keys held together only the more recent one counts; on a
// tie neither does.
void resolveOpposites(i32 first, i32 second) {
  LogicalKey& a = keyAt(first);
  LogicalKey& b = keyAt(second);
  if (!a.pressed || !b.pressed) {
    return;
  }
  const i32 countA = a.count;
  const i32 countB = b.count;
  a.pressed = countA < countB;
  b.pressed = countB < countA;
}

}  // namespace

void setDefaultBindings() {
  for (std::size_t i = 0; i < kDefaultBindings.size(); ++i) {
    gState.keys[i] = LogicalKey{};
    gState.keys[i].keyboardCode = kDefaultBindings[i].keyboardCode;
    gState.keys[i].joystickButton = kDefaultBindings[i].joystickButton;
  }
}

void initJoystick() {
  gState.joystick = Joystick();
  gState.joystickHasButtons = false;
  const Engine::Input::Manager input = Engine::Input::Manager::instance();
  if (input.joystickNumber() > 0) {
    gState.joystick = input.joystick(0);
    // Every joystick the framework reads has buttons. Whether it can be read
    // is asked again each step, so a pad busy at start works once it is free.
    gState.joystickHasButtons = true;
  }
}

Joystick joystick() { return gState.joystick; }

void setKeySource(KeySource* source) { gState.source = source; }

void updateJoystick() {
  for (LogicalKey& key : gState.keys) {
    key.pressed = false;
  }
  if (gState.source) {
    pressFromSource();
  } else {
    if (isJoystickReadable()) {
      pressFromJoystick();
    }
    pressFromKeyboard();
  }
  for (LogicalKey& key : gState.keys) {
    advanceCount(key);
  }
  resolveOpposites(kUp, kDown);
  resolveOpposites(kRight, kLeft);
}

bool isPressed(i32 key) { return keyAt(key).pressed; }

bool isTriggered(i32 key) {
  const LogicalKey& state = keyAt(key);
  return state.pressed && state.count == 1;
}

i32 heldFrames(i32 key) {
  const LogicalKey& state = keyAt(key);
  if (state.pressed || state.count < 0) {
    return state.count;
  }
  return 0;
}

bool isRepeated(i32 key, i32 rate) {
  const LogicalKey& state = keyAt(key);
  if (!state.pressed) {
    return false;
  }
  if (state.count == 1) {
    return true;
  }
  // A rate below 1 repeats every step rather than dividing by zero.
  const i32 step = rate > 0 ? rate : 1;
  return state.count >= kRepeatDelay && (state.count - kRepeatDelay) % step == 0;
}

i32 latestDirection() {
  i32 latest = -1;
  i32 latestCount = kLatestDirectionLimit;
  for (i32 direction = kUp; direction <= kLeft; ++direction) {
    const LogicalKey& state = keyAt(direction);
    if (state.pressed && state.count < latestCount) {
      latest = direction;
      latestCount = state.count;
    }
  }
  return latest;
}

void clearButtons() {
  for (i32 key = kLeft + 1; key < kKeyCount; ++key) {
    keyAt(key).pressed = false;
    keyAt(key).count = 0;
  }
}

i32 pollJoystickButton() {
  if (!isJoystickReadable()) {
    return -1;
  }
  for (i32 button = 0; button < kPolledButtonCount; ++button) {
    if (gState.joystick.isOn(button)) {
      return button;
    }
  }
  return -1;
}

String keyName(i32 key) {
  const i32 code = keyAt(key).keyboardCode;
  String name("");
  if (code == ' ') {
    name.assign("space");
  } else if (code == Code::kControl) {
    name.assign("control");
  } else if (code > 0 && code < 128) {
    name.appendChar(static_cast<char>(code));
  }
  return name;
}

i32 keyboardCode(i32 key) { return keyAt(key).keyboardCode; }

i32 joystickButton(i32 key) { return keyAt(key).joystickButton; }

bool isValidJoystickButton(i32 button) { return button >= kNoButton && button < Joystick::kButtonCount; }

void setJoystickButton(i32 key, i32 button) {
  if (isValidJoystickButton(button)) {
    keyAt(key).joystickButton = button;
  }
}

}  // namespace Game::KeyInput
