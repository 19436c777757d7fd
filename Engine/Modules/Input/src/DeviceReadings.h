#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Input {

// The four direction buttons a hat angle presses.
struct HatButtons {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
};

// From a hat angle in hundredths of a degree clockwise from up; centred when
// its low 16 bits are all set. Each direction covers 135 degrees, so a
// diagonal presses two.
HatButtons hatButtons(u32 angle);

// A joystick axis (-32768 to 32767, 0 at rest) in the 0 to 65535 range.
i32 analogFromAxis(i32 axis);

// One pointer coordinate in back-buffer pixels: (window + offset) * scale,
// rounded half up by adding 0.5 and truncating toward zero.
i32 pointerCoordinate(i32 window, f32 offset, f32 scale);

}  // namespace Engine::Input
