#include "PlatformFake/FakeBackend.h"

namespace PlatformFake {

void FakeKeyboard::read(Platform::KeyStates& keys) {
  ++reads;
  keys = down;
}

int FakeJoysticks::open() {
  ++openCount;
  isOpen = true;
  return static_cast<int>(attached.size());
}

void FakeJoysticks::close() {
  ++closeCount;
  isOpen = false;
}

bool FakeJoysticks::read(int index, Platform::JoystickState& state) {
  if (!isOpen || index < 0 || static_cast<std::size_t>(index) >= attached.size()) {
    return false;
  }
  const FakeJoystick& joystick = attached[static_cast<std::size_t>(index)];
  if (!joystick.readable) {
    return false;
  }
  state = joystick.state;
  return true;
}

}  // namespace PlatformFake
