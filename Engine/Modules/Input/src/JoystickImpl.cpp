#include "Input/src/JoystickImpl.h"

#include "Input/src/DeviceReadings.h"

namespace Engine::Input {

void JoystickImpl::update(Platform::Joysticks& joysticks, bool foreground) {
  mCurrent = 1 - mCurrent;
  Platform::JoystickState state;
  mEnabled = foreground && joysticks.read(mIndex, state);
  if (mEnabled) {
    take(state);
  } else {
    clear();
  }
}

void JoystickImpl::clear() {
  mButtons[static_cast<std::size_t>(mCurrent)].fill(false);
  mAnalog.fill(0);
}

void JoystickImpl::take(const Platform::JoystickState& state) {
  Buttons& buttons = mButtons[static_cast<std::size_t>(mCurrent)];
  for (std::size_t i = 0; i < state.buttons.size(); ++i) {
    buttons[i] = state.buttons[i];
  }
  for (std::size_t i = 0; i < mAnalog.size(); ++i) {
    mAnalog[i] = analogFromAxis(state.axes[i]);
  }
  const HatButtons hat = hatButtons(state.hat);
  buttons[Joystick::kHatUp] = hat.up;
  buttons[Joystick::kHatDown] = hat.down;
  buttons[Joystick::kHatLeft] = hat.left;
  buttons[Joystick::kHatRight] = hat.right;
}

bool JoystickImpl::isOn(i32 button) const {
  if (button < 0 || button >= Joystick::kButtonCount) {
    return false;
  }
  return mButtons[static_cast<std::size_t>(mCurrent)][static_cast<std::size_t>(button)];
}

i32 JoystickImpl::analog(i32 axis) const {
  if (axis < 0 || axis >= Joystick::kAnalogCount) {
    return 0;
  }
  return mAnalog[static_cast<std::size_t>(axis)];
}

}  // namespace Engine::Input
