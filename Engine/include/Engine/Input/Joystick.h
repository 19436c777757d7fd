#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Input {

class JoystickImpl;

// A handle on one joystick as sampled by the last input update; a
// default-constructed handle is null.
class Joystick {
 public:
  // Buttons 0 to 127 are the device's; the four after them are its first hat.
  static constexpr i32 kButtonCount = 132;
  static constexpr i32 kHatUp = 128;
  static constexpr i32 kHatDown = 129;
  static constexpr i32 kHatLeft = 130;
  static constexpr i32 kHatRight = 131;
  // Axes read 0 to 65535, 32768 at rest.
  static constexpr i32 kAnalogCount = 8;

  Joystick() = default;
  explicit Joystick(const JoystickImpl* impl) : mImpl(impl) {}

  bool isNull() const { return mImpl == nullptr; }
  // False when the last read failed: then every button is released and every axis 0.
  bool isEnabled() const;
  bool isOn(i32 button) const;
  i32 analog(i32 axis) const;
  i32 analogNumber() const { return kAnalogCount; }

 private:
  const JoystickImpl* mImpl = nullptr;
};

}  // namespace Engine::Input
