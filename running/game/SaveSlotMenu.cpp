#include "running/game/SaveSlotMenu.h"

#include "running/game/GameData.h"
#include "core/string/ShiftJis.h"

namespace Game {

using Engine::i32;

namespace {

// The panel's top-left corner: 24 rows of font 1 fill the screen's height,
// and its width the screen's.
constexpr float kLeft = -320.f;
constexpr float kTop = 240.f;
constexpr float kWidth = 640.f;
constexpr i32 kSlotFont = 1;
// Bytes of font 1 that fit across the panel: a longer headline is cut so
// that the panel keeps the screen's width.
constexpr i32 kLineBytes = 64;
constexpr const char* kSaveFailed = "セーブできませんでした";

// The first bytes of the text that fit, never half a two-byte character.
String fitted(const String& text) {
  const char* bytes = text.c_str() ? text.c_str() : "";
  String line("");
  for (i32 k = 0; bytes[k] != '\0';) {
    const i32 size = ShiftJis::characterSize(bytes + k);
    if (line.length() + size > kLineBytes) {
      break;
    }
    for (i32 end = k + size; k < end; ++k) {
      line.appendChar(bytes[k]);
    }
  }
  return line;
}

}  // namespace

SaveSlotMenu::SaveSlotMenu(GameData* game) : mGame(game) { rebuild(); }

SaveSlotMenu::~SaveSlotMenu() = default;

void SaveSlotMenu::rebuild() {
  mList.build();
  mMenu.clear();
  for (i32 slot = 0; slot < SaveSlot::kCount; ++slot) {
    mMenu.addItem(fitted(mList.row(slot).text).c_str(), slot, SaveSlotList::kLineColor, kSlotFont);
  }
  mMenu.growTo(kWidth, mMenu.height());
  mMenu.placeCentered(kLeft, kTop);
  mMenu.setCursorById(mList.placeCursor());
}

void SaveSlotMenu::draw() { mMenu.draw(true); }

i32 SaveSlotMenu::update() {
  if (!mMessages.isEmpty()) {
    MenuStack::update(mMessages);
    return kRunning;
  }
  switch (mMenu.update()) {
    case ListMenu::kDecided:
      return decide(mMenu.selectedId(0));
    case ListMenu::kCancelled:
      return kCancelled;
    default:
      return kRunning;
  }
}

i32 SaveSlotMenu::decide(i32 slot) {
  if (slot < 0 || slot >= SaveSlot::kCount) {
    return kRunning;
  }
  if (mGame) {
    saveTo(slot);
    return kRunning;
  }
  return loadFrom(slot);
}

// The old file stays whole when a write fails; the list shows what is there.
void SaveSlotMenu::saveTo(i32 slot) {
  SaveSlotList::rememberCursor(slot);
  if (!SaveSlot::save(*mGame, slot)) {
    ListMenu::pushMessage(mMessages, kSaveFailed);
  }
  rebuild();
}

// Only a slot that reads whole is taken: the game is read at the decision,
// so a file that went bad since the list was built is refused, never loaded
// half-way, and the list shows it as it now is.
i32 SaveSlotMenu::loadFrom(i32 slot) {
  if (!mList.row(slot).valid) {
    return kRunning;
  }
  mLoaded.reset(SaveSlot::load(slot));
  if (!mLoaded) {
    rebuild();
    return kRunning;
  }
  SaveSlotList::rememberCursor(slot);
  return kDecided;
}

GameData* SaveSlotMenu::takeGame() { return mLoaded.release(); }

}  // namespace Game
