#pragma once

#include "Engine/Base/Types.h"
#include "running/game/SaveSlot.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;

// The lines of the save-slot menu, one per slot, and the slot its cursor
// starts on; the menu only draws them.
class SaveSlotList {
 public:
  static constexpr Engine::u32 kLineColor = 0xFFC0C0C0;

  struct Row {
    String text;
    bool exists = false;
    bool valid = false;
    Engine::i64 stamp = 0;
  };

  // Reads every slot.
  void build();
  const Row& row(Engine::i32 slot) const { return mRows[slot]; }
  // The valid slot saved last (the lower one of a tie), 0 when none is valid.
  Engine::i32 newestSlot() const;

  // The slot the cursor of every slot menu of the run returns to: the one
  // remembered, else (remembered from now on) the newest slot of the list.
  Engine::i32 placeCursor() const;
  static void rememberCursor(Engine::i32 slot) { sRememberedCursor = slot; }
  static void forgetCursor() { sRememberedCursor = -1; }

  // One line: the slot number in four places, then "------" without a file,
  // "無効なファイル" for a file that does not read, else the date (to 16
  // places), "play " and the play time (to 34), "★" once the game was
  // cleared, and the headline.
  static String line(Engine::i32 slot, bool exists, const NmlNode* save);

 private:
  static Engine::i32 sRememberedCursor;
  Row mRows[SaveSlot::kCount];
};

}  // namespace Game
