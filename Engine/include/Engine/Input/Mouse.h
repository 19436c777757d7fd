#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Input {

enum class MouseButton { Left, Right, Middle };

// The mouse as sampled by the last input update, in back-buffer pixels.
class Mouse {
 public:
  i32 x() const;
  i32 y() const;
  // Movement since the update before.
  i32 moveX() const;
  i32 moveY() const;
  // This frame's wheel step: +1, -1 or 0.
  i32 wheel() const;
  bool isOn(MouseButton button) const;
};

}  // namespace Engine::Input
