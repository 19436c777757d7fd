#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class GameData;

// Stand-in of the title screen until the menu screens exist: the title text
// and a row of choices, "start", "memoryLoad" (only with a memory save) and
// "quit"; keys 1 and 3 move, key 5 decides.
class TitleScene {
 public:
  enum Item : Engine::i32 { kStart = 0, kMemoryLoad = 2, kQuit = 4 };

  explicit TitleScene(bool hasMemorySave);

  // 0 stay, 1 a game was chosen, 2 quit.
  Engine::i32 update();
  // After 1: a new game for "start" (the caller owns it), null for "memoryLoad".
  GameData* takeGame();

  Item selectedItem() const { return mItems[mCursor]; }

 private:
  void draw() const;

  Item mItems[3] = {kStart, kQuit, kQuit};
  Engine::i32 mItemCount = 0;
  Engine::i32 mCursor = 0;
};

}  // namespace Game
