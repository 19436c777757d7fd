#pragma once

#include <SDL.h>

#include <vector>

#include "Platform/Joysticks.h"
#include "Platform/Keyboard.h"
#include "Platform/Mouse.h"

namespace Platform::Sdl {

// Keys by position (scancode), so the layout and Num Lock change nothing.
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
