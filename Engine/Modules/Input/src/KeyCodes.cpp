#include "Input/src/KeyCodes.h"

#include <array>

#include "Engine/Input/Keyboard.h"

namespace Engine::Input {

namespace {

using Platform::Key;

constexpr i32 kNoKey = -1;
constexpr i32 kCodeCount = 256;

constexpr i32 keyIndex(Key key) { return static_cast<i32>(key); }

// Codes 128 to 159 follow the order of the keys from Return to keypad 9.
static_assert(keyIndex(Key::Numpad9) - keyIndex(Key::Return) == 159 - KeyCode::kReturn);
static_assert(keyIndex(Key::F1) - keyIndex(Key::Return) == KeyCode::kF1 - KeyCode::kReturn);
static_assert(keyIndex(Key::Up) - keyIndex(Key::Return) == KeyCode::kUp - KeyCode::kReturn);
static_assert(keyIndex(Key::Numpad0) - keyIndex(Key::Return) == KeyCode::kNumpad0 - KeyCode::kReturn);

constexpr std::array<i32, kCodeCount> makeTable() {
  std::array<i32, kCodeCount> table{};
  for (i32& entry : table) {
    entry = kNoKey;
  }
  for (i32 letter = 0; letter < 26; ++letter) {
    table[static_cast<std::size_t>('A' + letter)] = keyIndex(Key::A) + letter;
    table[static_cast<std::size_t>('a' + letter)] = keyIndex(Key::A) + letter;
  }
  for (i32 digit = 0; digit < 10; ++digit) {
    table[static_cast<std::size_t>('0' + digit)] = keyIndex(Key::Digit0) + digit;
  }
  table[' '] = keyIndex(Key::Space);
  table['+'] = keyIndex(Key::Plus);
  table[','] = keyIndex(Key::Comma);
  table['-'] = keyIndex(Key::Minus);
  table['.'] = keyIndex(Key::Period);
  for (i32 code = KeyCode::kReturn; code <= 159; ++code) {
    table[static_cast<std::size_t>(code)] = keyIndex(Key::Return) + (code - KeyCode::kReturn);
  }
  return table;
}

constexpr std::array<i32, kCodeCount> kKeyOfCode = makeTable();

}  // namespace

std::optional<Platform::Key> keyForCode(i32 code) {
  if (code < 0 || code >= kCodeCount) {
    return std::nullopt;
  }
  const i32 key = kKeyOfCode[static_cast<std::size_t>(code)];
  if (key == kNoKey) {
    return std::nullopt;
  }
  return static_cast<Platform::Key>(key);
}

}  // namespace Engine::Input
