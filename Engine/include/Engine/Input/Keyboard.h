#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Input {

// Framework key codes: 'A' to 'Z' (and 'a' to 'z' for the same keys), '0' to
// '9', ' ', '+', ',', '-', '.', and the codes below. Any other code has no key.
namespace KeyCode {
inline constexpr i32 kReturn = 128;
inline constexpr i32 kTab = 129;
inline constexpr i32 kEscape = 130;
inline constexpr i32 kShift = 131;
inline constexpr i32 kControl = 132;
inline constexpr i32 kAlt = 133;
inline constexpr i32 kF1 = 134;  // to F12 at 145
inline constexpr i32 kUp = 146;
inline constexpr i32 kDown = 147;
inline constexpr i32 kLeft = 148;
inline constexpr i32 kRight = 149;
inline constexpr i32 kNumpad0 = 150;  // to keypad 9 at 159
}  // namespace KeyCode

// The keyboard as sampled by the last input update.
class Keyboard {
 public:
  // Whether the key of the code is held; false for a code with no key.
  bool isOn(i32 code) const;
};

}  // namespace Engine::Input
