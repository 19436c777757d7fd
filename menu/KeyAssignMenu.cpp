#include "menu/KeyAssignMenu.h"

#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::u32 kKeyRowColor = 0xFFC0C0C0;
constexpr i32 kKeyFont = 2;
constexpr float kKeyLeft = -320.f;
constexpr float kKeyTop = 240.f;

}  // namespace

KeyAssignMenu::KeyAssignMenu(Config& config) : mConfig(config) {
  build();
  mList.placeCentered(kKeyLeft, kKeyTop);  // by the top-left corner, kept as rows change
}

String KeyAssignMenu::rowText(i32 button, i32 key) {
  String text;
  text.appendInt(button);
  text.append("  ");
  text.append(KeyInput::keyName(key).c_str());
  return text;
}

void KeyAssignMenu::build() {
  mList.clear();
  mList.addItem("戻る", kBackId, kKeyRowColor, kKeyFont);
  for (i32 i = 0; i < Config::kBindingCount; ++i) {
    const Config::KeyBinding& binding = mConfig.binding(i);
    mList.addItem(rowText(binding.mButton, binding.mKey).c_str(), i + 1, kKeyRowColor, kKeyFont);
  }
}

bool KeyAssignMenu::update() {
  mList.drawDefault();
  const i32 result = mList.update();
  const i32 id = mList.selectedId(0);
  if (id == kBackId) {
    return result == ListMenu::kDecided;
  }
  if (id < 1 || id > Config::kBindingCount) {
    return false;
  }
  const i32 button = KeyInput::pollJoystickButton();
  if (button >= 0) {
    mConfig.binding(id - 1).mButton = button;
    build();
  }
  return false;
}

}  // namespace Game
