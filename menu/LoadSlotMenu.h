#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/game/SaveSlotList.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class GameData;

// Stand-in of the save-slot menu's load form, with its interface, until the
// shared slot menu is in: the 24 slot lines; deciding a slot reads it. Only
// a slot that reads into a game is taken; any other tells the player so and
// the list stays open.
class LoadSlotMenu {
 public:
  static constexpr Engine::i32 kRunning = 0;
  static constexpr Engine::i32 kDecided = 1;
  static constexpr Engine::i32 kCancelled = 2;
  static constexpr const char* kUnreadable = "このファイルは読み込めません";

  LoadSlotMenu();
  ~LoadSlotMenu();
  LoadSlotMenu(const LoadSlotMenu&) = delete;
  LoadSlotMenu& operator=(const LoadSlotMenu&) = delete;

  static LoadSlotMenu* createLoad() { return new LoadSlotMenu(); }

  void draw();
  Engine::i32 update();
  // The game read after kDecided; the caller owns it. Null otherwise.
  GameData* takeGame();

  const ListMenu& menu() const { return mMenu; }
  bool isShowingMessage() const { return !mMessages.isEmpty(); }

 private:
  SaveSlotList mList;
  ListMenu mMenu;
  OwnedList<ListMenu> mMessages;
  std::unique_ptr<GameData> mLoaded;
};

}  // namespace Game
