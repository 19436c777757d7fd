#include "Input/src/DeviceReadings.h"

#include <cmath>

namespace Engine::Input {

HatButtons hatButtons(u32 angle) {
  HatButtons hat;
  if ((angle & 0xFFFFu) == 0xFFFFu) {
    return hat;
  }
  hat.right = angle >= 2251 && angle < 15751;
  hat.left = angle >= 20251 && angle < 33751;
  hat.up = angle < 6751 || angle >= 29251;
  hat.down = angle >= 11251 && angle < 24751;
  return hat;
}

i32 analogFromAxis(i32 axis) {
  const i32 analog = axis + 32768;
  return analog < 0 ? 0 : (analog > 65535 ? 65535 : analog);
}

i32 pointerCoordinate(i32 window, f32 offset, f32 scale) {
  const f32 value = (static_cast<f32>(window) + offset) * scale + 0.5f;
  // Out of range or not a number would make the conversion undefined.
  constexpr f32 kLimit = 1.0e9f;
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= kLimit || value <= -kLimit) {
    return value > 0 ? static_cast<i32>(kLimit) : -static_cast<i32>(kLimit);
  }
  return static_cast<i32>(value);
}

}  // namespace Engine::Input
