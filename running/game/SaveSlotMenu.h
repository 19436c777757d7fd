#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "running/game/SaveSlotList.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class GameData;

// The list of the 24 save slots, in two forms. The save form (with a game)
// writes the game into the chosen slot and stays open on it; a save that
// fails is told to the player and the game goes on. The load form (without
// a game) reads the chosen slot: only a slot that holds a valid save is
// taken, and the game read from it is handed over by takeGame.
//
// Each frame: draw, then update.
class SaveSlotMenu {
 public:
  // Results of update.
  static constexpr Engine::i32 kRunning = 0;
  static constexpr Engine::i32 kDecided = 1;
  static constexpr Engine::i32 kCancelled = 2;

  // The save form for the game (not owned), or the load form for null.
  explicit SaveSlotMenu(GameData* game);
  ~SaveSlotMenu();
  SaveSlotMenu(const SaveSlotMenu&) = delete;
  SaveSlotMenu& operator=(const SaveSlotMenu&) = delete;

  static SaveSlotMenu* createSave(GameData& game) { return new SaveSlotMenu(&game); }
  static SaveSlotMenu* createLoad() { return new SaveSlotMenu(nullptr); }

  bool isLoadForm() const { return mGame == nullptr; }

  // kRunning, kDecided (load form only: a game was read, see takeGame) or
  // kCancelled. The save form never decides: it stays open after saving.
  Engine::i32 update();
  void draw();

  // The load form's game after update gave kDecided; the caller owns it.
  // Null before that and once taken.
  GameData* takeGame();

  // Reads every slot again and puts the cursor on the remembered slot.
  void rebuild();

  const SaveSlotList& list() const { return mList; }
  const ListMenu& menu() const { return mMenu; }
  // Whether a message (a failed save) is waiting for the player.
  bool isShowingMessage() const { return !mMessages.isEmpty(); }

 private:
  Engine::i32 decide(Engine::i32 slot);
  void saveTo(Engine::i32 slot);
  Engine::i32 loadFrom(Engine::i32 slot);

  GameData* mGame;
  SaveSlotList mList;
  ListMenu mMenu;
  OwnedList<ListMenu> mMessages;
  std::unique_ptr<GameData> mLoaded;
};

}  // namespace Game
