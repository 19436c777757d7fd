#include <algorithm>
#include <cstdio>

#include "SdlInput.h"

namespace Platform::Sdl {

SdlJoysticks::~SdlJoysticks() { close(); }

int SdlJoysticks::open() {
  close();
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "Cannot start the joystick system: %s\n", SDL_GetError());
    return 0;
  }
  mStarted = true;
  const int attached = SDL_NumJoysticks();
  for (int i = 0; i < attached; ++i) {
    if (SDL_Joystick* joystick = SDL_JoystickOpen(i)) {
      mOpened.push_back(joystick);
    } else {
      std::fprintf(stderr, "Cannot open joystick %d: %s\n", i, SDL_GetError());
    }
  }
  return static_cast<int>(mOpened.size());
}

void SdlJoysticks::close() {
  for (SDL_Joystick* joystick : mOpened) {
    SDL_JoystickClose(joystick);
  }
  mOpened.clear();
  if (mStarted) {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    mStarted = false;
  }
}

bool SdlJoysticks::read(int index, JoystickState& state) {
  if (index < 0 || static_cast<std::size_t>(index) >= mOpened.size()) {
    return false;
  }
  SDL_Joystick* joystick = mOpened[static_cast<std::size_t>(index)];
  // Fresh readings even when nobody pumps the event queue.
  SDL_JoystickUpdate();
  if (!SDL_JoystickGetAttached(joystick)) {
    return false;
  }
  state = JoystickState{};
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), JoystickState::kButtonCount);
  for (int i = 0; i < buttons; ++i) {
    state.buttons[static_cast<std::size_t>(i)] = SDL_JoystickGetButton(joystick, i) != 0;
  }
  const int axes = std::min(SDL_JoystickNumAxes(joystick), JoystickState::kAxisCount);
  for (int i = 0; i < axes; ++i) {
    state.axes[static_cast<std::size_t>(i)] = SDL_JoystickGetAxis(joystick, i);
  }
  if (SDL_JoystickNumHats(joystick) > 0) {
    const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
    state.hat = hatAngle((hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_RIGHT) != 0, (hat & SDL_HAT_DOWN) != 0,
                         (hat & SDL_HAT_LEFT) != 0);
  }
  return true;
}

}  // namespace Platform::Sdl
