#pragma once

#include <array>
#include <cstdint>

namespace Platform {

struct JoystickState {
  static constexpr int kButtonCount = 128;
  static constexpr int kAxisCount = 8;
  // A hat angle that means "not pushed".
  static constexpr std::uint32_t kHatCentered = 0xFFFFFFFF;

  std::array<bool, kButtonCount> buttons{};
  // X, Y, Z, X rotation, Y rotation, Z rotation, two sliders; -32768 to 32767
  // with 0 at rest. Axes the device lacks read 0.
  std::array<int, kAxisCount> axes{};
  // The first hat in hundredths of a degree clockwise from up, or kHatCentered.
  std::uint32_t hat = kHatCentered;
};

// The hat angle of a pushed direction set (a diagonal sets two); opposite
// directions cancel out.
constexpr std::uint32_t hatAngle(bool up, bool right, bool down, bool left) {
  const int vertical = (up ? 1 : 0) - (down ? 1 : 0);
  const int horizontal = (right ? 1 : 0) - (left ? 1 : 0);
  // Clockwise from up, in eighths of a turn, indexed by [vertical + 1][horizontal + 1].
  constexpr std::uint32_t kAngles[3][3] = {
      {22500, 18000, 13500},
      {27000, JoystickState::kHatCentered, 9000},
      {31500, 0, 4500},
  };
  return kAngles[vertical + 1][horizontal + 1];
}

// The joysticks attached when opened, by index from 0.
class Joysticks {
 public:
  virtual ~Joysticks() = default;
  // Opens every attached joystick; returns how many there are.
  virtual int open() = 0;
  virtual void close() = 0;
  // False when the joystick cannot be read now (unplugged, say).
  virtual bool read(int index, JoystickState& state) = 0;
};

}  // namespace Platform
