#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Platform {

// The keys the framework reads, named by what they are rather than by any
// system's codes. Each is one physical key or a pair (both Shift keys, ...).
enum class Key : std::uint8_t {
  A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  Space, Plus, Comma, Minus, Period,
  Return, Tab, Escape, Shift, Control, Alt,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  Up, Down, Left, Right,
  Numpad0, Numpad1, Numpad2, Numpad3, Numpad4, Numpad5, Numpad6, Numpad7, Numpad8, Numpad9,
  Count,
};

inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Count);

// Which keys are down, indexed by Key.
using KeyStates = std::array<bool, kKeyCount>;

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // The keys held at the last event pump.
  virtual void read(KeyStates& down) = 0;
};

}  // namespace Platform
