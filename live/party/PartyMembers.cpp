#include "live/party/PartyMembers.h"

#include <algorithm>
#include <cstring>

#include "Engine/Base/Assert.h"
#include "live/unit/PlayerGhost.h"

namespace Game {

using Engine::i32;

i32 PartyMembers::count() const {
  return static_cast<i32>(std::count_if(mEntries.begin(), mEntries.end(), [](const Entry& e) { return e.ghost; }));
}

i32 PartyMembers::battleCount() const { return std::min(count(), kFighters); }

i32 PartyMembers::occupiedIndex(i32 i) const {
  for (i32 k = 0; k < kCapacity; ++k) {
    if (mEntries[static_cast<std::size_t>(k)].ghost && i-- == 0) {
      return k;
    }
  }
  return -1;
}

PartyMembers::Entry& PartyMembers::at(i32 i) {
  const i32 k = occupiedIndex(i);
  if (k < 0) {
    ENGINE_HALT("0");
  }
  return mEntries[static_cast<std::size_t>(k)];
}

const PartyMembers::Entry& PartyMembers::at(i32 i) const { return const_cast<PartyMembers*>(this)->at(i); }

void PartyMembers::clear() { mEntries.fill(Entry{}); }

PartyMembers::Entry* PartyMembers::add(PlayerGhost& ghost) {
  for (Entry& entry : mEntries) {
    if (!entry.ghost) {
      entry = Entry{&ghost, -1, -1};
      arrange();
      for (Entry& placed : mEntries) {
        if (placed.ghost == &ghost) {
          return &placed;
        }
      }
    }
  }
  return nullptr;
}

void PartyMembers::removeAt(i32 i) {
  const i32 k = occupiedIndex(i);
  if (k >= 0) {
    mEntries[static_cast<std::size_t>(k)] = Entry{};
    arrange();
  }
}

void PartyMembers::removeNamed(const char* name) {
  for (i32 i = 0; i < count(); ++i) {
    if (memberAt(i).isNamed(name)) {
      removeAt(i);
      return;
    }
  }
}

bool PartyMembers::isCellHeldBefore(i32 entry, i32 row, i32 column) const {
  for (i32 k = 0; k < entry; ++k) {
    const Entry& earlier = mEntries[static_cast<std::size_t>(k)];
    if (earlier.ghost && earlier.row == row && earlier.column == column) {
      return true;
    }
  }
  return false;
}

// Compaction keeps the members' order and moves every free entry to the end,
// however many there are.
void PartyMembers::arrange() {
  for (i32 k = kFighters; k < kCapacity; ++k) {
    mEntries[static_cast<std::size_t>(k)].row = -1;
    mEntries[static_cast<std::size_t>(k)].column = -1;
  }
  std::stable_partition(mEntries.begin(), mEntries.end(), [](const Entry& e) { return e.ghost != nullptr; });
  for (i32 k = 0; k < battleCount(); ++k) {
    Entry& entry = mEntries[static_cast<std::size_t>(k)];
    if (isCell(entry.row, entry.column) && !isCellHeldBefore(k, entry.row, entry.column)) {
      continue;
    }
    entry.row = -1;
    entry.column = -1;
    for (i32 cell = 0; cell < kRows * kColumns && entry.row < 0; ++cell) {
      const i32 row = cell / kColumns;
      const i32 column = cell % kColumns;
      if (!isCellHeldBefore(k, row, column)) {
        entry.row = row;
        entry.column = column;
      }
    }
  }
}

PlayerGhost* PartyMembers::findAtCell(i32 row, i32 column) const {
  for (i32 i = 0; i < battleCount(); ++i) {
    const Entry& entry = at(i);
    if (entry.row == row && entry.column == column) {
      return entry.ghost;
    }
  }
  return nullptr;
}

PlayerGhost* PartyMembers::findNamed(const char* name) const {
  for (const Entry& entry : mEntries) {
    if (entry.ghost && entry.ghost->isNamed(name)) {
      return entry.ghost;
    }
  }
  return nullptr;
}

bool PartyMembers::contains(const PlayerGhost& ghost) const {
  return std::any_of(mEntries.begin(), mEntries.end(), [&](const Entry& e) { return e.ghost == &ghost; });
}

i32 PartyMembers::countEquipped(const ToolData* item) const {
  i32 n = 0;
  for (const Entry& entry : mEntries) {
    for (i32 slot = 0; entry.ghost && item && slot < PlayerGhost::kSlots; ++slot) {
      n += entry.ghost->slot(slot).item() == item ? 1 : 0;
    }
  }
  return n;
}

bool PartyMembers::unequipItem(const ToolData* item) {
  for (const Entry& entry : mEntries) {
    for (i32 slot = 0; entry.ghost && item && slot < PlayerGhost::kSlots; ++slot) {
      if (entry.ghost->slot(slot).item() == item) {
        entry.ghost->clearEquipment(slot);
        return true;
      }
    }
  }
  return false;
}

}  // namespace Game
