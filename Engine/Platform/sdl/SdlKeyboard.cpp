#include "SdlInput.h"

#include "KeyPositions.h"

namespace Platform::Sdl {

namespace {

// The scancodes that make each key; a key is down when either is.
struct KeyScancodes {
  SDL_Scancode first;
  SDL_Scancode second;
};

constexpr KeyScancodes single(SDL_Scancode code) { return {code, SDL_SCANCODE_UNKNOWN}; }

constexpr KeyScancodes kKeyScancodes[kKeyCount] = {
    single(SDL_SCANCODE_A), single(SDL_SCANCODE_B), single(SDL_SCANCODE_C), single(SDL_SCANCODE_D),
    single(SDL_SCANCODE_E), single(SDL_SCANCODE_F), single(SDL_SCANCODE_G), single(SDL_SCANCODE_H),
    single(SDL_SCANCODE_I), single(SDL_SCANCODE_J), single(SDL_SCANCODE_K), single(SDL_SCANCODE_L),
    single(SDL_SCANCODE_M), single(SDL_SCANCODE_N), single(SDL_SCANCODE_O), single(SDL_SCANCODE_P),
    single(SDL_SCANCODE_Q), single(SDL_SCANCODE_R), single(SDL_SCANCODE_S), single(SDL_SCANCODE_T),
    single(SDL_SCANCODE_U), single(SDL_SCANCODE_V), single(SDL_SCANCODE_W), single(SDL_SCANCODE_X),
    single(SDL_SCANCODE_Y), single(SDL_SCANCODE_Z),
    single(SDL_SCANCODE_0), single(SDL_SCANCODE_1), single(SDL_SCANCODE_2), single(SDL_SCANCODE_3),
    single(SDL_SCANCODE_4), single(SDL_SCANCODE_5), single(SDL_SCANCODE_6), single(SDL_SCANCODE_7),
    single(SDL_SCANCODE_8), single(SDL_SCANCODE_9),
    single(SDL_SCANCODE_SPACE),
    single(SDL_SCANCODE_EQUALS),  // the main block's '+' key
    single(SDL_SCANCODE_COMMA), single(SDL_SCANCODE_MINUS), single(SDL_SCANCODE_PERIOD),
    {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER},
    single(SDL_SCANCODE_TAB), single(SDL_SCANCODE_ESCAPE),
    {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
    {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL},
    {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT},
    single(SDL_SCANCODE_F1), single(SDL_SCANCODE_F2), single(SDL_SCANCODE_F3), single(SDL_SCANCODE_F4),
    single(SDL_SCANCODE_F5), single(SDL_SCANCODE_F6), single(SDL_SCANCODE_F7), single(SDL_SCANCODE_F8),
    single(SDL_SCANCODE_F9), single(SDL_SCANCODE_F10), single(SDL_SCANCODE_F11), single(SDL_SCANCODE_F12),
    single(SDL_SCANCODE_UP), single(SDL_SCANCODE_DOWN), single(SDL_SCANCODE_LEFT), single(SDL_SCANCODE_RIGHT),
    single(SDL_SCANCODE_KP_0), single(SDL_SCANCODE_KP_1), single(SDL_SCANCODE_KP_2), single(SDL_SCANCODE_KP_3),
    single(SDL_SCANCODE_KP_4), single(SDL_SCANCODE_KP_5), single(SDL_SCANCODE_KP_6), single(SDL_SCANCODE_KP_7),
    single(SDL_SCANCODE_KP_8), single(SDL_SCANCODE_KP_9),
};

// The unshifted character a key is labelled with, for the keys read by label.
char labelOf(Key key) {
  const auto index = static_cast<int>(key);
  if (key >= Key::A && key <= Key::Z) {
    return static_cast<char>('a' + (index - static_cast<int>(Key::A)));
  }
  switch (key) {
    case Key::Plus:
      return '+';
    case Key::Comma:
      return ',';
    case Key::Minus:
      return '-';
    case Key::Period:
      return '.';
    default:
      return 0;
  }
}

bool isDown(const Uint8* state, int count, int position) {
  return position != SDL_SCANCODE_UNKNOWN && position < count && state[position] != 0;
}

}  // namespace

KeyPositions keyPositions(Key key, const LabelLookup& positionOfLabel) {
  const KeyScancodes& usual = kKeyScancodes[static_cast<std::size_t>(key)];
  KeyPositions positions{usual.first, usual.second};
  if (const char label = labelOf(key)) {
    if (const int labelled = positionOfLabel(label); labelled != SDL_SCANCODE_UNKNOWN) {
      positions.first = labelled;
    }
  }
  return positions;
}

int activeLayoutPosition(char label) { return SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(label)); }

void SdlKeyboard::read(KeyStates& down) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  const LabelLookup lookup = activeLayoutPosition;
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    const KeyPositions at = keyPositions(static_cast<Key>(key), lookup);
    down[key] = isDown(state, count, at.first) || isDown(state, count, at.second);
  }
}

MouseState SdlMouse::read() {
  MouseState mouse;
  const Uint32 buttons = SDL_GetMouseState(&mouse.x, &mouse.y);
  mouse.left = (buttons & SDL_BUTTON_LMASK) != 0;
  mouse.right = (buttons & SDL_BUTTON_RMASK) != 0;
  mouse.middle = (buttons & SDL_BUTTON_MMASK) != 0;
  return mouse;
}

}  // namespace Platform::Sdl
