#pragma once

#include <functional>

#include "Platform/Keyboard.h"

namespace Platform::Sdl {

// Where a key sits on the keyboard: up to two positions (SDL scancodes, which
// are USB usage numbers), 0 for none. The key is down when either is.
struct KeyPositions {
  int first = 0;
  int second = 0;
};

// The position whose key types an unshifted character in the active layout,
// 0 when no key does.
using LabelLookup = std::function<int(char label)>;

// Letters and the '+' ',' '-' '.' keys go by the label they carry in the
// layout, as the game's bindings name them ("Z cancels" is the key marked Z on
// any layout); a label no key carries falls back to its US position. Digits,
// the keypad and the named keys go by position.
KeyPositions keyPositions(Key key, const LabelLookup& positionOfLabel);

// The active layout's lookup (SDL's keymap, refreshed when the layout changes).
int activeLayoutPosition(char label);

}  // namespace Platform::Sdl
