#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Input/Joystick.h"
#include "Engine/Input/Keyboard.h"
#include "Engine/Input/Mouse.h"

namespace Engine::Input {

// The keyboard, the mouse and the joysticks, sampled once a frame; everything
// read during the frame comes from that sample. An empty facade over one
// global state, created at framework start.
class Manager {
 public:
  static void create();
  static void destroy();
  static Manager instance();

  // Samples every device. The pointer scale and offset map window pixels to
  // back-buffer pixels: p = (window + offset) * scale.
  void update(f32 pointerScale, f32 pointerOffsetX, f32 pointerOffsetY);

  Keyboard keyboard() const { return Keyboard(); }
  Mouse mouse() const { return Mouse(); }
  // The joysticks attached at creation.
  i32 joystickNumber() const;
  // Index i must be below joystickNumber.
  Joystick joystick(i32 i) const;
};

}  // namespace Engine::Input
