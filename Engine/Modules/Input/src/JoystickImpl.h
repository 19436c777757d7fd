#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Input/Joystick.h"
#include "Platform/Joysticks.h"

namespace Engine::Input {

// One joystick's state, double-buffered: the current buffer holds this
// frame's sample, the other the frame before.
class JoystickImpl {
 public:
  explicit JoystickImpl(i32 index) : mIndex(index) {}

  // Reads the device into the other buffer and makes it current. A joystick
  // is read only while the window is in the foreground.
  void update(Platform::Joysticks& joysticks, bool foreground);

  bool isEnabled() const { return mEnabled; }
  bool isOn(i32 button) const;
  i32 analog(i32 axis) const;

 private:
  void clear();
  void take(const Platform::JoystickState& state);

  using Buttons = std::array<bool, Joystick::kButtonCount>;

  i32 mIndex;
  std::array<Buttons, 2> mButtons{};
  std::array<i32, Joystick::kAnalogCount> mAnalog{};
  i32 mCurrent = 0;
  bool mEnabled = false;
};

}  // namespace Engine::Input
