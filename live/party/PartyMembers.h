#pragma once

#include <array>

#include "Engine/Base/Types.h"

namespace Game {

class PlayerGhost;
class ToolData;

// The up to six characters who travel, each with a formation cell (row
// 0..2, column 0..4; (−1, −1) when it has none). Only the first five fight.
class PartyMembers {
 public:
  static constexpr Engine::i32 kCapacity = 6;
  static constexpr Engine::i32 kFighters = 5;
  static constexpr Engine::i32 kRows = 3;
  static constexpr Engine::i32 kColumns = 5;

  struct Entry {
    PlayerGhost* ghost = nullptr;
    Engine::i32 row = -1;
    Engine::i32 column = -1;
  };

  Engine::i32 count() const;
  Engine::i32 battleCount() const;
  // The i-th occupied entry; an index past the last one stops the program.
  Entry& at(Engine::i32 i);
  const Entry& at(Engine::i32 i) const;
  PlayerGhost& memberAt(Engine::i32 i) const { return *at(i).ghost; }

  // Every entry free; the ghosts stay in the roster.
  void clear();
  // The first free entry takes the ghost, then the members are arranged;
  // null when all six are taken.
  Entry* add(PlayerGhost& ghost);
  void removeAt(Engine::i32 i);
  void removeNamed(const char* name);
  // Free entries move to the end; fighters without a cell of their own take
  // the first free one, rows first.
  void arrange();

  PlayerGhost* findAtCell(Engine::i32 row, Engine::i32 column) const;
  PlayerGhost* findNamed(const char* name) const;
  bool contains(const PlayerGhost& ghost) const;
  // The slots of the members holding the item.
  Engine::i32 countEquipped(const ToolData* item) const;
  bool isEquipped(const ToolData* item) const { return countEquipped(item) > 0; }
  // Empties the first member slot holding the item; false when none does.
  bool unequipItem(const ToolData* item);

  // A cell within the formation grid.
  static bool isCell(Engine::i32 row, Engine::i32 column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
  }

 private:
  // Index into mEntries of the i-th occupied entry; -1 when there is none.
  Engine::i32 occupiedIndex(Engine::i32 i) const;
  bool isCellHeldBefore(Engine::i32 entry, Engine::i32 row, Engine::i32 column) const;

  std::array<Entry, kCapacity> mEntries{};
};

}  // namespace Game
