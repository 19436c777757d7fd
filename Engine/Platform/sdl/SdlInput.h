#pragma once

#include <SDL.h>

#include <vector>

#include "Platform/Joysticks.h"
#include "Platform/Keyboard.h"
#include "Platform/Mouse.h"

namespace Platform::Sdl {

// Letters and punctuation by their label in the active layout, the other
// keys by position, so Num Lock changes nothing (see KeyPositions.h).
class SdlKeyboard : public Keyboard {
 public:
  void read(KeyStates& down) override;
};

class SdlMouse : public Mouse {
 public:
  MouseState read() override;
};

class SdlJoysticks : public Joysticks {
 public:
  SdlJoysticks() = default;
  ~SdlJoysticks() override;
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;

  int open() override;
  void close() override;
  bool read(int index, JoystickState& state) override;

 private:
  std::vector<SDL_Joystick*> mOpened;
  bool mStarted = false;
};

}  // namespace Platform::Sdl
