#include "menu/LoadSlotMenu.h"

#include "core/game/GameData.h"
#include "core/game/SaveSlot.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kLeft = -320.f;
constexpr float kTop = 240.f;
constexpr i32 kFont = 2;
constexpr i32 kVisibleRows = 16;

}  // namespace

LoadSlotMenu::LoadSlotMenu() {
  mList.build();
  for (i32 slot = 0; slot < SaveSlot::kCount; ++slot) {
    mMenu.addItem(mList.row(slot).text.c_str(), slot, SaveSlotList::kLineColor, kFont);
  }
  mMenu.setVisibleRows(kVisibleRows);
  mMenu.placeCentered(kLeft, kTop);  // by the top-left corner
  mMenu.setCursorById(mList.placeCursor());
}

LoadSlotMenu::~LoadSlotMenu() = default;

void LoadSlotMenu::draw() {
  if (mMessages.isEmpty()) {
    mMenu.drawDefault();
  }
}

i32 LoadSlotMenu::update() {
  if (!mMessages.isEmpty()) {
    MenuStack::update(mMessages);
    return kRunning;
  }
  const i32 result = mMenu.update();
  if (result == ListMenu::kCancelled) {
    return kCancelled;
  }
  if (result != ListMenu::kDecided) {
    return kRunning;
  }
  const i32 slot = mMenu.selectedId(0);
  if (!SaveSlot::exists(slot)) {
    return kRunning;
  }
  mLoaded.reset(SaveSlot::load(slot));
  if (!mLoaded) {
    ListMenu::pushMessage(mMessages, kUnreadable);
    return kRunning;
  }
  SaveSlotList::rememberCursor(slot);
  return kDecided;
}

GameData* LoadSlotMenu::takeGame() { return mLoaded.release(); }

}  // namespace Game
