#include "menu/KeyAssignMenu.h"

#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::u32 kRowColor = 0xFFC0C0C0;
constexpr i32 kFont = 2;
constexpr float kLeft = -320.f;
constexpr float kTop = 240.f;

}  // namespace

KeyAssignMenu::KeyAssignMenu(Config& config) : mConfig(config) {
  build();
  mList.placeCentered(kLeft, kTop);  // by the top-left corner, kept as rows change
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
  mList.addItem("戻る", kBackId, kRowColor, kFont);
  for (i32 i = 0; i < Config::kBindingCount; ++i) {
    const Config::KeyBinding& binding = mConfig.binding(i);
    mList.addItem(rowText(binding.mButton, binding.mKey).c_str(), i + 1, kRowColor, kFont);
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
